"""The page's frame rate and the main thread's busy milliseconds a frame (DevTools' metric
TaskDuration over the frames), over five seconds each, on the starting board and on eight
chains (seven more laid with New chain), at full speed and with the processor slowed four
times as a phone's would be: the page served on 127.0.0.1 in Debian's headless Chromium,
played with the mouse as tests/web/play_steps.txt plays it. The figures are this machine's.

    /usr/bin/python3 bench/web/page_frames.py build-web
"""
import os
import sys
import time

# The browser tests' driver (tests/web).
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests",
                                "web"))
from page_driver import browsing, script_lines, HERE  # noqa: E402

NEW_CHAINS = [["passive", "400", "590"], ["frames", "47"], ["passive", "459", "547"],
              ["click", "459", "547"]] + [
    step for x, y in ((470, 60), (620, 60), (470, 210), (620, 210), (90, 330), (250, 330),
                      (620, 330)) for step in (["passive", str(x), str(y)],
                                               ["click", str(x), str(y)], ["frames", "5"])]


def measure(page, board):
    page.browser.send("Performance.enable")
    for slowdown in (1, 4):
        page.browser.send("Emulation.setCPUThrottlingRate", {"rate": slowdown})
        page.frames(10)

        def sample():
            metrics = {m["name"]: m["value"]
                       for m in page.browser.send("Performance.getMetrics")["metrics"]}
            return metrics["TaskDuration"], page.evaluate("gameFrames"), time.monotonic()

        busy, frames, start = sample()
        time.sleep(5)
        busy_end, frames_end, end = sample()
        count = max(frames_end - frames, 1)
        print("%s, processor %dx slower: %.1f frames/s, %.1f ms main thread a frame" % (
            board, slowdown, count / (end - start), (busy_end - busy) * 1000 / count))
    page.browser.send("Emulation.setCPUThrottlingRate", {"rate": 1})


def main(web):
    with browsing(web) as (page, server):
        page.open(server.url)
        steps = script_lines(os.path.join(HERE, "play_steps.txt"))
        page.play_mouse([step for step in steps if step[0] != "shot"], None)
        measure(page, "starting board")
        page.play_mouse(NEW_CHAINS, None)
        measure(page, "eight chains")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
