#!/usr/bin/env bash
# Makes a fresh 64-bit Wine prefix with the Chinese font replacements.
# Usage: make_wineprefix.sh <folder>
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
. "$ROOT/tools/wine_env.sh"
DEST=$1
rm -rf "$DEST"; mkdir -p "$DEST"
export WINEPREFIX="$DEST"
use_locale zh_CN
trap 'stop_wineserver; stop_xvfb' EXIT
start_xvfb
"$WINE" wineboot -i >/dev/null 2>&1 || true
start_wineserver
for face in "SimSun" "宋体" "新宋体" "NSimSun" "Microsoft YaHei" "微软雅黑"; do
  "$WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d "WenQuanYi Micro Hei" /f >/dev/null 2>&1
done
"$WINESERVER" -w || true
WINESERVER_STARTED=""
touch "$DEST/.ready"
