"""The product's mark: a blue order clipboard with a white order sheet and an orange cart badge.

Drawn from shapes at any size; the small sizes (under 40 pixels) use a simpler, pixel-aligned
variant so that the clipboard stays crisp where the badge's cart would only be noise.
"""

from raster import (Canvas, gradient, mix, sd_circle, sd_polygon, sd_polyline, sd_round_rect,
                    sd_segment, sd_subtract, sd_union)
import palette as P


def _soft(sdf, width):
    return lambda x, y: sdf(x, y) / width


def draw_mark(c, ox, oy, size, shadow=True):
    """Draws the mark into canvas c with its square box at (ox, oy), size pixels wide."""
    if size < 24:
        _draw_small(c, ox, oy, size)
    elif size < 40:
        _draw_medium(c, ox, oy, size)
    else:
        _draw_large(c, ox, oy, size, shadow)


def _vertical(top, bottom, y0, y1, stops=None):
    stops = stops or [(0.0, top), (1.0, bottom)]
    return lambda x, y: gradient(stops, (y + 0.5 - y0) / max(1.0, y1 - y0))


def _draw_large(c, ox, oy, size, shadow):
    s = size / 128.0

    def X(v):
        return ox + v * s

    def Y(v):
        return oy + v * s

    box = (ox, oy, ox + size, oy + size)

    # Soft shadow under the board.
    if shadow:
        sh = sd_round_rect(X(19), Y(18), X(106), Y(124), 11 * s)
        c.shape(_soft(sh, 3.0 * s + 1.0), box, (10, 30, 60), 0.28)

    # Board.
    board = sd_round_rect(X(16), Y(14), X(104), Y(121), 10 * s)
    c.shape(board, box, _vertical(P.BLUE_MID, P.BLUE_DARK, Y(14), Y(121)))
    inner = sd_round_rect(X(17.2), Y(15.2), X(102.8), Y(119.8), 9 * s)
    ring = sd_subtract(board, inner)
    c.shape(ring, box, P.NAVY, 0.55)
    # A light rim on the board's upper edge.
    c.shape(sd_subtract(sd_round_rect(X(17.2), Y(15.2), X(102.8), Y(40), 9 * s),
                        sd_round_rect(X(18.6), Y(16.6), X(101.4), Y(44), 8 * s)),
            box, P.WHITE, 0.35)

    # Paper with a faint shadow of its own.
    c.shape(_soft(sd_round_rect(X(27), Y(27), X(94), Y(112), 3 * s), 1.5), box, P.NAVY, 0.35)
    paper = sd_round_rect(X(26), Y(25), X(93), Y(110), 3 * s)
    c.shape(paper, box, _vertical(P.WHITE, (232, 240, 249), Y(25), Y(110)))

    # Order lines: a blue tick box and a grey line each.
    for i, ly in enumerate((44, 60, 76)):
        c.shape(sd_round_rect(X(34), Y(ly - 4), X(42), Y(ly + 4), 1.5 * s), box, P.BLUE)
        if i < 2:
            c.shape(sd_polyline([(X(35.6), Y(ly)), (X(37.6), Y(ly + 2)), (X(40.6), Y(ly - 2.2))],
                                0.9 * s + 0.15), box, P.WHITE)
        c.shape(sd_segment(X(48), Y(ly), X(84 if i != 1 else 76), Y(ly), 2.2 * s),
                box, (170, 186, 206))
    c.shape(sd_segment(X(34), Y(92), X(62), Y(92), 2.2 * s), box, (196, 208, 222))

    # Clip: a rounded metal tab with a hole.
    clip = sd_subtract(
        sd_union(sd_round_rect(X(40), Y(5), X(80), Y(24), 7 * s),
                 sd_round_rect(X(34), Y(16), X(86), Y(32), 4 * s)),
        sd_circle(X(60), Y(13), 4.5 * s))
    c.shape(_soft(sd_round_rect(X(35), Y(18), X(87), Y(34), 4 * s), 1.5), box, P.NAVY, 0.3)
    c.shape(clip, box, _vertical((150, 164, 182), (84, 98, 118), Y(5), Y(32)))
    c.shape(sd_subtract(clip, sd_round_rect(X(34), Y(5), X(86), Y(30.5), 4 * s)),
            box, (60, 72, 90), 0.6)

    # Cart badge.
    bx, by, br = X(96), Y(97), 27 * s
    c.shape(sd_circle(bx, by, br + 3.2 * s), box, P.WHITE)
    c.shape(sd_circle(bx, by, br), box,
            _vertical(P.ORANGE_LIGHT, P.ORANGE_DARK, by - br, by + br))
    c.shape(sd_subtract(sd_circle(bx, by, br), sd_circle(bx, by - 2 * s, br - 1.2 * s)),
            box, (190, 90, 10), 0.35)
    w = 2.6 * s + 0.2
    basket = sd_polygon([(X(82), Y(87)), (X(113), Y(87)), (X(108), Y(103)), (X(86), Y(103))])
    c.shape(basket, box, P.WHITE)
    c.shape(sd_polyline([(X(75), Y(81)), (X(80), Y(81)), (X(86), Y(103)), (X(109), Y(103))], w),
            box, P.WHITE)
    for wx in (88, 105):
        c.shape(sd_circle(X(wx), Y(111), 3.6 * s), box, P.WHITE)
    # Two slats in the basket keep it reading as a cart.
    for sx in (93, 102):
        c.shape(sd_segment(X(sx), Y(90), X(sx - 0.8), Y(100), 1.1 * s + 0.1), box,
                mix(P.ORANGE, P.ORANGE_DARK, 0.4))


