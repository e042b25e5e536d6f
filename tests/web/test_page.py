"""The web build in Debian's headless Chromium with a mouse and keys, played as a person would:
the page served on 127.0.0.1, real pointer and key events through DevTools, the page's state
read back through Runtime.evaluate (which is no user gesture, so only the events start the
audio).

    /usr/bin/python3 tests/web/test_page.py build-web build/brindlecog-replay [VIEW.png]

Plays tests/web/play_steps.txt, compares its pictures with the native replay's of the same
steps (the start screens, and a gear lifted with Shift), puts the page full screen and back,
and ends the game with Escape. With a third argument it also
writes the whole browser view before Escape (the README's docs/screenshot-web.png). Last, the
page without WebGL and without each of its packed files must say so.
"""
import os
import tempfile
import time

from page_driver import (browsing, check, check_closer, check_like, replay_pictures, run_test,
                         script_lines, HERE)

STEPS = os.path.join(HERE, "play_steps.txt")
ENDED = "Brindlecog has ended. Reload the page to play again."
# The start screens are still pictures: only WebGL's GL_CLAMP_TO_EDGE against Mesa's GL_CLAMP
# at the pictures' edges and the scaling to 800 by 600 tell them apart.
START_SCREEN_RMSE = 0.05
# The play mode's whole picture: the same board, but the chains and gears have turned by real
# time in the one and by replay frames in the other.
WHOLE_PICTURE_RMSE = 0.12
# Where the small gear settles, clear of the large one, when it is dragged there without Shift:
# empty board if it was lifted (it then lies on the large gear).
LIFT_CROP = "70x70+390+191"


def check_full_screen(page):
    """The button in the page's margin puts the page full screen, the board follows, and the
    same button brings it back."""
    before = page.evaluate("[innerWidth, innerHeight]")
    for full in (True, False):
        left, top, width, height = page.evaluate(
            "(() => { const r = document.getElementById('fullscreen').getBoundingClientRect();"
            " return [r.left, r.top, r.width, r.height]; })()")
        board = page.canvas_box()
        outside = (left + width <= board[0] or left >= board[0] + board[2] or
                   top + height <= board[1] or top >= board[1] + board[3])
        check(outside or not full, "the full-screen button covers the board")
        for kind in ("mousePressed", "mouseReleased"):
            page.browser.send("Input.dispatchMouseEvent", {
                "type": kind, "x": left + width / 2, "y": top + height / 2, "button": "left",
                "buttons": 1 if kind == "mousePressed" else 0, "clickCount": 1})
        # The page is full screen a moment before it hears so and relabels the button.
        label = "Leave full screen" if full else "Full screen"
        page.wait_for("full screen " + ("on" if full else "off"), lambda: page.evaluate(
            "[!!document.fullscreenElement,"
            " document.getElementById('fullscreen').getAttribute('aria-label')]") == [full, label])
        page.wait_for("the board to follow", page.fits)
    check(page.evaluate("[innerWidth, innerHeight]") == before, "the page did not come back")


def check_failures(web):
    """Without WebGL, or without one of the packed files, the page says so instead of waiting
    for ever; the only errors are the browser's and the loader's own reports of the file."""
    cases = (  # what is missing, and the start of the page's sentence
        ("WebGL", "Brindlecog draws with WebGL"),
        ("brindlecog.data", "Brindlecog could not load its files"),
        # The other pictures and the sounds, which come after the splash.
        ("brindlecog-late.data", "Brindlecog could not start: its files did not load"))
    for missing, sentence in cases:
        bare = tempfile.mkdtemp(prefix="brindlecog-web-bare-")
        for name in os.listdir(web):
            if name != missing:
                os.symlink(os.path.abspath(os.path.join(web, name)), os.path.join(bare, name))
        with browsing(bare) as (page, server):
            if missing == "WebGL":
                page.browser.send("Page.addScriptToEvaluateOnNewDocument", {"source": (
                    "const getContext = HTMLCanvasElement.prototype.getContext;"
                    "HTMLCanvasElement.prototype.getContext = function(kind, ...rest) {"
                    "  return /webgl/.test(kind) ? null : getContext.call(this, kind, ...rest); };")})
            page.navigate(server.url)
            page.wait_for("the sentence without " + missing, lambda: page.evaluate(
                "document.getElementById('loading').checkVisibility() ?"
                " document.getElementById('status').textContent : ''").startswith(sentence),
                errors_fail=False)
            others = [e for e in page.errors if "404" not in e and missing not in e]
            check(not others, "page errors without %s: %s" % (missing, others))
            print("without %s: the page says %r" % (missing, page.evaluate(
                "document.getElementById('status').textContent")))


def main(web, replay, view_shot=None):
    folder = tempfile.mkdtemp(prefix="brindlecog-web-test-")
    steps = script_lines(STEPS)
    replay_pictures(replay, steps, folder)
    replay_pictures(replay, [s for s in steps if s[0] != "shift"], folder, "-flat")
    with browsing(web) as (page, server):
        page.open(server.url)
        page.check_fits()
        # Making an audio context is a long task: the page makes it at the first gesture.
        check(page.evaluate("Module.webAudio.context") is None,
              "the page made its audio context before any gesture")

        at_place = steps.index(["click", "560", "180"])
        page.play_mouse(steps[:at_place], folder)
        started_before = page.evaluate("Module.webAudio.sourcesStarted")
        page.play_mouse(steps[at_place:at_place + 1], folder)
        page.wait_for("Playing place", lambda: "Playing place" in page.console)
        page.wait_for("the place sound's source", lambda: page.evaluate(
            "Module.webAudio.sourcesStarted") > started_before, seconds=5)
        check(page.evaluate("Module.webAudio.context.state") == "running",
              "the audio context is not running after the clicks")
        check("Playing bg" in page.console, "the music was not started")
        level = page.evaluate("""new Promise(resolve => {
            const analyser = Module.webAudio.analyser, samples = new Float32Array(2048);
            let peak = 0, reads = 0;
            const read = () => {
              analyser.getFloatTimeDomainData(samples);
              for (const s of samples) peak = Math.max(peak, Math.abs(s));
              if (++reads < 20) setTimeout(read, 25); else resolve(peak);
            };
            read(); })""", wait=True)
        check(level > 0.01, "no sound measured at the output (peak %g)" % level)
        page.play_mouse(steps[at_place + 1:], folder)

        page.check_all_loaded()
        check_like(folder, ("splash", "instructions"), START_SCREEN_RMSE)
        # The page's picture against the replay's of the same steps, and where an unlifted gear
        # would settle also against the replay's without Shift: the gear must not be there.
        check_like(folder, ("lifted",), WHOLE_PICTURE_RMSE)
        check_closer(folder, "lifted", "lifted", "lifted-flat", LIFT_CROP, "the Shift lift")

        check_full_screen(page)
        if view_shot:
            page.view_shot(view_shot)
        page.key("rawKeyDown", "Escape", "Escape", 27)
        page.key("keyUp", "Escape", "Escape", 27)
        page.wait_for("the ended page", lambda: page.evaluate(
            "!document.getElementById('canvas') && !document.getElementById('ended').hidden"
            " && document.body.innerText.trim()") == ENDED)
        page.wait_for("the sounds to stop", lambda: page.evaluate(
            "Module.webAudio.context.state") == "closed", seconds=5)
        time.sleep(0.5)
        page.pump()
        check(not page.errors, "page errors: %s" % page.errors)
    check_failures(web)
    print("pictures in " + folder)
    return 0


if __name__ == "__main__":
    run_test(main)
