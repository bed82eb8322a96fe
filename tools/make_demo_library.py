#!/usr/bin/env python3
"""Draws a demo emoticon library of the project's own making with ImageMagick.

  make_demo_library.py DEST [--categories N] [--per-category M]

Without counts: "默认表情" with 60 pictures (enough for two pages of the paged
grid), "动物" with 12 and "手势" with 7, still (.png .jpg .bmp) and animated
(.gif). With counts: N categories of M pictures each (the first is "默认表情"),
for benchmarks. Files go to DEST/Face/<category>/.
"""
import argparse
import os
import subprocess
import sys

COLOURS = ["gold", "orange", "tomato", "hotpink", "orchid", "skyblue", "lightgreen", "khaki", "salmon", "turquoise"]
MOUTHS = ["smile", "frown", "flat", "open"]
EXTS = [".png", ".gif", ".jpg", ".bmp", ".gif", ".png"]


def face_args(size, colour, mouth, eye_dx=0):
    s = size
    r = s // 2 - 2
    c = s // 2
    ex = s * 3 // 10
    ey = s * 2 // 5
    er = max(1, s // 16)
    args = ["-fill", colour, "-stroke", "black", "-strokewidth", "1", "-draw", f"circle {c},{c} {c},{c - r}",
            "-fill", "black", "-draw", f"circle {ex + eye_dx},{ey} {ex + eye_dx},{ey + er}",
            "-draw", f"circle {s - ex + eye_dx},{ey} {s - ex + eye_dx},{ey + er}", "-fill", "none",
            "-strokewidth", str(max(1, s // 20))]
    mx0, mx1, my = s * 3 // 10, s * 7 // 10, s * 13 // 20
    if mouth == "smile":
        args += ["-draw", f"arc {mx0},{my - s // 8} {mx1},{my + s // 8} 20,160"]
    elif mouth == "frown":
        args += ["-draw", f"arc {mx0},{my} {mx1},{my + s // 4} 200,340"]
    elif mouth == "flat":
        args += ["-draw", f"line {mx0},{my + s // 16} {mx1},{my + s // 16}"]
    else:
        args += ["-fill", "darkred", "-draw", f"ellipse {c},{my + s // 16} {s // 8},{s // 12} 0,360"]
    return args


def draw(path, index):
    size = [24, 32, 40, 48, 60, 72, 96, 120][index % 8]
    colour = COLOURS[index % len(COLOURS)]
    mouth = MOUTHS[(index // 3) % len(MOUTHS)]
    ext = os.path.splitext(path)[1]
    if ext == ".gif" and index % 2 == 1:
        # Animated: the eyes look left and right, the face blinks its colour.
        frames = []
        for k, dx in enumerate((-size // 12, 0, size // 12, 0)):
            col = colour if k % 2 == 0 else COLOURS[(index + 3) % len(COLOURS)]
            frames += ["(", "-size", f"{size}x{size}", "xc:white"] + face_args(size, col, mouth, dx) + [")"]
        cmd = ["convert", "-delay", str(10 + 5 * (index % 4)), "-dispose", "background"] + frames + ["-loop", "0", path]
    else:
        background = "none" if ext in (".png", ".gif") else "white"
        cmd = ["convert", "-size", f"{size}x{size}", f"xc:{background}"] + face_args(size, colour, mouth)
        if ext == ".png":
            cmd += ["-depth", "8"]
        if ext == ".bmp":
            cmd += ["-type", "TrueColor", "BMP3:" + path]
        else:
            cmd += [path]
    subprocess.run(cmd, check=True)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("dest")
    ap.add_argument("--categories", type=int)
    ap.add_argument("--per-category", type=int)
    a = ap.parse_args()
    if a.categories:
        names = ["默认表情"] + [f"分类{i:02d}" for i in range(1, a.categories)]
        plan = [(n, a.per_category or 50) for n in names]
    else:
        plan = [("默认表情", 60), ("动物", 12), ("手势", 7)]
    total = 0
    for cat, count in plan:
        folder = os.path.join(a.dest, "Face", cat)
        os.makedirs(folder, exist_ok=True)
        for i in range(count):
            ext = EXTS[i % len(EXTS)]
            path = os.path.join(folder, f"{i + 1:03d}{ext}")
            if not os.path.exists(path):
                draw(path, i + 7 * len(cat))
            total += 1
    print(f"{total} pictures in {len(plan)} categories under {os.path.join(a.dest, 'Face')}", file=sys.stderr)


if __name__ == "__main__":
    main()
