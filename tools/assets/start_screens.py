"""The start screen's two pictures: the splash and the instructions. Both are 1024 x 1024 with
everything inside the central 800 x 600 (pixels 112..911 across, 212..811 down)."""

import math

import numpy as np
from PIL import Image, ImageDraw, ImageFilter

import palette as P
import pieces
import screens
from canvas import Canvas, mix
from screens import VIEW_X0, VIEW_Y0


def backdrop(seed, darken):
    rng = np.random.default_rng(seed)
    colour = screens.slate_surface(rng, darken=darken)
    colour = screens.framed_view(colour, rng)
    return Image.fromarray((colour * 255).round().astype(np.uint8), mode="RGB").convert("RGBA")


def view(x, y):
    """Pixel of a point given in the visible 800 x 600 part."""
    return VIEW_X0 + x, VIEW_Y0 + y


# -- the machine on the splash --------------------------------------------------------------


def belt_path(circles):
    """The closed path of a chain wrapped round circles given counter-clockwise (y up):
    outer tangents joined by arcs. Returns a function from arc length to point, and the
    length."""
    k = len(circles)
    normals = []
    for i in range(k):
        (x0, y0, r0), (x1, y1, r1) = circles[i], circles[(i + 1) % k]
        dx, dy = x1 - x0, y1 - y0
        length = math.hypot(dx, dy)
        ux, uy = dx / length, dy / length
        s = (r0 - r1) / length
        cs = math.sqrt(1 - s * s)
        # Outward normal of the tangent (to the right of the direction of travel).
        normals.append((uy * cs + ux * s, -ux * cs + uy * s))
    segments = []
    for i in range(k):
        (x0, y0, r0), (x1, y1, r1) = circles[i], circles[(i + 1) % k]
        nx, ny = normals[i]
        segments.append(("line", (x0 + nx * r0, y0 + ny * r0), (x1 + nx * r1, y1 + ny * r1)))
        mx, my = normals[(i + 1) % k]
        a0, a1 = math.atan2(ny, nx), math.atan2(my, mx)
        while a1 < a0:
            a1 += 2 * math.pi
        segments.append(("arc", (x1, y1, r1), a0, a1))
    lengths = [
        math.dist(s[1], s[2]) if s[0] == "line" else (s[3] - s[2]) * s[1][2] for s in segments
    ]
    total = sum(lengths)

    def at(t):
        t = t % total
        for seg, length in zip(segments, lengths):
            if t <= length or seg is segments[-1]:
                if seg[0] == "line":
                    f = t / length
                    return (
                        seg[1][0] + (seg[2][0] - seg[1][0]) * f,
                        seg[1][1] + (seg[2][1] - seg[1][1]) * f,
                    )
                (cx, cy, r), a0 = seg[1], seg[2]
                a = a0 + t / r
                return cx + r * math.cos(a), cy + r * math.sin(a)
            t -= length

    return at, total


def draw_machine(c, parts, pitch, phase=0.0):
    """Gears (and motors) and one chain round all of them, in a canvas with y down.
    parts: (x, y, radius, kind, angle) with y up from the canvas's bottom."""
    gear_pic = {}
    for x, y, r, kind, angle in parts:
        size = int(round(2 * r))
        key = (kind, size)
        if key not in gear_pic:
            gear_pic[key] = (pieces.gear_canvas if kind == "gear" else pieces.motor_canvas)(size).image()
        pieces.paste_centred(c, gear_pic[key], x, c.h - y, 1.0, angle)
    at, total = belt_path([(x, y, r) for x, y, r, _, _ in parts])
    n = int(round(total / pitch / 2)) * 2
    step = total / n
    points = [at(phase + i * step) for i in range(n)]
    link = pieces.link_image(64)
    drawn = int(round(step * pieces.LINK_IMAGE_SCALE * 2))
    link = link.resize((drawn, drawn), Image.LANCZOS)
    scale = step * pieces.LINK_IMAGE_SCALE / drawn
    for layer in (1, 0):  # odd links first, even links over them, as the game draws them
        for i in range(layer, n, 2):
            (ax, ay), (bx, by) = points[i], points[(i + 1) % n]
            angle = math.degrees(math.atan2(ay - by, ax - bx))
            pieces.paste_centred(c, link, (ax + bx) / 2, c.h - (ay + by) / 2, scale, angle)


