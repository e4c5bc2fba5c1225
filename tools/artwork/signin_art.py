"""The sign-in window's pictures: the 380 x 280 background and its three button strips.

The background is drawn at window y 1 of a 380 x 282 window and keyed by its bottom-left pixel:
every pixel of that colour shows the window colour. The lower part, where the edit boxes, radio
buttons, check box and buttons sit, is that key colour, so the native controls (painted in the
window colour) sit on it without seams; the title area above is an opaque blue gradient.
"""

import math

from raster import (Canvas, clamp01, gradient, mix, sd_circle, sd_intersect, sd_rect,
                    sd_ring, sd_round_rect, sd_subtract)
from mark import draw_mark
import palette as P
import strips
import text

WIDTH, HEIGHT = 380, 280
IMAGE_TOP = 1                   # the picture's top edge in the window
BAND_BOTTOM = 108               # the title area's lower edge at its middle (picture rows)
CLOSE_AT = (345, 0, 35, 25)     # window coordinates of the caption buttons
MINIMISE_AT = (313, 0, 32, 25)
SIGNIN_SIZE = (89, 24)
KEY = P.BUTTON_FACE             # bottom-left pixel: the window colour shows there


def _band_edge(x):
    """Lower edge of the title area: a shallow arc, lowest at the sides."""
    u = (x - WIDTH / 2.0) / (WIDTH / 2.0)
    return BAND_BOTTOM + 6.0 * u * u


def _band_colour(x, y):
    t = clamp01(0.72 * y / BAND_BOTTOM + 0.28 * x / WIDTH)
    base = gradient([(0.0, (48, 128, 208)), (0.55, (32, 100, 182)), (1.0, (20, 72, 146))], t)
    # A soft light behind the mark and the name.
    glow = clamp01(1.0 - math.hypot((x - 90) / 220.0, (y - 40) / 120.0))
    return mix(base, (255, 255, 255), 0.10 * glow * glow)


def background():
    c = Canvas(WIDTH, HEIGHT, KEY, 1.0)

    # Title area with its curved lower edge.
    band = lambda px, py: py - _band_edge(px)
    c.shape(band, (0, 0, WIDTH, BAND_BOTTOM + 8), _band_colour)
    # Light swoosh along the edge, and quiet circles on the right.
    swoosh = lambda px, py: abs(py - (_band_edge(px) - 5.0 + 3.0 * math.sin(px / 61.0))) - 0.8
    c.shape(sd_intersect(swoosh, band), (0, BAND_BOTTOM - 12, WIDTH, BAND_BOTTOM + 8),
            (150, 200, 248), 0.55)
    c.shape(sd_intersect(sd_circle(352, 132, 118), band), (220, 0, WIDTH, BAND_BOTTOM + 8),
            P.WHITE, 0.06)
    c.shape(sd_intersect(sd_circle(300, -36, 96), band), (200, 0, WIDTH, 62), P.WHITE, 0.05)
    c.shape(sd_intersect(sd_ring(382, 58, 74, 73), band), (300, 0, WIDTH, BAND_BOTTOM + 8),
            P.WHITE, 0.18)
    # A pale edge where the title area meets the window colour.
    edge = lambda px, py: abs(py - _band_edge(px) - 0.6) - 0.6
    c.shape(edge, (0, BAND_BOTTOM - 2, WIDTH, BAND_BOTTOM + 9), (14, 58, 120), 0.35)

    # The mark on a white tile with a soft shadow.
    tile = sd_round_rect(24, 30, 80, 86, 9)
    c.shape(lambda px, py: sd_round_rect(25, 33, 81, 89, 10)(px, py) / 3.0, (18, 26, 90, 96),
            (8, 36, 80), 0.35)
    c.shape(tile, (24, 30, 80, 86), lambda x, y: gradient(
        [(0.0, P.WHITE), (1.0, (228, 238, 250))], (y - 30) / 56.0))
    draw_mark(c, 30, 36, 44, shadow=False)

    # The product name and a line under it.
    name = text.render("客户订货系统", 29, weight=0.7)
    nx, ny = 96, 58 - name.height // 2 - 6
    c.mask(name.rows, nx + 1, ny + 2, (6, 34, 80), 0.35)
    c.mask(name.rows, nx, ny, P.WHITE)
    sub = text.render("在线订货  ·  方便快捷  ·  安全可靠", 12)
    c.mask(sub.rows, nx + 1, ny + name.height + 10, (206, 226, 248))

    # Icons beside the two input rows (user name at window y 160, password at 194).
    ink = (112, 136, 166)
    ux, uy = 36.0, 169.5
    c.shape(sd_circle(ux, uy - 3.2, 3.3), (28, 160, 46, 180), ink)
    c.shape(sd_intersect(sd_circle(ux, uy + 9.5, 7.2), sd_rect(ux - 8, uy + 1.2, ux + 8, uy + 6.4)),
            (26, 160, 46, 180), ink)
    lx, ly = 36.0, 203.5
    c.shape(sd_round_rect(lx - 5.5, ly - 2, lx + 5.5, ly + 6.5, 1.5), (28, 194, 46, 214), ink)
    shackle = sd_subtract(sd_ring(lx, ly - 3.2, 4.0, 2.4), sd_rect(lx - 6, ly - 2.6, lx + 6, ly + 4))
    c.shape(shackle, (28, 192, 46, 206), ink)
    c.shape(sd_round_rect(lx - 0.8, ly + 0.6, lx + 0.8, ly + 4, 0.6), (30, 196, 44, 212), KEY)

    # An etched line between the input rows and the buttons.
    c.fill_rect(14, 229, WIDTH - 14, 230, P.RULE)
    c.fill_rect(14, 230, WIDTH - 14, 231, P.WHITE)

    # One-pixel outline with slightly rounded corners; outside it the window colour shows.
    outline = sd_subtract(sd_round_rect(0, 0, WIDTH, HEIGHT, 4), sd_round_rect(1, 1, WIDTH - 1, HEIGHT - 1, 3))
    c.shape(outline, (0, 0, WIDTH, HEIGHT),
            lambda x, y: (16, 60, 122) if y < _band_edge(x) else P.BORDER)
    clip = sd_round_rect(0, 0, WIDTH, HEIGHT, 4)
    for y in list(range(0, 5)) + list(range(HEIGHT - 5, HEIGHT)):
        for x in list(range(0, 5)) + list(range(WIDTH - 5, WIDTH)):
            cover = clamp01(0.5 - clip(x + 0.5, y + 0.5))
            p = c.get(x, y)
            c.put(x, y, mix(KEY, (p[0], p[1], p[2]), cover))
    return c


