"""The large pictures: the board, the tool bar, the splash and the instructions.

The three full-screen pictures are 1024 x 1024 and drawn centred on the 800 x 600 board at one
unit per pixel, so only pixels 112..911 across and 212..811 down are ever seen; everything
that matters lies inside that window. Board point (x, y) is pixel (512 + x, 512 - y).
"""

import numpy as np
from PIL import Image, ImageDraw

import palette as P
import pieces
from canvas import Canvas, mix, straight_to_image

SCREEN = 1024
VIEW_X0, VIEW_Y0 = 112, 212  # top-left pixel of the visible 800 x 600 part
VIEW_W, VIEW_H = 800, 600


def board_pixel(x, y):
    return SCREEN / 2 + x, SCREEN / 2 - y


def smooth_noise(shape, scale, rng):
    """Value noise: random values on a coarse grid, smoothly enlarged."""
    gh, gw = int(shape[0] / scale) + 2, int(shape[1] / scale) + 2
    grid = rng.random((gh, gw)).astype(np.float32)
    img = Image.fromarray(grid, mode="F").resize((int(gw * scale), int(gh * scale)), Image.BICUBIC)
    return np.asarray(img, dtype=np.float32)[: shape[0], : shape[1]]


def fractal_noise(shape, rng, scales=(256, 96, 32, 8), weights=(0.45, 0.3, 0.17, 0.08)):
    total = np.zeros(shape, dtype=np.float32)
    for s, w in zip(scales, weights):
        total += w * smooth_noise(shape, s, rng)
    return total


# -- board ---------------------------------------------------------------------------------


def slate_surface(rng, darken=0.0):
    """The board's slate: blue-grey stone with soft mottling, fine grain and a vignette."""
    shape = (SCREEN, SCREEN)
    mottle = fractal_noise(shape, rng)
    grain = rng.standard_normal(shape).astype(np.float32)
    grain = (grain + np.roll(grain, 1, 0) + np.roll(grain, 1, 1) + np.roll(grain, (1, 1), (0, 1))) / 4
    base = mix(P.SLATE_DARK, P.SLATE_LIGHT, np.clip(0.35 + (mottle - 0.5) * 0.9, 0, 1))
    base = base + grain[..., None] * 0.012
    yy, xx = np.mgrid[0:SCREEN, 0:SCREEN].astype(np.float32)
    vx = (xx - 512) / (VIEW_W / 2)
    vy = (yy - 512) / (VIEW_H / 2)
    vignette = 1.0 - 0.38 * np.clip((vx**2 + vy**2) / 2.0, 0, 1) ** 1.2
    # A broad warm light from above, as if from a workshop lamp.
    lamp = 0.075 * np.exp(-((xx - 470) ** 2 + (yy - 380) ** 2) / (2 * 300.0**2))
    colour = base * vignette[..., None] * (1.0 - darken) + lamp[..., None] * np.array([1.0, 0.8, 0.5])
    return np.clip(colour, 0, 1)


def stretched_noise(shape, sx, sy, rng):
    """Value noise whose features are sx long across and sy long down."""
    gh, gw = int(shape[0] / sy) + 3, int(shape[1] / sx) + 3
    grid = rng.random((gh, gw)).astype(np.float32)
    img = Image.fromarray(grid, mode="F").resize((int(gw * sx), int(gh * sy)), Image.BICUBIC)
    return np.asarray(img, dtype=np.float32)[: shape[0], : shape[1]]


def walnut(shape, rng, along_x=True):
    """Dark walnut: long fine streaks along the grain, a few broader bands, slight waviness."""
    h, w = shape
    if not along_x:
        return np.transpose(walnut((w, h), rng, True), (1, 0, 2))
    yy = np.mgrid[0:h, 0:w][0].astype(np.float32)
    wave = stretched_noise(shape, 90, 40, rng) * 10.0
    fine = stretched_noise(shape, 160, 1.6, rng)
    mid = stretched_noise(shape, 300, 7, rng)
    bands = 0.5 + 0.5 * np.sin((yy + wave) * 0.09 + stretched_noise(shape, 200, 60, rng) * 4.0)
    t = np.clip(0.15 + 0.30 * fine + 0.25 * mid + 0.25 * bands**2, 0, 1)
    return mix(P.WALNUT_DARK, P.WALNUT_LIGHT, t)


