"""What the browser tests share: the page served on 127.0.0.1, a Page that plays the replay
tool's script lines on it with real mouse or touch events through DevTools, the native replay's
pictures of the same lines, and ImageMagick's picture comparison.

Script coordinates are pixels of the game's 800 by 600 board, as in the native replay; the
page's board may be any size, so every point is mapped through the canvas's box on the page,
and every picture of the page is scaled to 800 by 600 before it is compared.
"""
import base64
import contextlib
import glob
import os
import subprocess
import sys
import time

from chromium import Chromium
from gzip_server import GzipServer

HERE = os.path.dirname(os.path.abspath(__file__))
REPOSITORY = os.path.dirname(os.path.dirname(HERE))
BOARD_WIDTH, BOARD_HEIGHT = 800, 600
PICTURES = sorted(os.path.basename(p) for p in glob.glob(os.path.join(REPOSITORY, "img", "*")))
SHIFT = 8  # DevTools' modifier bit


class Failure(Exception):
    pass


def run_test(main):
    """A browser test from the command line: main(*arguments); a failure is one line starting
    with FAIL and status 1."""
    try:
        sys.exit(main(*sys.argv[1:]))
    except Failure as failure:
        print("FAIL " + str(failure))
        sys.exit(1)


def check(condition, message):
    if not condition:
        raise Failure(message)


def script_lines(path):
    """The lines of a script with their comments and blank lines gone, as word lists."""
    lines = []
    for line in open(path):
        words = line.split("#")[0].split()
        if words:
            lines.append(words)
    return lines


