#!/usr/bin/env python3
"""Packs the five development files of an image into an appended block
(each section a u32 little-endian length and its bytes), as a fuzz seed."""
import struct
import sys

folder, out = sys.argv[1], sys.argv[2]
with open(out, "wb") as block:
    for name in ("code", "data", "import", "rsrc", "options"):
        try:
            with open(f"{folder}/{name}.dat", "rb") as f:
                section = f.read()
        except FileNotFoundError:
            section = b""
        block.write(struct.pack("<I", len(section)) + section)
