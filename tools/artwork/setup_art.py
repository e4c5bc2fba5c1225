"""The setup pictures: the settings button's gear, the save button's disk, the dialog background.

The two 19 x 18 button pictures stand on the window colour, which is also their bottom-left
pixel, so they look the same whether the button leaves that colour out or draws it.
"""

import math

from raster import Canvas, clamp01, gradient, sd_circle, sd_rect, sd_round_rect, sd_subtract
import palette as P

GLYPH_SIZE = (19, 18)
KEY = P.BUTTON_FACE


def _gear_sdf(cx, cy, body, tooth, teeth):
    def f(px, py):
        dx, dy = px - cx, py - cy
        angle = math.atan2(dy, dx)
        lobe = clamp01((math.cos(teeth * angle) + 0.05) * 2.6)
        return math.hypot(dx, dy) - (body + tooth * lobe)
    return f


def gear_glyph():
    w, h = GLYPH_SIZE
    c = Canvas(w, h, KEY, 1.0)
    cx, cy = 9.5, 9.0
    gear = sd_subtract(_gear_sdf(cx, cy, 5.4, 2.5, 8), sd_circle(cx, cy, 2.3))
    c.shape(gear, (0, 0, w, h),
            lambda x, y: gradient([(0.0, (118, 148, 184)), (1.0, (52, 82, 124))], (y + 0.5) / h))
    # A light ring on the gear's face gives it some depth.
    c.shape(sd_subtract(sd_circle(cx, cy, 4.6), sd_circle(cx, cy, 3.6)), (0, 0, w, h),
            (190, 208, 230), 0.55)
    return c


def save_glyph():
    w, h = GLYPH_SIZE
    c = Canvas(w, h, KEY, 1.0)
    body = sd_round_rect(2, 1, 17, 16, 1.6)
    c.shape(body, (0, 0, w, h),
            lambda x, y: gradient([(0.0, P.BLUE_MID), (1.0, P.BLUE_DARK)], (y + 0.5) / h))
    c.shape(sd_subtract(body, sd_round_rect(3, 2, 16, 15, 1.0)), (0, 0, w, h), P.NAVY, 0.55)
    c.shape(sd_rect(5, 1, 14, 6), (0, 0, w, h), (224, 231, 240))
    c.shape(sd_rect(11, 2, 13, 5), (0, 0, w, h), (60, 80, 110))
    c.shape(sd_round_rect(4, 9, 15, 16, 0.8), (0, 0, w, h), P.WHITE)
    for ly in (11, 13):
        c.shape(sd_rect(6, ly, 13, ly + 1), (0, 0, w, h), (170, 184, 204))
    return c


def dialog_background():
    """20 x 43, stretched over the whole dialog: identical columns, a soft vertical gradient.

    Around the rows of the save button (a third of the way down) it is close to the window
    colour, because that button paints its own window-coloured face.
    """
    c = Canvas(20, 43)
    stops = [(0.0, (252, 253, 255)), (0.42, (240, 242, 245)), (1.0, (222, 229, 238))]
    for y in range(43):
        colour = gradient(stops, y / 42.0)
        for x in range(20):
            c.put(x, y, colour)
    return c
