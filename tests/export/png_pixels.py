#!/usr/bin/env python3
"""Counts pixels of a PNG screenshot (8-bit RGB or RGBA, not interlaced).

usage: png_pixels.py FILE R,G,B ...
prints: width height, the number of pixels that are not white, then for each
colour given the number of pixels within 8 of it in every channel.
"""
import struct
import sys
import zlib


def read_png(path):
    data = open(path, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        sys.exit("not a PNG file")
    pos, idat, header = 8, b"", None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour not in (2, 6) or interlace:
        sys.exit("unsupported PNG layout")
    bpp = 3 if colour == 2 else 4
    raw = zlib.decompress(idat)
    stride = width * bpp
    rows, prev = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind, line = raw[start], bytearray(raw[start + 1:start + 1 + stride])
        for i in range(stride):
            a = line[i - bpp] if i >= bpp else 0
            b = prev[i]
            c = prev[i - bpp] if i >= bpp else 0
            if kind == 1:
                line[i] = (line[i] + a) & 255
            elif kind == 2:
                line[i] = (line[i] + b) & 255
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(line)
        prev = line
    return width, height, bpp, rows


def main():
    width, height, bpp, rows = read_png(sys.argv[1])
    colours = [tuple(int(v) for v in arg.split(",")) for arg in sys.argv[2:]]
    counts = [0] * len(colours)
    not_white = 0
    for line in rows:
        for x in range(0, width * bpp, bpp):
            px = (line[x], line[x + 1], line[x + 2])
            if px != (255, 255, 255):
                not_white += 1
            for k, c in enumerate(colours):
                if all(abs(px[j] - c[j]) <= 8 for j in range(3)):
                    counts[k] += 1
    print(width, height, not_white, *counts)


main()
