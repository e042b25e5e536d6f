"""Lighthouse's mobile and desktop audits of the page, served gzip-compressed, in Debian's
headless Chromium. Writes WEB/lighthouse/{mobile,desktop}.report.{html,json} and prints each
profile's scores and speed figures. With --check, accessibility, best practices and SEO must
be 100 in both (they do not depend on the machine's speed); the speed figures are reported
only.

    /usr/bin/python3 tests/web/lighthouse.py build-web [--check]

Lighthouse comes from tests/web/node_modules (npm ci, see the Makefile).
"""
import json
import os
import subprocess
import sys

from gzip_server import GzipServer

HERE = os.path.dirname(os.path.abspath(__file__))
CLI = os.path.join(HERE, "node_modules", "lighthouse", "cli", "index.js")
CHROME_FLAGS = "--headless=new --no-sandbox --use-angle=swiftshader --enable-unsafe-swiftshader"
PROFILES = {"mobile": [], "desktop": ["--preset=desktop"]}
CHECKED = ("accessibility", "best-practices", "seo")
FIGURES = (("first-contentful-paint", "FCP"), ("largest-contentful-paint", "LCP"),
           ("total-blocking-time", "TBT"), ("cumulative-layout-shift", "CLS"))


def audit(url, profile, output):
    environment = dict(os.environ, CHROME_PATH="/usr/bin/chromium")
    subprocess.run(["node", CLI, url, "--chrome-flags=" + CHROME_FLAGS, "--output=json",
                    "--output=html", "--output-path=" + output, "--quiet"] + PROFILES[profile],
                   env=environment, check=True, timeout=300)
    with open(output + ".report.json") as report:
        return json.load(report)


def summary(profile, report):
    scores = {name: category["score"] for name, category in report["categories"].items()}
    figures = ", ".join("%s %s" % (short, report["audits"][name].get("displayValue", "none"))
                        for name, short in FIGURES)
    return "lighthouse %s: performance %s, accessibility %s, best practices %s, SEO %s; %s" % (
        profile, *(percent(scores.get(name)) for name in ("performance",) + CHECKED), figures)


def percent(score):
    return "none" if score is None else "%d" % round(score * 100)


def failures(profile, report):
    found = []
    if report.get("runtimeError"):
        found.append("%s: %s" % (profile, report["runtimeError"].get("message")))
    for name in CHECKED:
        category = report["categories"][name]
        if category["score"] != 1:
            failed = [ref["id"] for ref in category["auditRefs"]
                      if report["audits"][ref["id"]].get("score") not in (None, 1)]
            found.append("%s %s %s: %s" % (profile, name, percent(category["score"]), failed))
    return found


def main(web, check=False):
    folder = os.path.join(web, "lighthouse")
    os.makedirs(folder, exist_ok=True)
    server = GzipServer(web)
    found = []
    try:
        for profile in PROFILES:
            report = audit(server.url, profile, os.path.join(folder, profile))
            print(summary(profile, report))
            found += failures(profile, report)
    finally:
        server.stop()
    print("reports in " + folder)
    if check and found:
        print("FAIL " + "; ".join(found))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], "--check" in sys.argv[2:]))
