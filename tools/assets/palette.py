"""The one palette and the fonts every picture uses: a warm workshop of dark walnut and slate,
brass gears, steel chain, copper and teal accents."""

from PIL import ImageFont

from canvas import rgb

# Board
SLATE_DARK = rgb("#1b2226")
SLATE = rgb("#2a3439")
SLATE_LIGHT = rgb("#3a464c")
WALNUT_DARK = rgb("#241710")
WALNUT = rgb("#3d2a1e")
WALNUT_LIGHT = rgb("#5a3f2c")

# Metals
BRASS_SHADOW = rgb("#5a4015")
BRASS_DARK = rgb("#8c6a26")
BRASS = rgb("#c99f45")
BRASS_LIGHT = rgb("#ecd38a")
BRASS_SHINE = rgb("#fff1c4")

STEEL_OUTLINE = rgb("#1e2429")
STEEL_DARK = rgb("#56626c")
STEEL = rgb("#909ca6")
STEEL_LIGHT = rgb("#cfd7dd")
STEEL_SHINE = rgb("#f4f7f9")

COPPER_DARK = rgb("#7a3f22")
COPPER = rgb("#c0703f")
COPPER_LIGHT = rgb("#eaa578")

TEAL_DARK = rgb("#17484a")
TEAL = rgb("#2a7f7b")
TEAL_LIGHT = rgb("#58b9ad")

# Signals
LAMP_RED_DARK = rgb("#3e0e0a")
LAMP_RED = rgb("#e0442a")
LAMP_GLOW = rgb("#ffb060")
GLOW_WARM = rgb("#ffe2a0")

BLUE = rgb("#3a7cc4")
BLUE_LIGHT = rgb("#8cc4ff")
GREEN = rgb("#4a9e55")
GREEN_LIGHT = rgb("#a6f0a0")
RED = rgb("#c2453a")
RED_LIGHT = rgb("#ffa08c")

# Text
CREAM = (242, 230, 201)
CREAM_DIM = (196, 182, 150)
INK = (26, 20, 14)
BRASS_TEXT = (236, 205, 130)
BLACK = rgb("#000000")
WHITE = rgb("#ffffff")

FONT_DIR = "/usr/share/fonts/truetype/dejavu/"


def font(name, size):
    return ImageFont.truetype(FONT_DIR + name, size)


def sans(size):
    return font("DejaVuSans.ttf", size)


def sans_bold(size):
    return font("DejaVuSans-Bold.ttf", size)


def condensed_bold(size):
    return font("DejaVuSansCondensed-Bold.ttf", size)


def serif_bold(size):
    return font("DejaVuSerif-Bold.ttf", size)
