"""The web build in Debian's headless Chromium, played as a person would: the page served on
127.0.0.1, real pointer and key events through DevTools, the page's state read back through
Runtime.evaluate (which is no user gesture, so only the events start the audio).

    /usr/bin/python3 tests/web/test_page.py build-web build/brindlecog-replay

Plays tests/web/play_steps.txt, compares its pictures loosely with the native replay's of the
same steps, ends the game with Escape, and prints the frame rates it saw over five seconds.
With a third argument it also writes the whole browser view before Escape there (the README's
docs/screenshot-web.png).
"""
import base64
import functools
import glob
import http.server
import os
import subprocess
import sys
import tempfile
import threading
import time

from chromium import Chromium

HERE = os.path.dirname(os.path.abspath(__file__))
REPOSITORY = os.path.dirname(os.path.dirname(HERE))
STEPS = os.path.join(HERE, "play_steps.txt")
PICTURES = sorted(os.path.basename(p) for p in glob.glob(os.path.join(REPOSITORY, "img", "*")))
ENDED = "Brindlecog has ended. Reload the page to play again."
SHIFT = 8  # DevTools' modifier bit
# The page's and the replay's whole pictures: the same board, but the chains and gears have
# turned by real time in the one and by replay frames in the other, and WebGL's GL_CLAMP_TO_EDGE
# differs from Mesa's GL_CLAMP at the pictures' edges.
WHOLE_PICTURE_RMSE = 0.12
# Where the small gear settles, clear of the large one, when it is dragged there without Shift:
# empty board if it was lifted (it then lies on the large gear).
LIFT_CROP = "70x70+390+191"


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


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

    def wait_for(self, what, condition, seconds=30):
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            self.pump()
            check(not self.errors, "page error while waiting for %s: %s" % (what, self.errors))
            if condition():
                return
            time.sleep(0.05)
        raise Failure("waited %d s for %s; console: %s" % (seconds, what, self.console[-10:]))

    def lines(self, prefix):
        return [line for line in self.console if line.startswith(prefix)]

    def canvas_origin(self):
        box = self.browser.evaluate(
            "(() => { const r = document.getElementById('canvas').getBoundingClientRect();"
            " return [r.left, r.top, r.width, r.height]; })()")
        return box

    def mouse(self, kind, x, y, button="none"):
        left, top, _, _ = self.canvas_origin()
        self.browser.send("Input.dispatchMouseEvent", {
            "type": kind, "x": left + x, "y": top + y, "button": button,
            "buttons": self.buttons, "clickCount": 1 if kind != "mouseMoved" else 0,
            "modifiers": self.modifiers})

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

    def shot(self, path):
        left, top, width, height = self.canvas_origin()
        data = self.browser.send("Page.captureScreenshot", {
            "format": "png", "clip": {"x": left, "y": top, "width": width, "height": height,
                                      "scale": 1}})["data"]
        with open(path, "wb") as out:
            out.write(base64.b64decode(data))

    def play(self, steps, folder, on_place=None):
        """The replay script's lines as a player's actions."""
        for line in steps:
            words = line.split("#")[0].split()
            if not words:
                continue
            self.pump()
            check(not self.errors, "page error before %r: %s" % (line, self.errors))
            name, arguments = words[0], words[1:]
            if name == "click":
                x, y = map(int, arguments)
                self.mouse("mouseMoved", x, y)
                self.press("left", x, y)
                self.release("left", x, y)
            elif name in ("passive", "motion"):
                x, y = map(int, arguments)
                self.mouse("mouseMoved", x, y, "left" if self.buttons & 1 else "none")
            elif name == "mouse":
                button, state = arguments[0], arguments[1]
                x, y = int(arguments[2]), int(arguments[3])
                (self.press if state == "down" else self.release)(button, x, y)
            elif name == "frames":
                # The game's own frames, not wall time: on a busy machine the page draws fewer
                # frames a second, and each of them steps by at most 0.03 s.
                target = self.browser.evaluate("gameFrames") + int(arguments[0])
                self.wait_for("%s frames" % arguments[0],
                              lambda: self.browser.evaluate("gameFrames") >= target, seconds=60)
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
                raise Failure("play_steps.txt: cannot play %r" % line)


def reference_pictures(replay, folder, lifted):
    """The native replay's pictures of the same steps (without the Shift lines if not lifted)."""
    script = []
    for line in open(STEPS):
        words = line.split("#")[0].split()
        if words and words[0] == "shot":
            name = words[1] + (".png" if lifted else "-flat.png")
            line = "shot %s\n" % os.path.join(folder, name)
        elif words and words[0] == "shift" and not lifted:
            continue
        script.append(line)
    run = subprocess.run([replay], input="".join(script), text=True, capture_output=True,
                         cwd=REPOSITORY, timeout=300)
    check(run.returncode == 0, "native replay failed: " + run.stderr)


def rmse(a, b, crop=None):
    """ImageMagick's normalised root-mean-square difference of two pictures (or of one crop)."""
    if crop:
        cropped = []
        for picture in (a, b):
            out = picture[:-4] + "-crop.png"
            subprocess.run(["convert", picture, "-crop", crop, "+repage", out], check=True)
            cropped.append(out)
        a, b = cropped
    run = subprocess.run(["compare", "-metric", "RMSE", a, b, "null:"], capture_output=True,
                         text=True)
    check(run.returncode in (0, 1), "compare failed: " + run.stderr)
    return float(run.stderr.split("(")[1].split(")")[0])


def serve(folder):
    handler = functools.partial(Quiet, directory=folder)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)  # any free port
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *arguments):
        pass


