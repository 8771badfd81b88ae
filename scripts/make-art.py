#!/usr/bin/env python3
"""Draws Pindrel's own pictures and the example skin.

    python3 scripts/make-art.py [--out DIR]

Writes, below the repository root (or DIR):
  res/sample_photo.bmp            the caller photo shown for a contact with a picture
  res/icon_16.bmp, res/icon_32.bmp  the program icon, 24 bits, full-bleed tile
  res/icon_{16,32,48,64,128,256}.png and res/icon.svg   the same icon for the desktop
  examples/aurora/                the example skin: aurora.ini and its bitmaps

Only the standard library is used. Shapes are signed-distance functions, so every edge is
anti-aliased by its pixel coverage; there is no randomness, and every run writes the same bytes.
"""

import argparse
import math
import os
import struct
import zlib

# ----------------------------------------------------------------------------------------------
# Files

def write_bmp24(path, width, height, rows):
    """rows: top row first, each a list of (r, g, b) byte triples. Stored bottom-up, as BMP wants."""
    stride = (3 * width + 3) & ~3
    pad = bytes(stride - 3 * width)
    body = bytearray()
    for row in reversed(rows):
        for r, g, b in row:
            body += bytes((b, g, r))
        body += pad
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(body), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(body), 2835, 2835, 0, 0)
    _write(path, header + info + bytes(body))


def write_png(path, width, height, rows, alpha):
    """rows: top row first, each a list of (r, g, b) or (r, g, b, a) byte tuples."""
    raw = bytearray()
    for row in rows:
        raw.append(0)
        for px in row:
            raw += bytes(px if alpha else px[:3])

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    ihdr = struct.pack(">IIBBBBB", width, height, 8, 6 if alpha else 2, 0, 0, 0)
    png = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr)
           + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))
    _write(path, png)


def _write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def write_text(path, text):
    _write(path, text.encode("ascii"))

# ----------------------------------------------------------------------------------------------
# Shapes: sdf(x, y) is the signed distance in pixels, negative inside; bbox() bounds the inside.

class Shape:
    def __or__(self, other):
        return Union([self, other])

    def __and__(self, other):
        return Intersect(self, other)

    def __sub__(self, other):
        return Subtract(self, other)


class Circle(Shape):
    def __init__(self, cx, cy, r):
        self.cx, self.cy, self.r = cx, cy, r

    def sdf(self, x, y):
        return math.hypot(x - self.cx, y - self.cy) - self.r

    def bbox(self):
        return (self.cx - self.r, self.cy - self.r, self.cx + self.r, self.cy + self.r)


class Ellipse(Shape):
    def __init__(self, cx, cy, rx, ry):
        self.cx, self.cy, self.rx, self.ry = cx, cy, rx, ry

    def sdf(self, x, y):
        # Good near the outline, which is all that coverage needs.
        px, py = (x - self.cx) / self.rx, (y - self.cy) / self.ry
        k0 = math.hypot(px, py)
        k1 = math.hypot(px / self.rx, py / self.ry)
        if k1 == 0.0:
            return -min(self.rx, self.ry)
        return k0 * (k0 - 1.0) / k1

    def bbox(self):
        return (self.cx - self.rx, self.cy - self.ry, self.cx + self.rx, self.cy + self.ry)


class Box(Shape):
    """Axis-aligned rectangle from (x0, y0) to (x1, y1) with corner radius r."""

    def __init__(self, x0, y0, x1, y1, r=0.0):
        self.x0, self.y0, self.x1, self.y1, self.r = x0, y0, x1, y1, r
        self.cx, self.cy = (x0 + x1) / 2, (y0 + y1) / 2
        self.hx, self.hy = (x1 - x0) / 2 - r, (y1 - y0) / 2 - r

    def sdf(self, x, y):
        qx = abs(x - self.cx) - self.hx
        qy = abs(y - self.cy) - self.hy
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - self.r

    def bbox(self):
        return (self.x0, self.y0, self.x1, self.y1)


class Capsule(Shape):
    """A line from a to b drawn with round ends, half-width hw."""

    def __init__(self, ax, ay, bx, by, hw):
        self.ax, self.ay, self.bx, self.by, self.hw = ax, ay, bx, by, hw
        self.ex, self.ey = bx - ax, by - ay
        self.ee = self.ex * self.ex + self.ey * self.ey or 1e-12

    def sdf(self, x, y):
        wx, wy = x - self.ax, y - self.ay
        t = min(max((wx * self.ex + wy * self.ey) / self.ee, 0.0), 1.0)
        return math.hypot(wx - self.ex * t, wy - self.ey * t) - self.hw

    def bbox(self):
        return (min(self.ax, self.bx) - self.hw, min(self.ay, self.by) - self.hw,
                max(self.ax, self.bx) + self.hw, max(self.ay, self.by) + self.hw)


def polyline(points, hw):
    return Union([Capsule(*a, *b, hw) for a, b in zip(points, points[1:])])


class Arc(Shape):
    """The stroke of a circular arc with round ends. Angles in degrees, clockwise on screen
    (y grows downwards), from a0 over span."""

    def __init__(self, cx, cy, r, a0, span, hw):
        self.cx, self.cy, self.r, self.hw = cx, cy, r, hw
        self.a0, self.span = math.radians(a0), math.radians(span)
        a1 = self.a0 + self.span
        self.p0 = (cx + r * math.cos(self.a0), cy + r * math.sin(self.a0))
        self.p1 = (cx + r * math.cos(a1), cy + r * math.sin(a1))

    def sdf(self, x, y):
        dx, dy = x - self.cx, y - self.cy
        t = (math.atan2(dy, dx) - self.a0) % (2 * math.pi)
        if t <= self.span:
            return abs(math.hypot(dx, dy) - self.r) - self.hw
        return min(math.hypot(x - self.p0[0], y - self.p0[1]),
                   math.hypot(x - self.p1[0], y - self.p1[1])) - self.hw

    def bbox(self):
        e = self.r + self.hw
        return (self.cx - e, self.cy - e, self.cx + e, self.cy + e)


class Polygon(Shape):
    def __init__(self, points):
        self.p = list(points)

    def sdf(self, x, y):
        p = self.p
        d = (x - p[0][0]) ** 2 + (y - p[0][1]) ** 2
        s = 1.0
        j = len(p) - 1
        for i in range(len(p)):
            vix, viy = p[i]
            vjx, vjy = p[j]
            ex, ey = vjx - vix, vjy - viy
            wx, wy = x - vix, y - viy
            ee = ex * ex + ey * ey or 1e-12
            t = min(max((wx * ex + wy * ey) / ee, 0.0), 1.0)
            bx, by = wx - ex * t, wy - ey * t
            d = min(d, bx * bx + by * by)
            c1, c2, c3 = y >= viy, y < vjy, ex * wy > ey * wx
            if (c1 and c2 and c3) or not (c1 or c2 or c3):
                s = -s
            j = i
        return s * math.sqrt(d)

    def bbox(self):
        xs = [q[0] for q in self.p]
        ys = [q[1] for q in self.p]
        return (min(xs), min(ys), max(xs), max(ys))


