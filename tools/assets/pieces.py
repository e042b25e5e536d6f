"""The pieces and small sprites: gear, motor, chain link, buttons, power switch, warning lamp,
tool icons beside the pointer and their glow.

Pieces turn on the board, so their light is concentric (bevels around the centre) rather than
coming from one side: a highlight painted from the upper left would swing round as the gear
turns. Sprites that never turn (buttons, lamp, switch, icons) are lit from the upper left.
"""

import numpy as np
from PIL import Image, ImageFilter

import palette as P
from canvas import Canvas, mix, smoothstep


def soften(cover, canvas, radius):
    """Rounds the corners of a coverage mask: blur, then cut at one half again."""
    img = Image.fromarray((np.clip(cover, 0, 1) * 255).astype(np.uint8))
    img = img.filter(ImageFilter.GaussianBlur(radius * canvas.ss))
    m = np.asarray(img, dtype=np.float32) / 255.0
    return smoothstep(0.5 - 0.6 / (radius * canvas.ss + 1), 0.5 + 0.6 / (radius * canvas.ss + 1), m)


def radial_noise(r, seed, scale, amount):
    """Concentric brushing: a smooth random function of the radius only, so that it stays
    put while the piece turns."""
    rng = np.random.default_rng(seed)
    knots = rng.standard_normal(int(r.max() / scale) + 4).astype(np.float32)
    pos = r / scale
    i = np.floor(pos).astype(np.int64)
    f = pos - i
    f = f * f * (3 - 2 * f)
    return (knots[i] * (1 - f) + knots[i + 1] * f) * amount


def tooth_profile(theta, teeth, root, tip, base_half, tip_half):
    """Outer radius of a toothed wheel at each angle: trapezoid teeth with rounded corners.
    base_half and tip_half are half widths of a tooth as fractions of the tooth pitch."""
    phase = (theta * teeth / (2 * np.pi)) % 1.0
    phase = np.abs(phase - 0.5)  # 0 at a tooth's centre, 0.5 in the middle of a gap
    phase = 0.5 - phase
    t = smoothstep(base_half, tip_half, phase)
    return root + (tip - root) * t


# -- gear and motor -----------------------------------------------------------------------


