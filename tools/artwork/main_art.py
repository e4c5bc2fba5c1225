"""The main window's pictures: title bar, browser and status bar frames, logo, caption strips.

The frames are cut by margins and their edges are stretched across or repeated downward, so
every top and bottom edge has identical columns and every left and right edge identical rows.
The title bar's centre is filled by its panel with RGB 231, 231, 231; its edges fade into that.
"""

from raster import Canvas, gradient, mix
from framepaint import paint_frame
from mark import draw_mark
import palette as P
import strips
import text

TITLE_MARGIN = 17
TITLE_HEIGHT = 50               # the title bar panel's height
TITLE_WIDTH = 972               # its width at the window's design size
CAPTION_PANEL_AT = (878, -1)    # caption-button panel in the title bar, flush right
CAPTION_BUTTONS = {             # left edge in the caption panel, frame width
    "minimise": (0, 30),
    "maximise": (29, 31),
    "close": (59, 35),
}
CAPTION_HEIGHT = 25

STRIPE = [(22, 78, 150), (41, 116, 196), (96, 160, 226)]


def _title_row(y):
    """Colour of title-frame row y (0..39) away from the outline."""
    if y < len(STRIPE):
        return STRIPE[y]
    if y == 3:
        return (253, 254, 255)
    if y < TITLE_MARGIN:
        return gradient([(0.0, (248, 250, 252)), (1.0, (233, 233, 234))], (y - 4) / 12.0)
    if y < 40 - TITLE_MARGIN:
        return P.TITLE_CENTRE
    if y == 39:
        return (168, 182, 200)
    if y == 38:
        return (214, 219, 226)
    return gradient([(0.0, P.TITLE_CENTRE), (1.0, (222, 225, 229))], (y - 23) / 14.0)


def title_frame():
    c = Canvas(40, 40)
    for y in range(40):
        row = _title_row(y)
        for x in range(40):
            edge = x in (0, 39)
            if edge:
                colour = mix(row, P.NAVY, 0.35) if y < len(STRIPE) else P.BORDER
            else:
                colour = row
            c.put(x, y, colour)
    return c


def browser_frame():
    """A white ring of five pixels shows around the browser: outline, white, a faint inner line."""
    c = Canvas(40, 40, P.WHITE, 1.0)
    inner = (214, 222, 232)
    for i in range(4, 36):
        c.put(i, 4, inner)
        c.put(i, 35, inner)
        c.put(4, i, inner)
        c.put(35, i, inner)
    for y in range(40):
        c.put(0, y, P.BORDER)
        c.put(39, y, P.BORDER)
    return c


def status_frame():
    """50 x 32: left cap 8, stretched middle 24, right cap 18 columns."""
    c = Canvas(50, 32)
    for y in range(32):
        if y == 0:
            row = (184, 196, 210)
        elif y == 1:
            row = P.WHITE
        elif y == 31:
            row = P.BORDER
        else:
            row = gradient([(0.0, (247, 249, 251)), (1.0, (222, 228, 236))], (y - 2) / 28.0)
        for x in range(50):
            c.put(x, y, P.BORDER if x in (0, 49) else row)
    return c


def title_bar(width=TITLE_WIDTH):
    return paint_frame(title_frame(), TITLE_MARGIN, TITLE_MARGIN, TITLE_MARGIN, TITLE_MARGIN,
                       width, TITLE_HEIGHT, P.TITLE_CENTRE)


def logo():
    """154 x 27 at the title bar's top-left corner, on its exact colours."""
    c = title_bar().crop(0, 0, 154, 27)
    draw_mark(c, 8, 4, 21)
    name = text.render("客户订货系统", 17, weight=0.35)
    c.mask(name.rows, 35, 16 - name.height // 2, (255, 255, 255), 0.8)
    c.mask(name.rows, 34, 15 - name.height // 2, P.NAVY)
    return c


def caption_strip(kind):
    left, w = CAPTION_BUTTONS[kind]
    bar = title_bar()
    px, py = CAPTION_PANEL_AT
    x0 = px + left

    def under(x, y):
        by = py + y
        return bar.rgb(x0 + x, by) if 0 <= by < TITLE_HEIGHT else P.TITLE_CENTRE

    glyph = {"minimise": strips.glyph_minimise, "maximise": strips.glyph_maximise,
             "close": strips.glyph_close}[kind](w, CAPTION_HEIGHT, dy=1.0)
    close = kind == "close"
    hover = (P.CLOSE_RED, 1.0, P.WHITE) if close else ((204, 224, 246), 1.0, P.NAVY)
    pressed = (P.CLOSE_RED_DARK, 1.0, P.WHITE) if close else ((166, 200, 238), 1.0, P.NAVY)
    frames = [
        strips.caption_frame(w, CAPTION_HEIGHT, glyph, None, 0, P.INK, 0.85),
        strips.caption_frame(w, CAPTION_HEIGHT, glyph, hover[0], hover[1], hover[2], 1.0),
        strips.caption_frame(w, CAPTION_HEIGHT, glyph, pressed[0], pressed[1], pressed[2], 1.0),
        strips.caption_frame(w, CAPTION_HEIGHT, glyph, None, 0, (168, 176, 188), 1.0),
    ]
    # The buttons stand on a panel of their own, not on the title bar's picture: they carry the
    # title bar's pixels themselves, so the panel shows at most through each bottom-left pixel.
    return strips.join([strips.finish(f, under, opaque=True) for f in frames])
