#!/usr/bin/env python3
"""Tests of the committed artwork: in step with its generator, and drawn the way the windows use it.

    python3 -m unittest discover -s tools/artwork -p 'test_*.py'
"""

import os
import re
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import generate                         # noqa: E402
import imagefiles                       # noqa: E402
from framepaint import paint_frame      # noqa: E402
from raster import Canvas               # noqa: E402

ART = os.path.join(generate.ROOT, "resources", "art")
MAGENTA = (255, 0, 255)
WINDOW = (240, 240, 240)


def load(name):
    with open(os.path.join(ART, name), "rb") as f:
        return imagefiles.read_bmp(f.read())


def as_canvas(bmp):
    c = Canvas(bmp["width"], bmp["height"])
    for y, row in enumerate(bmp["rows"]):
        for x, colour in enumerate(row):
            c.put(x, y, colour)
    return c


def block(bmp, x0, y0, w, h):
    return [row[x0:x0 + w] for row in bmp["rows"][y0:y0 + h]]


class CommittedArtwork(unittest.TestCase):
    def test_committed_files_are_what_the_generator_writes(self):
        with tempfile.TemporaryDirectory() as out:
            generate.write_all(out)
            names = sorted(os.listdir(out))
            self.assertEqual(names, sorted(os.listdir(ART)))
            for name in names:
                with self.subTest(name):
                    with open(os.path.join(out, name), "rb") as a, open(os.path.join(ART, name), "rb") as b:
                        self.assertTrue(a.read() == b.read(), "%s differs: run tools/artwork/generate.py" % name)

    def test_resource_script_names_every_picture(self):
        with open(os.path.join(generate.ROOT, "resources", "app.rc"), encoding="utf-8") as f:
            named = set(re.findall(r'"art/([^"]+)"', f.read()))
        self.assertEqual(named, set(os.listdir(ART)))

    def test_bitmaps_are_24_bit_bottom_up_in_their_sizes(self):
        for name, (w, h) in generate.SIZES.items():
            with self.subTest(name):
                bmp = load(name)
                self.assertEqual((bmp["width"], bmp["height"], bmp["bits"], bmp["top_down"]), (w, h, 24, False))


class ButtonStrips(unittest.TestCase):
    STRIPS = {
        "login_close.bmp": 35, "login_minimize.bmp": 32, "login_button.bmp": 89,
        "main_minimize.bmp": 30, "main_maximize.bmp": 31, "main_close.bmp": 35,
    }

    def test_each_frame_is_keyed_by_its_bottom_left_pixel_and_the_four_look_different(self):
        for name, fw in self.STRIPS.items():
            with self.subTest(name):
                bmp = load(name)
                frames = [block(bmp, i * fw, 0, fw, bmp["height"]) for i in range(4)]
                for i, frame in enumerate(frames):
                    self.assertEqual(frame[-1][0], MAGENTA, "frame %d" % i)
                    visible = sum(1 for row in frame for p in row if p != MAGENTA)
                    # At least a glyph: the smallest, the minimise bar, is 10 x 2 pixels.
                    self.assertGreaterEqual(visible, 20, "frame %d is blank" % i)
                for i in range(4):
                    for j in range(i + 1, 4):
                        self.assertNotEqual(frames[i], frames[j], "frames %d and %d" % (i, j))


class SignInBackground(unittest.TestCase):
    def setUp(self):
        self.bmp = load("login_background.bmp")

    def test_bottom_left_pixel_is_the_window_colour(self):
        self.assertEqual(self.bmp["rows"][-1][0], WINDOW)

    def test_native_controls_stand_on_the_window_colour(self):
        # Window rectangles (left, top, width, height) of the radio buttons, the check box and the
        # settings button; the picture starts at window y 1.
        for left, top, w, h in [(112, 131, 81, 17), (205, 131, 81, 17), (298, 197, 76, 17), (310, 249, 63, 25)]:
            with self.subTest(left=left, top=top):
                pixels = {p for row in block(self.bmp, left, top - 1, w, h) for p in row}
                self.assertEqual(pixels, {WINDOW})

    def test_title_area_has_no_key_pixels(self):
        inner = block(self.bmp, 5, 5, 370, 95)
        self.assertNotIn(WINDOW, {p for row in inner for p in row})


class FramePictures(unittest.TestCase):
    def assert_uniform_columns(self, bmp, x0, y0, w, h):
        rows = block(bmp, x0, y0, w, h)
        for row in rows:
            self.assertEqual(set(row), {row[0]})

    def assert_uniform_rows(self, bmp, x0, y0, w, h):
        rows = block(bmp, x0, y0, w, h)
        for row in rows[1:]:
            self.assertEqual(row, rows[0])

    def test_stretched_edges_have_equal_columns_and_repeated_edges_equal_rows(self):
        for name in ("main_title_frame.bmp", "main_browser_frame.bmp"):
            with self.subTest(name):
                bmp = load(name)
                self.assert_uniform_columns(bmp, 17, 0, 6, 17)    # top edge
                self.assert_uniform_columns(bmp, 17, 23, 6, 17)   # bottom edge
                self.assert_uniform_rows(bmp, 0, 17, 17, 6)       # left edge
                self.assert_uniform_rows(bmp, 23, 17, 17, 6)      # right edge
        self.assert_uniform_columns(load("main_status_frame.bmp"), 8, 0, 24, 32)
        self.assert_uniform_columns(load("setup_background.bmp"), 0, 0, 20, 43)

    def test_title_bar_edges_blend_into_its_centre_colour(self):
        bmp = load("main_title_frame.bmp")
        for y in (16, 17, 22, 23):
            r, g, b = bmp["rows"][y][20]
            self.assertLessEqual(max(abs(r - 231), abs(g - 231), abs(b - 231)), 3, "row %d" % y)

    def test_logo_continues_the_title_bar_seamlessly(self):
        bar = paint_frame(as_canvas(load("main_title_frame.bmp")), 17, 17, 17, 17, 972, 50, (231, 231, 231))
        logo = load("main_logo.bmp")
        for y in range(27):
            for x in (0, 1, 150, 151, 152, 153):
                self.assertEqual(logo["rows"][y][x], bar.rgb_bytes(x, y), (x, y))
        for x in range(154):
            self.assertEqual(logo["rows"][0][x], bar.rgb_bytes(x, 0), (x, 0))


class ProgramIcon(unittest.TestCase):
    def test_five_square_images_at_32_bits_with_a_mask_that_follows_alpha(self):
        with open(os.path.join(ART, generate.ICON_FILE), "rb") as f:
            entries = imagefiles.read_ico(f.read())
        self.assertEqual(sorted(e[0] for e in entries), [16, 32, 48, 64, 128])
        for w, h, bits, data in entries:
            with self.subTest(size=w):
                self.assertEqual((w, h, bits), (w, w, 32))
                header_size = int.from_bytes(data[0:4], "little")
                xor = data[header_size:header_size + w * w * 4]
                mask = data[header_size + w * w * 4:]
                stride = ((w + 31) // 32) * 4
                self.assertEqual(len(mask), stride * w)
                for y in range(w):
                    for x in range(w):
                        clear = xor[(y * w + x) * 4 + 3] == 0
                        masked = bool(mask[y * stride + x // 8] & (0x80 >> (x % 8)))
                        self.assertEqual(clear, masked, (x, y))


if __name__ == "__main__":
    unittest.main()
