#!/usr/bin/env python3
"""Draws the Vantric icon: a carton seen from above-front with a white shipping label on it.

Both the SVG and the PNGs come from the one list of shapes below, so they cannot drift apart.
Standard library only (the PNG rasteriser is a few lines of supersampling), so it runs on any
desk without image tools. Writes the SVG, the PNGs and the Windows icon. Run it when the icon is to change:

    python3 packaging/draw-icon.py packaging/icons
"""
import struct
import sys
import zlib
from pathlib import Path

VIEW = 64  # the drawing is laid out on a 64 x 64 grid

# Painted in order, later shapes over earlier ones: (colour, polygon points).
def _rect(x0, y0, x1, y1):
    return [(x0, y0), (x1, y0), (x1, y1), (x0, y1)]

BARCODE = [(17, 1.2), (19.4, 0.6), (21, 1.6), (23.8, 0.6), (25.4, 0.6), (27, 1.8),
           (30, 0.6), (31.6, 1.2), (34, 0.6), (35.6, 1.6), (38.4, 0.6), (40, 1.2), (42.2, 0.6)]

SHAPES = [
    ("#deb37c", [(6, 20), (18, 8), (60, 8), (50, 20)]),      # top of the carton
    ("#a87540", [(50, 20), (60, 8), (60, 46), (50, 58)]),    # right side, in shade
    ("#c9965b", _rect(6, 20, 50, 58)),                       # front
    ("#e9cf9f", [(25, 20), (37, 8), (43, 8), (31, 20)]),     # tape over the top seam
    ("#e9cf9f", _rect(25, 20, 31, 25)),                      # tape folding down the front
    ("#2b2b2b", _rect(11, 27, 46, 53)),                      # label border
    ("#ffffff", _rect(12, 28, 45, 52)),                      # label
    ("#2b2b2b", _rect(15, 31, 36, 34)),                      # "Carton No." line
    ("#2b2b2b", _rect(15, 36.5, 29, 38.5)),                  # "k/N" line
] + [("#2b2b2b", _rect(x, 42, x + w, 49)) for x, w in BARCODE]


def svg():
    lines = ['<?xml version="1.0" encoding="UTF-8"?>',
             f'<svg xmlns="http://www.w3.org/2000/svg" width="{VIEW}" height="{VIEW}" '
             f'viewBox="0 0 {VIEW} {VIEW}">']
    for colour, points in SHAPES:
        pts = " ".join(f"{x:g},{y:g}" for x, y in points)
        lines.append(f'  <polygon fill="{colour}" points="{pts}"/>')
    lines.append("</svg>")
    return "\n".join(lines) + "\n"


def _inside(points, x, y):
    # Even-odd crossing test; every shape here is convex, so this is exact.
    inside = False
    n = len(points)
    for i in range(n):
        (x0, y0), (x1, y1) = points[i], points[(i + 1) % n]
        if (y0 > y) != (y1 > y) and x < x0 + (y - y0) * (x1 - x0) / (y1 - y0):
            inside = not inside
    return inside


def _rgb(colour):
    return tuple(int(colour[i:i + 2], 16) for i in (1, 3, 5))


def raster(size, samples=4):
    """RGBA rows, each pixel the average of samples x samples points (transparent outside)."""
    scale = VIEW / size
    shapes = [(_rgb(c), p, min(x for x, _ in p), max(x for x, _ in p),
               min(y for _, y in p), max(y for _, y in p)) for c, p in SHAPES]
    rows = []
    for py in range(size):
        row = bytearray()
        for px in range(size):
            r = g = b = a = 0
            for sy in range(samples):
                y = (py + (sy + 0.5) / samples) * scale
                for sx in range(samples):
                    x = (px + (sx + 0.5) / samples) * scale
                    for rgb, pts, x0, x1, y0, y1 in reversed(shapes):
                        if x0 <= x <= x1 and y0 <= y <= y1 and _inside(pts, x, y):
                            r += rgb[0]; g += rgb[1]; b += rgb[2]; a += 255
                            break
            n = samples * samples
            # Colours are averaged over covered samples only, so edges do not darken.
            covered = a // 255
            if covered:
                row += bytes((r // covered, g // covered, b // covered, a // n))
            else:
                row += bytes(4)
        rows.append(bytes(row))
    return rows


def png(size):
    rows = raster(size)
    raw = b"".join(b"\x00" + row for row in rows)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def ico(sizes):
    """A Windows icon holding one PNG image per size (Windows Vista and later read these)."""
    images = [png(size) for size in sizes]
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = len(header) + 16 * len(images)
    entries = b""
    for size, data in zip(sizes, images):
        side = size % 256  # 0 stands for 256
        entries += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return header + entries + b"".join(images)


def main():
    out = Path(sys.argv[1] if len(sys.argv) > 1 else "packaging/icons")
    out.mkdir(parents=True, exist_ok=True)
    (out / "vantric.svg").write_text(svg(), encoding="utf-8")
    for size in (48, 256):
        (out / f"vantric-{size}.png").write_bytes(png(size))
    # The program file's own icon on Windows (Explorer, Start menu, task bar, installed programs).
    (out / "vantric.ico").write_bytes(ico((16, 24, 32, 48, 256)))


if __name__ == "__main__":
    main()
