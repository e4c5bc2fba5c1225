"""Paints a frame picture cut by four margins the way the window's frame panels do.

Corners at natural size, left and right edges repeated downward, top and bottom edges stretched
across (nearest pixel), the centre filled with the panel's colour. Used to draw the logo on the
title bar's exact colours and for the preview sheet.
"""

from raster import Canvas


def paint_frame(src, left, top, right, bottom, width, height, centre):
    W, H = src.width, src.height
    out = Canvas(width, height, centre, 1.0)

    def blit(sx, sy, w, h, dx, dy):
        for y in range(h):
            for x in range(w):
                tx, ty = dx + x, dy + y
                if 0 <= tx < width and 0 <= ty < height:
                    out.put(tx, ty, src.rgb(sx + x, sy + y))

    def stretch(sx, sy, sw, sh, dx0, dy0, dx1):
        dw = dx1 - dx0
        if dw <= 0 or sw <= 0:
            return
        for y in range(sh):
            for x in range(dw):
                out.put(dx0 + x, dy0 + y, src.rgb(sx + (x * sw) // dw, sy + y))

    def tile(sx, sy, sw, sh, dx, top_y, bottom_y):
        if sh <= 0:
            return
        y = top_y
        while y < bottom_y:
            blit(sx, sy, sw, min(sh, bottom_y - y), dx, y)
            y += sh

    blit(0, 0, left, top, 0, 0)
    blit(0, H - bottom, left, bottom, 0, height - bottom)
    blit(W - right, 0, right, top, width - right, 0)
    blit(W - right, H - bottom, right, bottom, width - right, height - bottom)
    tile(0, top, left, H - top - bottom, 0, top, height - bottom)
    stretch(left, 0, W - left - right, top, left, 0, width - right)
    tile(W - right, top, right, H - top - bottom, width - right, top, height - bottom)
    stretch(left, H - bottom, W - left - right, bottom, left, height - bottom, width - right)
    return out
