"""The product's colours: a calm blue with white, cool greys and one warm accent."""

# Brand blues, dark to light.
NAVY = (18, 62, 124)
BLUE_DARK = (24, 82, 156)
BLUE = (41, 116, 196)
BLUE_MID = (74, 146, 220)
BLUE_LIGHT = (150, 196, 240)
BLUE_PALE = (222, 236, 250)

# Warm accent (the cart badge of the icon).
ORANGE = (246, 150, 36)
ORANGE_LIGHT = (255, 190, 84)
ORANGE_DARK = (222, 112, 16)

WHITE = (255, 255, 255)
INK = (40, 52, 68)           # glyphs on light surfaces
SLATE = (92, 110, 134)       # quiet glyphs and lines
BORDER = (126, 150, 178)     # the one-pixel outline of the windows
RULE = (206, 214, 224)       # etched lines, dark half
CLOSE_RED = (214, 64, 56)
CLOSE_RED_DARK = (170, 42, 36)

# The window colour of Windows 7 to 11 and of Wine (button face). Pictures drawn with a
# transparent colour use it as that colour, so that they also look right where the key is not
# honoured; a different button-face colour still shows through exactly where intended.
BUTTON_FACE = (240, 240, 240)

# Key colour of the glyph strips: never part of the art, so every pixel of it is left out.
KEY = (255, 0, 255)

# The title bar's centre, filled by the panel itself (RGB 231, 231, 231).
TITLE_CENTRE = (231, 231, 231)
