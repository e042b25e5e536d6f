"""The web build on a phone and a tablet, emulated in Debian's headless Chromium over DevTools:
touch only (not one mouse event), the device's pixel ratio, turned a quarter midway, and the GL
context lost and given back at the end. Plays tests/web/touch_steps.txt on each device and
compares the pictures with the native replay's of the mouse events each touch must become.

    /usr/bin/python3 tests/web/test_touch.py build-web build/brindlecog-replay [PHONE.png]

With a third argument it writes the phone's whole screen in landscape before it turns (the
README's docs/screenshot-phone.png).
"""
import os
import tempfile
import time

from page_driver import (Failure, browsing, check, check_closer, check_like, replay_pictures,
                         rmse, run_test, script_lines, HERE)
from test_page import START_SCREEN_RMSE, WHOLE_PICTURE_RMSE, LIFT_CROP

STEPS = os.path.join(HERE, "touch_steps.txt")
DEVICES = [  # name, CSS width and height, pixel ratio
    ("phone in landscape", 844, 390, 3),
    ("phone in portrait", 390, 844, 3),
    ("tablet", 1024, 768, 2),
]
HOLD_SECONDS = 0.7  # a long press: the game's is half a second
# Around the large gear at board (-255,215), which a second finger must not move (a new finger
# takes it away after the cancel, so the replay's picture then shows where it would be missing);
# and where that finger puts it, if the cancel has left the game free again (before the cancel,
# the place is empty).
SECOND_CROP = "100x100+95+35"
CANCEL_CROP = "100x90+210+0"
# The same board before and after the GL context was lost: only the turning and the chain's
# motion between (a canvas left blank or white is 0.5 or more away).
RESTORED_RMSE = 0.1


def mouse_lines(steps):
    """The replay script of what the game must see from the touches (a second finger's, none)."""
    lines, button, start, last = [], "left", None, None
    held = pressed = False
    for words in steps:
        verb = words[0]
        if verb in ("frames", "shot"):
            lines.append(words)
        elif verb == "tap":
            lines += [["passive"] + words[1:], ["mouse", "left", "down"] + words[1:],
                      ["mouse", "left", "up"] + words[1:]]
        elif verb == "longpress":
            lines += [["passive"] + words[1:], ["mouse", "right", "down"] + words[1:],
                      ["mouse", "right", "up"] + words[1:]]
        elif verb == "finger":
            start = last = words[1:]
            held = pressed = False
            lines.append(["passive"] + start)
        elif verb == "hold":
            held = True
        elif verb == "slide":
            if not pressed:
                button = "right" if held else "left"
                lines.append(["mouse", button, "down"] + start)
                pressed = True
            lines.append(["motion"] + words[1:])
            last = words[1:]
        elif verb == "lift":
            if not pressed:
                button = "right" if held else "left"
                lines += [["mouse", button, "down"] + start, ["mouse", button, "up"] + start]
            else:
                if words[1:] != last:
                    lines.append(["motion"] + words[1:])
                lines.append(["mouse", button, "up"] + words[1:])
        elif verb == "cancel" and pressed:
            lines.append(["mouse", button, "up"] + last)
    return lines


class Fingers:
    """Plays touch_steps.txt on the page: one finger (1), and a second one (2)."""

    def __init__(self, page, folder, device, view_shot=None):
        self.page, self.folder, self.device, self.view_shot = page, folder, device, view_shot
        self.at = self.second = None
        self.held = False

    def play(self, steps):
        for words in steps:
            self.page.pump()
            check(not self.page.errors, "page error before %r: %s" % (words, self.page.errors))
            verb = words[0]
            numbers = list(map(int, words[1:])) if verb != "shot" else []
            touch = self.page.touch
            if verb == "frames":
                self.page.frames(numbers[0])
            elif verb == "shot":
                self.page.shot(os.path.join(self.folder, "page-%s.png" % words[1]))
            elif verb in ("tap", "longpress"):
                touch("touchStart", [(1, *numbers)])
                touch("touchEnd", [], after=HOLD_SECONDS if verb == "longpress" else 0.05)
            elif verb == "finger":
                self.at = numbers
                touch("touchStart", [(1, *numbers)])
            elif verb == "hold":
                self.held = True
            elif verb == "slide":
                self.at = numbers
                touch("touchMove", [(1, *numbers)], after=HOLD_SECONDS if self.held else None)
                self.held = False
            elif verb == "lift":
                touch("touchEnd", [])
            elif verb == "cancel":
                touch("touchCancel", [])
            elif verb in ("second", "second-slide"):
                self.second = numbers
                touch("touchStart" if verb == "second" else "touchMove",
                      [(1, *self.at), (2, *numbers)])
            elif verb == "second-lift":
                touch("touchEnd", [(1, *self.at)])
            elif verb == "rotate":
                self.rotate()
            elif verb == "lose-context":
                self.lose_context()
            else:
                raise Failure("touch_steps.txt: cannot play %r" % " ".join(words))

    def rotate(self):
        if self.view_shot:  # the whole screen, as the device stood
            self.page.view_shot(self.view_shot)
        name, width, height, ratio = self.device
        self.device = (name, height, width, ratio)
        emulate(self.page.browser, self.device)
        self.page.wait_for("the board to follow the turn", self.page.fits)

    def lose_context(self):
        before = os.path.join(self.folder, "page-before-loss.png")
        self.page.shot(before)
        self.page.evaluate("window.contextLoss = Module.ctx.getExtension('WEBGL_lose_context');"
                           " contextLoss.loseContext();")
        self.page.wait_for("the lost context", lambda: self.page.evaluate(
            "Module.ctx.isContextLost()"))
        frames = self.page.evaluate("gameFrames")
        time.sleep(0.3)
        check(self.page.evaluate("gameFrames") == frames, "frames ran without a context")
        self.page.evaluate("contextLoss.restoreContext()")
        self.page.wait_for("the restored context", lambda: not self.page.evaluate(
            "Module.ctx.isContextLost()"))


