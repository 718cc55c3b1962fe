#!/usr/bin/env python3
"""Writes pane_icon.ico, the 32x32 two-colour class icon of the pane windows:
three vertex boxes, one linked to the two others, on a transparent ground.
The icon is checked in; run this again only to change the picture."""
import struct
import sys

SIZE = 32


def picture():
    """Pixel map: None transparent, 0 black, 1 white."""
    px = [[None] * SIZE for _ in range(SIZE)]

    def box(left, top, right, bottom):
        for y in range(top, bottom + 1):
            for x in range(left, right + 1):
                edge = x in (left, right) or y in (top, bottom)
                px[y][x] = 0 if edge else 1

    def line(x0, y0, x1, y1):
        steps = max(abs(x1 - x0), abs(y1 - y0))
        for i in range(steps + 1):
            x = x0 + round(i * (x1 - x0) / steps)
            y = y0 + round(i * (y1 - y0) / steps)
            px[y][x] = 0

    box(1, 11, 10, 20)
    box(21, 2, 30, 11)
    box(21, 20, 30, 29)
    line(10, 15, 21, 6)
    line(10, 16, 21, 25)
    return px


def rows(px, bit):
    """Bottom-up rows of 1-bit pixels, four bytes each."""
    out = b""
    for y in reversed(range(SIZE)):
        value = 0
        for x in range(SIZE):
            value = (value << 1) | bit(px[y][x])
        out += struct.pack(">I", value)
    return out


def main(path):
    px = picture()
    xor = rows(px, lambda p: 1 if p == 1 else 0)
    mask = rows(px, lambda p: 1 if p is None else 0)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 1, 0,
                         len(xor) + len(mask), 0, 0, 2, 0)
    palette = bytes([0, 0, 0, 0, 255, 255, 255, 0])
    image = header + palette + xor + mask
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack(
        "<BBBBHHII", SIZE, SIZE, 2, 0, 1, 1, len(image), 6 + 16)
    with open(path, "wb") as f:
        f.write(directory + image)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "pane_icon.ico")