def framed_view(colour, rng, width=14):
    """A walnut frame round the visible part, bevelled inwards, with a shadow on the slate."""
    x0, y0, x1, y1 = VIEW_X0, VIEW_Y0, VIEW_X0 + VIEW_W, VIEW_Y0 + VIEW_H
    wood = walnut((SCREEN, SCREEN), rng)
    wood_v = walnut((SCREEN, SCREEN), np.random.default_rng(7), along_x=False)
    yy, xx = np.mgrid[0:SCREEN, 0:SCREEN].astype(np.float32) + 0.5
    dl, dr, dt, db = xx - x0, x1 - xx, yy - y0, y1 - yy
    edge = np.minimum(np.minimum(dl, dr), np.minimum(dt, db))
    in_frame = edge < width
    vertical = np.minimum(dl, dr) < np.minimum(dt, db)
    frame_col = np.where(vertical[..., None], wood_v, wood)
    # Bevel: light on the outer lip, dark where the frame meets the slate.
    bevel = np.clip(1 - edge / width, 0, 1)
    frame_col = frame_col * (0.75 + 0.45 * bevel[..., None] ** 2)
    inner_shadow = np.exp(-np.clip(edge - width, 0, None) / 9.0) * (edge >= width)
    colour = colour * (1 - 0.45 * inner_shadow[..., None])
    colour = np.where(in_frame[..., None], frame_col, colour)
    return np.clip(colour, 0, 1)


def engrave_text(draw, xy, text, fnt, fill, anchor="mm", light=(255, 255, 255, 40), dark=(0, 0, 0, 150)):
    """Text cut into a surface: a dark edge above, a light edge below."""
    x, y = xy
    draw.text((x, y - 1), text, font=fnt, fill=dark, anchor=anchor)
    draw.text((x, y + 1), text, font=fnt, fill=light, anchor=anchor)
    draw.text((x, y), text, font=fnt, fill=fill, anchor=anchor)


def raised_text(draw, xy, text, fnt, fill, anchor="mm", shadow=(0, 0, 0, 170), offset=(1, 1)):
    x, y = xy
    draw.text((x + offset[0], y + offset[1]), text, font=fnt, fill=shadow, anchor=anchor)
    draw.text((x, y), text, font=fnt, fill=fill, anchor=anchor)


def lamp_plate(img):
    """A small steel plate under the tension lamp, labelled, drawn into the board."""
    cx, cy = board_pixel(330, 230)
    c = Canvas(120, 140)
    plate = c.box(60, 70, 44, 58, 12)
    c.shadow(c.cover(plate), 3.0, P.BLACK, 0.55, dx=1.5, dy=2.5)
    c.paint(c.cover(plate), mix(P.SLATE_DARK * 0.9, P.STEEL_DARK * 0.9, np.clip(1 - c.y / 140, 0, 1)))
    c.paint(c.cover(np.abs(plate + 1.5) - 0.6), P.BRASS, 0.6)
    for sx, sy in ((24, 22), (96, 22), (24, 118), (96, 118)):
        s = c.circle(sx, sy, 3.0)
        c.paint(c.cover(s), P.STEEL_OUTLINE, 0.8)
        c.paint(c.cover(s + 0.8), P.STEEL_LIGHT)
    piece = c.image()
    img.alpha_composite(piece, (int(cx - 60), int(cy - 64)))
    d = ImageDraw.Draw(img)
    engrave_text(d, (cx, cy + 52), "TENSION", P.condensed_bold(11), P.BRASS_TEXT + (255,))


def board_image():
    rng = np.random.default_rng(1)
    colour = slate_surface(rng)
    colour = framed_view(colour, rng)
    img = Image.fromarray((colour * 255).round().astype(np.uint8), mode="RGB").convert("RGBA")
    lamp_plate(img)
    return img.convert("RGB")


# -- tool bar ------------------------------------------------------------------------------

BAR_W, BAR_H = 512, 256
HANDLE_H = 28  # what shows above the bottom edge while the bar is lowered

# Button centres and sizes in bar units (relative to the bar's centre, y up).
TOOL_BUTTONS = [
    ("Move", 48, -135, 35),
    ("Small", 32, -30, 40),
    ("Medium", 32, 15, 40),
    ("Large", 32, 60, 40),
    ("Motor", 32, 102, 40),
    ("Longer", 32, -30, -67),
    ("Shorter", 32, 15, -67),
    ("New", 32, 60, -67),
    ("Reset", 32, 105, -67),
    ("Delete", 32, -163, -67),
    ("Clear all", 32, -103, -67),
]
SWITCH = (172, -30, 32, 78)


def bar_pixel(x, y):
    return BAR_W / 2 + x, BAR_H / 2 - y


