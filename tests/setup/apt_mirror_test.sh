#!/usr/bin/env bash
# The setup's reading of the machine's package mirror, on sample apt
# configurations in a temporary folder (never the machine's own).
set -uo pipefail
. "$(dirname "$0")/../../tools/apt_mirror.sh"
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
failures=0
check() { # name expected actual
  if [ "$2" == "$3" ]; then echo "ok: $1"; else echo "FAILED: $1: expected '$2', got '$3'"; failures=$((failures + 1)); fi
}
# A fresh configuration: prints its list file and folder.
config() { # name
  mkdir -p "$WORK/$1/sources.list.d"
  echo "$WORK/$1/sources.list $WORK/$1/sources.list.d"
}

# deb822 only: the Debian stanza for the release, not a vendor's, a disabled
# one, the security suite, or the setup's own file.
read -r list dir < <(config deb822)
cat > "$dir/aaa-vendor.sources" <<'S'
Types: deb
URIs: http://vendor.invalid/apt
Suites: stable
Components: main
S
cat > "$dir/debian.sources" <<'S'
# a comment
Types: deb-src
URIs: http://src-only.invalid/debian
Suites: bookworm
Components: main

Types: deb
URIs: http://disabled.invalid/debian
Suites: bookworm
Components: main
Enabled: no

Types: deb
URIs: http://security.invalid/debian-security
Suites: bookworm-security
Components: main

types: deb deb-src
URIs: http://local-cache.internal:3142/debian
 http://second.invalid/debian
Suites: bookworm bookworm-updates
Components: main contrib
Signed-By:
 -----BEGIN PGP PUBLIC KEY BLOCK-----
 Suites: not-a-field
 -----END PGP PUBLIC KEY BLOCK-----
S
cat > "$dir/project-extra.sources" <<'S'
Types: deb
URIs: http://own.invalid/debian
Suites: bookworm
Components: main non-free
S
check "deb822 only" "http://local-cache.internal:3142/debian" \
  "$(debian_mirror "$list" "$dir" bookworm "$dir/project-extra.sources")"
check "deb822 only, another release" "" "$(debian_mirror "$list" "$dir" trixie "$dir/project-extra.sources")"

# One-line only: the first "deb" line of the release with main, options and
# all; sources.list before the *.list files.
read -r list dir < <(config one-line)
cat > "$list" <<'S'
# deb http://commented.invalid/debian bookworm main
deb-src http://src-only.invalid/debian bookworm main
deb http://security.invalid/debian-security bookworm-security main
deb http://contrib-only.invalid/debian bookworm contrib
	deb [arch=amd64 signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://mirror.invalid/debian bookworm main non-free # the mirror
deb http://later.invalid/debian bookworm main
S
echo "deb http://list-file.invalid/debian bookworm main" > "$dir/other.list"
check "one-line only" "http://mirror.invalid/debian" "$(debian_mirror "$list" "$dir" bookworm)"
rm "$list"
check "one-line in a *.list file" "http://list-file.invalid/debian" "$(debian_mirror "$list" "$dir" bookworm)"

# Both: the deb822 file holds.
read -r list dir < <(config both)
echo "deb http://one-line.invalid/debian bookworm main" > "$list"
printf 'Types: deb\nURIs: http://deb822.invalid/debian\nSuites: bookworm\nComponents: main\n' > "$dir/debian.sources"
check "both" "http://deb822.invalid/debian" "$(debian_mirror "$list" "$dir" bookworm)"
# A deb822 file that names no Debian mirror leaves the one-line files to tell.
printf 'Types: deb\nURIs: http://vendor.invalid/apt\nSuites: stable\nComponents: main\n' > "$dir/debian.sources"
check "both, deb822 of a vendor only" "http://one-line.invalid/debian" "$(debian_mirror "$list" "$dir" bookworm)"

# Neither: nothing printed, a failure, and a message that says what to add.
read -r list dir < <(config neither)
echo "# nothing here" > "$list"
debian_mirror "$list" "$dir" bookworm >"$WORK/out" 2>&1
check "neither fails" "1" "$?"
check "neither prints nothing" "" "$(cat "$WORK/out")"
rmdir "$dir"
debian_mirror "$WORK/absent/sources.list" "$WORK/absent/sources.list.d" bookworm >"$WORK/out" 2>&1
check "no apt folder at all fails" "1" "$?"
message=$(missing_mirror_message "$list" "$dir" bookworm)
for part in "$dir/debian.sources" "Types: deb" "URIs: " "Suites: bookworm" "Components: main"; do
  case "$message" in *"$part"*) check "message names '$part'" yes yes ;; *) check "message names '$part'" yes no ;; esac
done

echo "$failures failed"
[ "$failures" -eq 0 ]
