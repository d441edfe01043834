#!/usr/bin/env python3
"""Draws the program's pictures into resources/pictures/.

Only the Python standard library is used: shapes are tested per sample on a grid
SUPERSAMPLE times finer than the picture, the samples are averaged (premultiplied) into
anti-aliased RGBA pixels, and the result is written as a PNG with zlib and struct.
The output is deterministic, so running the script again changes no file.

    python3 scripts/make_pictures.py [output folder [icon folder]]
"""

import math
import os
import struct
import sys
import zlib

SUPERSAMPLE = 8


# ---------------------------------------------------------------- shapes
# A shape is a predicate (x, y) -> bool in picture pixels; (0, 0) is the top-left corner
# of the picture, pixel (i, j) covers [i, i + 1) x [j, j + 1).


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r_out, r_in):
    return lambda x, y: r_in * r_in < (x - cx) ** 2 + (y - cy) ** 2 <= r_out * r_out


def ellipse(cx, cy, a, b):
    return lambda x, y: ((x - cx) / a) ** 2 + ((y - cy) / b) ** 2 <= 1.0


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def segment(x1, y1, x2, y2, width):
    """A stroke with round caps."""
    dx, dy = x2 - x1, y2 - y1
    length2 = dx * dx + dy * dy
    half2 = (width / 2.0) ** 2

    def inside(x, y):
        t = 0.0 if length2 == 0 else ((x - x1) * dx + (y - y1) * dy) / length2
        t = min(1.0, max(0.0, t))
        px, py = x1 + t * dx, y1 + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= half2

    return inside


def polyline(points, width):
    return union(*[segment(*points[i], *points[i + 1], width) for i in range(len(points) - 1)])


def arc(cx, cy, r, width, start_deg, end_deg):
    """A stroke along a circle from start_deg to end_deg, counter-clockwise on screen
    (0 degrees points right, 90 up), with round caps."""
    half = width / 2.0
    a0, a1 = math.radians(start_deg), math.radians(end_deg)
    span = (a1 - a0) % (2 * math.pi)
    caps = union(circle(cx + r * math.cos(a0), cy - r * math.sin(a0), half),
                 circle(cx + r * math.cos(a1), cy - r * math.sin(a1), half))

    def inside(x, y):
        if abs(math.hypot(x - cx, y - cy) - r) <= half:
            angle = math.atan2(-(y - cy), x - cx)
            if (angle - a0) % (2 * math.pi) <= span:
                return True
        return caps(x, y)

    return inside


def polygon(points):
    """Even-odd fill of a closed polygon."""

    def inside(x, y):
        result = False
        n = len(points)
        for i in range(n):
            x1, y1 = points[i]
            x2, y2 = points[(i + 1) % n]
            if (y1 > y) != (y2 > y):
                if x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
                    result = not result
        return result

    return inside


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


def intersection(*shapes):
    return lambda x, y: all(s(x, y) for s in shapes)


def difference(shape, cut):
    return lambda x, y: shape(x, y) and not cut(x, y)


# ---------------------------------------------------------------- paint


def radial(cx, cy, r, inner, outer):
    """A colour function: inner colour at (cx, cy), outer colour at distance r and beyond."""

    def colour(x, y):
        t = min(1.0, math.hypot(x - cx, y - cy) / r)
        return tuple(round(a + (b - a) * t) for a, b in zip(inner, outer))

    return colour


class Canvas:
    def __init__(self, width, height, scale=1, supersample=SUPERSAMPLE):
        """A picture of width x height pixels; shapes are given in units of 1 / scale
        pixel, so that one drawing serves several sizes."""
        self.width, self.height = width, height
        self.scale, self.supersample = scale, supersample
        self.sw, self.sh = width * supersample, height * supersample
        # Straight (not premultiplied) RGBA per sample, 0..255 floats.
        self.samples = [[0.0, 0.0, 0.0, 0.0] for _ in range(self.sw * self.sh)]

    def fill(self, shape, colour):
        """Paints colour (an RGBA tuple or a function (x, y) -> RGBA) over the samples
        inside shape, with source-over compositing."""
        unit = self.supersample * self.scale
        for j in range(self.sh):
            y = (j + 0.5) / unit
            row = j * self.sw
            for i in range(self.sw):
                x = (i + 0.5) / unit
                if not shape(x, y):
                    continue
                r, g, b, a = colour(x, y) if callable(colour) else colour
                dst = self.samples[row + i]
                sa = a / 255.0
                da = dst[3] / 255.0
                oa = sa + da * (1.0 - sa)
                if oa <= 0.0:
                    continue
                for k, c in enumerate((r, g, b)):
                    dst[k] = (c * sa + dst[k] * da * (1.0 - sa)) / oa
                dst[3] = oa * 255.0

    def pixels(self):
        """Averages the samples of each pixel (premultiplied) into 8-bit RGBA rows."""
        ss = self.supersample
        n = ss * ss
        rows = []
        for py in range(self.height):
            row = bytearray()
            for px in range(self.width):
                acc = [0.0, 0.0, 0.0, 0.0]
                for j in range(py * ss, (py + 1) * ss):
                    base = j * self.sw
                    for i in range(px * ss, (px + 1) * ss):
                        r, g, b, a = self.samples[base + i]
                        w = a / 255.0
                        acc[0] += r * w
                        acc[1] += g * w
                        acc[2] += b * w
                        acc[3] += a
                alpha = acc[3] / n
                if alpha < 0.5:
                    row += bytes((0, 0, 0, 0))
                    continue
                coverage = alpha / 255.0 * n
                row += bytes(min(255, max(0, round(c / coverage))) for c in acc[:3])
                row.append(min(255, round(alpha)))
            rows.append(bytes(row))
        return rows