def toolbar_image():
    rng = np.random.default_rng(5)
    c = Canvas(BAR_W, BAR_H, ss=2)
    # Panel body: walnut, rounded at the top, running off the bottom of the picture.
    body = c.box(256, 140, 252, 140, 16)
    c.shadow(c.cover(body), 4.0, P.BLACK, 0.65, dy=-1.0)
    wood = walnut((BAR_H * 2, BAR_W * 2), rng)
    c.paint(c.cover(body), wood * 1.05)
    # Brass trim just inside the edge.
    c.paint(c.cover(np.abs(body + 3.5) - 1.2), P.BRASS_DARK, 0.9)
    c.paint(c.cover(np.abs(body + 3.0) - 0.5), P.BRASS_LIGHT, 0.7)

    # The handle: a brass rail across the top with a knurled grip in the middle.
    rail = np.maximum(body, c.y - HANDLE_H)
    c.paint(c.cover(rail), mix(P.BRASS_LIGHT, P.BRASS_DARK, np.clip(c.y / HANDLE_H, 0, 1) ** 0.8))
    c.paint(c.cover(np.abs(c.y - HANDLE_H) - 0.8) * c.cover(body), P.BRASS_SHADOW, 0.9)
    c.paint(c.cover(np.abs(c.y - HANDLE_H - 2.0) - 1.2) * c.cover(body), P.BLACK, 0.35)
    grip = c.box(256, 14, 120, 8.5, 8.5)
    c.paint(c.cover(grip), mix(P.BRASS_DARK, P.BRASS, np.clip((c.y - 6) / 16, 0, 1)))
    knurl = 0.5 + 0.5 * np.cos((c.x - 256) * 2 * np.pi / 4.0)
    c.shade(c.cover(grip + 1.0) * knurl, P.BRASS_SHADOW, 0.55)
    c.paint(c.cover(np.abs(grip) - 0.6), P.BRASS_SHADOW, 0.8)
    plate = c.box(256, 14, 42, 8.5, 4)
    c.paint(c.cover(plate), mix(P.BRASS_LIGHT, P.BRASS, np.clip((c.y - 6) / 16, 0, 1)))
    c.paint(c.cover(np.abs(plate) - 0.6), P.BRASS_SHADOW, 0.9)

    # Wells for the buttons and the switch: a dark recess a little larger than each.
    for _, size, x, y in TOOL_BUTTONS:
        px, py = bar_pixel(x, y)
        well = c.circle(px, py, size / 2 + 3.0)
        c.paint(c.cover(well), P.BLACK, 0.45)
        c.paint(c.cover(np.abs(well + 0.5) - 0.6), P.BRASS_LIGHT, 0.25)
    sx, sy = bar_pixel(SWITCH[0], SWITCH[1])
    well = c.box(sx, sy, SWITCH[2] / 2 + 3, SWITCH[3] / 2 + 3, 8)
    c.paint(c.cover(well), P.BLACK, 0.45)

    # Divider between the row of pieces and the row of chain tools, and before the switch.
    c.paint(c.cover(c.box(206, 134, 186, 0.6)), P.BLACK, 0.35)
    c.paint(c.cover(c.box(206, 135.2, 186, 0.5)), P.WALNUT_LIGHT, 0.5)
    c.paint(c.cover(c.box(397, 150, 0.6, 82)), P.BLACK, 0.35)
    c.paint(c.cover(c.box(398.2, 150, 0.5, 82)), P.WALNUT_LIGHT, 0.5)

    draw_tool_icons(c)
    img = c.image()

    d = ImageDraw.Draw(img)
    label_font = P.condensed_bold(11)
    d.text((256, 15), "TOOLS", font=P.condensed_bold(13), fill=(255, 244, 210, 150), anchor="mm")
    d.text((256, 14), "TOOLS", font=P.condensed_bold(13), fill=(62, 40, 10, 255), anchor="mm")
    for tri_x in (256 - 30, 256 + 30):
        d.polygon([(tri_x - 4.5, 18), (tri_x + 4.5, 18), (tri_x, 10.5)], fill=(62, 40, 10, 235))
    for name, size, x, y in TOOL_BUTTONS:
        px, py = bar_pixel(x, y)
        ly = py + size / 2 + 11
        raised_text(d, (px, ly), name, label_font, P.CREAM + (255,))
    sx, sy = bar_pixel(SWITCH[0], SWITCH[1])
    raised_text(d, (sx, sy - SWITCH[3] / 2 - 12), "Power", label_font, P.CREAM + (255,))
    raised_text(d, (sx + 22, sy - 24), "ON", P.condensed_bold(11), (170, 240, 160, 255), anchor="lm")
    raised_text(d, (sx + 22, sy + 24), "OFF", P.condensed_bold(11), (255, 150, 130, 255), anchor="lm")
    return straight_to_image(img)


