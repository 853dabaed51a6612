#!/usr/bin/env python3
"""Draws Titrix's icon, a flask with blue liquid, and writes it as a Windows
icon file with 16, 24, 32, 48 and 64 pixel images (32-bit, alpha).

    make_icon.py OUTPUT.ico
"""
import struct
import sys

SIZES = (16, 24, 32, 48, 64)
OUTLINE = (52, 58, 72)
GLASS = (226, 240, 248)
LIQUID = (36, 112, 214)


def half_width(y):
    """Half the flask's width at height y (0 top, 1 bottom), or None outside."""
    if 0.06 <= y < 0.12:
        return 0.15  # the rim
    if 0.12 <= y < 0.42:
        return 0.09  # the neck
    if 0.42 <= y <= 0.94:
        return 0.09 + (y - 0.42) / 0.52 * 0.33
    return None


def inside(x, y):
    w = half_width(y)
    return w is not None and abs(x - 0.5) <= w


def colour(x, y, edge):
    """The colour of point (x, y) and whether it is painted."""
    if not inside(x, y):
        return None
    near = [(edge, 0), (-edge, 0), (0, edge), (0, -edge), (edge, edge), (-edge, edge), (edge, -edge), (-edge, -edge)]
    if any(not inside(x + dx, y + dy) for dx, dy in near):
        return OUTLINE
    return LIQUID if y > 0.64 else GLASS


def image(size):
    """Rows of BGRA pixels, top row first, supersampled 4 x 4."""
    samples = 4
    edge = max(1.2 / size, 0.045)
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            total = [0, 0, 0]
            count = 0
            for sy in range(samples):
                for sx in range(samples):
                    c = colour((px + (sx + 0.5) / samples) / size, (py + (sy + 0.5) / samples) / size, edge)
                    if c:
                        count += 1
                        for i in range(3):
                            total[i] += c[i]
            if count:
                r, g, b = (t // count for t in total)
                row.append(bytes((b, g, r, 255 * count // (samples * samples))))
            else:
                row.append(bytes(4))
        rows.append(b"".join(row))
    return rows


def icon_entry(size):
    rows = image(size)
    pixels = b"".join(reversed(rows))  # bottom-up
    mask_row = ((size + 31) // 32) * 4
    mask = bytes(mask_row * size)  # transparency comes from alpha
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    return header + pixels + mask


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_icon.py OUTPUT.ico")
    images = [icon_entry(s) for s in SIZES]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(SIZES, images):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(images)
    with open(sys.argv[1], "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
