#!/usr/bin/env python3
"""Writes every picture of the program into resources/art/ (and, on request, a preview sheet).

    python3 tools/artwork/generate.py [--out DIR] [--preview FILE.png]

The output is committed with this generator; the build only compiles it. Running the generator
again gives the same bytes.
"""

import argparse
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import imagefiles                       # noqa: E402
import main_art                         # noqa: E402
import mark                             # noqa: E402
import setup_art                        # noqa: E402
import signin_art                       # noqa: E402

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))

# File name -> (width, height): the sizes the windows are laid out for.
SIZES = {
    "login_background.bmp": (380, 280),
    "login_close.bmp": (140, 25),
    "login_minimize.bmp": (128, 25),
    "login_button.bmp": (356, 24),
    "setup_glyph.bmp": (19, 18),
    "setup_background.bmp": (20, 43),
    "setup_save_glyph.bmp": (19, 18),
    "main_title_frame.bmp": (40, 40),
    "main_browser_frame.bmp": (40, 40),
    "main_status_frame.bmp": (50, 32),
    "main_logo.bmp": (154, 27),
    "main_minimize.bmp": (120, 25),
    "main_maximize.bmp": (124, 25),
    "main_close.bmp": (140, 25),
}
ICON_FILE = "app.ico"


def build():
    """All pictures as canvases, by file name, plus the icon images."""
    bg = signin_art.background()
    pictures = {
        "login_background.bmp": bg,
        "login_close.bmp": signin_art.close_strip(bg),
        "login_minimize.bmp": signin_art.minimise_strip(bg),
        "login_button.bmp": signin_art.signin_strip(),
        "setup_glyph.bmp": setup_art.gear_glyph(),
        "setup_background.bmp": setup_art.dialog_background(),
        "setup_save_glyph.bmp": setup_art.save_glyph(),
        "main_title_frame.bmp": main_art.title_frame(),
        "main_browser_frame.bmp": main_art.browser_frame(),
        "main_status_frame.bmp": main_art.status_frame(),
        "main_logo.bmp": main_art.logo(),
        "main_minimize.bmp": main_art.caption_strip("minimise"),
        "main_maximize.bmp": main_art.caption_strip("maximise"),
        "main_close.bmp": main_art.caption_strip("close"),
    }
    for name, canvas in pictures.items():
        if (canvas.width, canvas.height) != SIZES[name]:
            raise AssertionError("%s is %dx%d, not %dx%d" % (name, canvas.width, canvas.height,
                                                              *SIZES[name]))
    icons = [mark.icon_image(size) for size in mark.ICON_SIZES]
    return pictures, icons


def write_all(out_dir):
    pictures, icons = build()
    os.makedirs(out_dir, exist_ok=True)
    for name, canvas in pictures.items():
        with open(os.path.join(out_dir, name), "wb") as f:
            f.write(imagefiles.bmp24_bytes(canvas))
    with open(os.path.join(out_dir, ICON_FILE), "wb") as f:
        f.write(imagefiles.ico_bytes(icons))
    return pictures, icons


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=os.path.join(ROOT, "resources", "art"))
    parser.add_argument("--preview", help="also write a PNG sheet of every picture in use")
    args = parser.parse_args()
    pictures, icons = write_all(args.out)
    if args.preview:
        import preview
        preview.write(args.preview, pictures, icons)
    print("wrote %d pictures and %s to %s" % (len(pictures), ICON_FILE, args.out))


if __name__ == "__main__":
    main()
