#!/usr/bin/env bash
# Makes the emoticon packs the pack-window tests serve, with the Linux rar
# archiver, into the folder given (the tests find it beside their exe).
# Usage: make_pack_fixtures.sh <out-dir>
set -euo pipefail
out=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# UTF-8 so that Chinese names are stored as Unicode.
export LANG=C.UTF-8 LC_ALL=C.UTF-8
rar() { /usr/bin/rar "$@" -idq -y >/dev/null; }
mkdir -p "$out"
rm -f "$out"/*.rar "$out"/*.bin

# A 1 x 1 GIF picture.
gif() { printf 'GIF89a\001\000\001\000\200\000\000\377\000\000\000\000\000,\000\000\000\000\001\000\001\000\000\002\002D\001\000;' > "$1"; }

cd "$work"
mkdir cats && gif cats/a.gif && gif cats/b.gif
(cd cats && rar a "$work/cats.rar" a.gif b.gif)
mkdir dogs && gif dogs/wag.gif
(cd dogs && rar a "$work/dogs.rar" wag.gif)
mkdir chinese && gif chinese/笑脸.gif
(cd chinese && rar a "$work/表情包.rar" 笑脸.gif)

# Stored (uncompressed), so cutting it leaves a valid start and a broken body.
mkdir big && head -c 200000 /dev/urandom > big/big.bin && gif big/first.gif
(cd big && rar a -m0 "$work/big.rar" first.gif big.bin)
head -c 120000 big.rar > truncated.rar

# Names encrypted with a password the window never has.
(cd cats && rar a -hpsecret "$work/encnames.rar" a.gif b.gif)

# A few kilobytes that unpack to 270 MiB (zeros from a pipe: nothing that big
# is ever written here).
head -c 270M /dev/zero | rar a -m1 -sibomb.gif "$work/bomb.rar"

cp cats.rar dogs.rar 表情包.rar big.rar truncated.rar encnames.rar bomb.rar "$out"/
