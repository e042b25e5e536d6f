"""How long a first visit waits for the splash picture: the page served gzip-compressed, in
Debian's headless Chromium with an empty cache and Lighthouse's slow 4G network (150 ms round
trip, 1.6 Mbit/s down, 750 kbit/s up). Prints the time from opening the page to the end of the
first frame that draws the splash, to the moment the loading screen goes and uncovers it, and
to the moment the late files are in; a measurement, not a test.

    /usr/bin/python3 bench/web/first_picture.py build-web
"""
import os
import sys

# The browser tests' driver and server (tests/web).
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests",
                                "web"))
from page_driver import browsing  # noqa: E402

SLOW_4G = {"offline": False, "latency": 150, "downloadThroughput": 1.6 * 1024 * 1000 / 8,
           "uploadThroughput": 750 * 1000 / 8}
# Notes the time of the first animation frame after the game has loaded its splash picture:
# the game draws in the frame after that line, and this callback is queued after the game's.
FRAME_WATCH = """
(() => {
  const log = console.log;
  console.log = function(line) {
    log.apply(console, arguments);
    if (line === 'Loaded texture ./img/splash.jpg') {
      requestAnimationFrame(() => requestAnimationFrame(() => {
        window.splashDrawnAt = performance.now(); }));
    }
    if (String(line).startsWith('Loaded Sound ')) window.lateFilesAt = performance.now();
  };
  // And when the loading screen goes, uncovering the board.
  document.addEventListener('DOMContentLoaded', () => {
    const loading = document.getElementById('loading');
    new MutationObserver(() => {
      if (loading.hidden && !window.uncoveredAt) window.uncoveredAt = performance.now();
    }).observe(loading, {attributes: true});
  });
})();
"""


def main(web):
    with browsing(web) as (page, server):
        browser = page.browser
        browser.send("Network.enable")
        browser.send("Network.setCacheDisabled", {"cacheDisabled": True})
        browser.send("Network.emulateNetworkConditions", SLOW_4G)
        browser.send("Page.addScriptToEvaluateOnNewDocument", {"source": FRAME_WATCH})
        page.navigate(server.url)
        page.wait_for("the splash drawn, uncovered, and the late files", lambda: all(page.evaluate(
            "[window.splashDrawnAt, window.uncoveredAt, window.lateFilesAt]")), seconds=60,
            errors_fail=False)
        drawn, uncovered, late = page.evaluate(
            "[window.splashDrawnAt, window.uncoveredAt, window.lateFilesAt]")
        print("first picture on slow 4G (cold cache, gzip): splash drawn %.2f s after opening"
              " the page, uncovered at %.2f s, the late files in at %.2f s"
              % (drawn / 1000, uncovered / 1000, late / 1000))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