def gear_canvas(size, seed=11, spokes=5, teeth=16):
    """A brass gear whose tooth tips touch the picture's edge (the chain lies there)."""
    c = Canvas(size, size)
    R = size / 2.0
    r, th = c.polar(R, R)
    rn = r / R
    px = 1.0 / R  # one picture pixel in radius units

    outer = tooth_profile(th, teeth, 0.80, 1.0 - 0.6 * px, 0.36, 0.20)
    body = c.cover((rn - outer) * R)

    # A soft dark halo in the tooth gaps keeps the gear readable on any surface.
    c.shadow(body, R * 0.03, P.BLACK, 0.45)

    brushed = radial_noise(r, seed, 1.2, 0.05)
    metal = mix(P.BRASS_DARK, P.BRASS, 0.75 + brushed)
    c.paint(body, metal)
    # Teeth: light towards the tips, deeper towards the root.
    tooth_zone = smoothstep(0.80, 0.98, rn)
    c.shade(body * smoothstep(0.78, 0.80, rn), P.BRASS_LIGHT, 0.45 * tooth_zone)
    c.shade(body * (1 - smoothstep(0.80, 0.84, rn)) * smoothstep(0.74, 0.79, rn), P.BRASS_SHADOW, 0.35)
    # The rim: a raised ring with a bright outer bevel and a dark inner one.
    rim = c.cover(np.abs(rn - 0.74) * R - 0.07 * R)
    c.paint(rim, mix(P.BRASS, P.BRASS_LIGHT, 0.25 + brushed))
    c.shade(c.cover(np.abs(rn - 0.795) * R - 0.012 * R), P.BRASS_SHINE, 0.55)
    c.shade(c.cover(np.abs(rn - 0.675) * R - 0.012 * R), P.BRASS_SHADOW, 0.55)

    # The web between rim and hub, recessed, with round-cornered windows between spokes.
    web = c.cover((rn - 0.665) * R)
    c.paint(web, mix(P.BRASS_DARK, P.BRASS, 0.45 + brushed))
    hole = c.cover(np.abs(rn - 0.505) * R - 0.15 * R)
    for k in range(spokes):
        a = 2 * np.pi * k / spokes + np.pi / 2
        spoke = c.segment(R, R, R + np.cos(a) * R, R - np.sin(a) * R, 0.085 * R)
        hole = hole * (1 - c.cover(spoke))
    hole = soften(hole, c, 0.035 * R)
    # A dark bevel round each window: its blurred outline, a little wider than the window.
    bevel = soften(hole, c, 0.06 * R)
    c.shade(np.clip(bevel * 1.6, 0, 1), P.BRASS_SHADOW, 0.5)
    c.erase(hole)

    # Hub: a raised boss and the steel axle with a slot.
    hub = c.cover((rn - 0.30) * R)
    c.shadow(hub, R * 0.04, P.BLACK, 0.35)
    c.paint(hub, mix(P.BRASS, P.BRASS_LIGHT, 0.3 + 0.6 * (1 - rn / 0.3) + brushed))
    c.shade(c.cover(np.abs(rn - 0.285) * R - 0.015 * R), P.BRASS_SHADOW, 0.6)
    c.shade(c.cover(np.abs(rn - 0.24) * R - 0.012 * R), P.BRASS_SHINE, 0.35)
    axle = c.cover((rn - 0.12) * R)
    c.paint(axle, mix(P.STEEL_DARK, P.STEEL_LIGHT, 0.2 + 0.8 * (1 - rn / 0.12)))
    c.paint(c.box(R, R, 0.085 * R, 0.022 * R, 0.02 * R) < 0, P.STEEL_OUTLINE, 0.85)
    c.paint(c.cover(np.abs(rn - 0.12) * R - 0.01 * R), P.STEEL_OUTLINE, 0.6)
    return c


def gear_image(size=128):
    return gear_canvas(size).image()


def motor_canvas(size, seed=23, teeth=16):
    """The motor: a dark steel sprocket around a teal housing with copper windings and a
    steel hub carrying a bright marker stripe, so that its turning shows at a glance."""
    c = Canvas(size, size)
    R = size / 2.0
    r, th = c.polar(R, R)
    rn = r / R
    px = 1.0 / R

    outer = tooth_profile(th, teeth, 0.84, 1.0 - 0.6 * px, 0.28, 0.14)
    body = c.cover((rn - outer) * R)
    c.shadow(body, R * 0.03, P.BLACK, 0.5)
    brushed = radial_noise(r, seed, 1.0, 0.06)
    c.paint(body, mix(P.STEEL_DARK, P.STEEL, 0.55 + brushed + 0.4 * smoothstep(0.84, 1.0, rn)))
    c.shade(c.cover(np.abs(rn - 0.855) * R - 0.02 * R), P.STEEL_OUTLINE, 0.5)

    # Teal enamel housing.
    housing = c.cover((rn - 0.82) * R)
    c.paint(housing, mix(P.TEAL_DARK, P.TEAL, 0.8 + brushed))
    c.shade(c.cover(np.abs(rn - 0.805) * R - 0.015 * R), P.TEAL_LIGHT, 0.6)
    # Three bolt heads on the housing.
    for k in range(3):
        a = 2 * np.pi * k / 3 + np.pi / 6
        bx, by = R + np.cos(a) * 0.755 * R, R - np.sin(a) * 0.755 * R
        bolt = c.circle(bx, by, 0.045 * R)
        c.paint(c.cover(bolt + 0.012 * R), P.STEEL_OUTLINE, 0.6)
        c.paint(c.cover(bolt), mix(P.STEEL, P.STEEL_SHINE, 0.4))

    # Copper windings: fine radial ribs in a ring.
    coil = c.cover(np.abs(rn - 0.55) * R - 0.14 * R)
    c.paint(c.cover(np.abs(rn - 0.55) * R - 0.155 * R), P.TEAL_DARK, 0.9)
    ribs = 0.5 + 0.5 * np.cos(th * 48)
    c.paint(coil, mix(P.COPPER_DARK, P.COPPER_LIGHT, 0.25 + 0.55 * ribs))

    # Steel hub with the marker: an orange stripe from the axle to the edge of the hub and a
    # white dot at its end.
    hub = c.cover((rn - 0.36) * R)
    c.shadow(hub, R * 0.05, P.BLACK, 0.45)
    c.paint(hub, mix(P.STEEL_DARK, P.STEEL_LIGHT, 0.25 + 0.5 * (1 - rn / 0.36) + brushed))
    c.shade(c.cover(np.abs(rn - 0.345) * R - 0.015 * R), P.STEEL_OUTLINE, 0.6)
    stripe = c.cover(c.segment(R, R, R, R - 0.30 * R, 0.075 * R))
    c.paint(stripe, P.STEEL_OUTLINE, 0.5)
    stripe = c.cover(c.segment(R, R, R, R - 0.30 * R, 0.058 * R))
    c.paint(stripe, mix(P.COPPER, P.LAMP_GLOW, 0.7))
    c.paint(c.cover(c.circle(R, R - 0.27 * R, 0.04 * R)), P.WHITE)
    axle = c.cover((rn - 0.09) * R)
    c.paint(axle, P.STEEL_OUTLINE)
    c.paint(c.cover((rn - 0.05) * R), P.STEEL)
    return c


