#!/usr/bin/env python3
"""Draws the world map of the time map and the world-time page: resources/pictures/world-map.png.

The land is the Natural Earth 1:50m land layer (public domain, naturalearthdata.com) as
packed in TopoJSON by the npm package world-atlas 2.0.2 (land-50m.json; the package's own
code is under the ISC licence). The package is read from a tarball given on the command
line, or fetched from the npm registry and checked against its published sha512.

    npm pack world-atlas@2.0.2     # leaves world-atlas-2.0.2.tgz here
    python3 scripts/make_world_map.py [world-atlas-2.0.2.tgz] [output.png]

(no tarball, or "", fetches it). Only the Python
standard library is used, and the output is deterministic, so running the script again
changes no file. It is not run by the build; its picture is kept in the repository.

The picture is 707 x 329 pixels: land in a pale green, the ocean exactly (0, 0, 127), the
colour the time map makes transparent. No anti-aliasing: every pixel is one or the other.

The projection is fitted to the map's city points (the hit table of
src/core/timeservices/TimeMap.cpp, copied below): an equirectangular base (x from the
longitude, y from the latitude) fitted by least squares, plus a smoothing thin-plate
spline through the remaining displacements, so that every city's real position lands in
its hit rectangle. The script prints, for every city, how far (in pixels) its real
position lands from its marker point, and fails if one lands outside its rectangle or
if a marker point is more than 3 pixels from land.
"""

import base64
import hashlib
import io
import json
import math
import os
import struct
import sys
import tarfile
import urllib.request
import zlib

WIDTH, HEIGHT = 707, 329
LAND = (206, 232, 178)
OCEAN = (0, 0, 127)
SUPERSAMPLE = 3  # samples per pixel along each axis; a pixel is land when most are
SMOOTHING = 2.0  # added to the spline system's diagonal; 0 would pass through every point exactly

PACKAGE = "world-atlas"
VERSION = "2.0.2"
TARBALL_URL = "https://registry.npmjs.org/world-atlas/-/world-atlas-2.0.2.tgz"
INTEGRITY = "sha512-IXfV0qwlKXpckz1FhwXVwKRjiIhOnWttOskm5CtxMsjgE/MXAYRHWJqgXOpM8IkcPBoXnyTU5lFHcYa5ChG0LQ=="
LAND_FILE = "package/land-50m.json"