class Union(Shape):
    def __init__(self, shapes):
        self.shapes = list(shapes)

    def sdf(self, x, y):
        return min(s.sdf(x, y) for s in self.shapes)

    def bbox(self):
        boxes = [s.bbox() for s in self.shapes]
        return (min(b[0] for b in boxes), min(b[1] for b in boxes),
                max(b[2] for b in boxes), max(b[3] for b in boxes))


class Intersect(Shape):
    def __init__(self, a, b):
        self.a, self.b = a, b

    def sdf(self, x, y):
        return max(self.a.sdf(x, y), self.b.sdf(x, y))

    def bbox(self):
        a, b = self.a.bbox(), self.b.bbox()
        return (max(a[0], b[0]), max(a[1], b[1]), min(a[2], b[2]), min(a[3], b[3]))


class Subtract(Shape):
    def __init__(self, a, b):
        self.a, self.b = a, b

    def sdf(self, x, y):
        return max(self.a.sdf(x, y), -self.b.sdf(x, y))

    def bbox(self):
        return self.a.bbox()


class Outline(Shape):
    """A band of width w centred on another shape's edge."""

    def __init__(self, shape, w):
        self.shape, self.hw = shape, w / 2

    def sdf(self, x, y):
        return abs(self.shape.sdf(x, y)) - self.hw

    def bbox(self):
        b = self.shape.bbox()
        return (b[0] - self.hw, b[1] - self.hw, b[2] + self.hw, b[3] + self.hw)


class Grow(Shape):
    def __init__(self, shape, by):
        self.shape, self.by = shape, by

    def sdf(self, x, y):
        return self.shape.sdf(x, y) - self.by

    def bbox(self):
        b = self.shape.bbox()
        return (b[0] - self.by, b[1] - self.by, b[2] + self.by, b[3] + self.by)


class Transform(Shape):
    """Another shape scaled by s, turned by deg degrees (clockwise on screen) about the origin,
    then moved by (dx, dy)."""

    def __init__(self, shape, deg=0.0, s=1.0, dx=0.0, dy=0.0):
        self.shape, self.s, self.dx, self.dy = shape, s, dx, dy
        a = math.radians(deg)
        self.c, self.n = math.cos(a), math.sin(a)

    def sdf(self, x, y):
        x, y = (x - self.dx) / self.s, (y - self.dy) / self.s
        return self.shape.sdf(x * self.c + y * self.n, -x * self.n + y * self.c) * self.s

    def bbox(self):
        x0, y0, x1, y1 = self.shape.bbox()
        pts = [(x * self.c - y * self.n, x * self.n + y * self.c)
               for x, y in ((x0, y0), (x1, y0), (x0, y1), (x1, y1))]
        return (min(p[0] for p in pts) * self.s + self.dx, min(p[1] for p in pts) * self.s + self.dy,
                max(p[0] for p in pts) * self.s + self.dx, max(p[1] for p in pts) * self.s + self.dy)

# ----------------------------------------------------------------------------------------------
# Paint

