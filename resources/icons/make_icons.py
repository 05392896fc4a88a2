#!/usr/bin/env python3
"""Draws every icon of Varnel and writes them as .ico files.

Each icon is drawn from vector shapes (polygons, circles, rounded rectangles, stroked lines)
for every size it ships in. Shapes are painted opaque onto an 8 x 8 supersampled canvas and
averaged down, which gives clean antialiasing without dark seams where shapes meet. Outer
edges are placed on whole pixels at every size, so straight outlines stay crisp at 16 x 16.

The .ico files keep classic entries only (32-bit BGRA DIB plus AND mask, no PNG), smallest
first, so that loading an icon "at its default size" gives the 16 x 16 image.

Standard library only. Usage:
    make_icons.py [--out DIR] [--preview DIR]
The preview folder receives one PNG per icon and size, and sheet.png, a contact sheet.
"""

import argparse
import math
import os
import re
import struct
import sys
import zlib

SS = 8  # samples per pixel along each axis

SIZES = (16, 20, 24, 32)
APP_SIZES = (16, 20, 24, 32, 48)

# ---------------------------------------------------------------------------------------------
# Palette: one dark ink for outlines, paper, a blue accent and a few supporting colours.

INK = (40, 52, 68)
PAPER = (255, 255, 255)
PAPER_SHADE = (222, 229, 238)
FAINT = (184, 194, 206)      # de-emphasised text lines
LINE = (128, 140, 156)       # ordinary text lines
BLUE = (44, 112, 222)
BLUE_DARK = (26, 72, 160)
BLUE_LIGHT = (196, 222, 250)
RED = (226, 62, 52)
RED_DARK = (150, 28, 24)
AMBER = (246, 178, 62)
AMBER_DARK = (158, 98, 14)
STEEL = (168, 178, 190)
STEEL_LIGHT = (226, 231, 237)
GREY = (142, 152, 166)
WIRE = (92, 104, 122)        # a thin wire, seen on light and dark alike
WHITE = (255, 255, 255)
BADGE_RIM = (96, 108, 124)
BADGE_FACE = (250, 251, 253, 235)
CLEAR = (0, 0, 0, 0)


def rgba(c, a=255):
    return c if len(c) == 4 else (c[0], c[1], c[2], a)


def darker(c, f):
    return tuple(int(round(v * f)) for v in c[:3])


def mix(c1, c2, t):
    return tuple(int(round(a + (b - a) * t)) for a, b in zip(c1[:3], c2[:3]))


# ---------------------------------------------------------------------------------------------
# Geometry. Coordinates are in pixels of the target size; y grows downwards.

def rect(x0, y0, x1, y1):
    return [(x0, y0), (x1, y0), (x1, y1), (x0, y1)]


def arc(cx, cy, r, a0, a1, steps=None):
    if steps is None:
        steps = max(4, int(abs(a1 - a0) / (math.pi / 2) * max(6, r * 3)))
    return [(cx + r * math.cos(a0 + (a1 - a0) * i / steps),
             cy + r * math.sin(a0 + (a1 - a0) * i / steps)) for i in range(steps + 1)]


def circle(cx, cy, r):
    steps = max(24, int(r * 12))
    return [(cx + r * math.cos(2 * math.pi * i / steps),
             cy + r * math.sin(2 * math.pi * i / steps)) for i in range(steps)]


def rrect(x0, y0, x1, y1, r):
    r = max(0.0, min(r, (x1 - x0) / 2, (y1 - y0) / 2))
    if r <= 0:
        return rect(x0, y0, x1, y1)
    h = math.pi / 2
    return (arc(x1 - r, y0 + r, r, -h, 0) + arc(x1 - r, y1 - r, r, 0, h)
            + arc(x0 + r, y1 - r, r, h, 2 * h) + arc(x0 + r, y0 + r, r, 2 * h, 3 * h))


def area(pts):
    s = 0.0
    for i in range(len(pts)):
        x0, y0 = pts[i]
        x1, y1 = pts[(i + 1) % len(pts)]
        s += x0 * y1 - x1 * y0
    return s / 2


def _line_intersect(p, d, q, e):
    den = d[0] * e[1] - d[1] * e[0]
    if abs(den) < 1e-9:
        return None
    t = ((q[0] - p[0]) * e[1] - (q[1] - p[1]) * e[0]) / den
    return (p[0] + d[0] * t, p[1] + d[1] * t)


def inset(pts, d):
    """Moves every edge of a simple polygon inwards by d (mitred corners)."""
    pts = [p for i, p in enumerate(pts)
           if math.hypot(p[0] - pts[i - 1][0], p[1] - pts[i - 1][1]) > 1e-9]
    sign = 1 if area(pts) > 0 else -1
    lines = []
    for i in range(len(pts)):
        (x0, y0), (x1, y1) = pts[i], pts[(i + 1) % len(pts)]
        dx, dy = x1 - x0, y1 - y0
        ln = math.hypot(dx, dy)
        nx, ny = -dy / ln * sign, dx / ln * sign  # inward normal (y down, positive area)
        lines.append(((x0 + nx * d, y0 + ny * d), (dx, dy)))
    out = []
    for i in range(len(lines)):
        p = _line_intersect(*lines[i - 1], *lines[i])
        out.append(p if p else lines[i][0])
    return out


def rotate(pts, ang, cx, cy):
    ca, sa = math.cos(ang), math.sin(ang)
    return [(cx + (x - cx) * ca - (y - cy) * sa, cy + (x - cx) * sa + (y - cy) * ca)
            for x, y in pts]


