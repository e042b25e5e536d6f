#!/usr/bin/env python3
"""Encodes a replay script as fuzz input bytes (the encoding is described in fuzz_events.h).

    encode_script.py [--draw] SCRIPT > input.bin

Positions become exact window pixels, frame times the nearest of the fuzzer's eight, and
`dump`, `shot` and `check` are left out (the fuzzer checks after every frame anyway). With
--draw every frame asks to be drawn (the fuzzer draws the first few of an input only).
"""
import struct
import sys

EVENT_KINDS = 12
FRAME, MOUSE, CLICK, MOTION, PASSIVE, SHIFT, KEY, SPECIAL, RESHAPE, WINDOW_MANAGER = range(10)
FRAME_TIMES = [0.016, 0.0, 1e-6, 0.001, 0.0167, 0.03, 0.0301, 0.25]
BUTTONS = {"left": 0, "middle": 1, "right": 2}
EXIT_KEYS = {17, 27}
KEY_F4 = 4


def signed16(value):
    return struct.pack("<h", max(-32768, min(32767, value)))


def exact_position(x, y):
    return bytes([0]) + signed16(x) + signed16(y)


def nearest_frame_time(dt):
    return min(range(len(FRAME_TIMES)), key=lambda i: abs(FRAME_TIMES[i] - dt))


def encode_line(words, draw):
    command, args = words[0], words[1:]
    if command in ("frame", "frames"):
        count = int(args[0]) if command == "frames" else 1
        rest = args[1:] if command == "frames" else args
        dt = float(rest[0]) if rest else 0.016
        out = b""
        while count > 0:
            step = min(count, 8)
            argument = nearest_frame_time(dt) | (step - 1) << 3 | (0xC0 if draw else 0)
            out += bytes([FRAME, argument])
            count -= step
        return out
    if command == "mouse":
        button = BUTTONS.get(args[0])
        button = int(args[0]) if button is None else button
        up = 8 if args[1] == "up" else 0
        return bytes([MOUSE, button | up]) + exact_position(int(args[2]), int(args[3]))
    if command in ("click", "motion", "passive"):
        opcode = {"click": CLICK, "motion": MOTION, "passive": PASSIVE}[command]
        return bytes([opcode]) + exact_position(int(args[0]), int(args[1]))
    if command == "shift":
        return bytes([SHIFT + (EVENT_KINDS if args[0] == "on" else 0)])
    if command == "key":
        code = int(args[0])
        return b"" if code in EXIT_KEYS else bytes([KEY, code & 0xFF])
    if command == "special":
        code, alt = int(args[0]), len(args) > 1 and args[1] == "alt"
        if code == KEY_F4 and alt:
            return b""
        return bytes([SPECIAL + (EVENT_KINDS if alt else 0), code & 0xFF])
    if command == "reshape":
        return bytes([RESHAPE]) + signed16(int(args[0])) + signed16(int(args[1]))
    if command == "wm":
        return bytes([WINDOW_MANAGER + (EVENT_KINDS if args[0] == "accept" else 0)])
    return b""  # dump, shot, check


def encode(text, draw):
    out = b""
    for line in text.splitlines():
        words = line.split("#", 1)[0].split()
        if words:
            out += encode_line(words, draw)
    return out


def main():
    args = sys.argv[1:]
    draw = "--draw" in args
    args = [a for a in args if a != "--draw"]
    if len(args) != 1:
        sys.exit(__doc__)
    with open(args[0]) as script:
        sys.stdout.buffer.write(encode(script.read(), draw))


if __name__ == "__main__":
    main()
