#!/usr/bin/env python3
"""Turns the program's window icon into the PNG files that desktops look up by theme.

Usage: ico_to_png.py <icon.ico> <out.png> <size>

Reads the one 32-bit image of the icon file (a bitmap header of doubled height, pixels bottom
row first, then the one-bit mask) and writes it as an RGBA PNG of size x size, scaled by whole
pixels so the small picture stays crisp. Only the Python standard library is used.
"""

import struct
import sys
import zlib


def read_icon(data):
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    if reserved != 0 or kind != 1 or count < 1:
        raise ValueError("not an icon file")
    _w, _h, _colours, _r, _planes, bits, size, offset = struct.unpack_from("<BBBBHHII", data, 6)
    if offset + size > len(data):
        raise ValueError("icon image runs past the end of the file")
    header_size, width, doubled_height, _planes, bits = struct.unpack_from("<IiiHH", data, offset)
    height = doubled_height // 2
    if bits != 32 or width <= 0 or height <= 0:
        raise ValueError(f"expected a 32-bit image, found {bits} bits {width}x{height}")
    pixels = offset + header_size
    mask = pixels + width * height * 4
    mask_stride = (width + 31) // 32 * 4
    if mask + mask_stride * height > len(data):
        raise ValueError("icon image runs past the end of the file")
    alpha_used = any(data[pixels + i * 4 + 3] for i in range(width * height))
    rows = []
    for y in range(height):
        source_row = height - 1 - y  # stored bottom row first
        row = bytearray()
        for x in range(width):
            b, g, r, a = data[pixels + (source_row * width + x) * 4:][:4]
            if not alpha_used:
                masked = data[mask + source_row * mask_stride + x // 8] & (0x80 >> (x % 8))
                a = 0 if masked else 255
            row += bytes((r, g, b, a))
        rows.append(bytes(row))
    return width, height, rows


def scaled(width, height, rows, size):
    if size % width or size % height:
        raise ValueError(f"{size} is not a whole multiple of {width}x{height}")
    factor_x, factor_y = size // width, size // height
    out = []
    for row in rows:
        wide = b"".join(row[x * 4:x * 4 + 4] * factor_x for x in range(width))
        out.extend([wide] * factor_y)
    return out


def png_bytes(size, rows):
    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

    raw = b"".join(b"\x00" + row for row in rows)
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main(argv):
    if len(argv) != 4:
        print(__doc__, file=sys.stderr)
        return 2
    with open(argv[1], "rb") as f:
        width, height, rows = read_icon(f.read())
    size = int(argv[3])
    with open(argv[2], "wb") as f:
        f.write(png_bytes(size, scaled(width, height, rows, size)))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
