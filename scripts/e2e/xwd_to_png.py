#!/usr/bin/env python3
"""Converts an X window dump (xwd, ZPixmap, 24 or 32 bits per pixel) to PNG,
optionally cropped to a rectangle.

    xwd_to_png.py IN.xwd OUT.png [X Y WIDTH HEIGHT]
"""
import struct
import sys
import zlib


def read_xwd(data):
    fields = struct.unpack(">25I", data[:100])
    header_size, _version, pixmap_format, _depth, width, height = fields[:6]
    byte_order, bits_per_pixel, bytes_per_line = fields[7], fields[11], fields[12]
    red_mask, green_mask, blue_mask = fields[14:17]
    ncolors = fields[19]
    if pixmap_format != 2 or bits_per_pixel not in (24, 32):
        sys.exit("xwd_to_png: only ZPixmap dumps of 24 or 32 bits per pixel are read")
    offset = header_size + 12 * ncolors
    step = bits_per_pixel // 8
    order = "<" if byte_order == 0 else ">"

    def shift(mask):
        s = 0
        while mask and not mask & 1:
            mask >>= 1
            s += 1
        return s

    shifts = [shift(m) for m in (red_mask, green_mask, blue_mask)]
    rows = []
    for y in range(height):
        line = data[offset + y * bytes_per_line: offset + y * bytes_per_line + width * step]
        row = bytearray()
        for x in range(width):
            chunk = line[x * step: x * step + step]
            if step == 3:
                chunk += b"\0"
            (pixel,) = struct.unpack(order + "I", chunk)
            row += bytes(((pixel & m) >> s) & 0xFF for m, s in zip((red_mask, green_mask, blue_mask), shifts))
        rows.append(bytes(row))
    return width, height, rows


def write_png(path, width, height, rows):
    def chunk(kind, payload):
        return struct.pack(">I", len(payload)) + kind + payload + struct.pack(">I", zlib.crc32(kind + payload))

    raw = b"".join(b"\0" + row for row in rows)
    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


def main():
    if len(sys.argv) not in (3, 7):
        sys.exit("usage: xwd_to_png.py IN.xwd OUT.png [X Y WIDTH HEIGHT]")
    with open(sys.argv[1], "rb") as f:
        width, height, rows = read_xwd(f.read())
    if len(sys.argv) == 7:
        x, y, w, h = (int(v) for v in sys.argv[3:])
        x, y = max(0, x), max(0, y)
        w, h = min(w, width - x), min(h, height - y)
        rows = [row[3 * x: 3 * (x + w)] for row in rows[y: y + h]]
        width, height = w, h
    write_png(sys.argv[2], width, height, rows)


if __name__ == "__main__":
    main()
