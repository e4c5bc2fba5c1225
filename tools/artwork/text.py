"""Chinese text as anti-aliased coverage masks, rendered by ImageMagick with WenQuanYi Zen Hei."""

import shutil
import subprocess

FONT = "WenQuanYi-Zen-Hei"


class TextMask:
    """The ink of a text, cropped to its bounding box: rows of 0..1 coverage values."""

    def __init__(self, width, height, rows):
        self.width = width
        self.height = height
        self.rows = rows


def _parse_pgm(data):
    # "P5\n<w> <h>\n<max>\n" followed by w*h bytes.
    fields = []
    pos = 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        start = pos
        while not data[pos:pos + 1].isspace():
            pos += 1
        fields.append(data[start:pos])
    pos += 1
    if fields[0] != b"P5" or int(fields[3]) != 255:
        raise ValueError("unexpected image from ImageMagick")
    w, h = int(fields[1]), int(fields[2])
    body = data[pos:pos + w * h]
    return TextMask(w, h, [[body[y * w + x] / 255.0 for x in range(w)] for y in range(h)])


def render(text, pixel_size, weight=0.0, spacing=0.0):
    """Renders text at the given em size in pixels; weight > 0 thickens the strokes a little."""
    if shutil.which("convert") is None:
        raise RuntimeError("ImageMagick's convert is needed to render text")
    cmd = ["convert", "-density", "72", "-background", "black", "-fill", "white",
           "-font", FONT, "-pointsize", str(pixel_size), "-kerning", str(spacing)]
    if weight > 0:
        cmd += ["-stroke", "white", "-strokewidth", str(weight)]
    cmd += ["label:" + text, "-trim", "+repage", "-depth", "8", "pgm:-"]
    out = subprocess.run(cmd, check=True, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    return _parse_pgm(out.stdout)