class Page:
    def __init__(self, browser):
        self.browser = browser
        self.console = []
        self.errors = []
        self.warnings = []
        self.modifiers = 0
        self.buttons = 0

    def pump(self):
        """Takes in every event so far: console lines and page errors."""
        while not self.browser.events.empty():
            event = self.browser.events.get()
            method, params = event.get("method"), event.get("params", {})
            if method == "Runtime.consoleAPICalled":
                text = " ".join(str(a.get("value", a.get("description", "")))
                                for a in params["args"])
                if params["type"] == "error":
                    self.errors.append("console error: " + text)
                elif params["type"] == "warning":
                    self.warnings.append(text)
                else:
                    self.console.append(text)
            elif method == "Runtime.exceptionThrown":
                details = params["exceptionDetails"]
                self.errors.append("exception: %s %s" % (
                    details.get("text"), details.get("exception", {}).get("description", "")))
            elif method == "Log.entryAdded" and params["entry"]["level"] == "error":
                self.errors.append("log: " + params["entry"]["text"])

    def wait_for(self, what, condition, seconds=30, errors_fail=True):
        """Waits until condition() holds. A page error fails at once, unless errors_fail is
        False: then the page's errors are not the point, and the page may be between two
        documents (a condition that cannot be read yet is false)."""
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            self.pump()
            check(not (errors_fail and self.errors),
                  "page error while waiting for %s: %s" % (what, self.errors))
            try:
                if condition():
                    return
            except RuntimeError:
                if errors_fail:
                    raise
            time.sleep(0.05)
        raise Failure("waited %d s for %s; console: %s" % (seconds, what, self.console[-10:]))

    def evaluate(self, expression, wait=False):
        return self.browser.evaluate(expression, wait)

    def navigate(self, url):
        """Goes to url, leaving the last page's events behind."""
        while not self.browser.events.empty():
            self.browser.events.get()
        for domain in ("Page", "Runtime", "Log"):
            self.browser.send(domain + ".enable")
        self.browser.send("Page.navigate", {"url": url})

    def open(self, url, sounds=True):
        """Loads the page and waits for the splash picture (and the five sounds, unless the
        late files are held back); counts the game's frames."""
        self.navigate(url)
        self.wait_for("the page", lambda: self.evaluate("document.title") == "Brindlecog")
        self.wait_for("the game", lambda: self.evaluate(
            "typeof Module == 'object' && !!Module.calledRun"), seconds=60)
        # Every display of the game ends a main-loop iteration.
        self.evaluate("window.gameFrames = 0;"
                      " Module.postMainLoop = () => { window.gameFrames += 1; }")
        if sounds:
            self.wait_for("five sounds", lambda: len(self.lines("Loaded Sound ")) == 5)
        self.wait_for("the splash picture",
                      lambda: "Loaded texture ./img/splash.jpg" in self.console)

    def check_fits(self):
        """The board fills the largest 4:3 box of the viewport, centred, at the device's
        pixels, and the page neither scrolls nor is zoomed."""
        view_width, view_height, ratio = self.evaluate(
            "[innerWidth, innerHeight, devicePixelRatio]")
        left, top, width, height, buffer_width, buffer_height = self.canvas_box()
        fitted_height = min(view_height, view_width * 3 / 4)
        check(abs(height - fitted_height) <= 3 / ratio + 0.01 and
              abs(width * 3 - height * 4) < 0.1,
              "the board is %gx%g in a %dx%d view" % (width, height, view_width, view_height))
        check(abs(left - (view_width - width) / 2) < 1 and
              abs(top - (view_height - height) / 2) < 1,
              "the board is not centred: at %g,%g" % (left, top))
        check(buffer_width == round(width * ratio) and buffer_height == round(height * ratio),
              "the drawing buffer is %dx%d for a %gx%g board at ratio %g" % (
                  buffer_width, buffer_height, width, height, ratio))
        scrolls = self.evaluate("[document.scrollingElement.scrollWidth > innerWidth,"
                                " document.scrollingElement.scrollHeight > innerHeight,"
                                " visualViewport.scale]")
        check(scrolls == [False, False, 1], "the page scrolls or is zoomed: %s" % scrolls)

    def fits(self):
        try:
            self.check_fits()
            return True
        except Failure:
            return False

    def check_all_loaded(self):
        """Every picture loaded, once the play mode has asked for them, and nothing failed."""
        self.wait_for("every picture", lambda: all(
            "Loaded texture ./img/" + p in self.console for p in PICTURES))
        failed = self.lines("Couldn't load texture ") + self.lines("Failed to load sound file: ")
        check(not failed, "failed loads: %s" % failed)

    def lines(self, prefix):
        return [line for line in self.console if line.startswith(prefix)]

    def canvas_box(self):
        """The canvas's box on the page in CSS pixels, and its drawing buffer's size."""
        return self.evaluate(
            "(() => { const c = document.getElementById('canvas'),"
            " r = c.getBoundingClientRect();"
            " return [r.left, r.top, r.width, r.height, c.width, c.height]; })()")

    def on_page(self, x, y):
        left, top, width, height = self.canvas_box()[:4]
        return left + x * width / BOARD_WIDTH, top + y * height / BOARD_HEIGHT

    def frames(self, count):
        """The game's own frames, not wall time: on a busy machine the page draws fewer frames
        a second, and each of them steps by at most 0.03 s."""
        target = self.evaluate("gameFrames") + count
        self.wait_for("%d frames" % count, lambda: self.evaluate("gameFrames") >= target,
                      seconds=60)

    # The mouse.
    def mouse(self, kind, x, y, button="none"):
        page_x, page_y = self.on_page(x, y)
        self.browser.send("Input.dispatchMouseEvent", {
            "type": kind, "x": page_x, "y": page_y, "button": button,
            "buttons": self.buttons, "clickCount": 1 if kind != "mouseMoved" else 0,
            "modifiers": self.modifiers})

    def click(self, x, y):
        self.mouse("mouseMoved", x, y)
        self.press("left", x, y)
        self.release("left", x, y)

    def press(self, button, x, y):
        self.buttons |= {"left": 1, "right": 2, "middle": 4}[button]
        self.mouse("mousePressed", x, y, button)

    def release(self, button, x, y):
        self.buttons &= ~{"left": 1, "right": 2, "middle": 4}[button]
        self.mouse("mouseReleased", x, y, button)

    def key(self, kind, key, code, virtual):
        self.browser.send("Input.dispatchKeyEvent", {
            "type": kind, "key": key, "code": code, "windowsVirtualKeyCode": virtual,
            "nativeVirtualKeyCode": virtual, "modifiers": self.modifiers})

    # Fingers: points is a list of (finger, x, y) of every finger still on the screen. Each
    # touch carries its time, `after` seconds past the last one at the earliest: a tap stays a
    # tap however long DevTools takes to hand the touches on.
    def touch(self, kind, points, after=None):
        touch_points = []
        for finger, x, y in points:
            page_x, page_y = self.on_page(x, y)
            touch_points.append({"x": page_x, "y": page_y, "id": finger})
        last = getattr(self, "last_touch", 0.0)
        when = last + after if after is not None else max(time.time(), last + 0.001)
        self.last_touch = when
        self.browser.send("Input.dispatchTouchEvent", {"type": kind, "touchPoints": touch_points,
                                                       "timestamp": when})

    def view_shot(self, path):
        """The whole browser view, as it stands."""
        data = self.browser.send("Page.captureScreenshot", {"format": "png"})["data"]
        with open(path, "wb") as out:
            out.write(base64.b64decode(data))

    def shot(self, path):
        """The board as a person sees it, scaled to 800 by 600."""
        left, top, width, height = self.canvas_box()[:4]
        data = self.browser.send("Page.captureScreenshot", {
            "format": "png", "clip": {"x": left, "y": top, "width": width, "height": height,
                                      "scale": 1}})["data"]
        raw = path[:-4] + "-raw.png"
        with open(raw, "wb") as out:
            out.write(base64.b64decode(data))
        subprocess.run(["convert", raw, "-resize", "%dx%d!" % (BOARD_WIDTH, BOARD_HEIGHT),
                        path], check=True)

    def play_mouse(self, steps, folder):
        """Replay script lines as a player's mouse and keys."""
        for words in steps:
            self.pump()
            check(not self.errors, "page error before %r: %s" % (words, self.errors))
            name, arguments = words[0], words[1:]
            if name == "click":
                self.click(*map(int, arguments))
            elif name in ("passive", "motion"):
                x, y = map(int, arguments)
                self.mouse("mouseMoved", x, y, "left" if self.buttons & 1 else "none")
            elif name == "mouse":
                button, state = arguments[0], arguments[1]
                x, y = int(arguments[2]), int(arguments[3])
                (self.press if state == "down" else self.release)(button, x, y)
            elif name == "frames":
                self.frames(int(arguments[0]))
            elif name == "shift":
                if arguments[0] == "on":
                    self.modifiers |= SHIFT
                    self.key("rawKeyDown", "Shift", "ShiftLeft", 16)
                else:
                    self.modifiers &= ~SHIFT
                    self.key("keyUp", "Shift", "ShiftLeft", 16)
            elif name == "shot":
                self.shot(os.path.join(folder, "page-" + arguments[0] + ".png"))
            else:
                raise Failure("cannot play %r with a mouse" % " ".join(words))


