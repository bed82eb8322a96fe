#!/usr/bin/env bash
# Makes, for each architecture, the folder a Windows user unpacks and runs:
# both programs, the libraries they load from their own folder, the shipped
# Thumbs.mdb and an empty library with the default category. Also zips each.
# Usage: tools/package.sh            -> build/package/Tarnwick-x64(.zip), Tarnwick-x86(.zip)
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
"$ROOT/tools/setup.sh"
"$ROOT/tools/build.sh" all
OUT="$ROOT/build/package"
FILES=(Tarnwick.exe Brackmere.exe unrar.dll ostrelkit.dll Thumbs.mdb)
declare -A STRIP=([x64]=x86_64-w64-mingw32-strip [x86]=i686-w64-mingw32-strip)
for arch in x64 x86; do
  bin="$ROOT/build/$arch/bin"
  dest="$OUT/Tarnwick-$arch"
  rm -rf "$dest" "$dest.zip"
  mkdir -p "$dest/Face/默认表情"
  for f in "${FILES[@]}"; do
    [ -f "$bin/$f" ] || { echo "package: $bin/$f is missing" >&2; exit 1; }
    cp "$bin/$f" "$dest/"
  done
  # The build keeps debugging information; users get the programs without it.
  "${STRIP[$arch]}" "$dest"/*.exe "$dest"/*.dll
  # Zip entries carry UTF-8 names (flagged), so the category's Chinese name
  # survives on any Windows that unpacks it.
  python3 - "$dest" <<'PY'
import os, sys, zipfile
dest = sys.argv[1]
base = os.path.dirname(dest)
with zipfile.ZipFile(dest + ".zip", "w", zipfile.ZIP_DEFLATED) as z:
    for folder, dirs, files in os.walk(dest):
        dirs.sort()
        rel = os.path.relpath(folder, base)
        z.write(folder, rel + "/")
        for name in sorted(files):
            z.write(os.path.join(folder, name), os.path.join(rel, name))
PY
  echo "$dest  ($dest.zip)"
done
