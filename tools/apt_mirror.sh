# Sourced by tools/setup.sh (and its test): finds the Debian mirror this
# machine's apt already uses, so the source and non-free entries the setup
# adds point where the machine's packages come from (a local mirror or a
# caching proxy included). The setup never falls back to an address of its
# own: a host the machine may not reach would make apt-get update fail or
# stall.

# Prints the mirror's address serving <codename> main, read from the deb822
# *.sources files of <list_dir> (the setup's own file left out), else from the
# first such "deb" line of <list_file> or of a *.list file of <list_dir>.
# Returns 1, printing nothing, when there is none.
# Usage: debian_mirror <list_file> <list_dir> <codename> [own_sources_file]
debian_mirror() {
  local list_file=$1 list_dir=$2 codename=$3 own=${4:-}
  local deb822=() one_line=() f found
  for f in "$list_dir"/*.sources; do
    [ -f "$f" ] && [ "$f" != "$own" ] && deb822+=("$f")
  done
  if [ ${#deb822[@]} -gt 0 ]; then
    found=$(awk -v codename="$codename" '
      function has(list, word,   n, i, w) {
        n = split(list, w, /[ \t]+/)
        for (i = 1; i <= n; i++) if (w[i] == word) return 1
        return 0
      }
      function first(list,   w) { split(list, w, /[ \t]+/); return w[1] == "" ? w[2] : w[1] }
      function flush() {
        if (found == "" && enabled && uris != "" && has(types, "deb") && has(suites, codename) && has(comps, "main"))
          found = first(uris)
        types = uris = suites = comps = key = ""
        enabled = 1
      }
      BEGIN { enabled = 1 }
      FNR == 1 && NR != 1 { flush() }
      /^[ \t]*#/ { next }
      /^[ \t]*$/ { flush(); next }
      /^[ \t]/ {  # a continued value
        if (key == "types") types = types " " $0
        else if (key == "uris") uris = uris " " $0
        else if (key == "suites") suites = suites " " $0
        else if (key == "components") comps = comps " " $0
        next
      }
      {
        colon = index($0, ":")
        if (colon == 0) next
        key = tolower(substr($0, 1, colon - 1))
        value = substr($0, colon + 1)
        if (key == "types") types = value
        else if (key == "uris") uris = value
        else if (key == "suites") suites = value
        else if (key == "components") comps = value
        else if (key == "enabled") { gsub(/[ \t]/, "", value); enabled = tolower(value) != "no" }
      }
      END { flush(); print found }' "${deb822[@]}")
    if [ -n "$found" ]; then
      printf '%s\n' "$found"
      return 0
    fi
  fi
  local lists=()
  [ -f "$list_file" ] && lists+=("$list_file")
  for f in "$list_dir"/*.list; do
    [ -f "$f" ] && lists+=("$f")
  done
  [ ${#lists[@]} -gt 0 ] || return 1
  found=$(awk -v codename="$codename" '
    /^[ \t]*deb[ \t]/ {
      line = $0
      sub(/^[ \t]*deb[ \t]+/, "", line)
      sub(/^\[[^]]*\][ \t]*/, "", line)  # options such as [signed-by=...]
      sub(/[ \t]*#.*/, "", line)
      n = split(line, f, /[ \t]+/)
      if (n < 3 || f[2] != codename) next
      for (i = 3; i <= n; i++) if (f[i] == "main") { print f[1]; exit }
    }' "${lists[@]}")
  [ -n "$found" ] || return 1
  printf '%s\n' "$found"
}

# What to tell a machine whose apt names no Debian mirror.
# Usage: missing_mirror_message <list_file> <list_dir> <codename>
missing_mirror_message() {
  cat <<MSG
No Debian package mirror for $3 was found in this machine's apt configuration
($1, or the *.sources and *.list files of $2),
so the setup adds no package sources and stops. Add the mirror your packages
come from as the file $2/debian.sources, holding:

Types: deb
URIs: <the address of your Debian mirror or caching proxy>
Suites: $3
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

then run apt-get update and the setup again.
MSG
}
