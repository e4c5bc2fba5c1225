"""Four-frame button strips (normal, mouse over, pressed, disabled) and their caption glyphs.

Each frame is drawn with alpha, then made opaque: pixels the art does not touch become the key
colour (the frame's bottom-left pixel, so the button leaves them out), and half-covered edge
pixels are mixed with the colour that lies under the button on screen, so the edges stay smooth
although the key is all-or-nothing.
"""

from raster import Canvas, sd_round_rect, sd_segment, sd_union, to_byte
import palette as P

STATES = ("normal", "hover", "pressed", "disabled")


def finish(frame, under, key=P.KEY, opaque=False):
    """Opaque frame: the art over under(x, y), and the key where nothing is drawn.

    With opaque set, untouched pixels take under(x, y) as well and only the bottom-left pixel
    is the key: for buttons whose parent paints a plain colour, not the picture they stand on.
    """
    out = Canvas(frame.width, frame.height)
    for y in range(frame.height):
        for x in range(frame.width):
            p = frame.get(x, y)
            bottom_left = x == 0 and y == frame.height - 1
            if bottom_left or (not opaque and to_byte(p[3] * 255.0) == 0):
                out.put(x, y, key)
                continue
            bg = under(x, y)
            a = p[3]
            colour = tuple(bg[i] + (p[i] - bg[i]) * a for i in range(3))
            if tuple(to_byte(v) for v in colour) == key:
                colour = (colour[0], colour[1] + 1, colour[2])   # never the key by accident
            out.put(x, y, colour)
    if to_byte(frame.get(0, frame.height - 1)[3] * 255.0) != 0:
        raise AssertionError("the art must leave a frame's bottom-left pixel (the key) free")
    return out


def join(frames):
    """Frames side by side, left to right."""
    w = sum(f.width for f in frames)
    strip = Canvas(w, frames[0].height)
    x0 = 0
    for f in frames:
        for y in range(f.height):
            for x in range(f.width):
                strip.put(x0 + x, y, f.rgb(x, y))
        x0 += f.width
    return strip


# ---- caption glyphs: shapes centred in a w x h frame ------------------------------------------

def glyph_close(w, h, dy=0.0):
    cx, cy, r = w / 2.0, h / 2.0 + dy, 4.5
    return sd_union(sd_segment(cx - r, cy - r, cx + r, cy + r, 0.85),
                    sd_segment(cx - r, cy + r, cx + r, cy - r, 0.85))


def glyph_minimise(w, h, dy=0.0):
    x0 = int(w / 2) - 5
    y0 = int(h / 2 + dy) + 3
    return sd_round_rect(x0, y0, x0 + 10, y0 + 2, 0.01)


def glyph_maximise(w, h, dy=0.0):
    x0 = int(w / 2) - 5
    y0 = int(h / 2 + dy) - 4
    outer = sd_round_rect(x0, y0, x0 + 10, y0 + 9, 0.01)
    inner = sd_round_rect(x0 + 1, y0 + 2, x0 + 9, y0 + 8, 0.01)
    return lambda px, py: max(outer(px, py), -inner(px, py))


def caption_frame(w, h, glyph, fill, fill_alpha, glyph_colour, glyph_alpha, radius=3.0):
    """One caption-button frame: an optional fill with rounded bottom corners, then the glyph.

    The fill hangs from the top edge; its rounded bottom-left corner keeps the frame's
    bottom-left pixel free for the key colour.
    """
    f = Canvas(w, h)
    if fill is not None:
        f.shape(sd_round_rect(0, 0, w, h, (0.0, 0.0, radius, radius)), (0, 0, w, h),
                fill, fill_alpha)
    f.shape(glyph, (0, 0, w, h), glyph_colour, glyph_alpha)
    return f
