"""Measures on dumped play-mode states: angles, distances and how the chain lies."""

import math


def distance(a, b):
    return math.hypot(a[0] - b[0], a[1] - b[1])


def centre(gear):
    return (gear["x"], gear["y"])


def turned(before, after):
    """The angle a plain gear turned between two dumps, in (-180, 180]: its rotation is
    kept in [0, 360], so a short interval tells the direction."""
    delta = (after - before) % 360.0
    return delta - 360.0 if delta > 180.0 else delta


def turning_speeds(states, gear_index, seconds_between):
    """Degrees per second of one gear between each pair of consecutive states."""
    return [turned(a["gears"][gear_index]["rotation"], b["gears"][gear_index]["rotation"]) /
            seconds_between for a, b in zip(states, states[1:])]


def link_lengths(chain):
    points = chain["points"]
    return [distance(points[i - 1], points[i]) for i in range(len(points))]


def points_near_rim(chain, gear, slack):
    """Chain points lying on the gear's rim, up to `slack` units outside it."""
    r = gear["radius"]
    return [p for p in chain["points"] if r - 0.01 <= distance(p, centre(gear)) <= r + slack]


def deepest_point_inside(chain, gear):
    """How far the chain point deepest inside the gear's disc lies within its rim (0 if
    none lies inside)."""
    r = gear["radius"]
    return max([r - distance(p, centre(gear)) for p in chain["points"]] + [0.0])
