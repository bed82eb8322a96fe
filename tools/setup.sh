#!/usr/bin/env bash
# One-time (and idempotent) machine setup for building and testing on Debian 12.
# Installs the Debian packages the build and the tests need, builds the two
# third-party pieces we compile from Debian's own source packages (the SQLite
# amalgamation, unrar.dll for both Windows architectures) into .cache/, compiles
# the zh_CN locale for Wine and prepares a Wine prefix template.
# A second run only checks and takes seconds.
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
CACHE="$ROOT/.cache"
mkdir -p "$CACHE"
log() { printf '[setup] %s\n' "$*"; }

SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO="sudo"; fi

# wine64-preloader reserves the addresses Wine needs (the shared user data
# page among them) before anything else is mapped; without it, a process now
# and then finds one taken by a randomly placed mapping and ends at once,
# with exit code 1 and no output ("failed to map the shared user data").
PACKAGES=(
  cmake make g++ gcc tcl dpkg-dev locales sqlite3 python3
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  wine64 wine64-preloader xvfb xauth x11-utils imagemagick xdotool fonts-wqy-microhei
  rar googletest clang libclang-rt-14-dev libgif-dev
)

# --- apt sources: non-free binaries and source packages -------------------
# From the mirror the machine's apt already uses, and no other.
. "$ROOT/tools/apt_mirror.sh"
CODENAME=bookworm
APT_LIST=/etc/apt/sources.list
APT_LIST_DIR=/etc/apt/sources.list.d
SRC_FILE=$APT_LIST_DIR/project-extra.sources
if [ ! -f "$SRC_FILE" ]; then
  if ! MIRROR=$(debian_mirror "$APT_LIST" "$APT_LIST_DIR" "$CODENAME" "$SRC_FILE"); then
    missing_mirror_message "$APT_LIST" "$APT_LIST_DIR" "$CODENAME" >&2
    exit 1
  fi
  log "adding non-free and deb-src entries for $MIRROR"
  $SUDO tee "$SRC_FILE" >/dev/null <<SRC
Types: deb
URIs: $MIRROR
Suites: $CODENAME
Components: non-free
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: $MIRROR
Suites: $CODENAME
Components: main non-free
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  rm -f "$CACHE/.apt-updated"
fi

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ] || [ ! -f "$CACHE/.apt-updated" ]; then
  log "apt-get update"
  $SUDO apt-get update -qq
  touch "$CACHE/.apt-updated"