# name, hit rectangle (left, right, top, bottom, inclusive), marker point, real
# latitude and longitude (degrees north and east).
CITIES = [
    ("Ottawa", (162, 166, 121, 125), (164, 123), 45.4215, -75.6972),
    ("New York", (162, 166, 131, 135), (164, 133), 40.7128, -74.0060),
    ("Washington", (157, 162, 135, 139), (160, 137), 38.9072, -77.0369),
    ("Mexico City", (114, 118, 170, 176), (116, 173), 19.4326, -99.1332),
    ("Brasilia", (203, 207, 240, 246), (205, 243), -15.7939, -47.8828),
    ("Cape Town", (341, 345, 268, 272), (343, 270), -33.9249, 18.4241),
    ("Lisbon", (289, 293, 130, 136), (291, 133), 38.7223, -9.1393),
    ("Madrid", (295, 301, 128, 133), (298, 130), 40.4168, -3.7038),
    ("Dublin", (292, 296, 103, 107), (294, 105), 53.3498, -6.2603),
    ("London", (302, 306, 104, 108), (304, 106), 51.5074, -0.1278),
    ("Paris", (306, 310, 111, 115), (308, 113), 48.8566, 2.3522),
    ("Berlin", (326, 330, 104, 108), (328, 106), 52.5200, 13.4050),
    ("Bern", (319, 323, 116, 120), (321, 118), 46.9480, 7.4474),
    ("Rome", (331, 335, 128, 132), (333, 130), 41.9028, 12.4964),
    ("Oslo", (323, 327, 85, 89), (325, 87), 59.9139, 10.7522),
    ("Stockholm", (340, 344, 86, 90), (342, 88), 59.3293, 18.0686),
    ("Helsinki", (353, 357, 85, 89), (355, 87), 60.1699, 24.9384),
    ("Copenhagen", (326, 330, 95, 99), (328, 97), 55.6761, 12.5683),
    ("Riga", (349, 353, 94, 98), (351, 96), 56.9496, 24.1052),
    ("Vienna", (336, 340, 110, 114), (338, 112), 48.2082, 16.3738),
    ("Belgrade", (342, 346, 122, 126), (344, 124), 44.7866, 20.4489),
    ("Athens", (351, 355, 140, 144), (353, 142), 37.9838, 23.7275),
    ("Sofia", (351, 355, 126, 130), (353, 128), 42.6977, 23.3219),
    ("Bucharest", (357, 361, 122, 126), (359, 124), 44.4268, 26.1025),
    ("Warsaw", (356, 360, 104, 108), (358, 106), 52.2297, 21.0122),
    ("Minsk", (367, 371, 101, 105), (369, 103), 53.9006, 27.5590),
    ("Kyiv", (371, 375, 110, 114), (373, 112), 50.4501, 30.5234),
    ("Odesa", (367, 371, 119, 123), (369, 121), 46.4825, 30.7233),
    ("Sevastopol", (371, 375, 121, 125), (373, 123), 44.6166, 33.5254),
    ("Ankara", (369, 373, 131, 135), (371, 133), 39.9334, 32.8597),
    ("Moscow", (381, 385, 98, 104), (383, 100), 55.7558, 37.6173),
    ("Budapest", (346, 350, 113, 117), (348, 115), 47.4979, 19.0402),
    ("Tbilisi", (397, 401, 131, 135), (399, 133), 41.7151, 44.8271),
    ("Baku", (405, 409, 135, 139), (407, 137), 40.4093, 49.8671),
    ("Jakarta", (514, 518, 215, 219), (516, 217), -6.2088, 106.8456),
    ("Canberra", (583, 587, 275, 279), (585, 277), -35.2809, 149.1300),
    ("Wellington", (649, 653, 284, 288), (651, 286), -41.2865, 174.7762),
    ("Petropavlovsk-Kamchatsky", (618, 622, 101, 105), (620, 103), 53.0452, 158.6483),
    ("Tokyo", (576, 580, 138, 142), (578, 140), 35.6762, 139.6503),
]


# ---------------------------------------------------------------- the land data


def read_package(path):
    if path:
        with open(path, "rb") as f:
            data = f.read()
    else:
        print("fetching", TARBALL_URL, file=sys.stderr)
        with urllib.request.urlopen(TARBALL_URL, timeout=120) as response:
            data = response.read()
    digest = "sha512-" + base64.b64encode(hashlib.sha512(data).digest()).decode("ascii")
    if digest != INTEGRITY:
        sys.exit("the %s %s tarball is not the published one (%s)" % (PACKAGE, VERSION, digest))
    with tarfile.open(fileobj=io.BytesIO(data), mode="r:gz") as tar:
        return json.load(tar.extractfile(LAND_FILE))


def decode_arcs(topology):
    """The arcs as lists of (longitude, latitude): quantized and delta-encoded positions."""
    (sx, sy), (tx, ty) = topology["transform"]["scale"], topology["transform"]["translate"]
    arcs = []
    for arc in topology["arcs"]:
        x = y = 0
        points = []
        for dx, dy in arc:
            x += dx
            y += dy
            points.append((x * sx + tx, y * sy + ty))
        arcs.append(points)
    return arcs


def ring_points(arcs, indexes):
    """One ring from its arcs; ~i is arc i reversed, and each arc after the first drops
    its first point, the last of the one before."""
    points = []
    for index in indexes:
        arc = arcs[index] if index >= 0 else arcs[~index][::-1]
        points.extend(arc if not points else arc[1:])
    return points


def unwrap(ring):
    """The ring with continuous longitudes: a step across the date line (from 179.9 to
    -179.9) becomes one of 0.2 degrees. A ring around a pole (Antarctica) then ends a
    whole turn from where it began, and is closed along the pole."""
    out = [ring[0]]
    for lon, lat in ring[1:]:
        prev = out[-1][0]
        lon += 360.0 * round((prev - lon) / 360.0)
        out.append((lon, lat))
    turn = out[-1][0] - out[0][0]
    if abs(turn) > 180.0:
        pole = math.copysign(90.0, sum(lat for _, lat in out))
        out += [(out[-1][0], pole), (out[0][0], pole)]
    return out