def motor_image(size=128):
    return motor_canvas(size).image()


# -- chain link ---------------------------------------------------------------------------

LINK_IMAGE_SCALE = 1.641


def link_canvas(size=64):
    """One link drawn along +x. The picture is LINK_IMAGE_SCALE link lengths wide, so the two
    pins, one link length apart, sit at 0.5 -/+ 0.5 / LINK_IMAGE_SCALE of its width. Each end
    is a disc round its pin and the middle is pinched: where two links meet, the upper one's
    disc covers the lower one's exactly, and the lower link shows only its narrow middle
    between the discs of its neighbours, like the inner and outer plates of a bicycle chain."""
    c = Canvas(size, size)
    cx = cy = size / 2.0
    half_pitch = size * 0.5 / LINK_IMAGE_SCALE
    x0, x1 = cx - half_pitch, cx + half_pitch
    end_r = size * 0.196
    waist = size * 0.128

    ends = np.minimum(c.circle(x0, cy, end_r), c.circle(x1, cy, end_r))
    # Smooth union of the two discs with the middle bar: the pinch curves in.
    bar = c.box(cx, cy, half_pitch, waist)
    k = size * 0.06
    h = np.clip(0.5 + 0.5 * (bar - ends) / k, 0, 1)
    plate = bar * (1 - h) + ends * h - k * h * (1 - h)

    c.shadow(c.cover(plate), size * 0.035, P.BLACK, 0.55)
    c.paint(c.cover(plate), P.STEEL_OUTLINE)
    inner = plate + size * 0.028
    across = np.abs(c.y - cy) / (end_r)
    face = mix(P.STEEL_LIGHT, P.STEEL, np.clip(across, 0, 1) ** 1.5)
    c.paint(c.cover(inner), face)
    # A narrow bevel just inside the outline.
    c.shade(c.cover(np.abs(inner + size * 0.025) - size * 0.012), P.STEEL_SHINE, 0.35)
    # Pins: domed rivet heads.
    for px in (x0, x1):
        d = c.circle(px, cy, size * 0.085)
        c.paint(c.cover(d + size * 0.0), P.STEEL_OUTLINE, 0.85)
        rr = np.hypot(c.x - px, c.y - cy) / (size * 0.07)
        c.paint(c.cover(d + size * 0.02), mix(P.STEEL_SHINE, P.STEEL_DARK, np.clip(rr, 0, 1) ** 1.2))
    return c