fi
if [ ${#missing[@]} -gt 0 ]; then
  log "installing: ${missing[*]}"
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

JOBS=$(nproc)

# --- SQLite amalgamation ----------------------------------------------------
if [ ! -f "$CACHE/sqlite/sqlite3.c" ]; then
  log "building the SQLite amalgamation from Debian's sqlite3 source"
  rm -rf "$CACHE/sqlite-src" && mkdir -p "$CACHE/sqlite-src" "$CACHE/sqlite"
  (cd "$CACHE/sqlite-src" && apt-get source -qq sqlite3 >/dev/null 2>&1)
  SRCDIR=$(find "$CACHE/sqlite-src" -maxdepth 1 -mindepth 1 -type d -name 'sqlite3-*' | head -1)
  mkdir -p "$SRCDIR/bld"
  (cd "$SRCDIR/bld" && ../configure --quiet >/dev/null && make -s -j"$JOBS" sqlite3.c >/dev/null)
  cp "$SRCDIR/bld/sqlite3.c" "$SRCDIR/bld/sqlite3.h" "$CACHE/sqlite/"
  rm -rf "$CACHE/sqlite-src"
fi

# --- unrar.dll for both Windows architectures --------------------------------
build_unrar() { # $1 = mingw triplet, $2 = output folder
  local triplet=$1 out=$2 src=$3
  local obj="$out/obj"
  rm -rf "$out" && mkdir -p "$obj" "$out/inc"
  # mingw's headers are lower-case; the library includes them in mixed case.
  ln -sf "/usr/share/mingw-w64/include/powrprof.h" "$out/inc/PowrProf.h"
  ln -sf "/usr/share/mingw-w64/include/wbemidl.h" "$out/inc/Wbemidl.h"
  # mingw ships no comsupp library: this is the one function the library uses from it.
  cat > "$out/comsupp.cpp" <<'CPP'
#include <windows.h>
#include <oleauto.h>
namespace _com_util {
BSTR __stdcall ConvertStringToBSTR(const char* s) {
  if (!s) return nullptr;
  int n = MultiByteToWideChar(CP_ACP, 0, s, -1, nullptr, 0);
  if (n <= 0) return nullptr;
  BSTR b = SysAllocStringLen(nullptr, static_cast<UINT>(n - 1));
  if (b) MultiByteToWideChar(CP_ACP, 0, s, -1, b, n);
  return b;
}
}
CPP
  local objs
  objs=$(make -s -C "$src" -f makefile --eval 'print-objs: ; @echo $(OBJECTS)' print-objs)
  objs="$objs filestr.o scantree.o dll.o qopen.o isnt.o"
  local cxx="$triplet-g++-posix"
  local list=()
  for o in $objs; do
    local s="${o%.o}.cpp"
    [ -f "$src/$s" ] || continue
    list+=("$s")
  done
  printf '%s\n' "${list[@]}" | xargs -P "$JOBS" -I{} sh -c \
    "$cxx -O2 -w -std=c++11 -DRARDLL -DUNRAR -DSILENT -D_WIN_ALL -I'$out/inc' -c '$src/{}' -o '$obj/\$(basename {} .cpp).o'"
  $cxx -O2 -w -c "$out/comsupp.cpp" -o "$obj/comsupp.o"
  $cxx -shared -o "$out/unrar.dll" "$obj"/*.o "$src/dll.def" -static \
    -lpowrprof -lole32 -loleaut32 -lwbemuuid -lshlwapi -lcrypt32
  rm -rf "$obj" "$out/comsupp.cpp"
}
if [ ! -f "$CACHE/unrar/x64/unrar.dll" ] || [ ! -f "$CACHE/unrar/x86/unrar.dll" ] || [ ! -f "$CACHE/unrar/include/dll.hpp" ]; then
  log "building unrar.dll from Debian's unrar-nonfree source (x64 and x86)"
  rm -rf "$CACHE/unrar-src" && mkdir -p "$CACHE/unrar-src" "$CACHE/unrar/include"
  (cd "$CACHE/unrar-src" && apt-get source -qq unrar-nonfree >/dev/null 2>&1)
  USRC=$(find "$CACHE/unrar-src" -maxdepth 1 -mindepth 1 -type d -name 'unrar-nonfree-*' | head -1)
  build_unrar x86_64-w64-mingw32 "$CACHE/unrar/x64" "$USRC"
  build_unrar i686-w64-mingw32 "$CACHE/unrar/x86" "$USRC"
  cp "$USRC/dll.hpp" "$CACHE/unrar/include/dll.hpp"
  rm -rf "$CACHE/unrar-src"
fi

# --- locales for Wine: zh_CN (code page 936) and en_US (code page 1252) ------
for loc in zh_CN en_US; do
  if [ ! -d "$CACHE/locale/$loc.UTF-8" ]; then
    log "compiling locale $loc.UTF-8"
    mkdir -p "$CACHE/locale"
    localedef -i "$loc" -f UTF-8 "$CACHE/locale/$loc.UTF-8" >/dev/null 2>&1 || \
      [ -d "$CACHE/locale/$loc.UTF-8" ]
  fi
done

# --- Wine prefix template ----------------------------------------------------
if [ ! -f "$CACHE/wineprefix/.ready" ]; then
  log "preparing the Wine prefix template"
  "$ROOT/tools/make_wineprefix.sh" "$CACHE/wineprefix"
fi
log "ready"