def replay_pictures(replay, steps, folder, suffix=""):
    """The native replay's pictures of replay script lines: `shot NAME` writes NAME+suffix.png."""
    script = []
    for words in steps:
        if words[0] == "shot":
            words = ["shot", os.path.join(folder, words[1] + suffix + ".png")]
        script.append(" ".join(words) + "\n")
    run = subprocess.run([os.path.abspath(replay)], input="".join(script), text=True, capture_output=True,
                         cwd=REPOSITORY, timeout=300)
    check(run.returncode == 0, "native replay failed: " + run.stderr)


def check_like(folder, shots, limit, who=""):
    """The page's pictures (page-NAME.png) each within limit of the replay's (NAME.png)."""
    for shot in shots:
        difference = rmse(os.path.join(folder, "page-%s.png" % shot),
                          os.path.join(folder, shot + ".png"))
        check(difference < limit, "%sthe picture %s is %.3f from the replay's" % (
            who, shot, difference))


def check_closer(folder, shot, good, bad, crop, what):
    """Where a fault would still look alike, the page's crop must be nearer the replay's
    picture of the right outcome (good) than of the fault's (bad)."""
    page_shot = os.path.join(folder, "page-%s.png" % shot)
    near_good = rmse(page_shot, os.path.join(folder, good + ".png"), crop)
    near_bad = rmse(page_shot, os.path.join(folder, bad + ".png"), crop)
    check(near_good < near_bad, "%s: %.3f from the expected picture, %.3f from the wrong one" % (
        what, near_good, near_bad))


def rmse(a, b, crop=None):
    """ImageMagick's normalised root-mean-square difference of two pictures (or of one crop)."""
    if crop:
        cropped = []
        for picture in (a, b):
            out = picture[:-4] + "-crop-%s.png" % crop.replace("+", "_")
            subprocess.run(["convert", picture, "-crop", crop, "+repage", out], check=True)
            cropped.append(out)
        a, b = cropped
    run = subprocess.run(["compare", "-metric", "RMSE", a, b, "null:"], capture_output=True,
                         text=True)
    check(run.returncode in (0, 1), "compare failed: " + run.stderr)
    return float(run.stderr.split("(")[1].split(")")[0])


@contextlib.contextmanager
def browsing(folder):
    """A fresh headless Chromium and folder served gzip-compressed on 127.0.0.1, as a static
    host serves it: the page's Page (not yet opened) and the server, whose url is the folder's."""
    server = GzipServer(folder)
    browser = Chromium()
    try:
        browser.attach_to_page()
        yield Page(browser), server
    finally:
        browser.close()
        server.stop()
