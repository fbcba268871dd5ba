#!/usr/bin/python3
"""Draws the program icon, a total station on its tripod, into
resources/tervan.png (64 x 64, 4 x 4 supersampled) and resources/tervan.ico
(16 to 64 pixels, for the Windows program). Standard library only."""
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


def render(size):
    """Rows of RGBA pixels of the icon drawn size x size, top row first."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(SS):
                for sx in range(SS):
                    c = colour((px + (sx + 0.5) / SS) * 64 / size, (py + (sy + 0.5) / SS) * 64 / size)
                    if c:
                        acc[0] += c[0]; acc[1] += c[1]; acc[2] += c[2]; acc[3] += 1
            n = acc[3]
            row.append((acc[0] // n, acc[1] // n, acc[2] // n, 255 * n // (SS * SS)) if n else (0, 0, 0, 0))
        rows.append(row)
    return rows


def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def png_bytes(rows):
    size = len(rows)
    raw = b"".join(b"\0" + bytes(v for p in row for v in p) for row in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def dib_bytes(rows):
    """An icon image as Windows keeps it: a 32-bit BGRA bitmap, bottom row
    first, of twice the height, then the 1-bit mask (all 0: the alpha rules)."""
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask_row = ((size + 31) // 32) * 4
    return header + pixels + bytes(mask_row * size)


with open("resources/tervan.png", "wb") as f:
    f.write(png_bytes(render(SIZE)))

# The Windows program's icon (resource 128): the sizes the window's title
# bar, the task bar and Explorer ask for.
images = [(size, dib_bytes(render(size))) for size in (16, 24, 32, 48, 64)]
ico = struct.pack("<HHH", 0, 1, len(images))
offset = 6 + 16 * len(images)
for size, data in images:
    ico += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
    offset += len(data)
with open("resources/tervan.ico", "wb") as f:
    f.write(ico + b"".join(data for _, data in images))
