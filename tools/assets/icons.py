"""The menu icon: the game's brass gear, as PNGs in the icon theme's sizes and as SVG.

The PNGs are drawn at each size from the same distance fields as the gear on the board, so
that small sizes are sharp rather than scaled down. The SVG traces the same shapes (teeth,
rim, five spoke windows, hub and slotted axle) in flat brass and steel tones, without
gradients, so that every SVG renderer shows the same.
"""

import math
import os

import numpy as np
from PIL import Image

import palette as P
import pieces

# The hicolor theme's usual sizes; 48 is the one every icon lookup falls back to.
SIZES = (16, 24, 32, 48, 64, 128, 256, 512)
NAME = "brindlecog"
TEETH = 16
SPOKES = 5
SVG_SIDE = 128.0
# The web page's icons: the manifest's 192 (its 512 is the theme's), and a maskable 512 whose
# gear sits inside the central circle that every mask shape keeps (80 % of the side), on the
# page's background colour.
WEB_SIZE = 192
MASKABLE_SIZE = 512
MASKABLE_GEAR = 352
PAGE_BACKGROUND = (0x18, 0x18, 0x1B, 255)


def hex_colour(colour):
    return "#" + "".join("%02x" % int(round(float(v) * 255.0)) for v in colour)


def point(r, angle, centre=SVG_SIDE / 2):
    """Picture coordinates (y down) of a point given counter-clockwise from +x, as text."""
    return "%.2f,%.2f" % (centre + r * math.cos(angle), centre - r * math.sin(angle))


def teeth_path(R):
    """The toothed outline: the board gear's tooth profile, sampled finely enough that the
    straight pieces between samples are well under a pixel at 512 x 512."""
    samples = TEETH * 32
    theta = np.arange(samples, dtype=np.float64) * 2 * np.pi / samples
    radius = pieces.tooth_profile(theta, TEETH, 0.80, 0.995, 0.36, 0.20) * R
    return "M" + " L".join(point(r, a) for r, a in zip(radius, theta)) + " Z"


def window_paths(R):
    """The openings between the spokes: ring sectors whose sides run parallel to the
    spokes, half a spoke's width away from them."""
    inner, outer, half_spoke = 0.355 * R, 0.655 * R, 0.085 * R
    paths = []
    for k in range(SPOKES):
        a0 = 2 * math.pi * k / SPOKES + math.pi / 2
        a1 = a0 + 2 * math.pi / SPOKES
        o0, o1 = a0 + math.asin(half_spoke / outer), a1 - math.asin(half_spoke / outer)
        i0, i1 = a0 + math.asin(half_spoke / inner), a1 - math.asin(half_spoke / inner)
        # Counter-clockwise as seen is sweep flag 0 in SVG's y-down coordinates.
        paths.append(
            "M%s A%.2f,%.2f 0 0 0 %s L%s A%.2f,%.2f 0 0 1 %s Z"
            % (point(outer, o0), outer, outer, point(outer, o1), point(inner, i1), inner, inner,
               point(inner, i0))
        )
    return " ".join(paths)


def ring(r, width, colour, opacity=1.0):
    return ('<circle cx="64" cy="64" r="%.2f" fill="none" stroke="%s" stroke-width="%.2f"'
            ' stroke-opacity="%.2f"/>' % (r, hex_colour(colour), width, opacity))


def svg_icon():
    R = SVG_SIDE / 2
    windows = window_paths(R)
    parts = [
        '<svg xmlns="http://www.w3.org/2000/svg" width="128" height="128" viewBox="0 0 128 128">',
        "<title>Brindlecog</title>",
        # Teeth and body, with the windows cut out.
        '<path fill="%s" fill-rule="evenodd" stroke="%s" stroke-width="0.8" stroke-opacity="0.5" d="%s %s"/>'
        % (hex_colour(P.BRASS), hex_colour(P.BRASS_SHADOW), teeth_path(R), windows),
        # The raised rim with its bright outer and dark inner bevel.
        ring(0.74 * R, 0.14 * R, (P.BRASS + P.BRASS_LIGHT) / 2),
        ring(0.795 * R, 0.024 * R, P.BRASS_SHINE, 0.55),
        ring(0.675 * R, 0.024 * R, P.BRASS_SHADOW, 0.55),
        # The recessed web between rim and hub.
        '<path fill="%s" fill-rule="evenodd" stroke="%s" stroke-width="1.2" stroke-opacity="0.6" d="%s %s"/>'
        % (hex_colour((P.BRASS_DARK + P.BRASS) / 2), hex_colour(P.BRASS_SHADOW),
           circle_path(0.665 * R), windows),
        # Hub and axle with its slot.
        '<circle cx="64" cy="64" r="%.2f" fill="%s"/>' % (0.30 * R, hex_colour((P.BRASS + P.BRASS_LIGHT) / 2)),
        ring(0.285 * R, 0.03 * R, P.BRASS_SHADOW, 0.6),
        ring(0.24 * R, 0.024 * R, P.BRASS_SHINE, 0.35),
        '<circle cx="64" cy="64" r="%.2f" fill="%s" stroke="%s" stroke-width="%.2f"/>'
        % (0.12 * R, hex_colour(P.STEEL_LIGHT), hex_colour(P.STEEL_OUTLINE), 0.02 * R),
        '<rect x="%.2f" y="%.2f" width="%.2f" height="%.2f" rx="%.2f" fill="%s" fill-opacity="0.85"/>'
        % (R - 0.085 * R, R - 0.022 * R, 0.17 * R, 0.044 * R, 0.02 * R, hex_colour(P.STEEL_OUTLINE)),
        "</svg>",
    ]
    return "\n".join(parts) + "\n"


def circle_path(r):
    return "M%s A%.2f,%.2f 0 1 0 %s A%.2f,%.2f 0 1 0 %s Z" % (
        point(r, 0), r, r, point(r, math.pi), r, r, point(r, 0))


def write_web(web_dir, save_png):
    """Writes WEB_DIR/brindlecog-192.png and WEB_DIR/brindlecog-maskable-512.png."""
    os.makedirs(web_dir, exist_ok=True)
    save_png(pieces.gear_image(WEB_SIZE), os.path.join(web_dir, "%s-%d.png" % (NAME, WEB_SIZE)))
    maskable = Image.new("RGBA", (MASKABLE_SIZE, MASKABLE_SIZE), PAGE_BACKGROUND)
    corner = (MASKABLE_SIZE - MASKABLE_GEAR) // 2
    gear = pieces.gear_image(MASKABLE_GEAR)
    maskable.alpha_composite(gear, (corner, corner))
    save_png(maskable.convert("RGB"),
             os.path.join(web_dir, "%s-maskable-%d.png" % (NAME, MASKABLE_SIZE)))


def write_all(icon_dir, save_png):
    """Writes ICON_DIR/hicolor/<size>x<size>/apps/brindlecog.png and scalable/apps/brindlecog.svg."""
    for size in SIZES:
        folder = os.path.join(icon_dir, "hicolor", "%dx%d" % (size, size), "apps")
        os.makedirs(folder, exist_ok=True)
        save_png(pieces.gear_image(size), os.path.join(folder, NAME + ".png"))
    folder = os.path.join(icon_dir, "hicolor", "scalable", "apps")
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, NAME + ".svg"), "w", encoding="utf-8", newline="\n") as svg:
        svg.write(svg_icon())
