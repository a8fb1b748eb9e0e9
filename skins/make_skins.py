#!/usr/bin/env python3
"""Draws the background images of the sample skins.

slate.bmp  48 x 32, 24-bit BMP   opaque nine-slice: a framed slate-blue panel
                                 (no "file" key: the skin's own .bmp is used)
mint.png   40 x 28, RGB PNG      colour key: a striped mint panel whose rounded
                                 corners are pure magenta (255, 0, 255)
smoke.png  48 x 44, RGBA PNG     per-pixel alpha: a translucent dark panel with
                                 rounded corners and a soft drop shadow

Shapes are sampled 4 x 4 times per pixel where an edge may be smooth; the
colour-key corners are hard, because any blend with magenta would stay
visible as a pink fringe. Pure Python, no imaging library.
Run from any folder: python3 skins/make_skins.py [OUTPUT_FOLDER]
(the images go beside this script unless a folder is given).
"""
import math
import os
import struct
import sys
import zlib

SAMPLES = 4


def round_rect_distance(x, y, x0, y0, x1, y1, r):
    """Distance from (x, y) to a rounded rectangle; 0 inside it."""
    cx = min(max(x, x0 + r), x1 - r)
    cy = min(max(y, y0 + r), y1 - r)
    d = math.hypot(x - cx, y - cy) - r
    return max(d, 0.0)


def coverage(px, py, inside):
    hits = 0
    for sy in range(SAMPLES):
        for sx in range(SAMPLES):
            if inside(px + (sx + 0.5) / SAMPLES, py + (sy + 0.5) / SAMPLES):
                hits += 1
    return hits / (SAMPLES * SAMPLES)


def write_bmp(path, width, height, rows):
    """24-bit bottom-up BMP of rows of (r, g, b), top row first."""
    stride = (width * 3 + 3) & ~3
    data = b''
    for row in reversed(rows):
        line = b''.join(struct.pack('<BBB', b, g, r) for (r, g, b) in row)
        data += line + b'\0' * (stride - len(line))
    header = struct.pack('<2sIHHI', b'BM', 14 + 40 + len(data), 0, 0, 14 + 40)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, 'wb') as f:
        f.write(header + info + data)


def write_png(path, width, height, rows, alpha):
    """PNG of rows of (r, g, b) or (r, g, b, a), top row first."""
    def chunk(kind, body):
        return (struct.pack('>I', len(body)) + kind + body +
                struct.pack('>I', zlib.crc32(kind + body) & 0xFFFFFFFF))
    raw = b''
    for row in rows:
        raw += b'\0' + b''.join(bytes(p) for p in row)
    ihdr = struct.pack('>IIBBBBB', width, height, 8, 6 if alpha else 2, 0, 0, 0)
    with open(path, 'wb') as f:
        f.write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', ihdr) +
                chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


def mix(a, b, t):
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def slate():
    """A slate panel: a light outer line, a dark inner line, a vertical
    gradient, and a small notch in each corner so the slices show."""
    w, h = 48, 32
    top, bottom = (74, 92, 118), (38, 48, 66)
    rows = []
    for y in range(h):
        row = []
        for x in range(w):
            edge = min(x, y, w - 1 - x, h - 1 - y)
            if edge == 0:
                c = (150, 170, 196)
            elif edge == 1:
                c = (22, 28, 40)
            else:
                c = mix(top, bottom, y / (h - 1))
                if edge <= 4 and (x < 6 or x > w - 7) and (y < 6 or y > h - 7):
                    c = mix(c, (150, 170, 196), 0.35)
            row.append(c)
        rows.append(row)
    return w, h, rows


def mint():
    """A mint panel with diagonal stripes (so tiling shows) and rounded
    corners cut to the magenta key."""
    w, h, r = 40, 28, 6
    key = (255, 0, 255)
    rows = []
    for y in range(h):
        row = []
        for x in range(w):
            cx, cy = x + 0.5, y + 0.5
            if round_rect_distance(cx, cy, 0, 0, w, h, r) > 0:
                row.append(key)
                continue
            if round_rect_distance(cx, cy, 1, 1, w - 1, h - 1, r - 1) > 0:
                row.append((60, 140, 100))
                continue
            stripe = ((x + y) // 4) % 2
            row.append((196, 238, 214) if stripe else (178, 228, 200))
        rows.append(row)
    return w, h, rows


def smoke():
    """A translucent dark panel over a soft shadow that falls down and right."""
    w, h = 48, 44
    body = (2, 2, w - 8, h - 9, 7)        # x0, y0, x1, y1, radius
    shadow = (5, 6, w - 4, h - 4, 7)
    soft = 5.0
    rows = []
    for y in range(h):
        row = []
        for x in range(w):
            cx, cy = x + 0.5, y + 0.5
            d = round_rect_distance(cx, cy, *shadow)
            sa = 0.55 * max(0.0, 1.0 - d / soft) ** 2
            cover = coverage(x, y, lambda u, v: round_rect_distance(u, v, *body) == 0)
            t = min(max((cy - body[1]) / (body[3] - body[1]), 0.0), 1.0)
            colour = mix((64, 70, 84), (24, 26, 34), t)
            ba = 0.88 * cover
            # The panel over its shadow (the shadow is black).
            a = ba + sa * (1 - ba)
            if a <= 0:
                row.append((0, 0, 0, 0))
                continue
            rgb = tuple(int(round(c * ba / a)) for c in colour)
            row.append(rgb + (int(round(a * 255)),))
        rows.append(row)
    return w, h, rows


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    os.makedirs(out, exist_ok=True)
    w, h, rows = slate()
    write_bmp(os.path.join(out, 'slate.bmp'), w, h, rows)
    w, h, rows = mint()
    write_png(os.path.join(out, 'mint.png'), w, h, rows, alpha=False)
    w, h, rows = smoke()
    write_png(os.path.join(out, 'smoke.png'), w, h, rows, alpha=True)


if __name__ == '__main__':
    main()
