#!/usr/bin/env python3
"""Writes a seeded random replay script that no user could be relied on not to produce.

Presses and releases of every button in every order (releases without presses, presses during
drags), motions anywhere (far outside the window, past 30000 and 65000, negative), every tool
(Delete and Clear all picked during a right-button drag among them), Shift toggled mid-drag,
frame times from 0 to 0.1 s, reshapes to odd, tiny, zero and negative sizes, bursts of new
chains and pieces, and a `check` of the game's invariants after every frame.

    make_script.py SEED [EVENTS] > script.txt
"""
import random
import sys

# The tool bar, raised: button centres in window pixels at 800 by 600 (board y of the raised
# bar's centre is -180; window pixel = (x + 400, 300 - y)).
BUTTONS = [(265, 445), (370, 440), (415, 440), (460, 440), (502, 440), (370, 547),
           (415, 547), (460, 547), (505, 547), (237, 547), (297, 547)]
POWER_SWITCH = (572, 510)
BUTTON_NAMES = ["left", "middle", "right"]
# Where the starting board's gears and chain are, so that many presses land on something.
HOT_SPOTS = [(145, 250), (345, 85), (145, 85), (345, 250), (105, 139), (200, 7), (347, 160)]


class Script:
    def __init__(self, seed):
        self.rng = random.Random(seed)
        self.lines = ["# soak seed %s" % seed, "click 400 300", "click 400 300", "check"]
        self.width, self.height = 800, 600

    def emit(self, line):
        self.lines.append(line)

    def frame(self):
        r = self.rng.random()
        if r < 0.05:
            dt = 0.0
        elif r < 0.15:
            dt = self.rng.uniform(0.03, 0.1)  # longer than the cap
        else:
            dt = self.rng.uniform(0.001, 0.03)
        self.emit("frame %.4f" % dt)
        self.emit("check")

    def point(self):
        r = self.rng.random()
        if r < 0.45:
            x, y = self.rng.choice(HOT_SPOTS)
            return x + self.rng.randint(-30, 30), y + self.rng.randint(-30, 30)
        if r < 0.75:
            return self.rng.randint(0, self.width), self.rng.randint(0, self.height)
        if r < 0.85:
            x, y = self.rng.choice(BUTTONS + [POWER_SWITCH])
            return x + self.rng.randint(-5, 5), y + self.rng.randint(-5, 5)
        # Far away: negative, past the window, past 30000 and 65000.
        far = [-5000, -1, self.width + 1, 29999, 30000, 30001, 65000, 65535, 100000]
        return self.rng.choice(far), self.rng.choice(far + [self.rng.randint(0, self.height)])

    def raise_bar(self):
        self.emit("passive 400 %d" % (self.height - 5))
        for _ in range(self.rng.randint(10, 50)):
            self.frame()

    def pick_tool(self, index):
        self.raise_bar()
        x, y = BUTTONS[index]
        self.emit("passive %d %d" % (x, y))
        self.emit("click %d %d" % (x, y))

    def drag(self):
        button = self.rng.choice(BUTTON_NAMES)
        x, y = self.point()
        self.emit("passive %d %d" % (x, y))
        self.emit("mouse %s down %d %d" % (button, x, y))
        for _ in range(self.rng.randint(1, 25)):
            r = self.rng.random()
            x, y = self.point()
            if r < 0.15:
                self.emit("shift %s" % self.rng.choice(["on", "off"]))
            elif r < 0.25:
                # Another button pressed or released mid-drag.
                self.emit("mouse %s %s %d %d" % (self.rng.choice(BUTTON_NAMES),
                                                 self.rng.choice(["down", "up"]), x, y))
            elif r < 0.28:
                # Pick Delete or Clear all on the bar while the drag goes on.
                bx, by = BUTTONS[self.rng.choice([9, 9, 9, 10])]
                self.emit("motion %d %d" % (bx, by))
                self.frame()
                self.emit("mouse left down %d %d" % (bx, by))
                self.emit("mouse left up %d %d" % (bx, by))
            else:
                self.emit("motion %d %d" % (x, y))
            self.frame()
        if self.rng.random() < 0.8:
            self.emit("mouse %s up %d %d" % (button, x, y))

    def burst(self):
        # Many new pieces or chains at once, with few frames between them.
        tool = self.rng.choice([1, 2, 3, 4, 7])
        self.pick_tool(tool)
        for _ in range(self.rng.randint(5, 40)):
            x, y = self.rng.randint(0, self.width), self.rng.randint(0, 400)
            self.emit("passive %d %d" % (x, y))
            self.emit("click %d %d" % (x, y))
            if self.rng.random() < 0.3:
                self.frame()
        self.emit("mouse right down 400 200")
        self.emit("mouse right up 400 200")

    def reshape(self):
        sizes = [(800, 600), (801, 601), (1, 1), (3, 2), (0, 600), (800, 0), (-5, 300),
                 (640, -1), (1000, 300), (200, 700), (17, 13)]
        w, h = self.rng.choice(sizes)
        self.emit("reshape %d %d" % (w, h))
        if w > 0 and h > 0:
            # The game snaps the window to 4:3 by its height.
            self.height = h
            self.width = int(h * 1.3333333333333333)

    def event(self):
        r = self.rng.random()
        if r < 0.25:
            self.frame()
        elif r < 0.40:
            x, y = self.point()
            self.emit("%s %d %d" % (self.rng.choice(["passive", "motion"]), x, y))
        elif r < 0.55:
            x, y = self.point()
            self.emit("mouse %s %s %d %d" % (self.rng.choice(BUTTON_NAMES),
                                             self.rng.choice(["down", "up"]), x, y))
        elif r < 0.68:
            self.drag()
        elif r < 0.78:
            # Every tool, Clear all rarely, so that boards grow large between clearings.
            self.pick_tool(self.rng.choice(list(range(10)) * 4 + [10]))
            x, y = self.point()
            self.emit("passive %d %d" % (x, y))
            self.emit("click %d %d" % (x, y))
        elif r < 0.82:
            self.emit("passive %d %d" % POWER_SWITCH)
            self.emit("click %d %d" % POWER_SWITCH)
        elif r < 0.86:
            self.burst()
        elif r < 0.89:
            self.reshape()
        elif r < 0.92:
            self.emit("shift %s" % self.rng.choice(["on", "off"]))
        elif r < 0.95:
            self.emit("key %d" % self.rng.choice([32, 97, 113, 13]))  # no exit keys
            code = self.rng.choice([1, 4, 5, 100])
            alt = code != 4 and self.rng.random() < 0.5  # Alt+F4 would end the run
            self.emit("special %d%s" % (code, " alt" if alt else ""))
        else:
            for _ in range(self.rng.randint(5, 30)):
                self.frame()
        if self.rng.random() < 0.05:
            self.emit("dump")


def main():
    seed = int(sys.argv[1])
    events = int(sys.argv[2]) if len(sys.argv) > 2 else 300
    script = Script(seed)
    for _ in range(events):
        script.event()
    script.frame()
    print("\n".join(script.lines))


if __name__ == "__main__":
    main()