def stroke(points, w, cap='butt', join='miter', closed=False):
    """Outline of a polyline of width w, as a list of contours."""
    h = w / 2
    k = len(points)
    segs = k if closed else k - 1
    dirs = []
    for i in range(segs):
        (x0, y0), (x1, y1) = points[i], points[(i + 1) % k]
        ln = math.hypot(x1 - x0, y1 - y0)
        dirs.append(((x1 - x0) / ln, (y1 - y0) / ln))

    def corner(p, d0, d1, sgn):
        n0 = (-d0[1] * sgn, d0[0] * sgn)
        n1 = (-d1[1] * sgn, d1[0] * sgn)
        a = (p[0] + n0[0] * h, p[1] + n0[1] * h)
        b = (p[0] + n1[0] * h, p[1] + n1[1] * h)
        if join == 'round':
            a0, a1 = math.atan2(n0[1], n0[0]), math.atan2(n1[1], n1[0])
            while a1 - a0 > math.pi:
                a1 -= 2 * math.pi
            while a1 - a0 < -math.pi:
                a1 += 2 * math.pi
            return arc(p[0], p[1], h, a0, a1, 8)
        q = _line_intersect(a, d0, b, d1)
        return [q if q else a]

    def side(sgn):
        out = []
        for i, p in enumerate(points):
            if closed:
                out.extend(corner(p, dirs[i - 1], dirs[i], sgn))
            elif i == 0 or i == k - 1:
                d = dirs[0] if i == 0 else dirs[-1]
                out.append((p[0] - d[1] * h * sgn, p[1] + d[0] * h * sgn))
            else:
                out.extend(corner(p, dirs[i - 1], dirs[i], sgn))
        return out

    left, right = side(1), side(-1)
    if closed:
        return [left, right[::-1]]
    d0, d1 = dirs[0], dirs[-1]
    p0, p1 = points[0], points[-1]
    if cap == 'square':
        left[0] = (left[0][0] - d0[0] * h, left[0][1] - d0[1] * h)
        right[0] = (right[0][0] - d0[0] * h, right[0][1] - d0[1] * h)
        left[-1] = (left[-1][0] + d1[0] * h, left[-1][1] + d1[1] * h)
        right[-1] = (right[-1][0] + d1[0] * h, right[-1][1] + d1[1] * h)
    if cap == 'round':
        a_end = math.atan2(d1[1], d1[0])
        a_start = math.atan2(d0[1], d0[0])
        end_cap = arc(p1[0], p1[1], h, a_end + math.pi / 2, a_end - math.pi / 2, 12)
        start_cap = arc(p0[0], p0[1], h, a_start - math.pi / 2, a_start - 3 * math.pi / 2, 12)
        return [left + end_cap[1:-1] + right[::-1] + start_cap[1:-1]]
    return [left + right[::-1]]


# ---------------------------------------------------------------------------------------------
# Supersampled canvas

class Canvas:
    def __init__(self, n, flat=False):
        self.n = n
        self.s = n / 16.0                     # design units are sixteenths of the icon
        self.w = 1 if n < 40 else 2           # outline width in pixels
        self.flat = flat                      # tray variant: hard edges, flat colours
        self.W = n * SS
        size = self.W * self.W
        self.ch = [bytearray(size) for _ in range(4)]

    # design units -> pixels, snapped to a pixel edge
    def e(self, v):
        return float(math.floor(v * self.s + 0.5))

    # design units -> pixels, unsnapped
    def u(self, v):
        return v * self.s

    def fill(self, contours, color, rule='nonzero', clip=None):
        if contours and isinstance(contours[0], tuple):
            contours = [contours]
        color = rgba(color)
        W = self.W
        edges = []
        for pts in contours:
            for i in range(len(pts)):
                x0, y0 = pts[i]
                x1, y1 = pts[(i + 1) % len(pts)]
                if y0 == y1:
                    continue
                d = 1 if y1 > y0 else -1
                if y0 > y1:
                    x0, y0, x1, y1 = x1, y1, x0, y0
                edges.append((y0 * SS, y1 * SS, x0 * SS, (x1 - x0) / (y1 - y0), d))
        if not edges:
            return
        cx0, cy0, cx1, cy1 = 0, 0, W, W
        if clip:
            cx0, cy0 = max(0, int(round(clip[0] * SS))), max(0, int(round(clip[1] * SS)))
            cx1, cy1 = min(W, int(round(clip[2] * SS))), min(W, int(round(clip[3] * SS)))
        ymin = max(cy0, int(math.floor(min(e[0] for e in edges))))
        ymax = min(cy1, int(math.ceil(max(e[1] for e in edges))))
        vals = [bytes([v]) for v in color]
        for j in range(ymin, ymax):
            y = j + 0.5
            xs = []
            for (ey0, ey1, ex0, slope, d) in edges:
                if ey0 <= y < ey1:
                    xs.append((ex0 + (y - ey0) * slope, d))
            if not xs:
                continue
            xs.sort()
            wind = 0
            row = j * W
            for k in range(len(xs) - 1):
                x, d = xs[k]
                wind = wind + d if rule == 'nonzero' else wind ^ 1
                if wind == 0:
                    continue
                xa, xb = x, xs[k + 1][0]
                i0 = max(cx0, int(math.ceil(xa - 0.5)))
                i1 = min(cx1, int(math.ceil(xb - 0.5)))
                if i1 > i0:
                    for c in range(4):
                        self.ch[c][row + i0:row + i1] = vals[c] * (i1 - i0)

    def pixels(self):
        """Averages the samples down: a list of rows of (r, g, b, a), straight alpha."""
        n, W = self.n, self.W
        R, G, B, A = self.ch
        inv = 1.0 / (SS * SS)
        out = []
        for py in range(n):
            row = []
            for px in range(n):
                sr = sg = sb = sa = 0
                for j in range(py * SS, py * SS + SS):
                    base = j * W + px * SS
                    for i in range(base, base + SS):
                        a = A[i]
                        if a:
                            sa += a
                            sr += R[i] * a
                            sg += G[i] * a
                            sb += B[i] * a
                if sa == 0:
                    row.append((0, 0, 0, 0))
                else:
                    row.append((int(round(sr / sa)), int(round(sg / sa)), int(round(sb / sa)),
                                int(round(sa * inv))))
            out.append(row)
        if self.flat:
            out = [[(r, g, b, 255) if a >= 128 else (0, 0, 0, 0) for (r, g, b, a) in row]
                   for row in out]
        return out


