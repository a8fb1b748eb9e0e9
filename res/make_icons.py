#!/usr/bin/env python3
"""Draws the library's icons and writes them as 32-bit .ico files.

101.ico  16x16           the plug-in: an information speech bubble
103.ico  16x16, 32x32    warning: black exclamation mark on a yellow triangle
104.ico  16, 32, 48      error: white cross on a red disc
105.ico  16, 32, 48      information: white "i" on a blue disc

The stand-in host's own icons (16x16), named by their host icon identifier
for network 0 (0x40000000 + status x 16; the host shows them for every
network), and the host's message icon:

40000400.ico  available    green disc
40000220.ico  busy         red disc with a white bar
40000410.ico  away         amber disc with clock hands
40000420.ico  invisible    grey ring, hollow
40000000.ico  offline      grey disc
40000F10.ico  connecting   blue ring with a gap and a leading dot
50000010.ico  message      envelope

Shapes are described in unit coordinates (0..1, y downwards) and sampled
4 x 4 times per pixel for smooth edges. Pure Python, no imaging library.
Run from any folder: python3 res/make_icons.py [OUTPUT_FOLDER]
(the library's icons go beside this script and the host's into host/icons
unless a folder is given; then the host's go into OUTPUT_FOLDER/host).
"""
import math
import os
import sys
import struct

SAMPLES = 4