def link_image(size=64):
    return link_canvas(size).image()


# -- buttons, switch, lamp ----------------------------------------------------------------


def button_frame(c, cx, cy, R, colour, light, lit):
    """A round domed push button in a steel bezel; lit, the dome glows."""
    r = np.hypot(c.x - cx, c.y - cy)
    c.shadow(c.cover(r - R * 0.96), R * 0.06, P.BLACK, 0.6, dx=R * 0.02, dy=R * 0.04)
    bezel = c.cover(r - R * 0.94)
    c.paint(bezel, mix(P.STEEL_DARK, P.STEEL_LIGHT, np.clip(0.5 - (c.y - cy) / (2 * R) - (c.x - cx) / (4 * R), 0, 1)))
    c.paint(c.cover(r - R * 0.80), P.STEEL_OUTLINE)
    dome_r = R * 0.74
    # Light from the upper left: the dome is brighter there.
    lx, ly = cx - dome_r * 0.35, cy - dome_r * 0.40
    lr = np.hypot(c.x - lx, c.y - ly) / (dome_r * 1.6)
    base = colour * (1.15 if lit else 0.5)
    top = light if lit else colour * 0.85
    dome = mix(top, base * 0.55, np.clip(lr, 0, 1))
    if lit:
        glow = 1 - np.clip(r / dome_r, 0, 1)
        dome = mix(dome, P.WHITE, 0.35 * glow**2)
    c.paint(c.cover(r - dome_r), np.clip(dome, 0, 1))
    # Specular highlight.
    hl = c.cover(np.hypot((c.x - (cx - dome_r * 0.28)) / 1.3, c.y - (cy - dome_r * 0.45)) - dome_r * 0.28)
    c.paint(soften(hl, c, dome_r * 0.08), P.WHITE, 0.45 if lit else 0.3)
    if lit:
        c.paint(c.cover(np.abs(r - R * 0.77) - R * 0.035), light, 0.95)
        c.shade(c.cover(r - R * 0.94) * c.cover(R * 0.8 - r), light, 0.35)


def button_image(colour, light):
    c = Canvas(128, 64)
    for frame, lit in ((0, False), (1, True)):
        button_frame(c, 32 + 64 * frame, 32, 30.5, colour, light, lit)
    return c.image()


def switch_image():
    """Two frames, each drawn 32 x 78 units on the bar and stored 32 x 128 texels: on (the
    lever up, the slot lit green) and off (lever down, slot dark red)."""
    frames = []
    for on in (True, False):
        c = Canvas(32, 78, ss=8)
        plate = c.box(16, 39, 15, 38, 6)
        c.shadow(c.cover(plate), 1.5, P.BLACK, 0.6, dy=0.8)
        c.paint(c.cover(plate), mix(P.STEEL_DARK, P.STEEL, np.clip(1.0 - c.y / 78.0, 0, 1)))
        c.paint(c.cover(np.abs(plate + 1.2) - 0.5), P.STEEL_LIGHT, 0.35)
        for sy in (6.5, 71.5):
            s = c.circle(16, sy, 2.6)
            c.paint(c.cover(s), P.STEEL_OUTLINE, 0.8)
            c.paint(c.cover(s + 0.7), P.STEEL_LIGHT)
            c.paint(c.cover(c.box(16, sy, 1.8, 0.45)), P.STEEL_OUTLINE, 0.8)
        slot = c.box(16, 39, 5.5, 24, 5.5)
        c.paint(c.cover(slot), P.STEEL_OUTLINE)
        glow_colour = P.GREEN_LIGHT if on else P.LAMP_RED
        inner = c.box(16, 39, 4.0, 22.5, 4.0)
        c.paint(c.cover(inner), glow_colour * (0.85 if on else 0.45))
        if on:
            c.paint(c.cover(c.box(16, 39, 2.2, 20.5, 2.2)), P.WHITE, 0.35)
        knob_y = 22.0 if on else 56.0
        c.paint(c.cover(c.segment(16, 39, 16, knob_y, 2.6)), P.STEEL_LIGHT)
        c.shadow(c.cover(c.circle(16, knob_y, 8.5)), 1.2, P.BLACK, 0.6, dy=1.0)
        kr = np.hypot(c.x - 13.5, c.y - (knob_y - 3)) / 11.0
        c.paint(c.cover(c.circle(16, knob_y, 8.5)), mix(P.BRASS_LIGHT, P.BRASS_DARK, np.clip(kr, 0, 1)))
        c.paint(c.cover(np.abs(c.circle(16, knob_y, 8.5)) - 0.45), P.BRASS_SHADOW, 0.8)
        for gy in (-2.5, 0.0, 2.5):
            c.paint(c.cover(c.box(16, knob_y + gy, 5.0, 0.45)), P.BRASS_SHADOW, 0.55)
        frames.append(c.image(size=(32, 128)))
    out = Image.new("RGBA", (64, 128))
    out.paste(frames[0], (0, 0))
    out.paste(frames[1], (32, 0))
    return out


