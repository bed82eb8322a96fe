#!/usr/bin/env bash
# Writes the programs' icon files, assets/tarnwick.ico and assets/brackmere.ico,
# from their drawing in tools/icon_maker (run it after changing that drawing or
# the panel's logo; the program-file tests compare the two).
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
"$ROOT/tools/build.sh" x64
. "$ROOT/tools/wine_env.sh"
begin_wine_session "$ROOT/build/icons" reuse
"$WINE" "$ROOT/build/x64/bin/icon_maker.exe" "Z:${ROOT//\//\\}\\assets"
echo "wrote $ROOT/assets/tarnwick.ico and $ROOT/assets/brackmere.ico"
