"""Runs brindlecog-replay on a script and splits what it prints into dumps and game lines.

The test programs in this folder take the replay binary as their first argument (CTest
passes it); they run from the repository root, where the game finds img/ and sounds/.
"""

import json
import os
import subprocess
import sys
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
REPOSITORY = os.path.dirname(os.path.dirname(HERE))
SESSIONS = os.path.join(HERE, "sessions")

# Lines the game prints while it loads its pictures and sounds.
ASSET_LINE_STARTS = ("Loaded texture ", "Couldn't load texture ", "Purging Textures",
                     "Loaded Sound ", "Failed to load sound file: ")

replay_binary = os.environ.get("BRINDLECOG_REPLAY",
                               os.path.join(REPOSITORY, "build", "brindlecog-replay"))


def is_asset_line(line):
    return line.startswith(ASSET_LINE_STARTS)


class Run:
    """What one replay printed.

    lines: every standard output line; dumps: the parsed JSON lines, in order; labels: the
    comment of each `dump` line of the script, in order; before[i]: the game's lines (no
    asset loading) printed after dump i-1 and before dump i; after: those after the last.
    """

    def __init__(self, status, stdout, stderr, labels):
        self.status = status
        self.stderr = stderr
        self.lines = stdout.splitlines()
        self.dumps = []
        self.before = []
        pending = []
        for line in self.lines:
            if line.startswith("{"):
                self.dumps.append(json.loads(line))
                self.before.append(pending)
                pending = []
            elif not is_asset_line(line):
                pending.append(line)
        self.after = pending
        self.labels = labels

    def index(self, label):
        if label not in self.labels:
            raise KeyError("no dump labelled %r (labels: %s)" % (label, self.labels))
        return self.labels.index(label)

    def state(self, label):
        return self.dumps[self.index(label)]

    def printed_before(self, label):
        return self.before[self.index(label)]

    def sounds_before(self, label):
        return [line[len("Playing "):] for line in self.printed_before(label)
                if line.startswith("Playing ")]


def dump_labels(script):
    labels = []
    for line in script.splitlines():
        command, _, comment = line.partition("#")
        if command.split() == ["dump"]:
            labels.append(comment.strip())
    return labels


def run_script(script, timeout=300):
    """Runs the script text from the repository root and returns its Run."""
    result = subprocess.run([replay_binary], input=script, capture_output=True, text=True,
                            cwd=REPOSITORY, timeout=timeout)
    return Run(result.returncode, result.stdout, result.stderr, dump_labels(script))


def read_session(name):
    with open(os.path.join(SESSIONS, name + ".txt")) as script:
        return script.read()


def main():
    """unittest's main, after taking the replay binary from the command line."""
    global replay_binary
    if len(sys.argv) > 1 and not sys.argv[1].startswith("-") and os.path.isfile(sys.argv[1]):
        replay_binary = os.path.abspath(sys.argv.pop(1))
    unittest.main(module="__main__", verbosity=2)