def tight_light_image():
    """The chain-tension warning lamp: unlit and lit, each frame 128 texels for 100 units."""
    c = Canvas(256, 128)
    for frame, lit in ((0, False), (1, True)):
        cx, cy = 64 + 128 * frame, 64
        r = np.hypot(c.x - cx, c.y - cy)
        if lit:
            halo = np.clip(1 - r / 64.0, 0, 1) ** 2
            c.paint(halo * (c.x >= 128 * frame) * (c.x < 128 * (frame + 1)), P.LAMP_GLOW, 0.75)
        c.shadow(c.cover(r - 42), 3.0, P.BLACK, 0.6, dx=1.5, dy=2.5)
        ring_light = np.clip(0.5 - (c.y - cy) / 84.0 - (c.x - cx) / 168.0, 0, 1)
        c.paint(c.cover(r - 42), mix(P.BRASS_DARK, P.BRASS_LIGHT, ring_light))
        c.paint(c.cover(np.abs(r - 36.5) - 1.2), P.BRASS_SHADOW, 0.8)
        lx, ly = cx - 10, cy - 12
        lr = np.clip(np.hypot(c.x - lx, c.y - ly) / 44.0, 0, 1)
        if lit:
            glass = mix(rgb_clip(P.LAMP_GLOW * 1.1), P.LAMP_RED, lr**0.8)
            glass = mix(glass, P.WHITE, 0.6 * np.clip(1 - r / 16.0, 0, 1) ** 2)
        else:
            glass = mix(P.LAMP_RED * 0.55, P.LAMP_RED_DARK * 0.7, lr)
        c.paint(c.cover(r - 35), glass)
        # A faceted lens: faint concentric rings.
        rings = 0.5 + 0.5 * np.cos(r * 2 * np.pi / 7.0)
        c.shade(c.cover(r - 33) * rings, P.BLACK, 0.12 if lit else 0.2)
        hl = c.cover(np.hypot((c.x - (cx - 11)) / 1.4, c.y - (cy - 15)) - 9)
        c.paint(soften(hl, c, 2.0), P.WHITE, 0.55 if lit else 0.28)
    return c.image()


def rgb_clip(v):
    return np.clip(v, 0, 1)


# -- icons beside the pointer -------------------------------------------------------------


def outline_and_fill(c, sdf, fill, outline=P.STEEL_OUTLINE, width=1.4, shadow=True):
    if shadow:
        c.shadow(c.cover(sdf - width), 1.0, P.BLACK, 0.55, dx=1.0, dy=1.3)
    c.paint(c.cover(sdf - width), outline)
    c.paint(c.cover(sdf), fill)