def write_png(path, width, height, rows):
    def chunk(tag, data):
        body = tag + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    raw = b"".join(b"\x00" + row for row in rows)  # filter type 0 on every row
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)  # 8-bit RGBA
    data = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))
    with open(path, "wb") as f:
        f.write(data)


# ---------------------------------------------------------------- colours

WHITE = (255, 255, 255, 255)
RED = (204, 30, 30, 255)
DARK_RED = (140, 16, 16, 255)
LIGHT_RED = (240, 96, 80, 255)
BLUE = (30, 90, 200, 255)
DARK_BLUE = (16, 52, 130, 255)
LIGHT_BLUE = (90, 150, 240, 255)
GOLD = (250, 196, 40, 255)
DARK = (40, 40, 48, 255)


# ---------------------------------------------------------------- pictures


def dialog_delete():
    """A white document with a red border and a folded corner, crossed out in red."""
    c = Canvas(37, 37)
    outer = [(7, 2), (23, 2), (30.5, 9.5), (30.5, 35), (7, 35)]
    inner = [(8.6, 3.6), (22.3, 3.6), (28.9, 10.2), (28.9, 33.4), (8.6, 33.4)]
    c.fill(polygon(outer), RED)
    c.fill(polygon(inner), WHITE)
    c.fill(polygon([(22.3, 2.5), (22.3, 10.2), (30, 10.2)]), (250, 200, 195, 255))
    c.fill(polyline([(22.3, 2.5), (22.3, 10.2), (30, 10.2)], 1.5), RED)
    for y in (8, 12, 16):  # lines of text above the cross
        c.fill(segment(11.5, y, 19 if y == 8 else 25.5, y, 1.4), (150, 150, 160, 255))
    for x1, y1, x2, y2 in ((12, 17, 26, 31), (26, 17, 12, 31)):
        c.fill(segment(x1, y1, x2, y2, 7.0), WHITE)
    for x1, y1, x2, y2 in ((12, 17, 26, 31), (26, 17, 12, 31)):
        c.fill(segment(x1, y1, x2, y2, 4.2), RED)
    return c


def dialog_error():
    """A red disc with a white cross."""
    c = Canvas(37, 37)
    c.fill(circle(18.5, 18.5, 17.5), DARK_RED)
    c.fill(circle(18.5, 18.5, 16.2), radial(13, 12, 22, LIGHT_RED, RED))
    c.fill(segment(12, 12, 25, 25, 4.6), WHITE)
    c.fill(segment(25, 12, 12, 25, 4.6), WHITE)
    return c


def dialog_question():
    """A blue disc with a white question mark drawn as strokes."""
    c = Canvas(37, 37)
    c.fill(circle(18.5, 18.5, 17.5), DARK_BLUE)
    c.fill(circle(18.5, 18.5, 16.2), radial(13, 12, 22, LIGHT_BLUE, BLUE))
    mark = union(
        arc(18.5, 13.5, 5.2, 3.8, -45, 165),  # the hook, from the left end over the top
        polyline([(18.5 + 5.2 * math.cos(math.radians(-45)), 13.5 + 5.2 * math.sin(math.radians(45))),
                  (18.5, 20.5), (18.5, 22.5)], 3.8),  # down to the stem
        circle(18.5, 28.0, 2.4),  # the dot
    )
    c.fill(mark, WHITE)
    return c