def main(web, replay, view_shot=None):
    folder = tempfile.mkdtemp(prefix="brindlecog-web-test-")
    reference_pictures(replay, folder, lifted=True)
    reference_pictures(replay, folder, lifted=False)
    server = serve(os.path.abspath(web))
    browser = Chromium()
    try:
        browser.attach_to_page()
        for domain in ("Page", "Runtime", "Log"):
            browser.send(domain + ".enable")
        page = Page(browser)
        browser.send("Page.navigate", {"url": "http://127.0.0.1:%d/" % server.server_port})
        page.wait_for("the page", lambda: browser.evaluate("document.title") == "Brindlecog")
        # Every display of the game ends a main-loop iteration.
        browser.evaluate("window.gameFrames = 0;"
                         " Module.postMainLoop = () => { window.gameFrames += 1; }")
        page.wait_for("five sounds", lambda: len(page.lines("Loaded Sound ")) == 5)
        page.wait_for("the splash picture",
                      lambda: "Loaded texture ./img/splash.jpg" in page.console)
        width, height = page.canvas_origin()[2:]
        check((width, height) == (800, 600), "canvas is %sx%s" % (width, height))
        check(browser.evaluate("Module.webAudio.context.state") == "suspended",
              "the audio runs before any gesture")

        steps = open(STEPS).read().splitlines()
        at_place = steps.index(next(s for s in steps if "put down a small gear" in s))
        page.play(steps[:at_place], folder)
        started_before = browser.evaluate("Module.webAudio.sourcesStarted")
        page.play(steps[at_place:at_place + 1], folder)
        page.wait_for("Playing place", lambda: "Playing place" in page.console)
        page.wait_for("the place sound's source", lambda: browser.evaluate(
            "Module.webAudio.sourcesStarted") > started_before, seconds=5)
        check(browser.evaluate("Module.webAudio.context.state") == "running",
              "the audio context is not running after the clicks")
        check("Playing bg" in page.console, "the music was not started")
        level = browser.evaluate("""new Promise(resolve => {
            const analyser = Module.webAudio.analyser, samples = new Float32Array(2048);
            let peak = 0, reads = 0;
            const read = () => {
              analyser.getFloatTimeDomainData(samples);
              for (const s of samples) peak = Math.max(peak, Math.abs(s));
              if (++reads < 20) setTimeout(read, 25); else resolve(peak);
            };
            read(); })""", wait=True)
        check(level > 0.01, "no sound measured at the output (peak %g)" % level)
        page.play(steps[at_place + 1:], folder)

        page.wait_for("every picture", lambda: all(
            "Loaded texture ./img/" + p in page.console for p in PICTURES))
        failed = page.lines("Couldn't load texture ") + page.lines("Failed to load sound file: ")
        check(not failed, "failed loads: %s" % failed)

        # The page's picture against the replay's of the same steps, and where an unlifted gear
        # would settle also against the replay's without Shift: the gear must not be there.
        page_shot = os.path.join(folder, "page-lifted.png")
        lifted, flat = os.path.join(folder, "lifted.png"), os.path.join(folder, "lifted-flat.png")
        whole = rmse(page_shot, lifted)
        near_lifted = rmse(page_shot, lifted, LIFT_CROP)
        near_flat = rmse(page_shot, flat, LIFT_CROP)
        print("picture: %.3f from the replay's; where an unlifted gear settles %.3f from the"
              " lifted replay's, %.3f from the one without Shift" % (whole, near_lifted, near_flat))
        check(whole < WHOLE_PICTURE_RMSE, "the page's picture is %.3f from the replay's" % whole)
        check(near_lifted < near_flat, "the gear was not lifted over the large one")
        measure_fps(page, browser)
        if view_shot:
            data = browser.send("Page.captureScreenshot", {"format": "png"})["data"]
            with open(view_shot, "wb") as out:
                out.write(base64.b64decode(data))

        page.key("rawKeyDown", "Escape", "Escape", 27)
        page.key("keyUp", "Escape", "Escape", 27)
        page.wait_for("the ended page", lambda: browser.evaluate(
            "!document.getElementById('canvas') && !document.getElementById('ended').hidden"
            " && document.body.innerText.trim()") == ENDED)
        page.wait_for("the sounds to stop", lambda: browser.evaluate(
            "Module.webAudio.context.state") == "closed", seconds=5)
        time.sleep(0.5)
        page.pump()
        check(not page.errors, "page errors: %s" % page.errors)
        print("console warnings (the GL emulation's own): %d" % len(page.warnings))
    finally:
        browser.close()
        server.shutdown()
    print("pictures in " + folder)
    return 0


def measure_fps(page, browser):
    """Game frames (one display each) and the browser's animation frames over five seconds."""
    counts = browser.evaluate("""new Promise(resolve => {
        let browser = 0;
        const first = gameFrames, start = performance.now();
        const tick = () => {
          browser += 1;
          if (performance.now() - start < 5000) { requestAnimationFrame(tick); return; }
          resolve([gameFrames - first, browser, (performance.now() - start) / 1000]);
        };
        requestAnimationFrame(tick); })""", wait=True)
    game, frames, seconds = counts
    print("play mode: %.1f game frames/s, %.1f browser animation frames/s over %.1f s"
          % (game / seconds, frames / seconds, seconds))


if __name__ == "__main__":
    try:
        sys.exit(main(sys.argv[1], os.path.abspath(sys.argv[2]), *sys.argv[3:4]))
    except Failure as failure:
        print("FAIL " + str(failure))
        sys.exit(1)
