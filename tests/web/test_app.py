"""The page as an app, in Debian's headless Chromium, served gzip-compressed from a copy of the
build:

- the late files: the splash comes first, and two clicks made before the other pictures and
  the sounds have arrived are held and played once they are there (instructions, then the play
  mode with its music), never lost (without them the page says it cannot go on: test_page.py);
- installable: Chromium finds no installability error in the manifest, icons and worker;
- offline: the service worker has cached every file of the page; with the server stopped a
  reload opens the page and plays;
- a new build (one file changed, the worker stamped again) is a new worker with a new cache;
  it waits while the old build's page is open, and once it has taken over the old cache is
  gone.

    /usr/bin/python3 tests/web/test_app.py build-web
"""
import os
import re
import shutil
import subprocess
import tempfile

from chromium import Chromium
from gzip_server import GzipServer
from page_driver import Page, check, run_test, REPOSITORY

WEB_TOOLS = os.path.join(REPOSITORY, "tools", "web")
LATE_DATA = "brindlecog-late.data"
SOUNDS = 5


def worker_files(folder):
    """The files the built worker caches, and its version."""
    text = open(os.path.join(folder, "service-worker.js")).read()
    version = re.search(r"const VERSION = '([0-9a-f]+)';", text).group(1)
    files = re.findall(r"'([^']+)'", re.search(r"const FILES = \[(.*)\];", text).group(1))
    return version, files


def restamp(folder):
    """What a new build does when one of the page's files changes."""
    _, files = worker_files(folder)
    with open(os.path.join(folder, "page.js"), "a") as page:
        page.write("// another build\n")
    subprocess.run(["cmake", "-DFOLDER=" + folder, "-DFILES=" + ",".join(files[1:]),
                    "-DTEMPLATE=" + os.path.join(WEB_TOOLS, "service_worker.js"), "-P",
                    os.path.join(WEB_TOOLS, "stamp_worker.cmake")], check=True)


def cached(browser):
    """The worker's caches, each with the paths it holds."""
    return browser.evaluate("""(async () => {
        const found = {};
        for (const name of await caches.keys()) {
          const requests = await (await caches.open(name)).keys();
          found[name] = requests.map(r => new URL(r.url).pathname);
        }
        return found; })()""", wait=True)


def new_tab(browser):
    """Closes the page's tab for a new, empty one: then no page of the old build is open."""
    old = browser.send("Target.getTargetInfo")["targetInfo"]["targetId"]
    tab = browser.send("Target.createTarget", {"url": "about:blank"}, session=False)["targetId"]
    browser.send("Target.closeTarget", {"targetId": old}, session=False)
    browser.session = browser.send("Target.attachToTarget", {"targetId": tab, "flatten": True},
                                   session=False)["sessionId"]
    for domain in ("Page", "Runtime", "Log"):
        browser.send(domain + ".enable")


def open_page(browser, url):
    page = Page(browser)
    page.open(url, sounds=False)
    return page


def plays(page):
    """Two clicks from the splash into the play mode: its music starts and every picture is
    loaded."""
    page.click(400, 300)
    page.click(400, 300)
    page.wait_for("the music", lambda: "Playing bg" in page.console)
    page.check_all_loaded()


def clicks_wait_for_late_files(browser, server, url):
    server.hold(LATE_DATA)
    try:
        page = open_page(browser, url)
        page.click(400, 300)
        page.click(400, 300)
        # The page goes on drawing the splash, and nothing acts on the clicks yet.
        page.frames(30)
        check(page.console == ["Loaded texture ./img/splash.jpg"],
              "acted on before the late files arrived: %s" % page.console)
    finally:
        server.release(LATE_DATA)
    page.wait_for("the music", lambda: "Playing bg" in page.console)
    # The sounds are loaded before the held clicks are played: instructions, then the play
    # mode, whose music starts after its board's picture.
    seen = ["Loaded Sound" if line.startswith("Loaded Sound ") else line
            for line in page.console if line.startswith(
                ("Loaded Sound ", "Playing bg", "Loaded texture ./img/instructions.jpg",
                 "Loaded texture ./img/bg.jpg"))]
    expected = ["Loaded Sound"] * SOUNDS + [
        "Loaded texture ./img/instructions.jpg", "Loaded texture ./img/bg.jpg", "Playing bg"]
    check(seen == expected, "the held clicks played out of order: %s" % seen)
    page.check_all_loaded()
    return page


def main(web):
    folder = tempfile.mkdtemp(prefix="brindlecog-app-test-")
    site = os.path.join(folder, "site")
    shutil.copytree(web, site)
    version, files = worker_files(site)
    # The page in a folder of its own, the service worker's scope: the server's root is a page
    # of the same origin that no worker controls.
    server = GzipServer(folder)
    page_url = server.url + "site/"
    browser = Chromium()
    try:
        browser.attach_to_page()
        for domain in ("Page", "Runtime", "Log"):
            browser.send(domain + ".enable")
        page = clicks_wait_for_late_files(browser, server, page_url)

        errors = browser.send("Page.getInstallabilityErrors")["installabilityErrors"]
        check(not errors, "not installable: %s" % errors)
        page.wait_for("the worker's cache", lambda: list(
            cached(browser)) == ["brindlecog-" + version], seconds=60)
        page.wait_for("the worker to control the page", lambda: browser.evaluate(
            "navigator.serviceWorker.controller !== null"))
        held = sorted(cached(browser)["brindlecog-" + version])
        check(held == sorted("/site/" + f.lstrip("./") for f in files),
              "the cache holds %s, not the page's files %s" % (held, files))
        page.pump()
        check(not page.errors, "page errors: %s" % page.errors)

        port = server.port
        server.stop()
        plays(open_page(browser, page_url))
        print("offline: the page opened and played with the server stopped")

        restamp(site)
        new_version, _ = worker_files(site)
        check(new_version != version, "a changed file left the worker's version as it was")
        server = GzipServer(folder, port)
        page = open_page(browser, page_url)
        page.wait_for("the new build's worker", lambda: browser.evaluate(
            "navigator.serviceWorker.getRegistration().then(r => !!(r && r.waiting))",
            wait=True), seconds=60)
        check(list(cached(browser)) == ["brindlecog-" + version, "brindlecog-" + new_version],
              "the old build's cache went while its page was open: %s" % list(cached(browser)))
        page.pump()
        check(not page.errors, "page errors: %s" % page.errors)
        new_tab(browser)
        browser.send("Page.navigate", {"url": server.url})  # no page of the page's scope
        page.wait_for("the new build's cache alone", lambda: list(
            cached(browser)) == ["brindlecog-" + new_version], seconds=60, errors_fail=False)
        print("installable, offline, and a new build replaces the old cache (%s -> %s)"
              % (version, new_version))
    finally:
        browser.close()
        server.stop()
        shutil.rmtree(folder, ignore_errors=True)
    return 0


if __name__ == "__main__":
    run_test(main)
