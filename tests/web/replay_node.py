"""The replay tool built for Node.js against the native one, from the repository root: every
script in tests/scenarios and tests/web/replay gives the same lines, and the same dumps within
the scenarios' tolerance, except chain points, which must be the same floats: the chain step
calls no library function, so the wasm build (its four-lane batches in wasm SIMD) has no excuse
for a different bit. Gear rotations come from atan2, whose last bit may differ between the C
libraries. Every script must end with status 0 on both sides. Prints how many dump numbers
differ at all, and the largest difference.

    /usr/bin/python3 tests/web/replay_node.py build/brindlecog-replay build-web/brindlecog-replay.js
"""
import glob
import json
import os
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
REPOSITORY = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, os.path.join(REPOSITORY, "tests", "scenarios"))
from test_replay import MODEL_TOLERANCE, leaves, numbers  # noqa: E402
NODE_ENVIRONMENT = dict(os.environ, NODE_OPTIONS="--no-experimental-fetch")


def run(command, script):
    done = subprocess.run(command + [script], capture_output=True, text=True, cwd=REPOSITORY,
                          env=NODE_ENVIRONMENT, timeout=600)
    return done.returncode, done.stdout.splitlines(), done.stderr


def main(native, node):
    scripts = sorted(glob.glob(os.path.join(REPOSITORY, "tests", "scenarios", "*", "*.txt")))
    scripts += sorted(glob.glob(os.path.join(HERE, "replay", "*.txt")))
    failures, compared, differing, largest = [], 0, [], 0.0
    for script in scripts:
        name = os.path.relpath(script, REPOSITORY)
        native_status, native_lines, native_errors = run([native], script)
        node_status, node_lines, node_errors = run(["node", node], script)
        # Every script runs to its end on both sides: the same failure twice is no agreement.
        if (node_status, native_status) != (0, 0):
            failures.append("%s: exit status %d, native %d\n%s%s" % (
                name, node_status, native_status, node_errors, native_errors))
            continue
        if len(node_lines) != len(native_lines):
            failures.append("%s: %d lines, native %d" % (name, len(node_lines), len(native_lines)))
            continue
        for number, (ours, theirs) in enumerate(zip(node_lines, native_lines), start=1):
            if not (ours.startswith("{") and theirs.startswith("{")):
                if ours != theirs:
                    failures.append("%s line %d: %r vs native %r" % (name, number, ours, theirs))
                continue
            for path, a, b in leaves(json.loads(ours), json.loads(theirs)):
                where = "%s line %d %s" % (name, number, path)
                if not numbers(a, b):
                    if a != b:
                        failures.append("%s: %r vs native %r" % (where, a, b))
                    continue
                compared += 1
                if a != b:
                    differing.append((abs(a - b), where, a, b))
                    largest = max(largest, abs(a - b))
                    if abs(a - b) > MODEL_TOLERANCE or ".points[" in path:
                        failures.append("%s: %r vs native %r" % (where, a, b))
    print("%d scripts, %d dump numbers compared, %d differ at all, largest difference %g"
          % (len(scripts), compared, len(differing), largest))
    for difference, where, a, b in sorted(differing, reverse=True)[:5]:
        print("  %s: %r vs native %r" % (where, a, b))
    if not scripts:
        failures.append("no scripts in tests/scenarios")
    for failure in failures[:20]:
        print("FAIL " + failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])))