def land_rings(topology):
    arcs = decode_arcs(topology)
    rings = []

    def polygon(rings_of_arcs):
        for indexes in rings_of_arcs:
            rings.append(unwrap(ring_points(arcs, indexes)))

    for geometry in topology["objects"]["land"]["geometries"]:
        if geometry["type"] == "Polygon":
            polygon(geometry["arcs"])
        elif geometry["type"] == "MultiPolygon":
            for p in geometry["arcs"]:
                polygon(p)
    return rings


# ---------------------------------------------------------------- the projection


def solve(matrix, vector):
    """Gaussian elimination with partial pivoting."""
    n = len(vector)
    a = [row[:] + [v] for row, v in zip(matrix, vector)]
    for col in range(n):
        pivot = max(range(col, n), key=lambda r: abs(a[r][col]))
        a[col], a[pivot] = a[pivot], a[col]
        for r in range(col + 1, n):
            f = a[r][col] / a[col][col]
            if f:
                for c in range(col, n + 1):
                    a[r][c] -= f * a[col][c]
    x = [0.0] * n
    for r in range(n - 1, -1, -1):
        x[r] = (a[r][n] - sum(a[r][c] * x[c] for c in range(r + 1, n))) / a[r][r]
    return x


def fit_line(us, vs):
    """v = a * u + b by least squares."""
    n = len(us)
    mu, mv = sum(us) / n, sum(vs) / n
    a = sum((u - mu) * (v - mv) for u, v in zip(us, vs)) / sum((u - mu) ** 2 for u in us)
    return a, mv - a * mu


def tps_kernel(r2):
    return 0.5 * r2 * math.log(r2) if r2 > 0 else 0.0


class Projection:
    def __init__(self, cities, smoothing):
        lons = [c[4] for c in cities]
        lats = [c[3] for c in cities]
        self.ax, self.bx = fit_line(lons, [c[2][0] for c in cities])
        self.ay, self.by = fit_line(lats, [c[2][1] for c in cities])
        self.centres = [self.base(lon, lat) for lon, lat in zip(lons, lats)]
        # The thin-plate spline of the displacements that are left, x and y alike.
        n = len(cities)
        size = n + 3
        matrix = [[0.0] * size for _ in range(size)]
        for i, (xi, yi) in enumerate(self.centres):
            for j, (xj, yj) in enumerate(self.centres):
                matrix[i][j] = tps_kernel((xi - xj) ** 2 + (yi - yj) ** 2)
            matrix[i][i] += smoothing
            for k, v in enumerate((1.0, xi, yi)):
                matrix[i][n + k] = v
                matrix[n + k][i] = v
        self.weights = []
        for axis in (0, 1):
            rhs = [c[2][axis] - b[axis] for c, b in zip(cities, self.centres)] + [0.0] * 3
            self.weights.append(solve(matrix, rhs))

    def base(self, lon, lat):
        return self.ax * lon + self.bx, self.ay * lat + self.by

    def __call__(self, lon, lat):
        x, y = self.base(lon, lat)
        n = len(self.centres)
        kernels = [tps_kernel((x - cx) ** 2 + (y - cy) ** 2) for cx, cy in self.centres]
        out = []
        for axis, w in enumerate(self.weights):
            d = w[n] + w[n + 1] * x + w[n + 2] * y + sum(k * wi for k, wi in zip(kernels, w))
            out.append((x, y)[axis] + d)
        return out[0], out[1]


# ---------------------------------------------------------------- drawing


