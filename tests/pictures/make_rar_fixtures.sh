#!/usr/bin/env bash
# Makes the RAR archives the extraction tests read, with the Linux rar
# archiver, into the folder given (the tests find it beside their exe).
# Usage: make_rar_fixtures.sh <out-dir>
set -euo pipefail
out=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# UTF-8 so that Chinese names are stored as Unicode.
export LANG=C.UTF-8 LC_ALL=C.UTF-8
rar() { /usr/bin/rar "$@" -idq -y >/dev/null; }
mkdir -p "$out"
rm -f "$out"/*.rar "$out"/*.RAR

cd "$work"
mkdir plain && printf 'GIF89a plain a' > plain/a.gif && printf 'text b' > plain/b.txt
(cd plain && rar a "$work/plain.rar" a.gif b.txt)

mkdir chinese && mkdir chinese/表情 && printf 'GIF89a smile' > chinese/表情/笑脸.gif
(cd chinese && rar a "$work/chinese.rar" 表情)

mkdir -p nested/d1/d2 && printf 'deep' > nested/d1/d2/deep.gif && printf 'top' > nested/d1/top.gif
(cd nested && rar a -r "$work/nested.rar" d1)

(cd plain && rar a -hpsecret "$work/encnames.rar" a.gif)
(cd plain && rar a -psecret "$work/password.rar" a.gif)
(cd plain && rar a -p密码 "$work/chinese_password.rar" a.gif)

# A stored (uncompressed) archive cut in the middle of its data.
mkdir big && head -c 65536 /dev/urandom > big/big.bin
(cd big && rar a -m0 "$work/big.rar" big.bin)
head -c 30000 big.rar > truncated.rar

printf 'this is not a RAR archive at all' > notrar.rar
cp plain.rar UPPER.RAR

# "../x" cannot be stored by the archiver: store "zz_x" and rename it. The
# clean entry before it must not stay.
mkdir trav && printf 'escaped' > trav/zz_x && printf 'inside' > trav/ok.txt
(cd trav && rar a "$work/trav_src.rar" ok.txt zz_x)
python3 "$here/patch_rar_header.py" trav_src.rar traversal.rar rename zz_x ../x

# A small file, then one that says its size is unknown and unpacks to
# 270 MiB (zeros from a pipe: nothing that big is ever written here).
(cd plain && rar a "$work/hidden_src.rar" a.gif)
head -c 270M /dev/zero | rar a -m1 -qo- -sizeros.gif "$work/hidden_src.rar"
python3 "$here/patch_rar_header.py" hidden_src.rar hidden_size.rar unknown-size zeros.gif

# A symbolic link entry (pointing out of any destination) beside a plain file.
mkdir link && ln -s ../../outside.txt link/lnk && printf 'file' > link/f.txt
(cd link && rar a -ol "$work/link.rar" lnk f.txt)

cp plain.rar chinese.rar nested.rar encnames.rar password.rar chinese_password.rar truncated.rar notrar.rar UPPER.RAR \
   traversal.rar link.rar hidden_size.rar "$out"/