def _draw_medium(c, ox, oy, size):
    """32 pixels (scaled for 24 to 39): board, sheet, two lines, badge with a simple cart."""
    s = size / 32.0

    def R(x0, y0, x1, y1):
        return (ox + x0 * s, oy + y0 * s, ox + x1 * s, oy + y1 * s)

    box = (ox, oy, ox + size, oy + size)
    c.shape(sd_round_rect(*R(4, 4, 27, 31), 2.5 * s), box,
            _vertical(P.BLUE_MID, P.BLUE_DARK, oy + 4 * s, oy + 31 * s))
    c.shape(sd_subtract(sd_round_rect(*R(4, 4, 27, 31), 2.5 * s),
                        sd_round_rect(*R(5, 5, 26, 30), 1.8 * s)), box, P.NAVY, 0.5)
    c.shape(sd_round_rect(*R(7, 7, 24, 28), 0.8 * s), box, P.WHITE)
    for i, ly in enumerate((12, 16, 20)):
        c.shape(sd_round_rect(*R(9, ly - 1, 11, ly + 1), 0.3), box, P.BLUE)
        c.shape(sd_round_rect(*R(13, ly - 0.6, 22 if i != 1 else 20, ly + 0.6), 0.3), box,
                (160, 178, 200))
    c.shape(sd_union(sd_round_rect(*R(11, 2, 20, 6), 1.5 * s), sd_round_rect(*R(9, 5, 22, 9), 1 * s)),
            box, _vertical((150, 164, 182), (84, 98, 118), oy + 2 * s, oy + 9 * s))
    bx, by, br = ox + 24 * s, oy + 24 * s, 7.5 * s
    c.shape(sd_circle(bx, by, br + 1.2 * s), box, P.WHITE)
    c.shape(sd_circle(bx, by, br), box, _vertical(P.ORANGE_LIGHT, P.ORANGE_DARK, by - br, by + br))
    c.shape(sd_polygon([(bx - 4 * s, by - 3 * s), (bx + 4.5 * s, by - 3 * s),
                        (bx + 3.2 * s, by + 1 * s), (bx - 2.6 * s, by + 1 * s)]), box, P.WHITE)
    c.shape(sd_segment(bx - 5.2 * s, by - 4.4 * s, bx - 3.6 * s, by - 2.6 * s, 0.55 * s), box, P.WHITE)
    c.shape(sd_segment(bx + 0.4 * s, by - 2.2 * s, bx + 0.3 * s, by + 0.2 * s, 0.45 * s), box,
            P.ORANGE_DARK, 0.8)
    for wx in (-2.0, 2.4):
        c.shape(sd_circle(bx + wx * s, by + 3.3 * s, 1.15 * s), box, P.WHITE)


def _draw_small(c, ox, oy, size):
    """16 pixels: every edge on a pixel boundary."""
    s = size / 16.0

    def R(x0, y0, x1, y1):
        return (ox + x0 * s, oy + y0 * s, ox + x1 * s, oy + y1 * s)

    box = (ox, oy, ox + size, oy + size)
    c.shape(sd_round_rect(*R(2, 2, 14, 16), 1.2 * s), box,
            _vertical(P.BLUE_MID, P.BLUE_DARK, oy + 2 * s, oy + 16 * s))
    c.shape(sd_round_rect(*R(4, 4, 12, 14), 0.01), box, P.WHITE)
    for ly in (6, 8, 10):
        c.shape(sd_round_rect(*R(5, ly, 6, ly + 1), 0.01), box, P.BLUE)
        c.shape(sd_round_rect(*R(7, ly, 11, ly + 1), 0.01), box, (150, 168, 192))
    c.shape(sd_round_rect(*R(5, 1, 11, 4), 0.8 * s), box, (92, 106, 126))
    c.shape(sd_circle(ox + 12.5 * s, oy + 12.5 * s, 3.4 * s), box, P.WHITE)
    c.shape(sd_circle(ox + 12.5 * s, oy + 12.5 * s, 2.5 * s), box,
            _vertical(P.ORANGE_LIGHT, P.ORANGE_DARK, oy + 10 * s, oy + 15 * s))


def icon_image(size):
    c = Canvas(size, size)
    draw_mark(c, 0, 0, size)
    return c


ICON_SIZES = (128, 64, 48, 32, 16)