def inside_disc(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def inside_rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def inside_round_rect(x0, y0, x1, y1, r):
    def test(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return test


def inside_polygon(points):
    def test(x, y):
        hit = False
        n = len(points)
        for i in range(n):
            ax, ay = points[i]
            bx, by = points[(i + 1) % n]
            if (ay > y) != (by > y):
                if x < ax + (y - ay) * (bx - ax) / (by - ay):
                    hit = not hit
        return hit
    return test


def inside_segment(ax, ay, bx, by, half_width):
    def test(x, y):
        dx, dy = bx - ax, by - ay
        t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
        px, py = ax + t * dx, ay + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= half_width ** 2
    return test


def union(*tests):
    return lambda x, y: any(t(x, y) for t in tests)


def render(size, layers):
    """layers: list of (test, (r, g, b)) painted in order; returns rows of (r, g, b, a)."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]  # premultiplied
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = (px + (sx + 0.5) / SAMPLES) / size
                    y = (py + (sy + 0.5) / SAMPLES) / size
                    colour = None
                    for test, rgb in layers:
                        if test(x, y):
                            colour = rgb
                    if colour:
                        acc[0] += colour[0]
                        acc[1] += colour[1]
                        acc[2] += colour[2]
                        acc[3] += 1
            n = SAMPLES * SAMPLES
            a = acc[3] / n
            if acc[3]:
                r, g, b = (round(acc[i] / acc[3]) for i in range(3))
            else:
                r = g = b = 0
            row.append((r, g, b, round(a * 255)))
        rows.append(row)
    return rows


def icon_image(rows):
    """One .ico image: BITMAPINFOHEADER, BGRA rows bottom-up, then the AND mask."""
    size = len(rows)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b''.join(struct.pack('<BBBB', b, g, r, a) for row in reversed(rows) for (r, g, b, a) in row)
    mask_stride = ((size + 31) // 32) * 4
    mask = b''
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    return header + pixels + mask


def write_ico(path, images):
    data = [icon_image(rows) for rows in images]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for rows, blob in zip(images, data):
        size = len(rows)
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    with open(path, 'wb') as f:
        f.write(out + b''.join(data))


WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
BLUE = (32, 96, 208)
DARK_BLUE = (16, 56, 140)
RED = (208, 32, 32)
DARK_RED = (140, 16, 16)
YELLOW = (250, 204, 32)


def information_letter(cx, top, dot_r, stem_w, stem_bottom):
    return union(inside_disc(cx, top, dot_r),
                 inside_rect(cx - stem_w / 2, top + dot_r * 1.8, cx + stem_w / 2, stem_bottom))


def speech_bubble():
    body = inside_round_rect(0.04, 0.06, 0.96, 0.72, 0.2)
    tail = inside_polygon([(0.22, 0.6), (0.46, 0.6), (0.14, 0.96)])
    inner = inside_round_rect(0.1, 0.12, 0.9, 0.66, 0.15)
    inner_tail = inside_polygon([(0.28, 0.6), (0.4, 0.6), (0.2, 0.84)])
    return [(union(body, tail), DARK_BLUE), (union(inner, inner_tail), BLUE),
            (information_letter(0.5, 0.22, 0.07, 0.14, 0.58), WHITE)]


def warning_triangle():
    outer = inside_polygon([(0.5, 0.02), (0.99, 0.94), (0.01, 0.94)])
    inner = inside_polygon([(0.5, 0.16), (0.88, 0.87), (0.12, 0.87)])
    mark = union(inside_polygon([(0.44, 0.34), (0.56, 0.34), (0.53, 0.66), (0.47, 0.66)]),
                 inside_disc(0.5, 0.76, 0.06))
    return [(outer, BLACK), (inner, YELLOW), (mark, BLACK)]


def error_sign():
    cross = union(inside_segment(0.31, 0.31, 0.69, 0.69, 0.08), inside_segment(0.69, 0.31, 0.31, 0.69, 0.08))
    return [(inside_disc(0.5, 0.5, 0.48), DARK_RED), (inside_disc(0.5, 0.5, 0.42), RED), (cross, WHITE)]


def information_sign():
    return [(inside_disc(0.5, 0.5, 0.48), DARK_BLUE), (inside_disc(0.5, 0.5, 0.42), BLUE),
            (information_letter(0.5, 0.27, 0.075, 0.15, 0.76), WHITE)]


GREEN = (40, 170, 60)
DARK_GREEN = (16, 100, 30)
AMBER = (240, 170, 30)
DARK_AMBER = (150, 95, 10)
GREY = (150, 150, 150)
DARK_GREY = (90, 90, 90)
LIGHT_GREY = (200, 200, 200)


def status_disc(rim, fill):
    return [(inside_disc(0.5, 0.5, 0.44), rim), (inside_disc(0.5, 0.5, 0.34), fill)]


def busy_sign():
    return status_disc(DARK_RED, RED) + [(inside_rect(0.24, 0.42, 0.76, 0.58), WHITE)]


def away_sign():
    hands = union(inside_segment(0.5, 0.5, 0.5, 0.24, 0.06), inside_segment(0.5, 0.5, 0.7, 0.5, 0.06))
    return status_disc(DARK_AMBER, AMBER) + [(hands, DARK_AMBER)]


def invisible_sign():
    ring = inside_disc(0.5, 0.5, 0.44)
    hole = inside_disc(0.5, 0.5, 0.28)
    return [(lambda x, y: ring(x, y) and not hole(x, y), GREY)]


def connecting_sign():
    ring = inside_disc(0.5, 0.5, 0.44)
    hole = inside_disc(0.5, 0.5, 0.26)

    def arc(x, y):
        angle = math.degrees(math.atan2(0.5 - y, x - 0.5)) % 360
        return ring(x, y) and not hole(x, y) and not (20 <= angle <= 80)
    return [(arc, BLUE), (inside_disc(0.5 + 0.35 * math.cos(math.radians(90)),
                                      0.5 - 0.35 * math.sin(math.radians(90)), 0.11), DARK_BLUE)]


def envelope():
    body = inside_rect(0.06, 0.2, 0.94, 0.8)
    paper = inside_rect(0.12, 0.26, 0.88, 0.74)
    flap = union(inside_segment(0.12, 0.28, 0.5, 0.56, 0.05), inside_segment(0.88, 0.28, 0.5, 0.56, 0.05))
    return [(body, DARK_GREY), (paper, (255, 250, 225)), (flap, DARK_GREY)]


HOST_ICONS = [
    ('40000400', status_disc(DARK_GREEN, GREEN)),
    ('40000220', busy_sign()),
    ('40000410', away_sign()),
    ('40000420', invisible_sign()),
    ('40000000', status_disc(DARK_GREY, LIGHT_GREY)),
    ('40000F10', connecting_sign()),
    ('50000010', envelope()),
]


def main():
    here = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    os.makedirs(here, exist_ok=True)
    write_ico(os.path.join(here, '101.ico'), [render(16, speech_bubble())])
    write_ico(os.path.join(here, '103.ico'), [render(s, warning_triangle()) for s in (16, 32)])
    write_ico(os.path.join(here, '104.ico'), [render(s, error_sign()) for s in (16, 32, 48)])
    write_ico(os.path.join(here, '105.ico'), [render(s, information_sign()) for s in (16, 32, 48)])
    if len(sys.argv) > 1:
        host = os.path.join(here, 'host')
    else:
        host = os.path.join(os.path.dirname(here), 'host', 'icons')
    os.makedirs(host, exist_ok=True)
    for name, layers in HOST_ICONS:
        write_ico(os.path.join(host, name + '.ico'), [render(16, layers)])


if __name__ == '__main__':
    main()
