#!/usr/bin/env bash
# The run command: sets up, builds, and starts the panel under Wine beside a
# demo QQ chat window (the test double), with a demo library of our own making.
# Without a display it starts its own Xvfb and saves screenshots of the docked
# panel and of the editor (build/demo/panel.png, editor.png; the README shows
# copies of them from assets/readme/).
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
"$ROOT/tools/setup.sh"
"$ROOT/tools/build.sh" x64
. "$ROOT/tools/wine_env.sh"
BIN="$ROOT/build/x64/bin"
DEMO="$ROOT/build/demo"
APP="$DEMO/app"
mkdir -p "$APP"
cp "$BIN/Tarnwick.exe" "$BIN/Brackmere.exe" "$BIN/unrar.dll" "$BIN/ostrelkit.dll" "$BIN/QQ.exe" "$BIN/wincontrol.exe" "$APP/"
[ -f "$APP/Thumbs.mdb" ] || cp "$BIN/Thumbs.mdb" "$APP/"
[ -d "$APP/Face" ] || python3 "$ROOT/tools/make_demo_library.py" "$APP"
OWN_DISPLAY=""
[ -n "${DISPLAY:-}" ] || OWN_DISPLAY=1
# A fresh prefix each run: Wine's start-up runs the start-with-Windows value
# the panel wrote on its first run, which would start a second panel.
begin_wine_session "$DEMO"
rm -f "$DEMO/qq.log"
( cd "$APP" && "$WINE" QQ.exe --log "$DEMO/qq.log" ) >/dev/null 2>&1 &
for _ in $(seq 1 50); do grep -q '^ready' "$DEMO/qq.log" 2>/dev/null && break; sleep 0.2; done
( cd "$APP" && "$WINE" Tarnwick.exe ) >/dev/null 2>&1 &
PANEL=$!
sleep 4
# The panel comes up in front; the user then clicks the chat window, and the panel docks to it.
CHAT=$(sed -n 's/^ready hwnd=\([-0-9]*\).*/\1/p' "$DEMO/qq.log")
( cd "$APP" && "$WINE" wincontrol.exe activate "$CHAT" ) >/dev/null 2>&1 || true
sleep 2
shot() { # file: the screen, cut down to the windows on it
  import -window root "$1.full.png"
  convert "$1.full.png" -trim +repage "$1"
  rm -f "$1.full.png"
}
if [ -n "$OWN_DISPLAY" ]; then
  shot "$DEMO/panel.png"
  echo "Screenshot of the panel docked to the demo chat window: $DEMO/panel.png"
  # The editor, started the way the panel's middle tab starts it: from the
  # program folder, without arguments. It stays open beside the panel.
  ( cd "$APP" && "$WINE" Brackmere.exe ) >/dev/null 2>&1 &
  sleep 4
  shot "$DEMO/editor.png"
  echo "Screenshot of the editor: $DEMO/editor.png"
fi
echo "Tarnwick is running (library in $APP/Face). Press Ctrl+C to stop."
wait "$PANEL" || true
