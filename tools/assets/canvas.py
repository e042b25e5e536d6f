"""Supersampled drawing surface for the game's pictures.

Shapes are described by signed distance fields (negative inside) in design units, which are
the pixels of the finished picture. The surface holds premultiplied colour at SS times the
final resolution; finishing it filters down with Lanczos, which gives soft, even edges.
"""

import numpy as np
from PIL import Image, ImageDraw

SS = 4  # supersampling factor


def rgb(hex_colour):
    """'#rrggbb' -> float array in 0..1."""
    h = hex_colour.lstrip("#")
    return np.array([int(h[i : i + 2], 16) / 255.0 for i in (0, 2, 4)], dtype=np.float32)


def mix(a, b, t):
    """Linear blend of two colours (or colour fields); t may be a field."""
    t = np.asarray(t, dtype=np.float32)
    if t.ndim > 0:
        t = t[..., None]
    return a * (1.0 - t) + b * t


def smoothstep(e0, e1, x):
    t = np.clip((x - e0) / (e1 - e0), 0.0, 1.0)
    return t * t * (3.0 - 2.0 * t)


class Canvas:
    """A w x h picture, drawn at SS x resolution in premultiplied RGBA floats."""

    def __init__(self, w, h, ss=SS):
        self.w, self.h, self.ss = w, h, ss
        H, W = h * ss, w * ss
        self.colour = np.zeros((H, W, 3), dtype=np.float32)
        self.alpha = np.zeros((H, W), dtype=np.float32)
        # Sample centres in design units (y grows downwards, as in the picture).
        self.x = ((np.arange(W, dtype=np.float32) + 0.5) / ss)[None, :].repeat(H, 0)
        self.y = ((np.arange(H, dtype=np.float32) + 0.5) / ss)[:, None].repeat(W, 1)

    # -- fields ----------------------------------------------------------------------------
    def polar(self, cx, cy):
        """Distance from and angle about (cx, cy); the angle runs counter-clockwise as seen,
        in radians, 0 along +x."""
        dx, dy = self.x - cx, self.y - cy
        return np.hypot(dx, dy), np.arctan2(-dy, dx)

    def cover(self, sdf):
        """Coverage of a shape given by its distance field, one sample wide at the edge."""
        return np.clip(0.5 - sdf * self.ss, 0.0, 1.0)

    def circle(self, cx, cy, r):
        return np.hypot(self.x - cx, self.y - cy) - r

    def box(self, cx, cy, hw, hh, radius=0.0):
        """Rounded rectangle centred on (cx, cy) with half sizes hw, hh."""
        qx = np.abs(self.x - cx) - (hw - radius)
        qy = np.abs(self.y - cy) - (hh - radius)
        outside = np.hypot(np.maximum(qx, 0), np.maximum(qy, 0))
        inside = np.minimum(np.maximum(qx, qy), 0)
        return outside + inside - radius

    def segment(self, x0, y0, x1, y1, r):
        """Capsule of radius r around the segment."""
        px, py = self.x - x0, self.y - y0
        dx, dy = x1 - x0, y1 - y0
        t = np.clip((px * dx + py * dy) / max(dx * dx + dy * dy, 1e-9), 0.0, 1.0)
        return np.hypot(px - dx * t, py - dy * t) - r

    def polygon_cover(self, points):
        """Coverage of a polygon (design units), rasterised at the supersampled size."""
        mask = Image.new("L", (self.w * self.ss, self.h * self.ss), 0)
        ImageDraw.Draw(mask).polygon([(x * self.ss, y * self.ss) for x, y in points], fill=255)
        return np.asarray(mask, dtype=np.float32) / 255.0

    # -- painting --------------------------------------------------------------------------
    def paint(self, cover, colour, opacity=1.0):
        """Lays colour (a colour or a colour field) over the picture where cover > 0."""
        a = np.clip(cover * opacity, 0.0, 1.0).astype(np.float32)
        colour = np.asarray(colour, dtype=np.float32)
        self.colour = self.colour * (1.0 - a)[..., None] + colour * a[..., None]
        self.alpha = self.alpha * (1.0 - a) + a

    def shade(self, cover, colour, strength):
        """Tints what is there already without changing its opacity (light and shadow)."""
        a = np.clip(cover * strength, 0.0, 1.0)[..., None]
        colour = np.asarray(colour, dtype=np.float32)
        self.colour = self.colour * (1.0 - a) + colour * self.alpha[..., None] * a

    def erase(self, cover):
        keep = 1.0 - np.clip(cover, 0.0, 1.0)
        self.colour *= keep[..., None]
        self.alpha *= keep

    def shadow(self, cover, blur, colour, opacity, dx=0.0, dy=0.0):
        """A soft shadow of a shape, painted under what is drawn afterwards."""
        img = Image.fromarray((np.clip(cover, 0, 1) * 255).astype(np.uint8))
        from PIL import ImageFilter

        img = img.filter(ImageFilter.GaussianBlur(blur * self.ss))
        m = np.asarray(img, dtype=np.float32) / 255.0
        if dx or dy:
            m = shifted(m, int(round(dy * self.ss)), int(round(dx * self.ss)))
        self.paint(m, colour, opacity)

    # -- output ----------------------------------------------------------------------------
    def image(self, size=None):
        """The finished RGBA picture, filtered down to (w, h) or to the given size."""
        size = size or (self.w, self.h)
        chans = [self.colour[..., i] for i in range(3)] + [self.alpha]
        out = []
        for c in chans:
            im = Image.fromarray(np.ascontiguousarray(c, dtype=np.float32), mode="F")
            out.append(np.asarray(im.resize(size, Image.LANCZOS), dtype=np.float32))
        a = np.clip(out[3], 0.0, 1.0)
        col = np.stack(out[:3], axis=-1)
        safe = np.maximum(a, 1e-6)[..., None]
        col = np.where(a[..., None] > 1e-4, col / safe, 0.0)
        return to_rgba_image(np.clip(col, 0.0, 1.0), a)