# ---------------------------------------------------------------------------------------------
# Building blocks shared by several icons

def outlined(c, shape, fill, ink=INK):
    """Paints a closed shape with a crisp outline of the canvas outline width."""
    c.fill(shape, ink)
    c.fill(inset(shape, c.w), fill)


def pitch(c):
    return {16: 2, 20: 2, 24: 3, 32: 3, 48: 4}[c.n]


def line_w(c):
    return 1 if c.n < 32 else 2


def sheet(c, x0, y0, x1, y1, fold=True, fill=PAPER):
    """A sheet of paper (pixel edges given) with a folded top-right corner."""
    f = max(3.0, float(round((x1 - x0) * 0.3))) if fold else 0
    if fold:
        shape = [(x0, y0), (x1 - f, y0), (x1, y0 + f), (x1, y1), (x0, y1)]
    else:
        shape = rect(x0, y0, x1, y1)
    outlined(c, shape, fill)
    if fold:
        w = c.w
        c.fill([(x1 - f, y0), (x1 - f, y0 + f), (x1, y0 + f)], INK)
        c.fill(inset([(x1 - f, y0), (x1 - f, y0 + f), (x1, y0 + f)], w * 0.9), PAPER_SHADE)
    return f


def text_lines(c, x0, x1, y0, y1, color, lengths=(1.0, 0.8, 1.0, 0.6, 0.9, 0.7)):
    """Horizontal text lines between y0 and y1 at the size's line pitch."""
    p, t = pitch(c), line_w(c)
    y, k = y0, 0
    while y + t <= y1 + 1e-6:
        ln = lengths[k % len(lengths)]
        xe = x0 + max(2.0, float(round((x1 - x0) * ln)))
        c.fill(rect(x0, y, xe, y + t), color)
        y += p
        k += 1
    return y


# ---------------------------------------------------------------------------------------------
# The icons. Each function draws onto a fresh canvas.

def paper_clip(c, xl, yt, length, ww, sp, outlined_wire):
    """A paper clip standing upright: the wire runs down the middle, round the bottom, up
    the left side, over the top and down the right side. xl is the left wire's centre, yt
    the top of the wire, sp the distance between neighbouring wires."""
    xm, xr = xl + sp, xl + 2 * sp
    rt, rb = sp, sp / 2
    yct = yt + ww / 2 + rt                 # centre of the top bend
    ycb = yt + length - ww / 2 - rb        # centre of the bottom bend
    path = ([(xm, yt + length * 0.42)]
            + arc((xl + xm) / 2, ycb, rb, 0, math.pi, 8)
            + arc(xm, yct, rt, math.pi, 2 * math.pi, 12)
            + [(xr, yt + length * 0.8)])
    if outlined_wire:
        c.fill(stroke(path, ww, cap='round', join='round'), INK)
        c.fill(stroke(path, ww - 2 * c.w, cap='round', join='round'), STEEL_LIGHT)
    else:
        c.fill(stroke(path, ww, cap='round', join='round'), WIRE)


def draw_app(c):
    n, e = c.n, c.e
    # the note: a white card with a coloured header band, as the notes list shows them
    if n == 16:
        x0, y0, x1, y1 = 1.0, 2.0, 15.0, 16.0
    else:
        x0, y0, x1, y1 = e(1.5), e(2.5), e(14.5), e(15.5)
    shape = rrect(x0, y0, x1, y1, max(1.0, c.u(1.2)))
    c.fill(shape, INK)
    inner = inset(shape, c.w)
    c.fill(inner, PAPER)
    band = y0 + c.w + max(3.0, e(3.5))
    edge = 1 if n < 40 else 2
    c.fill(inner, BLUE, clip=(0, 0, n, band))
    c.fill(inner, BLUE_DARK, clip=(0, band, n, band + edge))
    # the paper clip holds the card at its top edge, on the right
    ww, sp, outl = {16: (1.0, 2.0, False), 20: (1.0, 2.0, False), 24: (3.0, 3.0, True),
                    32: (3.0, 3.0, True), 48: (6.0, 6.0, True)}[n]
    xr = x1 - c.w - max(2.0, e(2.0)) - ww / 2
    xl = xr - 2 * sp
    if ww % 2:                              # odd wires sit on pixel centres
        xl = math.floor(xl) + 0.5
    else:
        xl = float(round(xl))
    first = band + edge + max(2.0, e(2))
    clip_len = first - (0 if n < 24 else 1)
    lx0, lx1 = x0 + c.w + max(2.0, e(2)), x1 - c.w - max(2.0, e(2))
    text_lines(c, lx0, lx1, first, y1 - c.w - max(2.0, e(2)), LINE, (1.0, 0.75, 0.9, 0.5))
    paper_clip(c, xl, 0.0, clip_len, ww, sp, outl)