def draw_tool_icons(c):
    """A picture above each button (the labels go below)."""
    for index, (_, size, x, y) in enumerate(TOOL_BUTTONS):
        px, py = bar_pixel(x, y)
        tool_icon(c, index, px, py - size / 2 - 17 - (8 if index == 0 else 0))


_ICON_PIECES = {}


def _piece(name):
    if name not in _ICON_PIECES:
        _ICON_PIECES[name] = pieces.gear_image(128) if name == "gear" else pieces.motor_image(128)
    return _ICON_PIECES[name]


def tool_icon(c, index, cx, cy):
    """The icon of tool `index`, fitted in a box about 28 x 24 centred on (cx, cy)."""
    gear = _piece("gear")
    bottom = cy + 11  # the gears stand on one line
    if index == 0:
        pieces.outline_and_fill(c, pieces.move_arrows_sdf(c, cx, cy, 24), mix(P.BLUE_LIGHT, P.WHITE, 0.5), width=1.2)
    elif index in (1, 2, 3):
        dia = {1: 14, 2: 19, 3: 25}[index]
        pieces.paste_centred(c, gear, cx, bottom - dia / 2, dia / 128)
    elif index == 4:
        pieces.paste_centred(c, _piece("motor"), cx, bottom - 12.5, 25 / 128)
    elif index in (5, 6):
        pieces.chain_icon(c, cx - 3, cy + 3, 26, angle=0.0)
        if index == 5:
            sign, colour = pieces.plus_sdf(c, cx + 8, cy - 5, 4.0, 1.3), P.GREEN_LIGHT
        else:
            sign, colour = c.box(cx + 8, cy - 5, 4.0, 1.3, 0.5), P.RED_LIGHT
        pieces.outline_and_fill(c, sign, colour, width=1.0, shadow=False)
    elif index == 7:
        square_loop(c, cx - 1, cy + 1, 9.0)
        pieces.outline_and_fill(c, pieces.plus_sdf(c, cx + 9, cy - 6, 4.0, 1.3), P.GREEN_LIGHT, width=1.0, shadow=False)
    elif index == 8:
        square_loop(c, cx, cy + 1, 9.0)
        reset_arrow(c, cx, cy + 1, 4.2)
    elif index == 9:
        pieces.paste_centred(c, gear, cx - 2, cy + 2, 18 / 128)
        pieces.outline_and_fill(c, pieces.cross_sdf(c, cx + 6, cy - 4, 3.6, 1.2), P.RED * 1.3, width=1.0, shadow=False)
    elif index == 10:
        for dx, dy, dia in ((-6, 4, 12), (5, 5, 10), (0, -4, 11)):
            pieces.paste_centred(c, gear, cx + dx, cy + dy, dia / 128)
        pieces.outline_and_fill(c, pieces.cross_sdf(c, cx, cy + 1, 7.0, 1.5), P.RED * 1.3, width=1.1)


def square_loop(c, cx, cy, half):
    """A chain laid out as a square: a steel outline with a bead at each point."""
    sq = np.abs(c.box(cx, cy, half, half, 1.5)) - 1.4
    c.paint(c.cover(sq - 1.0), P.STEEL_OUTLINE)
    c.paint(c.cover(sq), P.STEEL_LIGHT)
    for k in range(-1, 2):
        for bx, by in ((cx + k * half, cy - half), (cx + k * half, cy + half), (cx - half, cy + k * half), (cx + half, cy + k * half)):
            c.paint(c.cover(c.circle(bx, by, 1.5)), P.STEEL_DARK)


def reset_arrow(c, cx, cy, r):
    """A round arrow (start again) in the middle of the square."""
    rr, th = c.polar(cx, cy)
    ring = np.abs(rr - r) - 0.9
    gap = (th > 0.3) & (th < 1.3)
    ring = np.where(gap, 10.0, ring)
    c.paint(c.cover(ring - 0.8), P.STEEL_OUTLINE)
    c.paint(c.cover(ring), P.BRASS_LIGHT)
    ax, ay = cx + r * np.cos(0.3), cy - r * np.sin(0.3)
    head = c.polygon_cover([(ax - 2.6, ay), (ax + 2.6, ay), (ax, ay + 3.2)])
    c.paint(head, P.BRASS_LIGHT)