def shifted(m, dy, dx):
    """m moved by (dy, dx) samples; what comes in at the edges is empty."""
    out = np.zeros_like(m)
    H, W = m.shape
    out[max(dy, 0) : H + min(dy, 0), max(dx, 0) : W + min(dx, 0)] = m[
        max(-dy, 0) : H + min(-dy, 0), max(-dx, 0) : W + min(-dx, 0)
    ]
    return out


def to_rgba_image(colour, alpha):
    """Float colour (straight, not premultiplied) and alpha to an 8-bit RGBA picture whose
    transparent texels carry the colour of the nearest visible ones, so that bilinear
    filtering in the game does not pull dark fringes in from them."""
    a8 = np.round(alpha * 255.0).astype(np.uint8)
    colour = bleed(colour, a8 > 0)
    c8 = np.round(np.clip(colour, 0, 1) * 255.0).astype(np.uint8)
    return Image.fromarray(np.dstack([c8, a8]), mode="RGBA")


def bleed(colour, known, rounds=12):
    """Spreads the known texels' colour into the unknown ones by repeated averaging."""
    colour = colour.copy()
    known = known.copy()
    if not known.any():
        return colour
    for _ in range(rounds):
        if known.all():
            break
        acc = np.zeros_like(colour)
        cnt = np.zeros(known.shape, dtype=np.float32)
        for dy in (-1, 0, 1):
            for dx in (-1, 0, 1):
                if dx == 0 and dy == 0:
                    continue
                k = np.roll(known, (dy, dx), axis=(0, 1))
                c = np.roll(colour, (dy, dx), axis=(0, 1))
                acc += c * k[..., None]
                cnt += k
        grow = (~known) & (cnt > 0)
        colour[grow] = acc[grow] / cnt[grow][..., None]
        known = known | grow
    if not known.all():
        colour[~known] = colour[known].mean(axis=0)
    return colour


def straight_to_image(img):
    """Re-bleeds an RGBA PIL picture (after compositing with PIL) for filtering."""
    arr = np.asarray(img, dtype=np.float32) / 255.0
    return to_rgba_image(arr[..., :3], arr[..., 3])