def swatch(color):
    def draw(c):
        n = c.n
        m = 1.0 if n < 24 else float(round(n / 16))
        shape = rrect(m, m, n - m, n - m, max(2.0, n / 7))
        inner = inset(shape, c.w)
        rim = m + c.w + max(1, n // 16)
        c.fill(shape, darker(color, 0.62))
        # a faint light rim along the top gives the swatch a little depth
        c.fill(inner, mix(color, WHITE, 0.28), clip=(0, 0, n, rim))
        c.fill(inner, color, clip=(0, rim, n, n))
    return draw


def draw_delete(c):
    n = c.n
    # arms on the diagonals through pixel centres, an odd number of pixels wide per row:
    # their middles cover whole pixels, so the cross stays as crisp as a diagonal can
    k = {16: 3, 20: 3, 24: 5, 32: 5}.get(n, 7)        # red pixels per row, odd
    m = 2.0 if n < 24 else float(round(n / 9))      # margin to the icon edge
    a, b = m - 2, n - m + 2
    arms = [[(a, a), (b, b)], [(b, a), (a, b)]]
    r2 = math.sqrt(2)
    box = (m, m, n - m, n - m)
    inner = (m + c.w, m + c.w, n - m - c.w, n - m - c.w)
    for p in arms:
        c.fill(stroke(p, (k + 2 * c.w) / r2), RED_DARK, clip=box)
    for p in arms:
        c.fill(stroke(p, k / r2), RED, clip=inner)


def draw_clear(c):
    n = c.n
    t = 2 if n < 32 else 4                       # pixels per row of each stroke of the x
    # strokes an even number of pixels wide cross the pixel rows on whole pixels when the
    # crossing lies half a pixel above a pixel corner, so the whole button sits there
    cx, cy = n / 2, n / 2 - 0.5
    c.fill(circle(cx, cy, n * 0.42), GREY)
    k = float(round(n * 0.16)) + 0.5
    w = t / math.sqrt(2)
    c.fill(stroke([(cx - k, cy - k), (cx + k, cy + k)], w), WHITE)
    c.fill(stroke([(cx + k, cy - k), (cx - k, cy + k)], w), WHITE)


def draw_search(c):
    n, u = c.n, c.u
    cx = cy = u(6.5)
    r = u(5.0)
    glass = r - max(1.5, u(1.6)) + 0.5 * c.w
    # the handle first; the lens covers its inner end
    c.fill(stroke([(cx + r * 0.7, cy + r * 0.7), (n - u(1.8), n - u(1.8))], max(2.6, u(2.8)),
                  cap='round'), INK)
    c.fill(circle(cx, cy, r + 0.5 * c.w), INK)
    # the glass: a light reflection in its upper part, pale blue below
    c.fill(circle(cx, cy, glass), WHITE, clip=(0, 0, n, cy - u(0.5)))
    c.fill(circle(cx, cy, glass), BLUE_LIGHT, clip=(0, cy - u(0.5), n, n))


def field_sheet(c):
    """The sheet of the search-field icons. Returns the rectangle its contents go in."""
    n, e = c.n, c.e
    x0, y0, x1, y1 = e(2), e(0.5), e(13.5), e(15.5)
    if n == 16:
        x0, y0, x1, y1 = 2.0, 0.0, 14.0, 16.0
    sheet(c, x0, y0, x1, y1)
    return x0 + c.w + max(1.0, e(1.5)), y0 + c.w + max(2.0, e(2)), \
        x1 - c.w - max(1.0, e(1.5)), y1 - c.w - max(1.0, e(1.5))


def e_fold(c):
    """How far lines near the top stop short of the sheet's right edge, for the fold."""
    return max(3.0, float(round(c.n * 0.22)))


def title_bar(c, x0, x1, y0, color):
    t = 2 if c.n < 24 else (3 if c.n < 40 else 4)
    c.fill(rect(x0, y0, x1 - (2 if c.n < 24 else e_fold(c)), y0 + t), color)
    return y0 + t + (2 if c.n < 32 else 3)


def draw_field_title(c):
    x0, y0, x1, y1 = field_sheet(c)
    y = title_bar(c, x0, x1, y0, BLUE)
    text_lines(c, x0, x1, y, y1, FAINT)


def draw_field_text(c):
    x0, y0, x1, y1 = field_sheet(c)
    text_lines(c, x0, x1 - (2 if c.n < 24 else e_fold(c)), y0, y0 + pitch(c) - 1, BLUE)
    text_lines(c, x0, x1, y0 + pitch(c), y1, BLUE, (0.8, 1.0, 0.6, 1.0, 0.7, 0.9))


def draw_field_text_title(c):
    x0, y0, x1, y1 = field_sheet(c)
    y = title_bar(c, x0, x1, y0, BLUE)
    text_lines(c, x0, x1, y, y1, BLUE, (1.0, 0.7, 0.9, 0.5))


def draw_field_anywhere(c):
    n = c.n
    x0, y0, x1, y1 = field_sheet(c)
    text_lines(c, x0, x1 - (2 if n < 24 else e_fold(c)), y0, y1, FAINT)
    # an asterisk, for every field: an upright bar and two diagonals, each an even number
    # of pixels wide per row. Centred half a pixel above a pixel corner, the diagonals
    # cross every pixel row on whole pixels.
    t = 2 if n < 32 else 4
    cx = float(round((x0 + x1) / 2))
    cy = float(round((y0 + y1) / 2)) - 0.5
    r = float(round(n * 0.28)) + 0.5
    d = r - (1.5 if n < 32 else 2.5)
    r2 = math.sqrt(2)
    bars = [([(cx, cy - r), (cx, cy + r)], t),
            ([(cx - d, cy - d), (cx + d, cy + d)], t / r2),
            ([(cx + d, cy - d), (cx - d, cy + d)], t / r2)]
    for p, w in bars:
        c.fill(stroke(p, w + 2 * c.w, cap='square'), PAPER)
    for p, w in bars:
        c.fill(stroke(p, w), BLUE)


def draw_field_date_time(c):
    n, u = c.n, c.u
    cx = cy = n / 2
    r = n / 2 - u(0.5)
    rim = max(1.5, u(1.5))
    c.fill(circle(cx, cy, r), INK)
    c.fill(circle(cx, cy, r - c.w), BLUE)
    c.fill(circle(cx, cy, r - c.w - rim), PAPER)
    face = r - c.w - rim
    # hour marks at 12, 3, 6 and 9 from 24 pixels up, two pixels square so that they can
    # sit centred on the middle lines, which run between pixels
    t = 2
    if n >= 24:
        for k in range(4):
            a = k * math.pi / 2
            x, y = cx + math.cos(a) * (face - u(0.9)), cy + math.sin(a) * (face - u(0.9))
            c.fill(rect(round(x - t / 2), round(y - t / 2), round(x - t / 2) + t,
                        round(y - t / 2) + t), LINE)
    # hands on the pixel grid: the long one to twelve, the short one to three; the
    # centre of the icon is a pixel corner, so the hands are an even number of pixels wide
    hw = 2 if n < 40 else 4
    c.fill(rect(cx - hw / 2, cy - round(face * 0.78), cx + hw / 2, cy + hw / 2), INK)
    c.fill(rect(cx - hw / 2, cy - hw / 2, cx + round(face * 0.6), cy + hw / 2), INK)


def draw_link(c):
    n = c.n
    # two open chain ends facing each other, joined by a bar: level, so every straight
    # edge lies on the pixel grid
    w = 2.0 if n < 24 else float(round(n * 0.125))       # wire
    h = float(round(n * 0.5))
    if (n - h) % 2:
        h += 1
    y0, y1 = (n - h) / 2, (n + h) / 2
    r = h / 2
    x0 = 1.0 if n < 24 else float(round(n / 16))
    xm = float(round(n * 0.42))                         # the open ends stop here
    left = [rrect(x0, y0, xm + r, y1, r), rrect(x0 + w, y0 + w, xm + r - w, y1 - w, r - w)]
    right = [rrect(n - xm - r, y0, n - x0, y1, r),
             rrect(n - xm - r + w, y0 + w, n - x0 - w, y1 - w, r - w)]
    c.fill(left, BLUE, rule='evenodd', clip=(0, 0, xm, n))
    c.fill(right, BLUE, rule='evenodd', clip=(n - xm, 0, n, n))
    c.fill(rect(xm - w, (n - w) / 2, n - xm + w, (n + w) / 2), BLUE)


def draw_menu_arrow(c):
    n = c.n
    # a stepped triangle, one row narrower by a pixel on each side per row, kept inside the
    # 15 x 15 pixels that stay within the marked icon once drawn a pixel right and down
    bw = {16: 7, 20: 9, 24: 9, 32: 13}.get(n, 2 * (n * 7 // 32) + 1)
    x1 = n - 1.0
    y0 = n - 1.0 - (bw + 1) // 2
    rows = [(x1 - bw + i, y0 + i, x1 - i, y0 + i + 1) for i in range((bw + 1) // 2)]
    # a light halo keeps the arrow readable over the icon it marks
    halo = (255, 255, 255, 210)
    for (a, y, b, _) in rows:
        c.fill(rect(a - 1, y - 1, b + 1, y + 2), halo)
    for r in rows:
        c.fill(rect(*r), INK)


def draw_copy(c):
    n, e = c.n, c.e
    if n == 16:
        back, front = (1.0, 0.0, 10.0, 11.0), (6.0, 5.0, 15.0, 16.0)
    else:
        back = (e(1), e(0.5), e(10), e(11))
        front = (e(6), e(5), e(15), e(15.5))
    sheet(c, *back, fold=False, fill=PAPER_SHADE)
    lx0 = back[0] + c.w + max(1.0, e(1.5))
    text_lines(c, lx0, back[2] - c.w - max(1.0, e(1.5)), back[1] + c.w + max(1.0, e(1.5)),
               front[1] - 2, FAINT)
    # a clear gap around the front sheet separates the two
    c.fill(rect(front[0] - 1, front[1] - 1, front[2], front[3]), CLEAR)
    sheet(c, *front, fold=False)
    text_lines(c, front[0] + c.w + max(1.0, e(1.5)), front[2] - c.w - max(1.0, e(1.5)),
               front[1] + c.w + max(1.0, e(1.5)), front[3] - c.w - max(1.0, e(1.5)), BLUE,
               (1.0, 0.7, 1.0, 0.5))


def draw_paste(c):
    n, e, u = c.n, c.e, c.u
    if n == 16:
        board = (1.0, 1.0, 12.0, 16.0)
        paper = (6.0, 6.0, 15.0, 16.0)
    else:
        board = (e(1), e(1.5), e(12), e(15.5))
        paper = (e(6), e(6), e(15), e(15.5))
    bx0, by0, bx1, by1 = board
    shape = rrect(bx0, by0, bx1, by1, max(1.0, u(1.2)))
    outlined(c, shape, AMBER, AMBER_DARK)
    # the clip at the top of the board
    cw = max(5.0, e(5.5))
    cx0 = float(round((bx0 + bx1 - cw) / 2))
    clip_shape = rrect(cx0, 0.0, cx0 + cw, by0 + max(2.0, e(2.5)), max(1.0, u(0.8)))
    outlined(c, clip_shape, STEEL)
    c.fill(rect(paper[0] - 1, paper[1] - 1, paper[2], paper[3]), CLEAR)
    sheet(c, *paper, fold=False)
    text_lines(c, paper[0] + c.w + max(1.0, e(1.5)), paper[2] - c.w - max(1.0, e(1.5)),
               paper[1] + c.w + max(1.0, e(1.5)), paper[3] - c.w - max(1.0, e(1.5)), BLUE,
               (1.0, 0.6, 1.0, 0.7))


def draw_cut(c):
    n, u = c.n, c.u
    # two blades crossing at the rivet, handles as rings below
    hr = u(3.0)                      # handle ring outer radius
    hy = n - hr - (0.0 if n < 24 else c.w)
    hxl, hxr = hr + (0.0 if n < 24 else c.w), n - hr - (0.0 if n < 24 else c.w)
    ring = max(1.4, u(1.5))
    bw = max(1.4, u(1.6))
    tip_l, tip_r = (n - u(4.6), u(0.5)), (u(4.6), u(0.5))
    bl = [(hxl + hr * 0.55, hy - hr * 0.8), tip_l]
    br = [(hxr - hr * 0.55, hy - hr * 0.8), tip_r]
    if n < 24:
        for p in (bl, br):
            c.fill(stroke(p, bw, cap='butt'), WIRE)
    else:
        for p in (bl, br):
            c.fill(stroke(p, bw + 2 * c.w, cap='round'), INK)
        for p in (bl, br):
            c.fill(stroke(p, bw, cap='round'), STEEL_LIGHT)
        c.fill(circle(n / 2, n * 0.43, max(1.0, u(0.9))), INK)
    for hx in (hxl, hxr):
        if n < 24:
            c.fill([circle(hx, hy, hr), circle(hx, hy, hr - ring)], RED, rule='evenodd')
        else:
            c.fill([circle(hx, hy, hr + c.w * 0.5), circle(hx, hy, hr - ring - c.w * 0.5)],
                   RED_DARK, rule='evenodd')
            c.fill([circle(hx, hy, hr - c.w * 0.5), circle(hx, hy, hr - ring + c.w * 0.5)],
                   RED, rule='evenodd')


def draw_tag(c):
    n = c.n
    # a tag lying along the diagonal, its square point at the top left: the point's edges
    # lie on the pixel grid and the long sides on the diagonals
    m = 1.0 if n < 24 else float(round(n / 16))
    a = float(round(n * 0.45))               # length of the point's edges
    end = n - m
    shape = [(m, m), (m + a, m), (end, end - a), (end - a, end), (m, m + a)]
    rshape = rounded_poly(shape, max(1.0, n * 0.07))
    outlined(c, rshape, AMBER, AMBER_DARK)
    # the hole, centred on a pixel corner so that its middle pixels come out white
    hx = hy = float(round(m + a * 0.5))
    hr = max(2.3, n * 0.11)
    c.fill(circle(hx, hy, hr), AMBER_DARK)
    c.fill(circle(hx, hy, hr - c.w), WHITE)


def rounded_poly(pts, r):
    """Replaces every corner of a convex polygon by an arc of radius r."""
    out = []
    k = len(pts)
    for i in range(k):
        p0, p, p1 = pts[i - 1], pts[i], pts[(i + 1) % k]
        d0 = (p0[0] - p[0], p0[1] - p[1])
        d1 = (p1[0] - p[0], p1[1] - p[1])
        l0, l1 = math.hypot(*d0), math.hypot(*d1)
        d0 = (d0[0] / l0, d0[1] / l0)
        d1 = (d1[0] / l1, d1[1] / l1)
        cosang = d0[0] * d1[0] + d0[1] * d1[1]
        ang = math.acos(max(-1.0, min(1.0, cosang)))
        t = r / math.tan(ang / 2)
        a = (p[0] + d0[0] * t, p[1] + d0[1] * t)
        b = (p[0] + d1[0] * t, p[1] + d1[1] * t)
        for s in range(7):
            q = s / 6
            # quadratic curve through the corner approximates the arc closely enough
            x = (1 - q) ** 2 * a[0] + 2 * (1 - q) * q * p[0] + q * q * b[0]
            y = (1 - q) ** 2 * a[1] + 2 * (1 - q) * q * p[1] + q * q * b[1]
            out.append((x, y))
    return out


def badge(c):
    n, u = c.n, c.u
    r = n / 2 - u(0.5)
    # a quiet grey rim and an almost opaque light face: it sits over the note's text
    c.fill(circle(n / 2, n / 2, r), BADGE_RIM)
    c.fill(circle(n / 2, n / 2, r - c.w), BADGE_FACE)


def chevron(c, apex_y, up, k=None):
    """A chevron with 45-degree arms placed so that their middles cover whole pixels."""
    n = c.n
    t = 2 if n < 32 else 3
    if k is None:
        k = float(round(n * 0.19))
    cx = n / 2 + (0.5 if t % 2 else 0.0)
    ay = float(math.floor(apex_y)) + (0.5 if t % 2 == 0 else 0.0)
    sg = 1 if up else -1
    pts = [(cx - k, ay + k * sg), (cx, ay), (cx + k, ay + k * sg)]
    c.fill(stroke(pts, t / math.sqrt(2)), INK)


def draw_more_below(c):
    badge(c)
    chevron(c, c.n / 2 + c.n * 0.12, up=False, k=float(round(c.n * 0.22)))


def draw_more_above(c):
    badge(c)
    chevron(c, c.n / 2 - c.n * 0.12, up=True, k=float(round(c.n * 0.22)))


def draw_more_both(c):
    n = c.n
    badge(c)
    k = float(round(n * 0.14))
    chevron(c, n / 2 - n * 0.22, up=True, k=k)
    chevron(c, n / 2 + n * 0.22, up=False, k=k)


# number, file name, drawing, sizes
ICONS = [
    (1, 'app', draw_app, APP_SIZES, False),
    (110, 'color-blue', swatch((0, 90, 240)), SIZES, False),
    (111, 'color-red', swatch((255, 30, 0)), SIZES, False),
    (112, 'color-green', swatch((40, 240, 0)), SIZES, False),
    (113, 'color-yellow', swatch((220, 200, 30)), SIZES, False),
    (114, 'color-orange', swatch((255, 100, 0)), SIZES, False),
    (115, 'color-gray', swatch((100, 90, 100)), SIZES, False),
    (116, 'color-purple', swatch((200, 0, 200)), SIZES, False),
    (117, 'delete', draw_delete, SIZES, False),
    (119, 'app-tray', draw_app, APP_SIZES, True),
    (120, 'color-cyan', swatch((50, 160, 245)), SIZES, False),
    (126, 'clear', draw_clear, SIZES, False),
    (127, 'search', draw_search, SIZES, False),
    (128, 'field-title', draw_field_title, SIZES, False),
    (129, 'link', draw_link, SIZES, False),
    (130, 'field-text', draw_field_text, SIZES, False),
    (131, 'field-text-title', draw_field_text_title, SIZES, False),
    (132, 'field-date-time', draw_field_date_time, SIZES, False),
    (133, 'field-menu-arrow', draw_menu_arrow, SIZES, False),
    (134, 'copy', draw_copy, SIZES, False),
    (135, 'tag', draw_tag, SIZES, False),
    (136, 'more-below', draw_more_below, SIZES, False),
    (137, 'more-above', draw_more_above, SIZES, False),
    (138, 'more-both', draw_more_both, SIZES, False),
    (140, 'field-anywhere', draw_field_anywhere, SIZES, False),
    (141, 'paste', draw_paste, SIZES, False),
    (142, 'cut', draw_cut, SIZES, False),
]


# ---------------------------------------------------------------------------------------------
# File writers

def ico_bytes(images):
    """images: list of (size, rows of RGBA). 32-bit DIB entries with AND masks."""
    header = struct.pack('<HHH', 0, 1, len(images))
    entries = b''
    blobs = b''
    offset = 6 + 16 * len(images)
    for n, rows in images:
        mask_stride = ((n + 31) // 32) * 4
        xor = bytearray()
        mask = bytearray()
        for row in reversed(rows):                # bottom-up
            bits = bytearray(mask_stride)
            for x, (r, g, b, a) in enumerate(row):
                xor += bytes((b, g, r, a))
                if a < 128:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask += bits
        bih = struct.pack('<IiiHHIIiiII', 40, n, 2 * n, 1, 32, 0, len(xor) + len(mask),
                          0, 0, 0, 0)
        blob = bih + bytes(xor) + bytes(mask)
        entries += struct.pack('<BBBBHHII', n % 256, n % 256, 0, 0, 1, 32, len(blob), offset)
        blobs += blob
        offset += len(blob)
    return header + entries + blobs


def png_bytes(rows):
    h, w = len(rows), len(rows[0])
    raw = bytearray()
    for row in rows:
        raw.append(0)
        for px in row:
            raw += bytes(px)

    def chunk(kind, data):
        c = struct.pack('>I', len(data)) + kind + data
        return c + struct.pack('>I', zlib.crc32(kind + data) & 0xffffffff)

    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 6, 0, 0, 0))
            + chunk(b'IDAT', zlib.compress(bytes(raw), 9)) + chunk(b'IEND', b''))


# ---------------------------------------------------------------------------------------------
# Previews

DIGITS = {
    '0': ('111', '101', '101', '101', '111'), '1': ('010', '110', '010', '010', '111'),
    '2': ('111', '001', '111', '100', '111'), '3': ('111', '001', '111', '001', '111'),
    '4': ('101', '101', '111', '001', '001'), '5': ('111', '100', '111', '001', '111'),
    '6': ('111', '100', '111', '101', '111'), '7': ('111', '001', '010', '010', '010'),
    '8': ('111', '101', '111', '101', '111'), '9': ('111', '101', '111', '001', '111'),
}


class Image:
    def __init__(self, w, h, bg):
        self.w, self.h = w, h
        self.px = [[tuple(bg) + (255,) for _ in range(w)] for _ in range(h)]

    def rect(self, x0, y0, x1, y1, col):
        for y in range(max(0, y0), min(self.h, y1)):
            row = self.px[y]
            for x in range(max(0, x0), min(self.w, x1)):
                row[x] = tuple(col) + (255,)

    def blit(self, rows, x0, y0, zoom=1):
        for y, row in enumerate(rows):
            for x, (r, g, b, a) in enumerate(row):
                if not a:
                    continue
                for dy in range(zoom):
                    prow = self.px[y0 + y * zoom + dy]
                    for dx in range(zoom):
                        X = x0 + x * zoom + dx
                        br, bg_, bb, _ = prow[X]
                        t = a / 255.0
                        prow[X] = (int(round(r * t + br * (1 - t))), int(round(g * t + bg_ * (1 - t))),
                                   int(round(b * t + bb * (1 - t))), 255)

    def text(self, s, x, y, zoom, col):
        for ch in s:
            glyph = DIGITS.get(ch)
            if glyph:
                for gy, line in enumerate(glyph):
                    for gx, bit in enumerate(line):
                        if bit == '1':
                            self.rect(x + gx * zoom, y + gy * zoom, x + (gx + 1) * zoom,
                                      y + (gy + 1) * zoom, col)
            x += 4 * zoom


def write_sheets(rendered, folder):
    """rendered: list of (number, name, {size: rows})."""
    light, dark = (255, 255, 255), (46, 50, 56)
    # sheet.png: per icon, 16 and 32 pixels enlarged four times, on white and on dark
    cell_w = 40 + 64 + 8 + 128 + 16 + 64 + 8 + 128 + 16
    cols = 3
    cell_h = 128 + 12
    rows_n = (len(rendered) + cols - 1) // cols
    img = Image(cols * cell_w + 8, rows_n * cell_h + 8, (224, 226, 230))
    for k, (num, _name, sizes) in enumerate(rendered):
        cx = 8 + (k // rows_n) * cell_w
        cy = 8 + (k % rows_n) * cell_h
        img.text(str(num), cx, cy + 8, 3, (60, 60, 60))
        x = cx + 40
        for bg in (light, dark):
            img.rect(x, cy, x + 64 + 8 + 128 + 8, cy + 128 + 4, bg)
            img.blit(sizes[16], x + 2, cy + 2, 4)
            img.blit(sizes[32], x + 64 + 8, cy + 2, 4)
            x += 64 + 8 + 128 + 16
    with open(os.path.join(folder, 'sheet.png'), 'wb') as f:
        f.write(png_bytes(img.px))

    # sheet-1x.png: every size at its own size, on light, dark and two theme colours
    backs = [light, dark, (0, 90, 240), (220, 200, 30)]
    band_h = 4 + 16 + 4 + 20 + 4 + 24 + 4 + 32 + 4
    img = Image(len(rendered) * 36 + 8, len(backs) * band_h + 8, (224, 226, 230))
    for bi, bg in enumerate(backs):
        y0 = 4 + bi * band_h
        img.rect(0, y0, img.w, y0 + band_h, bg)
        for k, (num, _name, sizes) in enumerate(rendered):
            y = y0 + 4
            for n in (16, 20, 24, 32):
                img.blit(sizes[n], 4 + k * 36, y)
                y += n + 4
    with open(os.path.join(folder, 'sheet-1x.png'), 'wb') as f:
        f.write(png_bytes(img.px))

    # sheet16.png: the 16 x 16 images enlarged eight times, pixel for pixel
    per_row = 7
    cw, ch = 40 + 128 + 12, 128 + 12
    rows_n = (len(rendered) + per_row - 1) // per_row
    img = Image(per_row * cw + 8, rows_n * ch + 8, (224, 226, 230))
    for k, (num, _name, sizes) in enumerate(rendered):
        x, y = 8 + (k % per_row) * cw, 8 + (k // per_row) * ch
        img.text(str(num), x, y + 4, 3, (60, 60, 60))
        img.rect(x + 40, y, x + 40 + 128, y + 128, light)
        img.blit(sizes[16], x + 40, y, 8)
    with open(os.path.join(folder, 'sheet16.png'), 'wb') as f:
        f.write(png_bytes(img.px))

    # field.png: the search box's field icons with the menu arrow over them, as drawn there
    by_num = {num: sizes for num, _name, sizes in rendered}
    strip = [127, 140, 131, 130, 128, 132, 129, 135]
    img = Image(len(strip) * 20 + 8, 24, (255, 255, 255))
    x = 4
    for num in strip:
        img.blit(by_num[num][16], x, 4)
        if num != 127:
            img.blit(by_num[133][16], x + 1, 5)
        x += 20
    big = Image(img.w * 4, img.h * 4, (255, 255, 255))
    big.blit(img.px, 0, 0, 4)
    with open(os.path.join(folder, 'field.png'), 'wb') as f:
        f.write(png_bytes(big.px))


# ---------------------------------------------------------------------------------------------

def check_resource_tables(here):
    """Every icon must have its define in resource.h and its line in icons.rc."""
    res = os.path.normpath(os.path.join(here, '..'))
    problems = []
    try:
        with open(os.path.join(res, 'resource.h')) as f:
            defines = {int(v): k for k, v in re.findall(r'#define\s+(IDI_\w+)\s+(\d+)', f.read())}
        with open(os.path.join(res, 'icons.rc')) as f:
            rc = dict(re.findall(r'^\s*(IDI_\w+)\s+ICON\s+"icons/([^"]+)"', f.read(), re.M))
    except OSError as err:
        return ['cannot read the resource tables: %s' % err]
    for num, name, *_ in ICONS:
        fname = '%d-%s.ico' % (num, name)
        sym = defines.get(num)
        if sym is None:
            problems.append('resource.h has no define for icon %d' % num)
        elif rc.get(sym) != fname:
            problems.append('icons.rc does not declare %s as "icons/%s"' % (sym, fname))
    return problems


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument('--out', default=here, help='where the .ico files go')
    ap.add_argument('--preview', help='folder for PNG previews and the contact sheet')
    ap.add_argument('--only', type=int, nargs='*', help='draw only these icon numbers')
    args = ap.parse_args()

    rendered = []
    for num, name, draw, sizes, flat in ICONS:
        if args.only and num not in args.only:
            continue
        images = []
        for n in sizes:
            c = Canvas(n, flat=flat)
            draw(c)
            images.append((n, c.pixels()))
        with open(os.path.join(args.out, '%d-%s.ico' % (num, name)), 'wb') as f:
            f.write(ico_bytes(images))
        rendered.append((num, name, dict(images)))
        if args.preview:
            os.makedirs(args.preview, exist_ok=True)
            for n, rows in images:
                with open(os.path.join(args.preview, '%d-%s-%d.png' % (num, name, n)), 'wb') as f:
                    f.write(png_bytes(rows))
    if args.preview and not args.only:
        write_sheets(rendered, args.preview)

    problems = check_resource_tables(here)
    for p in problems:
        print('make_icons: ' + p, file=sys.stderr)
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main())
