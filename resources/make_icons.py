#!/usr/bin/env python3
"""Writes the program's two icon files: window.ico and tray.ico.

Each is one 32 x 32 image at 32 bits per pixel, stored the classic way: a bitmap header of
doubled height, the colour pixels bottom row first, then a one-bit mask. Every pixel is either
fully opaque or fully transparent, so the mask and the alpha channel always agree.

Usage: make_icons.py [output folder]   (default: the folder of this script)
"""

import os
import struct
import sys

SIZE = 32
TRANSPARENT = None
RED = (0xE0, 0x1B, 0x24)
DARK_RED = (0x9B, 0x0E, 0x16)
BLUE = (0x1C, 0x5F, 0xD8)
WHITE = (0xFF, 0xFF, 0xFF)

# A figure 8 in a 4 x 8 pixel font.
FIGURE_EIGHT = [
    ".##.",
    "#..#",
    "#..#",
    ".##.",
    "#..#",
    "#..#",
    "#..#",
    ".##.",
]


def blank():
    return [[TRANSPARENT] * SIZE for _ in range(SIZE)]


def inside_disc(x, y, cx, cy, radius):
    # Pixel centres lie at half steps, so a disc centred on a pixel corner stays symmetric.
    dx = x + 0.5 - cx
    dy = y + 0.5 - cy
    return dx * dx + dy * dy <= radius * radius


def paint_disc(picture, cx, cy, radius, colour):
    for y in range(SIZE):
        for x in range(SIZE):
            if inside_disc(x, y, cx, cy, radius):
                picture[y][x] = colour


def paint_glyph(picture, glyph, left, top, colour):
    for row, line in enumerate(glyph):
        for column, mark in enumerate(line):
            if mark == "#":
                picture[top + row][left + column] = colour


def window_picture():
    """One red lottery ball with a light spot, as the window's icon."""
    picture = blank()
    paint_disc(picture, 16, 16, 15, DARK_RED)
    paint_disc(picture, 16, 16, 13.5, RED)
    paint_disc(picture, 11, 10, 3, WHITE)
    return picture


def tray_picture():
    """Four balls in two rows of two: red ones with a blue 8 on the left, blue ones with a red
    8 on the right."""
    picture = blank()
    for row in range(2):
        for column in range(2):
            ball, figure = (RED, BLUE) if column == 0 else (BLUE, RED)
            left = column * 16
            top = row * 16
            paint_disc(picture, left + 8, top + 8, 7.5, ball)
            paint_glyph(picture, FIGURE_EIGHT, left + 6, top + 4, figure)
    return picture


def icon_file(picture):
    pixels = bytearray()
    mask = bytearray()
    for y in reversed(range(SIZE)):  # bottom row first
        mask_bits = 0
        for x in range(SIZE):
            colour = picture[y][x]
            if colour is TRANSPARENT:
                pixels += bytes((0, 0, 0, 0))
                mask_bits |= 1 << (SIZE - 1 - x)
            else:
                red, green, blue = colour
                pixels += bytes((blue, green, red, 0xFF))
        mask += struct.pack(">I", mask_bits)  # 32 pixels a row: already a whole 4-byte row

    info_header = struct.pack(
        "<IiiHHIIiiII",
        40,  # header size
        SIZE,  # width
        SIZE * 2,  # height: colour image and mask together
        1,  # planes
        32,  # bits per pixel
        0,  # no compression
        len(pixels) + len(mask),
        0,
        0,
        0,
        0,
    )
    image = info_header + bytes(pixels) + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1)
    offset = len(directory) + 16
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), offset)
    return directory + entry + image


def main(argv):
    folder = argv[1] if len(argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    for name, picture in (("window.ico", window_picture()), ("tray.ico", tray_picture())):
        data = icon_file(picture)
        assert len(data) == 4286, (name, len(data))
        with open(os.path.join(folder, name), "wb") as out:
            out.write(data)


if __name__ == "__main__":
    main(sys.argv)