def move_arrows_sdf(c, cx, cy, size):
    """A four-way arrow (the mark for moving things)."""
    s = size
    shaft = np.minimum(c.box(cx, cy, s * 0.36, s * 0.06), c.box(cx, cy, s * 0.06, s * 0.36))
    head_sdf = None
    for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
        tip = (cx + dx * s * 0.5, cy + dy * s * 0.5)
        base_c = (cx + dx * s * 0.31, cy + dy * s * 0.31)
        w = s * 0.15
        tri = triangle_sdf(c, tip, (base_c[0] - dy * w, base_c[1] - dx * w), (base_c[0] + dy * w, base_c[1] + dx * w))
        head_sdf = tri if head_sdf is None else np.minimum(head_sdf, tri)
    return np.minimum(shaft, head_sdf)


def triangle_sdf(c, p0, p1, p2):
    """Distance to a triangle, exact inside and along its edges (corners grow sharp outside,
    which suits thin outlines)."""
    pts = [p0, p1, p2]
    # Orientation, so that every edge's outward normal points away from the third corner.
    area = (p1[0] - p0[0]) * (p2[1] - p0[1]) - (p1[1] - p0[1]) * (p2[0] - p0[0])
    sign = 1.0 if area > 0 else -1.0
    d = None
    for i in range(3):
        ax, ay = pts[i]
        bx, by = pts[(i + 1) % 3]
        ex, ey = bx - ax, by - ay
        length = np.hypot(ex, ey)
        nx, ny = ey / length * sign, -ex / length * sign
        e = (c.x - ax) * nx + (c.y - ay) * ny
        d = e if d is None else np.maximum(d, e)
    return d


def plus_sdf(c, cx, cy, size, thick):
    return np.minimum(c.box(cx, cy, size, thick, thick * 0.4), c.box(cx, cy, thick, size, thick * 0.4))


def cross_sdf(c, cx, cy, size, thick):
    a = c.segment(cx - size, cy - size, cx + size, cy + size, thick)
    b = c.segment(cx - size, cy + size, cx + size, cy - size, thick)
    return np.minimum(a, b)


def paste_canvas(c, piece, x, y, size):
    """Draws a finished small picture into a canvas, scaled to size x size at (x, y)."""
    img = piece.resize((size * c.ss, size * c.ss), Image.LANCZOS)
    arr = np.asarray(img, dtype=np.float32) / 255.0
    H, W = c.alpha.shape
    x0, y0 = int(round(x * c.ss)), int(round(y * c.ss))
    h, w = arr.shape[:2]
    # Clip the pasted rectangle to the canvas.
    sx0, sy0 = max(0, -x0), max(0, -y0)
    dx0, dy0 = max(0, x0), max(0, y0)
    dx1, dy1 = min(W, x0 + w), min(H, y0 + h)
    if dx1 <= dx0 or dy1 <= dy0:
        return
    cov = np.zeros((H, W), dtype=np.float32)
    col = np.zeros((H, W, 3), dtype=np.float32)
    cov[dy0:dy1, dx0:dx1] = arr[sy0 : sy0 + dy1 - dy0, sx0 : sx0 + dx1 - dx0, 3]
    col[dy0:dy1, dx0:dx1] = arr[sy0 : sy0 + dy1 - dy0, sx0 : sx0 + dx1 - dx0, :3]
    c.paint(cov, col)


def paste_centred(c, piece, cx, cy, scale, angle=0.0):
    """Draws a finished picture turned by angle (degrees, counter-clockwise) and scaled,
    centred on (cx, cy)."""
    if angle:
        piece = piece.rotate(angle, resample=Image.BICUBIC, expand=True)
    size = piece.width * scale
    paste_canvas_exact(c, piece, cx - size / 2, cy - size * piece.height / piece.width / 2, size, size * piece.height / piece.width)


