#!/usr/bin/env bash
# Makes the emoticon packs (RAR archives) the editor's import tests read,
# with the Linux rar archiver, into the folder given (the tests find it beside
# their exe). Usage: make_pack_fixtures.sh <out-dir>
set -euo pipefail
out=$1
here=$(cd "$(dirname "$0")" && pwd)
patch_header="$here/../pictures/patch_rar_header.py"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export LANG=C.UTF-8 LC_ALL=C.UTF-8
rar() { /usr/bin/rar "$@" -idq -y >/dev/null; }
mkdir -p "$out"
rm -f "$out"/*.rar
cd "$work"

# One folder holding the pictures, a file that is no picture and a sub-folder.
mkdir -p one/cute/sub
printf 'GIF89a cute a' > one/cute/a.gif
printf 'jpeg cute b' > one/cute/b.jpg
printf 'BM cute c' > one/cute/c.bmp
printf 'text d' > one/cute/d.txt
printf 'GIF89a deeper' > one/cute/sub/e.gif
(cd one && rar a -r "$work/cute.rar" cute)

# Pictures at the top level of the archive.
mkdir top
printf 'GIF89a top x' > top/x.gif
printf 'jpeg top y' > top/y.jpg
(cd top && rar a "$work/toplevel.rar" x.gif y.jpg)

# Two top-level folders.
mkdir -p two/alpha two/beta
printf 'GIF89a alpha' > two/alpha/1.gif
printf 'GIF89a beta' > two/beta/2.gif
(cd two && rar a -r "$work/two.rar" alpha beta)

# A hostile pack: beside a clean folder, entries whose names climb out of the
# destination or are absolute (stored under names of the same length, then
# renamed: the archiver refuses to store them), and a link pointing outside.
mkdir -p bad/pack
printf 'GIF89a good' > bad/pack/good.gif
printf 'escaped 1' > bad/zz_up.gif
printf 'escaped 2' > bad/zzzzzz2.gif
printf 'escaped 3' > bad/zzzzzzzzz3.gif
printf 'absolute' > bad/zabs.gif
ln -s ../../../outside.gif bad/pack/lnk.gif
(cd bad && rar a -ol "$work/bad0.rar" pack zz_up.gif zzzzzz2.gif zzzzzzzzz3.gif zabs.gif)
python3 "$patch_header" bad0.rar bad1.rar rename zz_up.gif ../up.gif
python3 "$patch_header" bad1.rar bad2.rar rename zzzzzz2.gif ../../2.gif
python3 "$patch_header" bad2.rar bad3.rar rename zzzzzzzzz3.gif ../../../3.gif
python3 "$patch_header" bad3.rar hostile.rar rename zabs.gif /abs.gif

# A folder holding no picture at all.
mkdir -p words/words
printf 'no pictures here' > words/words/readme.txt
(cd words && rar a -r "$work/nopics.rar" words)

printf 'this is not a RAR archive at all' > damaged.rar

# A few kilobytes that unpack to 270 MiB (zeros from a pipe: nothing that big
# is ever written here).
head -c 270M /dev/zero | rar a -m1 -sibig.gif "$work/bomb.rar"

cp cute.rar toplevel.rar two.rar hostile.rar nopics.rar damaged.rar bomb.rar "$out"/
