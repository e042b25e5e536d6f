"""Compares the game with an independent model of its logic.

model/ holds scripts with the output the model printed for them (*.txt, *.expected). Each
script is replayed and its output compared line by line: every number of every dump within
0.01, everything else (keys and their order, list lengths, booleans, the game's other lines)
exactly. The model has no picture or sound files, so it prints none of the lines about
loading them; those lines are left out of our output before comparing.

    /usr/bin/python3 tests/scenarios/test_model.py build/brindlecog-replay
"""

import glob
import json
import os
import unittest

import replay_session

MODEL = os.path.join(replay_session.HERE, "model")
TOLERANCE = 0.01


def differences(ours, theirs, path=""):
    """Every place where two parsed dumps differ, as 'path: ours vs theirs'."""
    if isinstance(theirs, dict) and isinstance(ours, dict):
        if list(ours) != list(theirs):
            return ["%s: keys %s vs %s" % (path or "dump", list(ours), list(theirs))]
        found = []
        for key in theirs:
            found += differences(ours[key], theirs[key], "%s.%s" % (path, key) if path else key)
        return found
    if isinstance(theirs, list) and isinstance(ours, list):
        if len(ours) != len(theirs):
            return ["%s: %d entries vs %d" % (path, len(ours), len(theirs))]
        found = []
        for i, (a, b) in enumerate(zip(ours, theirs)):
            found += differences(a, b, "%s[%d]" % (path, i))
        return found
    numbers = all(isinstance(v, (int, float)) and not isinstance(v, bool) for v in (ours, theirs))
    if numbers and abs(ours - theirs) <= TOLERANCE:
        return []
    if not numbers and ours == theirs and type(ours) is type(theirs):
        return []
    return ["%s: %r vs %r" % (path, ours, theirs)]


def compare(our_lines, model_lines):
    """Every difference between our output and the model's, naming the model's line."""
    found = []
    for number, (ours, theirs) in enumerate(zip(our_lines, model_lines), start=1):
        if theirs.startswith("{") and ours.startswith("{"):
            found += ["line %d, %s" % (number, d)
                      for d in differences(json.loads(ours), json.loads(theirs))]
        elif ours != theirs:
            found.append("line %d: %r vs %r" % (number, ours, theirs))
    if len(our_lines) != len(model_lines):
        found.append("%d lines vs %d" % (len(our_lines), len(model_lines)))
    return found


class ModelComparison(unittest.TestCase):
    def test_the_comparison_sees_a_difference_beyond_the_tolerance(self):
        dump = '{"mode":"live","gears":[{"x":1,"held":false}]}'
        self.assertEqual(compare([dump], [dump.replace('"x":1', '"x":1.009')]), [])
        self.assertEqual(compare([dump], [dump.replace('"x":1', '"x":1.02')]),
                         ["line 1, gears[0].x: 1 vs 1.02"])
        self.assertEqual(len(compare([dump], [dump.replace("false", "true")])), 1)
        self.assertEqual(len(compare([dump, "Playing bg"], [dump])), 1)

    def test_every_model_script_agrees_with_the_game(self):
        scripts = sorted(glob.glob(os.path.join(MODEL, "*.txt")))
        self.assertGreater(len(scripts), 0)
        for script_path in scripts:
            name = os.path.splitext(os.path.basename(script_path))[0]
            with self.subTest(script=name):
                with open(script_path) as script:
                    run = replay_session.run_script(script.read())
                self.assertEqual(run.status, 0, run.stderr)
                with open(os.path.join(MODEL, name + ".expected")) as expected:
                    model_lines = expected.read().splitlines()
                ours = [line for line in run.lines if not replay_session.is_asset_line(line)]
                found = compare(ours, model_lines)
                self.assertEqual(found, [], "%s differs from the model:\n%s" %
                                 (name, "\n".join(found[:40])))


if __name__ == "__main__":
    replay_session.main()
