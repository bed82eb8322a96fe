#!/usr/bin/env python3
"""Renames one entry of a RAR 5 archive in place and fixes its header checksum.

The rar archiver refuses to store names such as "../x"; archives that carry
them are what a hostile pack looks like, so the tests make one from a clean
archive. The new name must have the same length in bytes as the old one.
Usage: make_rar_entry_rename.py in.rar out.rar old_name new_name
"""
import binascii
import sys

SIGNATURE = b"Rar!\x1a\x07\x01\x00"
FILE_HEADER = 2


def read_vint(data, pos):
    value, shift = 0, 0
    while True:
        byte = data[pos]
        pos += 1
        value |= (byte & 0x7F) << shift
        shift += 7
        if not byte & 0x80:
            return value, pos


def rename(data, old, new):
    if len(old) != len(new):
        raise SystemExit("names must have the same length")
    if not data.startswith(SIGNATURE):
        raise SystemExit("not a RAR 5 archive")
    out = bytearray(data)
    pos = len(SIGNATURE)
    renamed = False
    while pos < len(data):
        size, body = read_vint(data, pos + 4)
        end = body + size
        kind, after = read_vint(data, body)
        flags, after = read_vint(data, after)
        data_size = 0
        if flags & 1:
            _, after = read_vint(data, after)
        if flags & 2:
            data_size, after = read_vint(data, after)
        if kind == FILE_HEADER:
            at = data.find(old, after, end)
            if at >= 0:
                out[at:at + len(new)] = new
                crc = binascii.crc32(bytes(out[pos + 4:end])) & 0xFFFFFFFF
                out[pos:pos + 4] = crc.to_bytes(4, "little")
                renamed = True
        pos = end + data_size
    if not renamed:
        raise SystemExit("entry not found")
    return bytes(out)


def main():
    src, dst, old, new = sys.argv[1:5]
    with open(src, "rb") as f:
        data = f.read()
    with open(dst, "wb") as f:
        f.write(rename(data, old.encode("utf-8"), new.encode("utf-8")))


if __name__ == "__main__":
    main()