def mix(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def vgrad(y0, c0, y1, c1):
    """Vertical gradient from colour c0 at y0 to c1 at y1."""
    def paint(_x, y):
        return mix(c0, c1, min(max((y - y0) / (y1 - y0), 0.0), 1.0))
    return paint


def lgrad(x0, y0, c0, x1, y1, c1):
    dx, dy = x1 - x0, y1 - y0
    dd = dx * dx + dy * dy

    def paint(x, y):
        return mix(c0, c1, min(max(((x - x0) * dx + (y - y0) * dy) / dd, 0.0), 1.0))
    return paint


def rgrad(cx, cy, r, c0, c1):
    def paint(x, y):
        return mix(c0, c1, min(math.hypot(x - cx, y - cy) / r, 1.0))
    return paint


class Canvas:
    """Premultiplied RGBA in floats (0..255 for colour, 0..1 for alpha)."""

    def __init__(self, w, h, fill=None):
        self.w, self.h = w, h
        n = w * h
        c = fill or (0, 0, 0)
        a = 1.0 if fill else 0.0
        self.r, self.g, self.b = [c[0] * a] * n, [c[1] * a] * n, [c[2] * a] * n
        self.a = [a] * n

    def shade(self, paint):
        """Every pixel opaque, coloured by paint(x, y)."""
        for y in range(self.h):
            for x in range(self.w):
                self.put(x, y, paint(x + 0.5, y + 0.5), 1.0)

    def put(self, x, y, c, cov):
        i = y * self.w + x
        k = 1.0 - cov
        self.r[i] = c[0] * cov + self.r[i] * k
        self.g[i] = c[1] * cov + self.g[i] * k
        self.b[i] = c[2] * cov + self.b[i] * k
        self.a[i] = cov + self.a[i] * k

    def fill(self, shape, paint, opacity=1.0):
        x0, y0, x1, y1 = shape.bbox()
        solid = not callable(paint)
        for y in range(max(0, int(math.floor(y0 - 1))), min(self.h, int(math.ceil(y1 + 1)))):
            for x in range(max(0, int(math.floor(x0 - 1))), min(self.w, int(math.ceil(x1 + 1)))):
                cov = 0.5 - shape.sdf(x + 0.5, y + 0.5)
                if cov <= 0.0:
                    continue
                cov = min(cov, 1.0) * opacity
                self.put(x, y, paint if solid else paint(x + 0.5, y + 0.5), cov)

    def glow(self, shape, colour, radius, strength=1.0):
        """A soft halo that fades over radius pixels outside the shape (and fills it)."""
        big = Grow(shape, radius)
        x0, y0, x1, y1 = big.bbox()
        for y in range(max(0, int(y0)), min(self.h, int(math.ceil(y1)))):
            for x in range(max(0, int(x0)), min(self.w, int(math.ceil(x1)))):
                d = shape.sdf(x + 0.5, y + 0.5)
                if d < radius:
                    t = 1.0 - max(d, 0.0) / radius
                    self.put(x, y, colour, strength * t * t)

    def paste(self, other, ox, oy):
        for y in range(other.h):
            for x in range(other.w):
                j = y * other.w + x
                a = other.a[j]
                if a <= 0.0 or not (0 <= x + ox < self.w and 0 <= y + oy < self.h):
                    continue
                i = (y + oy) * self.w + x + ox
                k = 1.0 - a
                self.r[i] = other.r[j] + self.r[i] * k
                self.g[i] = other.g[j] + self.g[i] * k
                self.b[i] = other.b[j] + self.b[i] * k
                self.a[i] = a + self.a[i] * k

    def pixel(self, i, matte):
        k = 1.0 - self.a[i]
        return tuple(_byte(v + m * k) for v, m in zip((self.r[i], self.g[i], self.b[i]), matte))

    def rows_rgb(self, matte=(0, 0, 0)):
        return [[self.pixel(y * self.w + x, matte) for x in range(self.w)] for y in range(self.h)]

    def rows_keyed(self, matte, key=(255, 0, 255), threshold=0.06):
        """Opaque picture for a colour-keyed copy: pixels left (nearly) uncovered become the key,
        the rest are flattened onto matte, the colour that the picture will mostly stand on."""
        rows = []
        for y in range(self.h):
            row = []
            for x in range(self.w):
                i = y * self.w + x
                row.append(key if self.a[i] < threshold else self.pixel(i, matte))
            rows.append(row)
        return rows

    def rows_rgba(self):
        rows = []
        for y in range(self.h):
            row = []
            for x in range(self.w):
                i = y * self.w + x
                a = self.a[i]
                if a <= 0.0:
                    row.append((0, 0, 0, 0))
                    continue
                row.append((_byte(self.r[i] / a), _byte(self.g[i] / a), _byte(self.b[i] / a),
                            _byte(a * 255)))
            rows.append(row)
        return rows


def _byte(v):
    return max(0, min(255, int(v + 0.5)))


def save_bmp(path, canvas, matte=(0, 0, 0)):
    write_bmp24(path, canvas.w, canvas.h, canvas.rows_rgb(matte))


def save_keyed_bmp(path, canvas, matte):
    write_bmp24(path, canvas.w, canvas.h, canvas.rows_keyed(matte))


class Lcg:
    """Tiny generator of our own, so that the pictures never depend on Python's random module."""

    def __init__(self, seed):
        self.s = seed

    def next(self):
        self.s = (self.s * 1103515245 + 12345) & 0x7FFFFFFF
        return self.s / 0x7FFFFFFF

# ----------------------------------------------------------------------------------------------
# Glyphs shared by the icon, the skin and its buttons

def handset_parts(size):
    """The classic telephone receiver, lying flat with its cups pointing down, centred near the
    origin: a curved grip and two cups set across its ends. Returns the primitives, so that the
    raster and the vector icon share one drawing: ("arc", cx, cy, r, a0, span, hw) and
    ("box", half width, half height, corner radius, turn in degrees, centre x, centre y)."""
    u = size
    r, oy = 0.52 * u, 0.32 * u
    parts = [("arc", 0.0, oy, r, 225.0, 90.0, 0.12 * u)]
    for sgn in (-1, 1):
        deg = 270 + sgn * 45
        a = math.radians(deg)
        # The cups run along the radius towards the inside of the curve.
        cx = r * math.cos(a) - math.cos(a) * 0.12 * u
        cy = oy + r * math.sin(a) - math.sin(a) * 0.12 * u
        parts.append(("box", 0.19 * u, 0.13 * u, 0.09 * u, float(deg), cx, cy))
    return parts


def handset(cx, cy, size, deg):
    """The receiver turned by deg degrees (0: hung up; 225: the usual "call" glyph)."""
    shapes = []
    for p in handset_parts(size):
        if p[0] == "arc":
            shapes.append(Arc(*p[1:]))
        else:
            hx, hy, rr, turn, bx, by = p[1:]
            shapes.append(Transform(Box(-hx, -hy, hx, hy, rr), deg=turn, dx=bx, dy=by))
    return Transform(Union(shapes), deg=deg, dx=cx, dy=cy)


# A stroke alphabet for the few capitals that the skin writes, on a grid 6 units high.
STROKES = {
    "A": ([[(0, 6), (2.2, 0), (4.4, 6)], [(0.8, 4.1), (3.6, 4.1)]], 4.4),
    "C": ("C", 4.6),
    "G": ("G", 4.6),
    "I": ([[(0, 0), (0, 6)]], 0.0),
    "L": ([[(0, 0), (0, 6), (3.4, 6)]], 3.4),
    "M": ([[(0, 6), (0, 0), (2.4, 4.2), (4.8, 0), (4.8, 6)]], 4.8),
    "N": ([[(0, 6), (0, 0), (4, 6), (4, 0)]], 4.0),
    "O": ("O", 5.0),
    " ": ([], 1.6),
}


def text_shape(text, x, y, unit, hw, spacing=1.6):
    """Capitals from STROKES; (x, y) is the top-left of the first letter, unit the grid step."""
    parts = []
    for ch in text:
        strokes, adv = STROKES[ch]
        if strokes in ("C", "G", "O"):
            rx, ry = adv / 2 * unit, 3 * unit
            cx, cy = x + rx, y + ry
            ring = Outline(Ellipse(cx, cy, rx, ry), 2 * hw)
            if strokes == "O":
                parts.append(ring)
            else:
                gap = Polygon([(cx, cy), (cx + 2 * rx, cy - 1.45 * ry), (cx + 2 * rx, cy + 1.45 * ry)])
                if strokes == "G":
                    gap = Polygon([(cx, cy), (cx + 2 * rx, cy - 1.45 * ry), (cx + 2 * rx, cy)])
                parts.append(ring - gap)
                if strokes == "G":
                    parts.append(polyline([(cx + 0.3 * rx, cy + 0.1 * ry), (cx + rx - hw, cy + 0.1 * ry),
                                           (cx + rx - hw, cy + 0.75 * ry)], hw))
        else:
            for line in strokes:
                parts.append(polyline([(x + px * unit, y + py * unit) for px, py in line], hw))
        x += (adv + spacing) * unit
    return Union(parts), x - spacing * unit


def text_width(text, unit, spacing=1.6):
    return (sum(STROKES[ch][1] + spacing for ch in text) - spacing) * unit


def person(cx, top, scale):
    """A generic head-and-shoulders silhouette."""
    head = Circle(cx, top + 17 * scale, 15 * scale)
    body = Box(cx - 31 * scale, top + 36 * scale, cx + 31 * scale, top + 80 * scale, 24 * scale)
    return head | body

# ----------------------------------------------------------------------------------------------
# The sample photo: a man with a camera against the sky

SKIN = (243, 199, 165)
SKIN_SHADE = (222, 168, 132)
HAIR = (96, 60, 38)
JACKET = (214, 106, 58)
JACKET_DARK = (168, 74, 42)


def sample_photo():
    w, h = 240, 200
    c = Canvas(w, h)
    c.shade(vgrad(0, (84, 152, 222), h, (176, 216, 246)))
    # Sun haze and clouds.
    c.glow(Circle(212, 18, 6), (255, 250, 230), 60, 0.35)
    cloud = Union([Circle(28, 54, 14), Circle(46, 46, 18), Circle(66, 54, 13), Box(22, 54, 72, 66, 6)])
    c.fill(cloud, (250, 252, 255), 0.85)
    cloud2 = Union([Circle(186, 88, 11), Circle(202, 80, 15), Circle(220, 88, 11),
                    Box(180, 88, 228, 98, 5)])
    c.fill(cloud2, (250, 252, 255), 0.8)

    # Shoulders and chest in a jacket, a shirt showing at the collar.
    torso = Box(24, 124, 216, 290, 56)
    c.fill(torso, lgrad(30, 124, JACKET, 210, 200, JACKET_DARK))
    c.fill(Polygon([(100, 122), (140, 122), (120, 170)]), (238, 234, 224))
    c.fill(Polygon([(86, 128), (104, 120), (120, 170), (108, 176)]), JACKET_DARK)
    c.fill(Polygon([(154, 128), (136, 120), (120, 170), (132, 176)]), JACKET_DARK)
    # Neck, with the shadow of the chin.
    c.fill(Box(106, 96, 134, 132, 12), SKIN_SHADE)
    # Ears, head, face.
    c.fill(Ellipse(88, 76, 7, 11), SKIN_SHADE)
    c.fill(Ellipse(152, 76, 7, 11), SKIN_SHADE)
    c.fill(Ellipse(120, 72, 32, 39), rgrad(112, 64, 44, SKIN, SKIN_SHADE))
    # Hair: a cap over the top of the head with a side parting.
    hair = (Ellipse(120, 62, 35, 33) & Box(80, 18, 160, 58)) | Ellipse(104, 42, 22, 12)
    hair = hair | Box(84, 48, 93, 72, 4) | Box(147, 48, 156, 72, 4)
    c.fill(hair, lgrad(90, 28, (122, 80, 52), 150, 68, HAIR))
    # Brows, eyes, nose, smile, cheeks.
    c.fill(Capsule(102, 60, 114, 58, 1.8), HAIR)
    c.fill(Capsule(126, 58, 138, 60, 1.8), HAIR)
    for ex in (108, 132):
        c.fill(Ellipse(ex, 70, 4.8, 3.4), (255, 255, 255))
        c.fill(Circle(ex, 70, 2.8), (70, 50, 40))
        c.fill(Circle(ex + 0.9, 69, 0.9), (255, 255, 255))
    c.fill(Capsule(120, 70, 118, 80, 1.3), (232, 182, 148))
    c.fill(Arc(119, 75, 6, 50, 90, 1.0), SKIN_SHADE)
    c.fill(Arc(120, 82, 13, 35, 110, 1.7), (160, 72, 62))
    c.fill(Circle(100, 84, 6), (240, 150, 140), 0.25)
    c.fill(Circle(140, 84, 6), (240, 150, 140), 0.25)

    # Sleeves run from the shoulders down and in to the hands.
    c.fill(Capsule(34, 200, 62, 184, 18), JACKET_DARK)
    c.fill(Capsule(206, 200, 178, 184, 18), JACKET_DARK)
    # Camera strap around the neck.
    c.fill(Capsule(108, 124, 84, 152, 1.8), (40, 40, 46))
    c.fill(Capsule(132, 124, 156, 152, 1.8), (40, 40, 46))
    # The camera: prism hump, body with a silver top plate, flash, shutter release, lens.
    c.fill(Box(98, 140, 142, 156, 5), (52, 55, 62))
    c.fill(Box(72, 150, 168, 198, 9), lgrad(0, 150, (70, 74, 82), 0, 198, (34, 36, 42)))
    c.fill(Box(72, 150, 168, 198, 9) & Box(72, 150, 168, 159), (188, 192, 200))
    c.fill(Box(80, 152, 94, 157, 2), (250, 250, 244))
    c.fill(Box(146, 145, 157, 151, 2), (160, 44, 44))
    c.fill(Circle(120, 176, 22), (192, 196, 202))
    c.fill(Circle(120, 176, 19), (30, 32, 38))
    c.fill(Outline(Circle(120, 176, 14.5), 1.2), (92, 96, 106))
    c.fill(Circle(120, 176, 11), rgrad(116, 172, 14, (92, 112, 192), (24, 28, 60)))
    c.fill(Ellipse(115, 171, 4, 2.6), (255, 255, 255), 0.8)
    # Hands gripping both sides, an index finger on the shutter release.
    c.fill(Box(58, 158, 82, 198, 10), SKIN)
    c.fill(Box(158, 158, 182, 198, 10), SKIN)
    for fy in (166, 174, 182):
        c.fill(Capsule(62, fy, 86, fy, 3.6), SKIN)
        c.fill(Capsule(70, fy + 3.6, 86, fy + 3.6, 0.5), SKIN_SHADE)
    c.fill(Capsule(178, 156, 156, 150, 3.6), SKIN)
    return c

# ----------------------------------------------------------------------------------------------
# The icon: a phone whose screen shows an incoming call

ICON_TOP = (58, 44, 132)
ICON_BOTTOM = (20, 30, 76)
GREEN = (52, 199, 110)
WAVES = (9.4, 12.0)  # radii of the ringing waves beside the phone


def icon(size, rounded):
    """Drawn on a 32-unit grid and scaled; below 32 pixels the finer details are left out."""
    s = size / 32.0
    c = Canvas(size, size)
    tile = Box(0, 0, size, size, 6.5 * s if rounded else 0.0)
    c.fill(tile, lgrad(0, 0, ICON_TOP, size * 0.4, size, ICON_BOTTOM))
    if size < 32:
        # Too small for waves: the phone and its call button, snapped to whole pixels.
        k = size / 16.0
        c.fill(Box(4 * k, 1 * k, 12 * k, 15 * k, 1.5 * k), (236, 240, 250))
        c.fill(Box(5 * k, 2 * k, 11 * k, 14 * k, 0.5 * k), (28, 36, 76))
        c.fill(Circle(8 * k, 8 * k, 3.5 * k), GREEN)
        c.fill(handset(8 * k, 8 * k, 4.8 * k, 225), (255, 255, 255))
        return c
    c.fill(tile & Arc(10 * s, 44 * s, 34 * s, 245, 70, 2.6 * s), (80, 230, 170), 0.45)
    for r in WAVES:
        for a0 in (-22, 158):
            c.fill(Arc(16 * s, 16.5 * s, r * s, a0, 44, 0.8 * s), (255, 255, 255))
    c.fill(Box(9 * s, 4 * s, 23 * s, 28 * s, 3 * s), (236, 240, 250))
    c.fill(Box(10.5 * s, 6.5 * s, 21.5 * s, 25.5 * s, 1.5 * s),
           vgrad(6.5 * s, (36, 48, 96), 25.5 * s, (22, 28, 60)))
    c.fill(Circle(16 * s, 16.5 * s, 5 * s), GREEN)
    c.fill(handset(16 * s, 16.5 * s, 6.4 * s, 225), (255, 255, 255))
    return c


def icon_svg():
    """The same icon as a vector drawing, for the scalable theme folder."""
    def arc_path(cx, cy, r, a0, span):
        a, b = math.radians(a0), math.radians(a0 + span)
        return "M%.3f %.3fA%.3f %.3f 0 0 1 %.3f %.3f" % (
            cx + r * math.cos(a), cy + r * math.sin(a), r, r, cx + r * math.cos(b), cy + r * math.sin(b))

    waves = "".join('<path d="%s"/>' % arc_path(16, 16.5, r, a0, 44)
                    for r in WAVES for a0 in (-22, 158))
    receiver = []
    for p in handset_parts(6.4):
        if p[0] == "arc":
            _, cx, cy, r, a0, span, hw = p
            receiver.append('<path d="%s" fill="none" stroke="#fff" stroke-width="%.3f" '
                            'stroke-linecap="round"/>' % (arc_path(cx, cy, r, a0, span), 2 * hw))
        else:
            _, hx, hy, rr, turn, bx, by = p
            receiver.append('<rect x="%.3f" y="%.3f" width="%.3f" height="%.3f" rx="%.3f" fill="#fff" '
                            'transform="translate(%.3f %.3f) rotate(%g)"/>'
                            % (-hx, -hy, 2 * hx, 2 * hy, rr, bx, by, turn))
    return """<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 32 32">
  <defs>
    <linearGradient id="tile" x1="0" y1="0" x2="12.8" y2="32" gradientUnits="userSpaceOnUse">
      <stop offset="0" stop-color="#3a2c84"/><stop offset="1" stop-color="#141e4c"/>
    </linearGradient>
    <linearGradient id="screen" x1="0" y1="6.5" x2="0" y2="25.5" gradientUnits="userSpaceOnUse">
      <stop offset="0" stop-color="#243060"/><stop offset="1" stop-color="#161c3c"/>
    </linearGradient>
    <clipPath id="clip"><rect width="32" height="32" rx="6.5"/></clipPath>
  </defs>
  <rect width="32" height="32" rx="6.5" fill="url(#tile)"/>
  <path clip-path="url(#clip)" d="%s" fill="none" stroke="#50e6aa" stroke-opacity="0.45"
        stroke-width="5.2" stroke-linecap="round"/>
  <g fill="none" stroke="#fff" stroke-width="1.6" stroke-linecap="round">%s</g>
  <rect x="9" y="4" width="14" height="24" rx="3" fill="#ecf0fa"/>
  <rect x="10.5" y="6.5" width="11" height="19" rx="1.5" fill="url(#screen)"/>
  <circle cx="16" cy="16.5" r="5" fill="#34c76e"/>
  <g transform="translate(16 16.5) rotate(225)">
    %s
  </g>
</svg>
""" % (arc_path(10, 44, 34, 245, 70), waves, "\n    ".join(receiver))


# ----------------------------------------------------------------------------------------------
# The example skin "aurora"

NIGHT = (10, 16, 38)          # the skin's background colour; the sky picture fades into it
STATUS_TOP, STATUS_BOTTOM = (4, 7, 18), (9, 14, 32)
DOCK_TOP, DOCK_BOTTOM = (24, 32, 66), (8, 11, 26)
MAGENTA = (255, 0, 255)
PHOTO_W, PHOTO_H = 96, 80     # the photo rectangle; the avatars have exactly this size


def aurora_sky():
    """240 x 200: night sky with aurora curtains over a mountain ridge, fading into NIGHT."""
    w, h = 240, 200
    c = Canvas(w, h)
    top, horizon = (16, 18, 58), (22, 48, 92)
    curtains = [
        # (base y, wave amplitude, wave length, phase, colour, strength, height of the rays)
        (96, 12, 150, 0.3, (60, 236, 160), 0.8, 40),
        (74, 9, 110, 2.1, (70, 200, 220), 0.45, 34),
        (58, 8, 170, 4.0, (170, 96, 230), 0.45, 30),
    ]
    for y in range(h):
        for x in range(w):
            px, py = x + 0.5, y + 0.5
            col = mix(top, horizon, (py / 170.0) ** 1.6 if py < 170 else 1.0)
            for base, amp, wl, ph, cc, strength, height in curtains:
                yc = base + amp * math.sin(2 * math.pi * px / wl + ph) + 4 * math.sin(px / 23.0 + ph * 2)
                d = py - yc
                # A sharp lower hem and rays that fade upwards, brighter in some places than others.
                v = math.exp(-(d / 4.0) ** 2) if d > 0 else math.exp(d / height)
                rays = 0.45 + 0.55 * math.sin(px / 3.3 + ph + 2.5 * math.sin(px / 17.0)) ** 2
                swell = 0.55 + 0.45 * math.sin(px / 41.0 + ph * 1.7)
                t = min(strength * v * rays * swell, 1.0) * 0.7
                col = tuple(a + (b - a) * t for a, b in zip(col, cc))
            c.put(x, y, col, 1.0)
    # Stars where the sky is dark.
    rng = Lcg(20240607)
    for _ in range(70):
        sx, sy = rng.next() * w, rng.next() * 120
        b = 0.35 + 0.65 * rng.next() ** 2
        c.fill(Circle(sx, sy, 0.55 + 0.5 * rng.next()), (255, 255, 255), b * (1 - sy / 160.0))
    # Mountains, in the background colour so that they run on into it.
    far = [(0, 200), (0, 152), (22, 140), (44, 148), (70, 128), (96, 146), (118, 138), (150, 156),
           (178, 132), (204, 144), (226, 136), (240, 142), (240, 200)]
    c.fill(Polygon(far), mix(NIGHT, (40, 60, 110), 0.45))
    near = [(0, 200), (0, 166), (30, 158), (58, 172), (90, 160), (124, 176), (160, 162), (196, 174),
            (222, 164), (240, 170), (240, 200)]
    c.fill(Polygon(near), NIGHT)
    c.fill(Box(0, 180, 240, 200), NIGHT)
    return c


def status_row(y):
    """The status bar is a vertical gradient with a faint line at its foot; row y's colour."""
    if y >= 17:
        return (44, 64, 110)
    return mix(STATUS_TOP, STATUS_BOTTOM, y / 16.0)


def status_bar():
    c = Canvas(8, 18)
    c.shade(lambda x, y: status_row(int(y)))
    return c


def on_status(w, h, top):
    """A canvas whose rows carry the status bar's colours from row top on."""
    c = Canvas(w, h)
    c.shade(lambda x, y: status_row(top + int(y)))
    return c


def signal_icon():
    c = on_status(20, 12, 3)
    for i in range(4):
        bh = 3 + 3 * i
        c.fill(Box(1 + 5 * i, 12 - bh, 4 + 5 * i, 12, 0.8), (235, 242, 255) if i < 3 else (90, 104, 140))
    return c


def battery_icon():
    c = on_status(26, 12, 3)
    body = Box(0.5, 0.5, 22.5, 11.5, 2.5)
    c.fill(Outline(body, 1.2), (235, 242, 255))
    c.fill(Box(23, 3.5, 25, 8.5, 1), (235, 242, 255))
    c.fill(Box(2.5, 2.5, 17, 9.5, 1.2), (76, 222, 140))
    return c


def dock():
    c = Canvas(8, 92)
    c.shade(lambda x, y: (70, 96, 150) if y < 1 else mix(DOCK_TOP, DOCK_BOTTOM, (y - 1) / 91.0))
    return c


def dock_mid():
    return mix(DOCK_TOP, DOCK_BOTTOM, 0.45)


def border_frame():
    """18 x 18, read as a 3 x 3 grid of 6-pixel cells: concentric rings, so corners and edges meet."""
    rings = [(16, 24, 52), (110, 196, 214), (236, 246, 252), (252, 253, 255), (200, 216, 236),
             (22, 30, 58)]
    c = Canvas(18, 18)
    c.shade(lambda x, y: rings[min(int(min(x, y, 18 - x, 18 - y)), 5)])
    return c


def caption():
    unit, hw = 1.55, 0.78
    tw = text_width("INCOMING CALL", unit)
    w = int(math.ceil(tw)) + 22
    c = Canvas(w, 13)
    # A small ringing handset before the words.
    c.fill(handset(6.5, 6.5, 10, 225), (120, 240, 190))
    shape, _ = text_shape("INCOMING CALL", 19.5, 2, unit * 1.0, hw)
    c.fill(shape, (214, 236, 255))
    return c


def avatar(kind):
    c = Canvas(PHOTO_W, PHOTO_H)
    if kind == "unknown":
        c.shade(vgrad(0, (70, 80, 118), PHOTO_H, (36, 42, 72)))
        c.fill(person(48, 8, 1.0), (124, 134, 170))
        # A question mark on the head.
        q = Arc(48, 22, 5.2, 180, 250, 1.9) | Capsule(48, 28, 48, 30.5, 1.9) | Circle(48, 36, 2.0)
        c.fill(q, (52, 60, 96))
    elif kind == "number":
        c.shade(vgrad(0, (30, 128, 150), PHOTO_H, (16, 62, 96)))
        for row in range(4):
            for col in range(3):
                if row == 3 and col != 1:
                    continue
                c.fill(Circle(32 + 16 * col, 16 + 15 * row, 5.2), (236, 250, 255))
    else:  # contact without picture
        c.shade(lgrad(0, 0, (150, 92, 220), PHOTO_W, PHOTO_H, (70, 56, 160)))
        c.fill(person(48, 8, 1.0), (246, 240, 255))
    return c


def round_badge(size, bg, glyph):
    c = Canvas(size, size)
    m = size / 2
    c.fill(Circle(m, m, m - 0.5), (16, 20, 44))
    c.fill(Circle(m, m, m - 2.0), bg)
    c.fill(glyph, (255, 255, 255))
    return c


def lock_badge():
    body = Box(7.5, 11.5, 18.5, 19.5, 1.5)
    shackle = Arc(13, 11.5, 3.4, 180, 180, 1.2) | Capsule(9.6, 11.5, 9.6, 12.5, 1.2) \
        | Capsule(16.4, 11.5, 16.4, 12.5, 1.2)
    glyph = (body | shackle) - Circle(13, 15.2, 1.3)
    return round_badge(26, (140, 80, 214), glyph)


def work_badge():
    """A briefcase, shown beside a contact's company and job."""
    case = Box(4, 8, 20, 19, 2)
    handle = Outline(Box(9, 4.5, 15, 9, 1.5), 1.5) - Box(8, 8, 16, 12)
    glyph = case | handle
    c = Canvas(24, 24)
    c.fill(Box(0.5, 0.5, 23.5, 23.5, 6), (38, 52, 98))
    c.fill(glyph, (160, 220, 255))
    c.fill(Box(4, 12, 20, 13.2), (38, 52, 98))
    return c


def call_button(colour, glyph_deg, pressed):
    size = 56
    m = size / 2
    c = Canvas(size, size)
    c.glow(Circle(m, m + 1.5, 25), (0, 0, 0), 3.0, 0.35)
    top, bottom = mix(colour, (255, 255, 255), 0.18), mix(colour, (0, 0, 0), 0.22)
    if pressed:
        top, bottom = mix(colour, (0, 0, 0), 0.35), mix(colour, (0, 0, 0), 0.15)
    c.fill(Circle(m, m, 25), vgrad(3, top, 53, bottom))
    if not pressed:
        c.fill(Ellipse(m, m - 12, 16, 8), (255, 255, 255), 0.16)
    else:
        c.fill(Outline(Circle(m, m, 24), 2), (255, 255, 255), 0.35)
    off = 1 if pressed else 0
    c.fill(handset(m, m + off + (2 if glyph_deg == 0 else 0), 28, glyph_deg), (255, 255, 255))
    return c


def small_button(glyph, pressed, active=(150, 96, 236)):
    size = 32
    m = size / 2
    c = Canvas(size, size)
    fill = vgrad(2, (62, 74, 120), 30, (40, 48, 86)) if not pressed else vgrad(2, active, 30, mix(active, (0, 0, 0), 0.3))
    c.fill(Circle(m, m, 15), (90, 110, 170) if not pressed else mix(active, (255, 255, 255), 0.4))
    c.fill(Circle(m, m, 14), fill)
    c.fill(glyph, (255, 255, 255))
    return c


def bell_slash():
    bell = Union([Circle(16, 13.5, 5.2), Polygon([(10.8, 13.5), (21.2, 13.5), (22.8, 19.5), (9.2, 19.5)]),
                  Box(8.2, 18.8, 23.8, 21, 1.1), Circle(16, 22.4, 1.9), Circle(16, 8, 1.4)])
    # The slash leaves a thin gap in the bell on its lower side only.
    return (bell - Capsule(7.2, 8.8, 23.2, 24.8, 1.9)) | Capsule(8, 7.5, 24, 23.5, 1.0)


def speech_bubble():
    bubble = Box(8, 9, 24, 20, 4) | Polygon([(11, 19), (16, 19), (10.5, 24.5)])
    dots = Union([Circle(12 + 4 * i, 14.5, 1.3) for i in range(3)])
    return bubble - dots


AURORA_INI = """\
; Aurora - the example skin of Pindrel.
;
; A skin is an INI file: [Section] headers, then key=value entries. A line whose first
; character is ";" is a comment; comments must stand on a line of their own, since a ";"
; after a value would become part of it. Section names and keys are case-sensitive.
;
; Every element is placed once per screen orientation:
;   posP/sizeP  Portrait  240 x 320
;   posL/sizeL  Landscape 320 x 240
;   posQ/sizeQ  Square    240 x 240
; A position is "x,y" from the top-left corner, a size "width,height". An image or button
; without a size (or with a size of 0) keeps its picture's own size; a label needs a size.
;
; "type" is a mask of the call types under which an element shows; add the numbers up:
;   1 unknown caller     2 private caller     4 number not in the contacts
;   8 contact without picture     16 contact with picture     255 (the default) always
;
; Bitmap names are relative to this file's folder. Colours are "red,green,blue".

; Fills the whole screen first. The sky picture below fades into exactly this colour,
; so the bottom of the screen continues it without a seam.
[Background Color]
color={night}

; Drawn first, over the colour. In Portrait it keeps its own size (240 x 200); in Landscape
; and Square it is given another size and resized to fit.
[Background Image]
file=bgr.bmp
posP=0,0
posL=0,0
sizeL=320,200
posQ=0,0
sizeQ=240,172

; Never drawn by itself: frames are cut from it. It is read as a 3 x 3 grid of cells
; (cell = picture width / 3, here 18 / 3 = 6 pixels): the corner cells become the corners,
; the middle cells of the sides are repeated along the edges. The frame goes around the
; caller's photo and around every image with border=1, outside their rectangles.
[Border Image]
file=border.bmp

; Where the caller's photo goes, shown only for a contact with a picture. The photo keeps
; its proportions: it is scaled to fit and centred. 96 x 80 matches the 240 x 200 sample.
[Photo Rect]
posP={photoP}
sizeP={photo_size}
posL={photoL}
sizeL={photo_size}
posQ={photoQ}
sizeQ={photo_size}

; ---- Images are drawn in file order, after the background and before the buttons. ----

; The status bar: an 8 x 18 strip stretched across the screen (the size differs from the
; picture's, so it is resized; its columns are all alike, so it stretches cleanly).
[Image]
file=status.bmp
posP=0,0
sizeP=240,18
posL=0,0
sizeL=320,18
posQ=0,0
sizeQ=240,18

; Signal and battery: plain copies at their own size, painted on the status bar's colours.
[Image]
file=signal.bmp
posP=6,3
posL=6,3
posQ=6,3

[Image]
file=battery.bmp
posP=208,3
posL=288,3
posQ=208,3

; "INCOMING CALL" in lettering of the skin's own. Magenta pixels are keyed out, which
; only works when the image is drawn at its own size: so no size keys here.
[Image]
file=caption.bmp
type=255
posP={captionP}
posL={captionL}
posQ={captionQ}
transp_color=255,0,255

; The dock behind the buttons: a tall gradient strip resized to the screen's width.
[Image]
file=dock.bmp
posP={dockP}
sizeP={dock_sizeP}
posL={dockL}
sizeL={dock_sizeL}
posQ={dockQ}
sizeQ={dock_sizeQ}

; Stand-ins for the photo, each for the call types that have no photo, framed (border=1)
; exactly like the photo is. Unknown and private callers (1 + 2 = 3) share one.
[Image]
file=avatar_unknown.bmp
type=3
border=1
posP={photoP}
posL={photoL}
posQ={photoQ}

; A number that is not in the contacts (4).
[Image]
file=avatar_number.bmp
type=4
border=1
posP={photoP}
posL={photoL}
posQ={photoQ}

; A contact without a picture (8).
[Image]
file=avatar_contact.bmp
type=8
border=1
posP={photoP}
posL={photoL}
posQ={photoQ}

; A padlock over the corner of the avatar, for private callers only (2).
[Image]
file=badge_lock.bmp
type=2
posP={lockP}
posL={lockL}
posQ={lockQ}
transp_color=255,0,255

; A briefcase beside the company and job, for contacts with or without a picture (8 + 16).
[Image]
file=badge_work.bmp
type=24
posP={workP}
posL={workL}
posQ={workQ}
transp_color=255,0,255

; ---- Buttons: an up and a down picture of the same size, drawn after the images. ----
; "id" is the command a button sends when clicked; a button with id=3 sends it as soon as
; it is pressed, and then stays down. Round buttons on the dock key out their magenta corners.

[Button]
file_up=decline_up.bmp
file_down=decline_down.bmp
id=2
posP={declineP}
posL={declineL}
posQ={declineQ}
transp_color=255,0,255

[Button]
file_up=answer_up.bmp
file_down=answer_down.bmp
id=1
posP={answerP}
posL={answerL}
posQ={answerQ}
transp_color=255,0,255

; Silence the ringer: once pressed it stays down (id=3).
[Button]
file_up=silence_up.bmp
file_down=silence_down.bmp
id=3
posP={silenceP}
posL={silenceL}
posQ={silenceQ}
transp_color=255,0,255

; Reply with a message: only when there is a number to reply to (4 + 8 + 16 = 28).
[Button]
file_up=message_up.bmp
file_down=message_down.bmp
id=4
type=28
posP={messageP}
posL={messageL}
posQ={messageQ}
transp_color=255,0,255

; ---- Labels: caller fields, one below the other, each in its own font and colour. ----
; fields   a comma list of: name company job category phone time nick phonetype phoneonly
; fontN    size in points, face, bold (0/1), italic (0/1) of the N-th field in the list
;          (the face name may contain spaces; a face the system lacks is replaced by another)
; colorN   its colour
; hor_align  0 left, 1 right, 2 centre      vert_align  0 top, 1 bottom, 2 centre
; A field with no text under the current call type takes no room at all.

; The clock, right-aligned against the battery and centred in the status bar's height.
[Label]
fields=time
font1=9,Tahoma,1,0
color1=236,242,255
hor_align=1
vert_align=2
posP={timeP}
sizeP={time_sizeP}
posL={timeL}
sizeL={time_sizeL}
posQ={timeQ}
sizeQ={time_sizeQ}

; Who is calling: "Unknown Caller", "Private Caller" or the contact's name, with the
; number below it. Sits on the bottom of its box, just above the details.
[Label]
fields=name,phone
font1=13,DejaVu Sans,1,0
color1=255,255,255
font2=9,Tahoma,0,0
color2=150,226,255
type=27
hor_align=2
vert_align=1
posP={callerP}
sizeP={caller_sizeP}
posL={callerL}
sizeL={caller_sizeL}
posQ={callerQ}
sizeQ={caller_sizeQ}

; A number that is not in the contacts has no name: show the bare number large instead,
; and its type below, centred in the same box.
[Label]
fields=phoneonly,phonetype
font1=14,DejaVu Sans,1,0
color1=255,255,255
font2=9,Tahoma,0,1
color2=150,226,255
type=4
hor_align=2
vert_align=2
posP={numberP}
sizeP={number_sizeP}
posL={numberL}
sizeL={number_sizeL}
posQ={numberQ}
sizeQ={number_sizeQ}

; Company, job and categories of a contact, left-aligned beside the briefcase.
[Label]
fields=company,job,category
font1=9,Tahoma,1,0
color1=226,232,250
font2=8,Tahoma,0,1
color2=170,184,220
font3=8,Tahoma,0,0
color3=128,214,176
type=24
hor_align=0
vert_align=0
posP={detailsP}
sizeP={details_sizeP}
posL={detailsL}
sizeL={details_sizeL}
posQ={detailsQ}
sizeQ={details_sizeQ}
"""


def pair(p):
    return "%d,%d" % p


def aurora_layout(caption_w):
    """Every position of the skin, per orientation (P 240x320, L 320x240, Q 240x240)."""
    lay = {}
    photo = {"P": (72, 42), "L": (22, 44), "Q": (14, 44)}
    for o, (x, y) in photo.items():
        lay["photo" + o] = (x, y)
        lay["lock" + o] = (x + PHOTO_W - 14, y + PHOTO_H - 14)
    lay["photo_size"] = (PHOTO_W, PHOTO_H)
    lay["captionP"] = ((240 - caption_w) // 2, 21)
    lay["captionL"] = (22, 22)
    lay["captionQ"] = (14, 22)
    # Dock and buttons: silence belongs with decline, message with answer.
    lay["dockP"], lay["dock_sizeP"] = (0, 220), (240, 100)
    lay["dockL"], lay["dock_sizeL"] = (0, 164), (320, 76)
    lay["dockQ"], lay["dock_sizeQ"] = (0, 166), (240, 74)
    lay["declineP"], lay["answerP"] = (26, 260), (158, 260)
    lay["silenceP"], lay["messageP"] = (38, 224), (170, 224)
    lay["declineL"], lay["answerL"] = (64, 174), (200, 174)
    lay["silenceL"], lay["messageL"] = (22, 186), (266, 186)
    lay["declineQ"], lay["answerQ"] = (50, 175), (134, 175)
    lay["silenceQ"], lay["messageQ"] = (10, 187), (198, 187)
    # Labels.
    lay["timeP"], lay["time_sizeP"] = (120, 0), (84, 18)
    lay["timeL"], lay["time_sizeL"] = (200, 0), (84, 18)
    lay["timeQ"], lay["time_sizeQ"] = (120, 0), (84, 18)
    lay["callerP"], lay["caller_sizeP"] = (8, 130), (224, 46)
    lay["numberP"], lay["number_sizeP"] = (8, 134), (224, 76)
    lay["detailsP"], lay["details_sizeP"] = (58, 176), (166, 42)
    lay["workP"] = (28, 178)
    lay["callerL"], lay["caller_sizeL"] = (134, 40), (178, 54)
    lay["numberL"], lay["number_sizeL"] = (134, 44), (178, 80)
    lay["detailsL"], lay["details_sizeL"] = (164, 98), (148, 44)
    lay["workL"] = (136, 100)
    lay["callerQ"], lay["caller_sizeQ"] = (116, 40), (120, 54)
    lay["numberQ"], lay["number_sizeQ"] = (116, 44), (120, 80)
    lay["detailsQ"], lay["details_sizeQ"] = (144, 98), (92, 44)
    lay["workQ"] = (118, 100)
    return lay


def make_aurora(out):
    d = os.path.join(out, "examples", "aurora")
    save_bmp(os.path.join(d, "bgr.bmp"), aurora_sky())
    save_bmp(os.path.join(d, "status.bmp"), status_bar())
    save_bmp(os.path.join(d, "signal.bmp"), signal_icon())
    save_bmp(os.path.join(d, "battery.bmp"), battery_icon())
    save_bmp(os.path.join(d, "dock.bmp"), dock())
    save_bmp(os.path.join(d, "border.bmp"), border_frame())
    cap = caption()
    save_keyed_bmp(os.path.join(d, "caption.bmp"), cap, (20, 26, 66))
    for kind in ("unknown", "number", "contact"):
        save_bmp(os.path.join(d, "avatar_%s.bmp" % kind), avatar(kind))
    save_keyed_bmp(os.path.join(d, "badge_lock.bmp"), lock_badge(), (40, 44, 80))
    save_keyed_bmp(os.path.join(d, "badge_work.bmp"), work_badge(), NIGHT)
    red, green = (232, 64, 72), (48, 196, 104)
    matte = dock_mid()
    for pressed, state in ((False, "up"), (True, "down")):
        save_keyed_bmp(os.path.join(d, "decline_%s.bmp" % state), call_button(red, 0, pressed), matte)
        save_keyed_bmp(os.path.join(d, "answer_%s.bmp" % state), call_button(green, 225, pressed), matte)
        save_keyed_bmp(os.path.join(d, "silence_%s.bmp" % state), small_button(bell_slash(), pressed), matte)
        save_keyed_bmp(os.path.join(d, "message_%s.bmp" % state), small_button(speech_bubble(), pressed),
                       matte)
    values = {k: pair(v) for k, v in aurora_layout(cap.w).items()}
    values["night"] = "%d,%d,%d" % NIGHT
    write_text(os.path.join(d, "aurora.ini"), AURORA_INI.format(**values).replace("\n", "\r\n"))

# ----------------------------------------------------------------------------------------------

def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--out", default=os.path.dirname(os.path.dirname(os.path.abspath(__file__))),
                    help="root below which res/ and examples/ are written (default: the repository)")
    args = ap.parse_args()
    res = os.path.join(args.out, "res")

    save_bmp(os.path.join(res, "sample_photo.bmp"), sample_photo())
    for size in (16, 32):
        save_bmp(os.path.join(res, "icon_%d.bmp" % size), icon(size, rounded=False))
    for size in (16, 32, 48, 64, 128, 256):
        c = icon(size, rounded=True)
        write_png(os.path.join(res, "icon_%d.png" % size), size, size, c.rows_rgba(), alpha=True)
    write_text(os.path.join(res, "icon.svg"), icon_svg())
    make_aurora(args.out)


if __name__ == "__main__":
    main()
