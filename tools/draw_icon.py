#!/usr/bin/env python3
"""Draws the runtime executable's icon, a laboratory flask half filled with a
solution, at 16, 32 and 48 pixels and writes it as a Windows .ico file
(32-bit colour with an alpha channel, and the AND mask older systems read).

    python3 tools/draw_icon.py runtime/program/quillon.ico

Standard library only; the output depends on nothing but this script.
"""

import math
import struct
import sys

SIZES = (16, 32, 48)
SAMPLES = 4  # per pixel and axis

# The flask in a unit square, y downwards: a rim, a neck, a conical body
# with cut corners, a flat base.
OUTLINE = [
    (0.34, 0.04), (0.66, 0.04), (0.66, 0.12), (0.61, 0.12), (0.61, 0.38),
    (0.90, 0.80), (0.90, 0.88), (0.84, 0.94), (0.16, 0.94), (0.10, 0.88),
    (0.10, 0.80), (0.39, 0.38), (0.39, 0.12), (0.34, 0.12),
]
LIQUID_LEVEL = 0.60
BUBBLES = [(0.42, 0.78, 0.045), (0.58, 0.70, 0.035), (0.52, 0.86, 0.03)]

GLASS_EDGE = (40, 58, 74, 255)
GLASS = (214, 236, 246, 150)
LIQUID = (34, 170, 150, 255)
LIQUID_TOP = (120, 220, 200, 255)
BUBBLE = (200, 250, 240, 255)
HIGHLIGHT = (255, 255, 255, 200)


def inside(polygon, x, y):
    crossings = False
    for (x1, y1), (x2, y2) in zip(polygon, polygon[1:] + polygon[:1]):
        if (y1 > y) != (y2 > y) and x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
            crossings = not crossings
    return crossings


def distance_to_edges(polygon, x, y):
    best = math.inf
    for (x1, y1), (x2, y2) in zip(polygon, polygon[1:] + polygon[:1]):
        dx, dy = x2 - x1, y2 - y1
        t = max(0.0, min(1.0, ((x - x1) * dx + (y - y1) * dy) / (dx * dx + dy * dy)))
        best = min(best, math.hypot(x - (x1 + t * dx), y - (y1 + t * dy)))
    return best


def body_half_width(y):
    """Half the inner width of the body at height y (0 above the body)."""
    if y < 0.38:
        return 0.11
    return 0.11 + (min(y, 0.80) - 0.38) / (0.80 - 0.38) * 0.40


def colour_at(x, y, stroke):
    """The colour (r, g, b, a) of one sample."""
    if not inside(OUTLINE, x, y):
        return (0, 0, 0, 0)
    if distance_to_edges(OUTLINE, x, y) < stroke:
        return GLASS_EDGE
    if y >= LIQUID_LEVEL:
        for bx, by, r in BUBBLES:
            if math.hypot(x - bx, y - by) < r:
                return BUBBLE
        if y < LIQUID_LEVEL + stroke:
            return LIQUID_TOP
        return LIQUID
    # A reflection along the left wall of the glass above the solution.
    if 0.16 < y < LIQUID_LEVEL - 0.04 and 0.5 - body_half_width(y) + stroke < x < 0.5 - body_half_width(y) + 2.2 * stroke:
        return HIGHLIGHT
    return GLASS


def render(size):
    """Rows of (r, g, b, a), top row first."""
    stroke = max(1.0, size / 16) / size
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    r, g, b, a = colour_at((px + (sx + 0.5) / SAMPLES) / size, (py + (sy + 0.5) / SAMPLES) / size,
                                           stroke)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            n = SAMPLES * SAMPLES
            alpha = acc[3] / n
            if alpha < 1:
                row.append((0, 0, 0, 0))
            else:
                row.append(tuple(round(c / acc[3]) for c in acc[:3]) + (round(alpha),))
        rows.append(row)
    return rows


def icon_image(size):
    """BITMAPINFOHEADER, the colour rows and the AND mask, bottom row first."""
    rows = render(size)
    mask_stride = ((size + 31) // 32) * 4
    colour = bytearray()
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, (r, g, b, a) in enumerate(row):
            colour += bytes((b, g, r, a))
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(colour) + len(mask), 0, 0, 0, 0)
    return header + bytes(colour) + bytes(mask)


def icon_file():
    images = [icon_image(size) for size in SIZES]
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, image in zip(SIZES, images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    for image in images:
        out += image
    return bytes(out)


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: draw_icon.py OUTPUT.ico")
    with open(sys.argv[1], "wb") as f:
        f.write(icon_file())


if __name__ == "__main__":
    main()