def rasterize(rings, project, width, height, ss):
    """Land coverage per pixel (0 .. ss * ss) by the non-zero winding rule on a grid ss
    times finer; samples at the centres of the fine cells."""
    fine_w, fine_h = width * ss, height * ss
    crossings = [[] for _ in range(fine_h)]
    for ring in rings:
        pts = [project(lon, lat) for lon, lat in ring]
        pts = [((x + 0.5) * ss, (y + 0.5) * ss) for x, y in pts]  # (i, j) is pixel i, j's centre
        for (x0, y0), (x1, y1) in zip(pts, pts[1:] + pts[:1]):
            if y0 == y1:
                continue
            direction = 1 if y1 > y0 else -1
            lo, hi = (y0, y1) if y0 < y1 else (y1, y0)
            first = max(0, math.ceil(lo - 0.5))
            last = min(fine_h - 1, math.ceil(hi - 0.5) - 1)
            for row in range(first, last + 1):
                yc = row + 0.5
                xc = x0 + (yc - y0) * (x1 - x0) / (y1 - y0)
                crossings[row].append((xc, direction))
    coverage = [bytearray(width) for _ in range(height)]
    for row, cs in enumerate(crossings):
        cs.sort()
        winding = 0
        out = coverage[row // ss]
        for xc, d in cs:
            was = winding
            winding += d
            if was == 0 and winding != 0:
                start = xc
            elif was != 0 and winding == 0:
                a = max(0, math.ceil(start - 0.5))
                b = min(fine_w - 1, math.ceil(xc - 0.5) - 1)
                for col in range(a, b + 1):
                    out[col // ss] += 1
    return coverage


def write_png(path, width, height, rows):
    def chunk(tag, data):
        body = tag + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    raw = b"".join(b"\x00" + bytes(row) for row in rows)
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    data = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))
    with open(path, "wb") as f:
        f.write(data)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    tarball = sys.argv[1] if len(sys.argv) > 1 else None
    output = sys.argv[2] if len(sys.argv) > 2 else os.path.join(here, "..", "resources", "pictures",
                                                                "world-map.png")
    rings = land_rings(read_package(tarball))
    project = Projection(CITIES, SMOOTHING)
    print("base: x = %.4f * longitude + %.2f, y = %.4f * latitude + %.2f"
          % (project.ax, project.bx, project.ay, project.by))

    # The whole world three times over, one turn west and east as well, so that the land
    # near the date line shows on whichever side of the picture it falls.
    def shifted(turn):
        return lambda lon, lat: project(lon + 360.0 * turn, lat)

    coverage = [bytearray(WIDTH) for _ in range(HEIGHT)]
    for turn in (-1, 0, 1):
        part = rasterize(rings, shifted(turn), WIDTH, HEIGHT, SUPERSAMPLE)
        for row, add in zip(coverage, part):
            for i, v in enumerate(add):
                row[i] = min(255, row[i] + v)
    half = SUPERSAMPLE * SUPERSAMPLE / 2
    land = [[v > half for v in row] for row in coverage]
    rows = [b"".join(bytes(LAND if v else OCEAN) for v in row) for row in land]
    write_png(output, WIDTH, HEIGHT, rows)

    def near_land(x, y, reach):
        return any(land[j][i] for j in range(max(0, y - reach), min(HEIGHT, y + reach + 1))
                   for i in range(max(0, x - reach), min(WIDTH, x + reach + 1))
                   if (i - x) ** 2 + (j - y) ** 2 <= reach * reach)

    worst = 0.0
    failed = []
    for name, (left, right, top, bottom), (px, py), lat, lon in CITIES:
        x, y = project(lon, lat)
        distance = math.hypot(x - px, y - py)
        worst = max(worst, distance)
        inside = left <= round(x) <= right and top <= round(y) <= bottom
        on_land = land[py][px]
        print("%-26s lands at %6.1f %6.1f, %.2f pixels from its point%s%s"
              % (name, x, y, distance, "" if inside else "  OUTSIDE ITS RECTANGLE",
                 "" if on_land else ("  (point at sea, land within 3 pixels)" if near_land(px, py, 3)
                                     else "  POINT FAR FROM LAND")))
        if not inside or not near_land(px, py, 3):
            failed.append(name)
    print("largest distance: %.2f pixels" % worst)
    print("wrote", os.path.normpath(output))
    if failed:
        sys.exit("cities off their places: " + ", ".join(failed))


if __name__ == "__main__":
    main()
