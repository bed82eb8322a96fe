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

# Two pictures, then a stored file cut in the middle of its data.
mkdir cut && gif cut/one.gif && gif cut/two.gif && head -c 200000 /dev/urandom > cut/big.bin
(cd cut && rar a -m0 "$work/cut_whole.rar" one.gif two.gif big.bin)
head -c 120000 cut_whole.rar > cut.rar

# After a clean picture, a name Windows can't hold as given: a refused
# character (the RAR library would write it as "min_.gif"), a dot at the end,
# a device name, a folder ending in a blank. The archiver stores them as they
# are on Linux.
mkdir -p odd/q1 odd/dotted odd/device "odd/blank/sub "
gif odd/q1/ok1.gif && gif 'odd/q1/min?.gif'
(cd odd/q1 && rar a "$work/q1.rar" ok1.gif 'min?.gif')
gif odd/dotted/ok.gif && gif odd/dotted/b.gif.
(cd odd/dotted && rar a "$work/dotted.rar" ok.gif b.gif.)
gif odd/device/ok.gif && gif odd/device/con.gif
(cd odd/device && rar a "$work/device.rar" ok.gif con.gif)
gif odd/blank/ok.gif && gif "odd/blank/sub /x.gif"
(cd odd/blank && rar a -r "$work/blank.rar" ok.gif "sub ")

# Names encrypted with a password the window never has.
(cd cats && rar a -hpsecret "$work/encnames.rar" a.gif b.gif)

# A few kilobytes that unpack to 270 MiB (zeros from a pipe: nothing that big
# is ever written here).
head -c 270M /dev/zero | rar a -m1 -sibomb.gif "$work/bomb.rar"

cp cats.rar dogs.rar 表情包.rar big.rar truncated.rar cut.rar q1.rar dotted.rar device.rar blank.rar encnames.rar \
   bomb.rar "$out"/
