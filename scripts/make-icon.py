#!/usr/bin/python3
"""Draws the program icon, a total station on its tripod, into
resources/tervan.png (64 x 64, 4 x 4 supersampled). Standard library only."""
import math
import struct
import zlib

SIZE, SS = 64, 4
N = SIZE * SS


def inside_round_rect(x, y, x0, y0, x1, y1, r):
    cx = min(max(x, x0 + r), x1 - r)
    cy = min(max(y, y0 + r), y1 - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r and x0 <= x <= x1 and y0 <= y <= y1


def near_segment(x, y, ax, ay, bx, by, w):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(x - ax - t * dx, y - ay - t * dy) <= w


def colour(x, y):
    """Colour of a point in icon units (0..64), or None outside."""
    if not inside_round_rect(x, y, 2, 2, 62, 62, 10):
        return None
    c = (30, 70, 140)
    for bx in (14, 32, 50):  # tripod legs
        if near_segment(x, y, 32, 36, bx, 58, 2.2):
            c = (235, 190, 60)
    if inside_round_rect(x, y, 20, 30, 44, 37, 2):  # tribrach
        c = (200, 200, 210)
    if inside_round_rect(x, y, 22, 10, 42, 30, 4):  # instrument body
        c = (245, 245, 245)
    if math.hypot(x - 32, y - 20) <= 6:  # telescope objective
        c = (40, 40, 50)
    if math.hypot(x - 32, y - 20) <= 2.5:
        c = (210, 40, 40)
    return c


rows = []
for py in range(SIZE):
    row = bytearray([0])
    for px in range(SIZE):
        acc = [0, 0, 0, 0]
        for sy in range(SS):
            for sx in range(SS):
                c = colour(px + (sx + 0.5) / SS, py + (sy + 0.5) / SS)
                if c:
                    acc[0] += c[0]; acc[1] += c[1]; acc[2] += c[2]; acc[3] += 1
        n = acc[3]
        if n:
            row += bytes([acc[0] // n, acc[1] // n, acc[2] // n, 255 * n // (SS * SS)])
        else:
            row += bytes(4)
    rows.append(bytes(row))


def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0))
png += chunk(b"IDAT", zlib.compress(b"".join(rows), 9)) + chunk(b"IEND", b"")
with open("resources/tervan.png", "wb") as f:
    f.write(png)
