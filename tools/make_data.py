#!/usr/bin/env python3
"""Regenerates the committed text sources of Thumbs.mdb's BTZ rows under data/btz/.

Needs Debian's opencc (with libopencc-data's tables) and unicode-data. The build
itself never runs this: it reads the committed output.

  row 1  the simplified characters, then the lower-case Latin letters
  row 2  the traditional form at the same position, "*" where it is the same
  row 4  one line per row-1 character: comma-separated alternatives ("" keeps it)
  row 11 decoration characters
  rows 3 and 8 are present and empty: nothing reads them
Every character is in the Basic Multilingual Plane and representable in code page 936.
"""
import bz2
import os
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(ROOT, "data", "btz")
ST_DICT = "/usr/share/opencc/STCharacters.ocd2"
VARIANTS = "/usr/share/unicode/Unihan_Variants.txt.bz2"

# Look-alike letters for the Latin alphabet, from Greek, Cyrillic, full-width
# and symbol blocks that code page 936 carries.
LOOKALIKES = {
    "a": "α,а,ａ,@", "b": "β,ｂ,б", "c": "с,ｃ,С", "d": "ｄ,δ", "e": "е,ε,ｅ,ё",
    "f": "ｆ", "g": "ｇ", "h": "ｈ,н", "i": "ｉ,ι,1", "j": "ｊ", "k": "κ,к,ｋ",
    "l": "ｌ,1", "m": "м,ｍ", "n": "η,п,ｎ", "o": "о,ο,０,ｏ,θ", "p": "р,ρ,ｐ",
    "q": "ｑ", "r": "г,ｒ", "s": "ｓ,$", "t": "т,τ,ｔ", "u": "υ,ｕ,μ", "v": "ν,ｖ",
    "w": "ω,ｗ,ш", "x": "х,χ,ｘ,×", "y": "у,γ,ｙ", "z": "ｚ,2",
}
DECORATIONS = "★☆※◎○●◇◆□■△▲♀♂～＊＃＠§№"


def gbk_ok(ch):
    if len(ch) != 1 or ord(ch) > 0xFFFF:
        return False
    try:
        ch.encode("cp936")
        return True
    except UnicodeEncodeError:
        return False


def read_st_pairs():
    with tempfile.TemporaryDirectory() as tmp:
        txt = os.path.join(tmp, "st.txt")
        subprocess.run(["opencc_dict", "-i", ST_DICT, "-o", txt, "-f", "ocd2", "-t", "text"], check=True)
        pairs = {}
        with open(txt, encoding="utf-8") as f:
            for line in f:
                parts = line.rstrip("\n").split("\t")
                if len(parts) != 2:
                    continue
                simp, trad = parts[0], parts[1].split(" ")[0]
                if gbk_ok(simp) and gbk_ok(trad):
                    pairs[simp] = trad
        return pairs


def read_variants():
    kinds = ("kTraditionalVariant", "kSemanticVariant", "kZVariant", "kSpecializedSemanticVariant")
    out = {}
    with bz2.open(VARIANTS, "rt", encoding="utf-8") as f:
        for line in f:
            if line.startswith("#") or not line.strip():
                continue
            cp, kind, rest = line.rstrip("\n").split("\t")
            if kind not in kinds:
                continue
            src = chr(int(cp[2:], 16))
            for item in rest.split(" "):
                ch = chr(int(item.split("<")[0][2:], 16))
                if ch != src and gbk_ok(ch):
                    out.setdefault(src, [])
                    if ch not in out[src]:
                        out[src].append(ch)
    return out


def main():
    pairs = read_st_pairs()
    variants = read_variants()
    source = sorted(pairs)
    target = ["*" if pairs[s] == s else pairs[s] for s in source]
    mars = [",".join(variants.get(s, [])) for s in source]
    for letter in "abcdefghijklmnopqrstuvwxyz":
        source.append(letter)
        target.append("*")
        alts = [a for a in LOOKALIKES[letter].split(",") if gbk_ok(a)]
        mars.append(",".join(alts))
    assert all(gbk_ok(c) for c in DECORATIONS)
    os.makedirs(OUT, exist_ok=True)
    rows = {1: "".join(source), 2: "".join(target), 3: "", 4: "\n".join(mars), 8: "", 11: DECORATIONS}
    for rid, text in rows.items():
        with open(os.path.join(OUT, f"{rid}.txt"), "w", encoding="utf-8", newline="\n") as f:
            f.write(text)
    print(f"{len(source)} characters, {sum(1 for m in mars if m)} with alternatives", file=sys.stderr)


if __name__ == "__main__":
    main()
