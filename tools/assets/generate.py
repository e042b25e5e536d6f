#!/usr/bin/python3
"""Writes the game's fourteen pictures (img/), five sounds (sounds/), its menu icons
(packaging/icons/) and the web page's icons (tools/web/icons/).

Everything is computed from fixed seeds, so two runs write byte-identical files. Usage:
    generate.py [ROOT]     ROOT defaults to the repository this script lives in.
Needs python3-pil, python3-numpy, fonts-dejavu-core and lame.
"""

import os
import sys

from PIL import Image

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import icons  # noqa: E402
import palette as P  # noqa: E402
import pieces  # noqa: E402
import screens  # noqa: E402
import sounds  # noqa: E402
import start_screens  # noqa: E402


def save_png(img, path):
    # No text chunks, no time stamp: the file depends on the pixels only.
    img.save(path, format="PNG", optimize=True)


def save_jpeg(img, path, quality):
    img.convert("RGB").save(
        path, format="JPEG", quality=quality, optimize=True, progressive=False, subsampling=0
    )


# A JPEG codes each 8 x 8 block of pixels on its own (no chroma subsampling here). A start
# screen's picture shows only its central 800 x 600: the blocks that reach into it, and one ring
# more for the texture filter's neighbours, keep their pixels and so decode exactly as before;
# the rest is one flat colour that costs almost nothing to download.
JPEG_BLOCK = 8


def flat_outside_view(img):
    x0 = (screens.VIEW_X0 // JPEG_BLOCK - 1) * JPEG_BLOCK
    y0 = (screens.VIEW_Y0 // JPEG_BLOCK - 1) * JPEG_BLOCK
    x1 = (-(-(screens.VIEW_X0 + screens.VIEW_W) // JPEG_BLOCK) + 1) * JPEG_BLOCK
    y1 = (-(-(screens.VIEW_Y0 + screens.VIEW_H) // JPEG_BLOCK) + 1) * JPEG_BLOCK
    flat = Image.new("RGB", img.size, tuple(int(round(float(v) * 255)) for v in P.SLATE_DARK))
    flat.paste(img.convert("RGB").crop((x0, y0, x1, y1)), (x0, y0))
    return flat


def pictures(img_dir):
    save_jpeg(flat_outside_view(start_screens.splash_image()), os.path.join(img_dir, "splash.jpg"),
              86)
    save_jpeg(flat_outside_view(start_screens.instructions_image()),
              os.path.join(img_dir, "instructions.jpg"), 88)
    save_jpeg(screens.board_image(), os.path.join(img_dir, "bg.jpg"), 84)
    save_png(pieces.cursors_image(), os.path.join(img_dir, "cursors.png"))
    save_png(pieces.cursor_glow_image(), os.path.join(img_dir, "cursorglow.png"))
    save_png(pieces.tight_light_image(), os.path.join(img_dir, "tightlight.png"))
    save_png(pieces.gear_image(128), os.path.join(img_dir, "gear.png"))
    save_png(pieces.motor_image(128), os.path.join(img_dir, "motor.png"))
    save_png(pieces.link_image(64), os.path.join(img_dir, "link.png"))
    save_png(screens.toolbar_image(), os.path.join(img_dir, "tools.png"))
    save_png(pieces.button_image(P.BLUE, P.BLUE_LIGHT), os.path.join(img_dir, "bluebutton.png"))
    save_png(pieces.button_image(P.GREEN, P.GREEN_LIGHT), os.path.join(img_dir, "greenbutton.png"))
    save_png(pieces.button_image(P.RED, P.RED_LIGHT), os.path.join(img_dir, "redbutton.png"))
    save_png(pieces.switch_image(), os.path.join(img_dir, "switch.png"))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.normpath(os.path.join(here, "..", ".."))
    img_dir = os.path.join(root, "img")
    sound_dir = os.path.join(root, "sounds")
    os.makedirs(img_dir, exist_ok=True)
    os.makedirs(sound_dir, exist_ok=True)
    if os.environ.get("ASSETS_ONLY") != "sounds":
        pictures(img_dir)
        icons.write_all(os.path.join(root, "packaging", "icons"), save_png)
        icons.write_web(os.path.join(root, "tools", "web", "icons"), save_png)
    if os.environ.get("ASSETS_ONLY") != "pictures":
        sounds.write_all(sound_dir)


if __name__ == "__main__":
    main()
