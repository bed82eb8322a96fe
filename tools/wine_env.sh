# Sourced by the project's scripts: Wine and Xvfb helpers.
# Only what a caller started is stopped again (by pid, never by name).
ROOT=${ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
CACHE="$ROOT/.cache"
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64

# Run Wine under the Chinese locale: code page 936, locale 0804.
use_locale() { # zh_CN | en_US
  export LOCPATH="$CACHE/locale"
  export LANG="$1.UTF-8" LC_ALL="$1.UTF-8"
}

XVFB_PID=""
start_xvfb() { # picks a free display, exports DISPLAY
  local n
  for n in $(seq 90 150); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
      Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
      XVFB_PID=$!
      local i
      for i in $(seq 1 50); do
        [ -e "/tmp/.X11-unix/X$n" ] && break
        kill -0 "$XVFB_PID" 2>/dev/null || break
        sleep 0.1
      done
      if kill -0 "$XVFB_PID" 2>/dev/null && [ -e "/tmp/.X11-unix/X$n" ]; then
        export DISPLAY=":$n"
        return 0
      fi
    fi
  done
  echo "no free X display" >&2
  return 1
}
stop_xvfb() {
  if [ -n "$XVFB_PID" ]; then kill "$XVFB_PID" 2>/dev/null || true; wait "$XVFB_PID" 2>/dev/null || true; XVFB_PID=""; fi
}

WINESERVER_STARTED=""
start_wineserver() { # keeps one server alive for the whole run: each Wine start then costs ~0.1 s
  setsid "$WINESERVER" -p >/dev/null 2>&1 < /dev/null &
  WINESERVER_STARTED=1
}
stop_wineserver() {
  if [ -n "$WINESERVER_STARTED" ]; then "$WINESERVER" -k >/dev/null 2>&1 || true; WINESERVER_STARTED=""; fi
}

# Holds the desktop open until the wineserver stops (see
# tools/desktop_keeper): started detached before any other Wine program, so
# the desktop process it starts writes to /dev/null and lives as long as the
# session, instead of being started again, holding its starter's output pipe,
# each time the desktop falls idle. Waits until the desktop is up.
start_desktop_keeper() { # run_dir
  local keeper="$ROOT/build/x64/bin/desktop_keeper.exe" ready="$1/desktop-keeper.ready" i
  if [ ! -f "$keeper" ]; then
    echo "warning: $keeper is not built; Wine's desktop process may hold a test's output open" >&2
    return 0
  fi
  rm -f "$ready"
  setsid "$WINE" "$keeper" "Z:${ready//\//\\}" </dev/null >/dev/null 2>&1 &
  for i in $(seq 1 300); do
    [ -e "$ready" ] && return 0
    sleep 0.1
  done
  echo "warning: the desktop keeper did not start" >&2
}

# A Wine session for one run: a prefix under run_dir (a fresh copy of the
# template, or the one left there when reuse is "reuse"), the zh_CN locale, an
# Xvfb of its own unless a display is given, one wineserver, the desktop held
# open, and the prefix's system processes started before anything else
# (detached from the caller's output pipes, which they would otherwise hold
# open). Stopped on exit.
# Usage: begin_wine_session <run_dir> [reuse]
begin_wine_session() {
  local run_dir=$1 reuse=${2:-}
  mkdir -p "$run_dir"
  if [ "$reuse" != reuse ] || [ ! -f "$run_dir/prefix/.ready" ]; then
    rm -rf "$run_dir/prefix"
    cp -a "$CACHE/wineprefix" "$run_dir/prefix"
  fi
  export WINEPREFIX="$run_dir/prefix"
  use_locale zh_CN 2>/dev/null
  trap 'stop_wineserver; stop_xvfb' EXIT
  if [ -z "${DISPLAY:-}" ] || [ -n "${OWN_XVFB:-}" ]; then start_xvfb || return 1; fi
  start_wineserver
  start_desktop_keeper "$run_dir"
  "$WINE" wineboot >/dev/null 2>&1 </dev/null || true
}
