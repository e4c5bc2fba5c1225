"""A small RGBA raster with anti-aliased shapes, enough to draw the program's artwork.

Colours are (r, g, b) tuples of 0..255 numbers; alpha is 0..1. Shapes are given as signed
distance functions (negative inside, in pixels), which gives one-pixel anti-aliased edges at
any size without supersampling. Everything is plain floating point, so the output is the same
on every run.
"""

import math


def clamp01(v):
    return 0.0 if v < 0.0 else 1.0 if v > 1.0 else v


def mix(a, b, t):
    """Colour between a and b; t = 0 gives a, t = 1 gives b."""
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def lighten(c, share):
    return mix(c, (255, 255, 255), share)


def darken(c, share):
    return mix(c, (0, 0, 0), share)


def gradient(stops, t):
    """Colour at t (0..1) along a list of (position, colour) stops in rising order."""
    t = clamp01(t)
    for i in range(1, len(stops)):
        p0, c0 = stops[i - 1]
        p1, c1 = stops[i]
        if t <= p1:
            return mix(c0, c1, 0.0 if p1 == p0 else (t - p0) / (p1 - p0))
    return stops[-1][1]


def to_byte(v):
    return max(0, min(255, int(math.floor(v + 0.5))))


class Canvas:
    """Width x height pixels, each [r, g, b, a] with straight (not premultiplied) alpha."""

    def __init__(self, width, height, colour=(0, 0, 0), alpha=0.0):
        self.width = width
        self.height = height
        self.px = [[colour[0], colour[1], colour[2], alpha] for _ in range(width * height)]

    def copy(self):
        c = Canvas.__new__(Canvas)
        c.width, c.height = self.width, self.height
        c.px = [p[:] for p in self.px]
        return c

    def get(self, x, y):
        return self.px[y * self.width + x]

    def rgb(self, x, y):
        p = self.px[y * self.width + x]
        return (p[0], p[1], p[2])

    def put(self, x, y, colour, alpha=1.0):
        self.px[y * self.width + x] = [colour[0], colour[1], colour[2], alpha]

    def blend(self, x, y, colour, alpha):
        """Porter-Duff "over" of one colour with the given coverage onto pixel (x, y)."""
        if alpha <= 0.0 or not (0 <= x < self.width and 0 <= y < self.height):
            return
        p = self.px[y * self.width + x]
        if alpha >= 1.0:
            p[0], p[1], p[2], p[3] = colour[0], colour[1], colour[2], 1.0
            return
        da = p[3]
        oa = alpha + da * (1.0 - alpha)
        if oa <= 0.0:
            return
        k = da * (1.0 - alpha)
        for i in range(3):
            p[i] = (colour[i] * alpha + p[i] * k) / oa
        p[3] = oa

    # ---- fills -----------------------------------------------------------------------------

    def fill(self, colour, alpha=1.0):
        for p in self.px:
            p[0], p[1], p[2], p[3] = colour[0], colour[1], colour[2], alpha

    def fill_rect(self, x0, y0, x1, y1, colour, alpha=1.0):
        """Pixels x0 <= x < x1, y0 <= y < y1."""
        for y in range(max(0, y0), min(self.height, y1)):
            for x in range(max(0, x0), min(self.width, x1)):
                self.blend(x, y, colour, alpha)

    def fill_with(self, fn, x0=0, y0=0, x1=None, y1=None):
        """Paints fn(x, y) -> (colour, alpha) over a rectangle of pixels."""
        x1 = self.width if x1 is None else x1
        y1 = self.height if y1 is None else y1
        for y in range(max(0, y0), min(self.height, y1)):
            for x in range(max(0, x0), min(self.width, x1)):
                colour, alpha = fn(x, y)
                self.blend(x, y, colour, alpha)

    def shape(self, sdf, bbox, paint, alpha=1.0):
        """Fills the shape sdf(px, py) <= 0 (pixel centres at x + 0.5) with paint.

        paint is a colour or a function (x, y) -> colour; bbox = (x0, y0, x1, y1) in pixels
        bounds the work and must contain the shape.
        """
        x0, y0, x1, y1 = (int(math.floor(v)) for v in bbox)
        for y in range(max(0, y0 - 1), min(self.height, y1 + 2)):
            cy = y + 0.5
            for x in range(max(0, x0 - 1), min(self.width, x1 + 2)):
                cover = clamp01(0.5 - sdf(x + 0.5, cy))
                if cover > 0.0:
                    colour = paint(x, y) if callable(paint) else paint
                    self.blend(x, y, colour, cover * alpha)

    def paste(self, other, dx, dy):
        for y in range(other.height):
            for x in range(other.width):
                p = other.px[y * other.width + x]
                self.blend(x + dx, y + dy, (p[0], p[1], p[2]), p[3])

    def mask(self, mask, dx, dy, paint, alpha=1.0):
        """Paints through a coverage mask (rows of 0..1 values) placed at (dx, dy)."""
        for my, row in enumerate(mask):
            for mx, cover in enumerate(row):
                if cover > 0.0:
                    x, y = mx + dx, my + dy
                    colour = paint(x, y) if callable(paint) else paint
                    self.blend(x, y, colour, cover * alpha)

    def crop(self, x0, y0, w, h):
        c = Canvas(w, h)
        for y in range(h):
            for x in range(w):
                c.px[y * w + x] = self.px[(y + y0) * self.width + x + x0][:]
        return c

    def flatten(self, background):
        """Opaque copy over a background colour or over another canvas of the same size."""
        out = self.copy()
        for i, p in enumerate(out.px):
            if callable(background):
                bg = background(i % self.width, i // self.width)
            elif isinstance(background, Canvas):
                q = background.px[i]
                bg = (q[0], q[1], q[2])
            else:
                bg = background
            a = p[3]
            out.px[i] = [bg[0] + (p[0] - bg[0]) * a, bg[1] + (p[1] - bg[1]) * a,
                         bg[2] + (p[2] - bg[2]) * a, 1.0]
        return out

    def rgb_bytes(self, x, y):
        p = self.px[y * self.width + x]
        return (to_byte(p[0]), to_byte(p[1]), to_byte(p[2]))

    def rgba_bytes(self, x, y):
        p = self.px[y * self.width + x]
        return (to_byte(p[0]), to_byte(p[1]), to_byte(p[2]), to_byte(p[3] * 255.0))


# ---- signed distance functions (pixels; negative inside) ----------------------------------

def sd_rect(x0, y0, x1, y1):
    """Axis-aligned box covering x0..x1, y0..y1 (edges on pixel boundaries when whole)."""
    cx, cy, hx, hy = (x0 + x1) / 2, (y0 + y1) / 2, (x1 - x0) / 2, (y1 - y0) / 2

    def f(px, py):
        dx, dy = abs(px - cx) - hx, abs(py - cy) - hy
        return math.hypot(max(dx, 0.0), max(dy, 0.0)) + min(max(dx, dy), 0.0)
    return f


def sd_round_rect(x0, y0, x1, y1, r):
    """Box with rounded corners of radius r; r may be a tuple (tl, tr, br, bl)."""
    radii = r if isinstance(r, tuple) else (r, r, r, r)
    cx, cy, hx, hy = (x0 + x1) / 2, (y0 + y1) / 2, (x1 - x0) / 2, (y1 - y0) / 2

    def f(px, py):
        rx, ry = px - cx, py - cy
        if rx < 0:
            rr = radii[0] if ry < 0 else radii[3]
        else:
            rr = radii[1] if ry < 0 else radii[2]
        dx, dy = abs(rx) - hx + rr, abs(ry) - hy + rr
        return math.hypot(max(dx, 0.0), max(dy, 0.0)) + min(max(dx, dy), 0.0) - rr
    return f


def sd_circle(cx, cy, r):
    return lambda px, py: math.hypot(px - cx, py - cy) - r


def sd_segment(ax, ay, bx, by, half_width):
    """A stroke from a to b with round caps; half_width is half the stroke width."""
    vx, vy = bx - ax, by - ay
    ll = vx * vx + vy * vy

    def f(px, py):
        wx, wy = px - ax, py - ay
        t = 0.0 if ll == 0 else clamp01((wx * vx + wy * vy) / ll)
        return math.hypot(wx - vx * t, wy - vy * t) - half_width
    return f


def sd_polyline(points, half_width):
    segs = [sd_segment(*points[i], *points[i + 1], half_width) for i in range(len(points) - 1)]
    return lambda px, py: min(s(px, py) for s in segs)


def sd_polygon(points):
    """Any simple polygon (even-odd rule)."""
    n = len(points)

    def f(px, py):
        d = float("inf")
        inside = False
        for i in range(n):
            ax, ay = points[i]
            bx, by = points[(i + 1) % n]
            ex, ey = bx - ax, by - ay
            wx, wy = px - ax, py - ay
            ll = ex * ex + ey * ey
            t = 0.0 if ll == 0 else clamp01((wx * ex + wy * ey) / ll)
            d = min(d, math.hypot(wx - ex * t, wy - ey * t))
            if (ay > py) != (by > py) and px < ax + (py - ay) * ex / ey:
                inside = not inside
        return -d if inside else d
    return f


def sd_union(*fs):
    return lambda px, py: min(f(px, py) for f in fs)


def sd_subtract(a, b):
    """a with b cut out."""
    return lambda px, py: max(a(px, py), -b(px, py))


def sd_intersect(a, b):
    return lambda px, py: max(a(px, py), b(px, py))


def sd_ring(cx, cy, r_outer, r_inner):
    return sd_subtract(sd_circle(cx, cy, r_outer), sd_circle(cx, cy, r_inner))