def brass_title(img, text, centre, fnt):
    """Large brass lettering with a dark outline and a soft shadow."""
    w, h = img.size
    mask = Image.new("L", (w, h), 0)
    ImageDraw.Draw(mask).text(centre, text, font=fnt, fill=255, anchor="mm")
    m = np.asarray(mask, dtype=np.float32) / 255.0
    ys = np.nonzero(m.max(axis=1) > 0)[0]
    top, bottom = ys.min(), ys.max()
    yy = np.arange(h, dtype=np.float32)[:, None]
    t = np.clip((yy - top) / max(bottom - top, 1), 0, 1)
    band = 0.5 + 0.5 * np.cos((t - 0.38) * np.pi * 1.6)
    face = mix(P.BRASS_DARK, P.BRASS_SHINE, np.clip(band * 0.9, 0, 1)).repeat(w, 1)
    shadow = mask.filter(ImageFilter.GaussianBlur(6))
    outline = mask.filter(ImageFilter.MaxFilter(5))
    layer = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    layer.paste((0, 0, 0, 200), (0, 0), shadow.point(lambda v: int(v * 0.8)))
    img.alpha_composite(layer, (4, 6))
    dark = Image.new("RGBA", (w, h), (50, 34, 12, 255))
    img.paste(dark, (0, 0), outline)
    face_img = Image.fromarray((np.clip(face, 0, 1) * 255).astype(np.uint8), mode="RGB").convert("RGBA")
    img.paste(face_img, (0, 0), mask)


def pill(img, centre, size, text, fnt):
    """A brass-rimmed dark plate with light text, for the 'click' lines."""
    cx, cy = centre
    w, h = size
    c = Canvas(w + 24, h + 24)
    box = c.box((w + 24) / 2, (h + 24) / 2, w / 2, h / 2, h / 2)
    c.shadow(c.cover(box), 4, P.BLACK, 0.6, dy=2)
    c.paint(c.cover(box), mix(P.WALNUT, P.WALNUT_DARK, np.clip(c.y / (h + 24), 0, 1)))
    c.paint(c.cover(np.abs(box + 1.5) - 1.0), P.BRASS, 0.95)
    img.alpha_composite(c.image(), (int(cx - (w + 24) / 2), int(cy - (h + 24) / 2)))
    d = ImageDraw.Draw(img)
    screens.raised_text(d, (cx, cy), text, fnt, P.CREAM + (255,))


def splash_image():
    img = backdrop(3, 0.25)
    brass_title(img, "Brindlecog", view(400, 92), P.serif_bold(92))
    d = ImageDraw.Draw(img)
    d.text(view(400, 158), "a little workshop of gears, motors and chains", font=P.sans(19),
           fill=P.CREAM_DIM + (255,), anchor="mm")
    # The machine: a motor driving three gears through one chain.
    c = Canvas(800, 330, ss=2)
    parts = [
        (250, 95, 72, "motor", 12.0),
        (470, 52, 50, "gear", 8.0),
        (600, 200, 82, "gear", -4.0),
        (330, 250, 56, "gear", 20.0),
    ]
    draw_machine(c, parts, pitch=31.0, phase=5.0)
    img.alpha_composite(c.image(), view(0, 185))
    pill(img, view(400, 548), (250, 40), "Click to continue", P.sans_bold(20))
    return img.convert("RGB")


# -- instructions -----------------------------------------------------------------------------

TOOL_HELP = [
    ("Move", "Drag gears, motors and chains."),
    ("Small gear", "Puts a small gear where you click."),
    ("Medium gear", "Puts a medium gear where you click."),
    ("Large gear", "Puts a large gear where you click."),
    ("Motor", "Puts a motor where you click."),
    ("Longer chain", "Adds six links to the chain you click."),
    ("Shorter chain", "Takes six links out of a chain."),
    ("New chain", "Lays a new chain where you click."),
    ("Reset chain", "Squares up the chain you click."),
    ("Delete", "Removes the piece or chain you click."),
    ("Clear all", "Empties the whole board at once."),
]