def emulate(browser, device):
    _, width, height, ratio = device
    browser.send("Emulation.setDeviceMetricsOverride", {
        "width": width, "height": height, "deviceScaleFactor": ratio, "mobile": True,
        "screenOrientation": {"type": "landscapePrimary" if width > height else
                              "portraitPrimary", "angle": 90 if width > height else 0}})


def play_device(device, web, folder, steps, view_shot):
    name = device[0]
    with browsing(web) as (page, server):
        emulate(page.browser, device)
        page.browser.send("Emulation.setTouchEmulationEnabled",
                          {"enabled": True, "maxTouchPoints": 5})
        page.open(server.url)
        page.evaluate("window.mouseEvents = 0; ['mousedown', 'mouseup', 'mousemove', 'click']"
                      ".forEach(t => addEventListener(t, () => { mouseEvents += 1; }, true));")
        page.check_fits()
        Fingers(page, folder, device, view_shot).play(steps)
        check("Playing place" in page.console, "no gear was put down")
        check(page.evaluate("Module.webAudio.context.state") == "running",
              "the taps did not start the sound")
        check(page.evaluate("mouseEvents") == 0, "the browser made up %d mouse events" %
              page.evaluate("mouseEvents"))
        page.pump()
        check(not page.errors, "page errors: %s" % page.errors)
    who = name + ": "
    check_like(folder, ("splash", "instructions"), START_SCREEN_RMSE, who)
    check_like(folder, ("bar", "lifted", "dragged", "second", "cancelled", "rotated",
                        "restored"), WHOLE_PICTURE_RMSE, who)
    check_closer(folder, "bar", "bar", "no-bar", None, who + "the bar raised by a tap")
    check_closer(folder, "lifted", "lifted", "lifted-flat", LIFT_CROP,
                 who + "a long-press drag lifts the gear")
    check_closer(folder, "second", "second", "cancelled", SECOND_CROP,
                 who + "a second finger ignored")
    check_closer(folder, "cancelled", "cancelled", "second", CANCEL_CROP,
                 who + "a cancelled touch releases")
    restored = rmse(os.path.join(folder, "page-restored.png"),
                    os.path.join(folder, "page-before-loss.png"))
    check(restored < RESTORED_RMSE, "%sthe board after the GL context came back is %.3f from"
          " the one before" % (who, restored))
    print("%severy touch check passed; after the lost context %.3f from before" % (who, restored))


def main(web, replay, view_shot=None):
    folder = tempfile.mkdtemp(prefix="brindlecog-touch-test-")
    steps = script_lines(STEPS)
    replay_pictures(replay, mouse_lines(steps), folder)
    # Without the long press's hold: the gear dragged flat; and the play mode without the bar.
    replay_pictures(replay, mouse_lines([s for s in steps if s[0] != "hold"]), folder, "-flat")
    replay_pictures(replay, [["click", "400", "300"], ["frames", "20"], ["click", "400", "300"],
                             ["frames", "67"], ["shot", "no-bar"]], folder)
    for number, device in enumerate(DEVICES):
        device_folder = os.path.join(folder, "device-%d" % number)
        os.makedirs(device_folder)
        for shot in os.listdir(folder):
            if shot.endswith(".png"):
                os.link(os.path.join(folder, shot), os.path.join(device_folder, shot))
        play_device(device, web, device_folder, steps, view_shot if number == 0 else None)
    print("pictures in " + folder)
    return 0


if __name__ == "__main__":
    run_test(main)
