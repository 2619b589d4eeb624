#!/usr/bin/env python3
"""Small seed files for the font reader fuzzer, cut from real fonts: each sfnt keeps
only the tables the readers look at, so mutations reach the naming table quickly."""
import os
import struct
import sys

KEEP = (b"head", b"name", b"OS/2", b"DSIG")


def reduced_sfnt(data):
    version, num = struct.unpack_from(">4sH", data, 0)
    tables = []
    for i in range(num):
        tag, _, off, length = struct.unpack_from(">4sIII", data, 12 + 16 * i)
        if tag in KEEP:
            tables.append((tag, data[off:off + length]))
    out = bytearray(struct.pack(">4sHHHH", version, len(tables), 0, 0, 0))
    pos = 12 + 16 * len(tables)
    body = bytearray()
    for tag, blob in tables:
        out += struct.pack(">4sIII", tag, 0, pos + len(body), len(blob))
        body += blob + b"\0" * (-len(blob) % 4)
    return bytes(out + body)


def collection(fonts):
    head = bytearray(b"ttcf" + struct.pack(">HHI", 1, 0, len(fonts)))
    pos = 12 + 4 * len(fonts)
    blobs = bytearray()
    for f in fonts:
        head += struct.pack(">I", pos + len(blobs))
        # Table offsets count from the start of the collection.
        num = struct.unpack_from(">H", f, 4)[0]
        g = bytearray(f)
        for i in range(num):
            off = struct.unpack_from(">I", g, 12 + 16 * i + 8)[0]
            struct.pack_into(">I", g, 12 + 16 * i + 8, off + pos + len(blobs))
        blobs += g
    return bytes(head + blobs)


def main(out_dir, files):
    os.makedirs(out_dir, exist_ok=True)
    reduced = []
    for path in files:
        if not os.path.isfile(path):
            continue
        with open(path, "rb") as f:
            data = f.read()
        name = os.path.basename(path)
        if data[:4] in (b"\0\1\0\0", b"OTTO", b"true"):
            r = reduced_sfnt(data)
            reduced.append(r)
            data = r
        else:
            data = data[:32768]  # the readable header of a Type 1 file, a whole .fon
        with open(os.path.join(out_dir, "seed-" + name), "wb") as f:
            f.write(data)
    if len(reduced) >= 2:
        with open(os.path.join(out_dir, "seed-collection.ttc"), "wb") as f:
            f.write(collection(reduced[:2]))


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2:])