def paste_canvas_exact(c, piece, x, y, w, h):
    """Like paste_canvas, but for any size, keeping sub-pixel placement by resampling the
    piece onto the supersampled grid."""
    ss = c.ss
    x0, y0 = int(np.floor(x * ss)), int(np.floor(y * ss))
    fx, fy = x * ss - x0, y * ss - y0
    W, H = int(np.ceil(w * ss + fx)) + 1, int(np.ceil(h * ss + fy)) + 1
    # Affine map from the destination block back onto the piece.
    sx, sy = piece.width / (w * ss), piece.height / (h * ss)
    premul = np.asarray(piece, dtype=np.float32) / 255.0
    chans = [premul[..., i] * premul[..., 3] for i in range(3)] + [premul[..., 3]]
    out = []
    for ch in chans:
        im = Image.fromarray(np.ascontiguousarray(ch), mode="F")
        if sx > 1.5:
            im = im.resize((max(1, int(round(piece.width / sx))), max(1, int(round(piece.height / sy)))), Image.LANCZOS)
            tsx, tsy = im.width / (w * ss), im.height / (h * ss)
        else:
            tsx, tsy = sx, sy
        im = im.transform((W, H), Image.AFFINE, (tsx, 0, -fx * tsx, 0, tsy, -fy * tsy), resample=Image.BILINEAR)
        out.append(np.asarray(im, dtype=np.float32))
    Hc, Wc = c.alpha.shape
    dx0, dy0 = max(0, x0), max(0, y0)
    dx1, dy1 = min(Wc, x0 + W), min(Hc, y0 + H)
    if dx1 <= dx0 or dy1 <= dy0:
        return
    sl = (slice(dy0 - y0, dy1 - y0), slice(dx0 - x0, dx1 - x0))
    a = np.clip(out[3][sl], 0, 1)
    col = np.stack([o[sl] for o in out[:3]], axis=-1) / np.maximum(a, 1e-6)[..., None]
    cov = np.zeros((Hc, Wc), dtype=np.float32)
    full = np.zeros((Hc, Wc, 3), dtype=np.float32)
    cov[dy0:dy1, dx0:dx1] = a
    full[dy0:dy1, dx0:dx1] = np.clip(col, 0, 1)
    c.paint(cov, full)


def chain_icon(c, cx, cy, length, angle=45.0, links=2):
    """A short run of steel links along a line, total length about `length`."""
    link = link_image(64)
    pitch = 64 / LINK_IMAGE_SCALE  # pin spacing in the link picture
    scale = length / (64 + pitch * (links - 1))
    a = np.radians(angle)
    for k in range(links):
        off = (k - (links - 1) / 2) * pitch * scale
        paste_centred(c, link, cx + np.cos(a) * off, cy - np.sin(a) * off, scale, angle)


def cursors_image():
    """Four 32 x 32 frames: Move, put down a piece, chain tools, delete. Each keeps a clear
    border, so that filtering at a frame's edge does not pull in its neighbour."""
    c = Canvas(128, 32)
    # 0: Move
    outline_and_fill(c, move_arrows_sdf(c, 15.5, 15.5, 25), mix(P.BLUE_LIGHT, P.WHITE, 0.5))
    # 1: a gear with a green plus
    g = gear_canvas(128).image()
    c.shadow(c.cover(c.circle(32 + 14, 15, 10.5)), 1.0, P.BLACK, 0.5, dx=1, dy=1.3)
    paste_canvas(c, g, 32 + 3, 4, 22)
    outline_and_fill(c, plus_sdf(c, 32 + 23, 23, 5.5, 1.8), P.GREEN_LIGHT, width=1.3)
    # 2: two chain links with a green plus
    chain_icon(c, 64 + 16, 16, 35, angle=45.0)
    # 3: delete: a red cross
    outline_and_fill(c, cross_sdf(c, 96 + 15.5, 15.5, 9.0, 2.5), P.RED * 1.25, width=1.5)
    return c.image()


def cursor_glow_image():
    c = Canvas(64, 64, ss=1)
    r = np.hypot(c.x - 32, c.y - 32) / 31.5
    a = np.clip(1 - r, 0, 1) ** 1.6
    c.paint(a * 0.85, mix(P.WHITE, P.GLOW_WARM, np.clip(r * 1.4, 0, 1)))
    return c.image()
