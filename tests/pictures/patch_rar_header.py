#!/usr/bin/env python3
"""Changes one file entry of a RAR 5 archive and fixes its header checksum.

The rar archiver refuses to make the archives a hostile pack is made of, so
the tests make them from clean ones:
  rename       the entry gets a name such as "../x" (the new name must have
               the same length in bytes as the old one);
  unknown-size the entry's header says its unpacked size is unknown, so the
               library unpacks it to the end of its data, whatever that holds.
The archive must carry no quick-open record (rar -qo-): the library would read
the entry's header from that copy instead.
Usage: patch_rar_header.py in.rar out.rar rename old_name new_name
       patch_rar_header.py in.rar out.rar unknown-size name
"""
import binascii
import sys

SIGNATURE = b"Rar!\x1a\x07\x01\x00"
FILE_HEADER = 2
UNPACKED_SIZE_UNKNOWN = 0x08


def read_vint(data, pos):
    value, shift = 0, 0
    while True:
        byte = data[pos]
        pos += 1
        value |= (byte & 0x7F) << shift
        shift += 7
        if not byte & 0x80:
            return value, pos


def patch(data, name, change):
    """Calls change(out, header_start, file_fields_start, header_end) for the
    file header holding name, then fixes that header's checksum."""
    if not data.startswith(SIGNATURE):
        raise SystemExit("not a RAR 5 archive")
    out = bytearray(data)
    pos = len(SIGNATURE)
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
        if kind == FILE_HEADER and data.find(name, after, end) >= 0:
            change(out, after, end)
            crc = binascii.crc32(bytes(out[pos + 4:end])) & 0xFFFFFFFF
            out[pos:pos + 4] = crc.to_bytes(4, "little")
            return bytes(out)
        pos = end + data_size
    raise SystemExit("entry not found")


def rename(data, old, new):
    if len(old) != len(new):
        raise SystemExit("names must have the same length")

    def change(out, fields, end):
        at = data.find(old, fields, end)
        out[at:at + len(new)] = new
    return patch(data, old, change)


def unknown_size(data, name):
    def change(out, fields, end):
        # The file flags are the first field; a one-byte number keeps its length.
        if out[fields] & 0x80:
            raise SystemExit("file flags longer than one byte")
        out[fields] |= UNPACKED_SIZE_UNKNOWN
    return patch(data, name, change)


def main():
    src, dst, command = sys.argv[1:4]
    with open(src, "rb") as f:
        data = f.read()
    if command == "rename":
        result = rename(data, sys.argv[4].encode("utf-8"), sys.argv[5].encode("utf-8"))
    elif command == "unknown-size":
        result = unknown_size(data, sys.argv[4].encode("utf-8"))
    else:
        raise SystemExit("unknown command " + command)
    with open(dst, "wb") as f:
        f.write(result)


if __name__ == "__main__":
    main()