def wrap(draw, text, fnt, width):
    words, lines, line = text.split(), [], ""
    for w in words:
        trial = (line + " " + w).strip()
        if draw.textlength(trial, font=fnt) <= width:
            line = trial
        else:
            lines.append(line)
            line = w
    if line:
        lines.append(line)
    return lines


def panel(img, x, y, w, h):
    c = Canvas(w + 20, h + 20, ss=2)
    box = c.box((w + 20) / 2, (h + 20) / 2, w / 2, h / 2, 12)
    c.shadow(c.cover(box), 5, P.BLACK, 0.55, dy=3)
    c.paint(c.cover(box), P.SLATE_DARK * 0.8, 0.82)
    c.paint(c.cover(np.abs(box + 1.0) - 0.7), P.BRASS_DARK, 0.9)
    img.alpha_composite(c.image(), (int(x - 10), int(y - 10)))


def instructions_image():
    img = backdrop(4, 0.3)
    d = ImageDraw.Draw(img)
    title = P.serif_bold(34)
    heading = P.sans_bold(17)
    name_font = P.sans_bold(14)
    body = P.sans(14)
    cream = P.CREAM + (255,)
    dim = P.CREAM_DIM + (255,)
    brass = P.BRASS_TEXT + (255,)

    brass_title(img, "How to play", view(400, 42), title)
    d.text(view(400, 82), "Chains carry the turning of a motor to every gear they run around.",
           font=P.sans(15), fill=dim, anchor="mm")

    # Left: the tool bar and its eleven tools.
    lx, ly, lw, lh = 28, 104, 452, 432
    panel(img, *view(lx, ly), lw, lh)
    d.text(view(lx + 16, ly + 12), "The tool bar", font=heading, fill=brass)
    intro = "Touch the bottom edge of the board with the pointer: the tool bar rises. Pick a tool, then click:"
    y = ly + 38
    for line in wrap(d, intro, body, lw - 32):
        d.text(view(lx + 16, y), line, font=body, fill=cream)
        y += 18
    y += 2
    row_h = 31
    icons = Canvas(40, row_h * len(TOOL_HELP), ss=2)
    name_w = 118
    for index, (name, text) in enumerate(TOOL_HELP):
        ry = y + index * row_h
        screens.tool_icon(icons, index, 20, index * row_h + 16)
        d.text(view(lx + 58, ry + 16), name, font=name_font, fill=brass, anchor="lm")
        d.text(view(lx + 58 + name_w, ry + 16), text, font=body, fill=cream, anchor="lm")
    img.alpha_composite(icons.image(), view(lx + 12, y))

    # Right: the switch, the lamp, the mouse and the keys.
    rx, ry0, rw, rh = 500, 104, 272, 432
    panel(img, *view(rx, ry0), rw, rh)
    text_x = rx + 70
    text_w = rw - 70 - 14

    def block(y, title_text, text, picture=None, pic_size=None):
        d.text(view(text_x, y), title_text, font=heading, fill=brass)
        yy = y + 24
        for line in wrap(d, text, body, text_w):
            d.text(view(text_x, yy), line, font=body, fill=cream)
            yy += 18
        if picture is not None:
            pw, ph = pic_size
            pic = picture.resize((pw, ph), Image.LANCZOS)
            img.alpha_composite(pic, (int(view(rx + 36 - pw / 2, 0)[0]), int(view(0, y + 4)[1])))
        return yy + 12

    switch = pieces.switch_image().crop((0, 0, 32, 128))
    lamp = pieces.tight_light_image().crop((128, 0, 256, 128))
    y = ry0 + 14
    y = block(y, "Power switch", "Turns every motor on or off.", switch, (24, 58))
    y = block(y, "Warning light", "Lights when a chain is stretched too tight.", lamp, (52, 52))
    y = block(y, "Mouse", "Right-click: back to Move. Drag a gear with the right button, or with Shift held, to lift it over the others.")
    y = block(y, "Keys", "Escape or Ctrl+Q quits.")
    y = block(y, "Tip", "Drag a chain onto gears and a motor: it grips every gear it touches, and the motor drives them all.")

    pill(img, view(400, 566), (210, 36), "Click to start", P.sans_bold(19))
    return img.convert("RGB")