def _under_background(bg, left, top):
    """What lies under a button at window (left, top): the picture, or the window colour."""
    def under(x, y):
        iy = top + y - IMAGE_TOP
        return bg.rgb(left + x, iy) if 0 <= iy < bg.height else KEY
    return under


def caption_strip(bg, at, glyph_fn, close):
    left, top, w, h = at
    under = _under_background(bg, left, top)
    glyph = glyph_fn(w, h, dy=-0.5)
    hover_fill, pressed_fill = ((P.CLOSE_RED, 1.0), (P.CLOSE_RED_DARK, 1.0)) if close else \
        ((P.WHITE, 0.20), ((6, 30, 70), 0.28))
    frames = [
        strips.caption_frame(w, h, glyph, None, 0, P.WHITE, 0.92),
        strips.caption_frame(w, h, glyph, hover_fill[0], hover_fill[1], P.WHITE, 1.0),
        strips.caption_frame(w, h, glyph, pressed_fill[0], pressed_fill[1], (232, 240, 250), 1.0),
        strips.caption_frame(w, h, glyph, None, 0, P.WHITE, 0.38),
    ]
    return strips.join([strips.finish(f, under) for f in frames])


def _signin_frame(state):
    w, h = SIGNIN_SIZE
    looks = {
        "normal": (P.BLUE_DARK, [(0.0, (253, 254, 255)), (0.5, (232, 241, 251)), (1.0, (204, 224, 246))], 0.9),
        "hover": ((28, 104, 190), [(0.0, (247, 252, 255)), (0.5, (214, 234, 255)), (1.0, (170, 210, 250))], 1.0),
        "pressed": (P.NAVY, [(0.0, (160, 196, 236)), (0.5, (190, 216, 244)), (1.0, (214, 232, 250))], 0.2),
        "disabled": ((176, 182, 190), [(0.0, (250, 250, 250)), (1.0, (228, 230, 233))], 0.6),
    }
    border, fill, highlight = looks[state]
    f = Canvas(w, h)
    outer = sd_round_rect(0, 0, w, h, 3.5)
    inner = sd_round_rect(1, 1, w - 1, h - 1, 2.5)
    f.shape(outer, (0, 0, w, h), border)
    f.shape(inner, (0, 0, w, h), lambda x, y: gradient(fill, (y + 0.5) / h))
    # A light line just inside the top edge (a shadow when pressed).
    top_line = sd_intersect(inner, sd_rect(1, 1, w - 1, 2))
    if state == "pressed":
        f.shape(top_line, (0, 0, w, 3), (110, 150, 200), 0.7)
    else:
        f.shape(top_line, (0, 0, w, 3), P.WHITE, highlight)
    return f


def signin_strip():
    frames = [strips.finish(_signin_frame(s), lambda x, y: KEY) for s in strips.STATES]
    return strips.join(frames)


def close_strip(bg):
    return caption_strip(bg, CLOSE_AT, strips.glyph_close, close=True)


def minimise_strip(bg):
    return caption_strip(bg, MINIMISE_AT, strips.glyph_minimise, close=False)