def program_icon(size=32):
    """An alarm clock: red body, white face, two gold bells, thick dark hands. Drawn on a
    32 x 32 grid, scaled to `size`; the larger sizes take fewer samples a pixel, which the
    finer pixels make up for."""
    c = Canvas(size, size, size / 32, max(2, min(SUPERSAMPLE, round(SUPERSAMPLE * 32 / size))))
    cx, cy = 16.0, 17.5
    for x1, y1, x2, y2 in ((9, 27.5, 5.5, 31), (23, 27.5, 26.5, 31)):  # legs
        c.fill(segment(x1, y1, x2, y2, 2.6), DARK)
    c.fill(segment(16, 5, 16, 2.2, 2.4), DARK)  # hammer
    c.fill(circle(16, 2.2, 1.6), DARK)
    for bx in (6.5, 25.5):  # bells, under the body
        c.fill(circle(bx, 7.0, 5.6), DARK)
        c.fill(circle(bx, 7.0, 4.4), GOLD)
    c.fill(circle(cx, cy, 13.5), DARK_RED)
    c.fill(circle(cx, cy, 12.5), radial(12, 12, 16, (238, 60, 50, 255), (200, 24, 24, 255)))
    c.fill(circle(cx, cy, 9.8), WHITE)
    for k in range(12):  # hour marks, longer at 12, 3, 6 and 9
        a = math.radians(k * 30)
        r1 = 7.0 if k % 3 == 0 else 8.0
        c.fill(segment(cx + r1 * math.sin(a), cy - r1 * math.cos(a),
                       cx + 8.8 * math.sin(a), cy - 8.8 * math.cos(a), 1.3 if k % 3 == 0 else 0.9), DARK)
    c.fill(segment(cx, cy, cx, cy - 7.2, 2.2), DARK)  # minute hand at 12
    c.fill(segment(cx, cy, cx + 4.4, cy + 2.6, 2.6), DARK)  # hour hand towards 4
    c.fill(circle(cx, cy, 1.7), DARK_RED)
    return c


def globe(c, body, dark, light):
    """A 16 x 16 globe: a disc with its outline, a meridian ellipse, the axis and the equator."""
    cx, cy, r = 7.5, 7.5, 7.0
    c.fill(circle(cx, cy, r), dark)
    c.fill(circle(cx, cy, r - 1.0), radial(5.5, 5, 9, light, body))
    grid = union(
        difference(ellipse(cx, cy, 3.3, r - 0.5), ellipse(cx, cy, 2.4, r - 1.4)),
        rect(cx - 0.45, cy - r, cx + 0.45, cy + r),
        rect(cx - r, cy - 0.45, cx + r, cy + 0.45),
    )
    c.fill(intersection(grid, circle(cx, cy, r - 0.8)), dark)


def offline_indicator():
    """A grey globe with a small red cross at the lower right."""
    c = Canvas(16, 16)
    globe(c, (150, 150, 150, 255), (80, 80, 84, 255), (205, 205, 205, 255))
    for x1, y1, x2, y2 in ((10.5, 10.5, 14.5, 14.5), (14.5, 10.5, 10.5, 14.5)):
        c.fill(segment(x1, y1, x2, y2, 3.6), WHITE)
    for x1, y1, x2, y2 in ((10.5, 10.5, 14.5, 14.5), (14.5, 10.5, 10.5, 14.5)):
        c.fill(segment(x1, y1, x2, y2, 1.9), (220, 20, 20, 255))
    return c


def online_indicator():
    """The same globe in green."""
    c = Canvas(16, 16)
    globe(c, (40, 170, 60, 255), (16, 96, 32, 255), (130, 225, 120, 255))
    return c


PICTURES = {
    "dialog-delete.png": dialog_delete,
    "dialog-error.png": dialog_error,
    "dialog-question.png": dialog_question,
    "domora.png": program_icon,
    "offline.png": offline_indicator,
    "online.png": online_indicator,
}


# The program's icon in the desktop's icon theme, installed with the package.
ICON_SIZES = (16, 32, 48, 64, 128, 256)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "resources", "pictures")
    os.makedirs(out, exist_ok=True)
    for name, draw in PICTURES.items():
        canvas = draw()
        write_png(os.path.join(out, name), canvas.width, canvas.height, canvas.pixels())
        print(f"{name}: {canvas.width} x {canvas.height}")
    icons = sys.argv[2] if len(sys.argv) > 2 else os.path.join(here, "..", "resources", "icons")
    for size in ICON_SIZES:
        folder = os.path.join(icons, "hicolor", f"{size}x{size}", "apps")
        os.makedirs(folder, exist_ok=True)
        canvas = program_icon(size)
        write_png(os.path.join(folder, "domora.png"), size, size, canvas.pixels())
        print(f"icons/hicolor/{size}x{size}/apps/domora.png")


if __name__ == "__main__":
    main()
