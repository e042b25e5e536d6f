"""The game run headless by brindlecog-replay, from the repository root:
the independent model's scripts, the golden pictures, the start screen and the replay tool's
own contract.

    /usr/bin/python3 tests/scenarios/test_replay.py build/brindlecog-replay
    /usr/bin/python3 tests/scenarios/test_replay.py build/brindlecog-replay --update-golden
"""
import glob
import json
import os
import pathlib
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
REPOSITORY = os.path.dirname(os.path.dirname(HERE))
REPLAY = os.path.join(REPOSITORY, "build", "brindlecog-replay")
ENTER = "click 400 300\nclick 400 300\n"
ASSET_LINES = ("Loaded texture ", "Couldn't load texture ", "Purging Textures", "Loaded Sound ",
               "Failed to load sound file: ")
MODEL_TOLERANCE = 0.01
# Mesa draws the same picture on every run; the fuzz allows another Mesa version to round a
# blend differently (about 6 of 255 per channel), and a few hundred pixels may differ at most.
GOLDEN_FUZZ, GOLDEN_MOST_DIFFERING = "2.4%", 240


def replay(script):
    """Runs a script; returns (status, game lines without asset loading, dumps, stderr)."""
    run = subprocess.run([REPLAY], input=script, capture_output=True, text=True, cwd=REPOSITORY,
                         timeout=300)
    lines = [line for line in run.stdout.splitlines() if not line.startswith(ASSET_LINES)]
    dumps = [json.loads(line) for line in lines if line.startswith("{")]
    return run.returncode, lines, dumps, run.stderr


def leaves(ours, theirs, path="dump"):
    """The pairs of values two parsed dumps hold at the same place, as (path, ours, theirs),
    down to their numbers and strings; where the two differ in shape, that place whole."""
    if isinstance(ours, dict) and isinstance(theirs, dict) and list(ours) == list(theirs):
        for key in ours:
            yield from leaves(ours[key], theirs[key], path + "." + key)
    elif isinstance(ours, list) and isinstance(theirs, list) and len(ours) == len(theirs):
        for i, pair in enumerate(zip(ours, theirs)):
            yield from leaves(*pair, path="%s[%d]" % (path, i))
    else:
        yield path, ours, theirs


def numbers(*values):
    return all(type(v) in (int, float) for v in values)


def differences(ours, theirs):
    """Where two parsed dumps differ: numbers beyond the tolerance, anything else at all."""
    return ["%s: %r vs %r" % (path, a, b) for path, a, b in leaves(ours, theirs)
            if a != b and not (numbers(a, b) and abs(a - b) <= MODEL_TOLERANCE)]


class Model(unittest.TestCase):
    def test_every_model_script_gives_the_models_output(self):
        scripts = sorted(glob.glob(os.path.join(HERE, "model", "*.txt")))
        self.assertGreater(len(scripts), 0)
        for script in scripts:
            with self.subTest(script=os.path.basename(script)):
                status, lines, _, stderr = replay(pathlib.Path(script).read_text())
                self.assertEqual(status, 0, stderr)
                expected = pathlib.Path(script[:-4] + ".expected").read_text().splitlines()
                self.assertEqual(len(lines), len(expected))
                found = []
                for number, (ours, theirs) in enumerate(zip(lines, expected), start=1):
                    if ours.startswith("{") and theirs.startswith("{"):
                        found += ["line %d, %s" % (number, d) for d in
                                  differences(json.loads(ours), json.loads(theirs))]
                    elif ours != theirs:
                        found.append("line %d: %r vs %r" % (number, ours, theirs))
                self.assertEqual(found, [], "\n".join(found[:20]))


class Golden(unittest.TestCase):
    def test_every_picture_matches_its_golden_file(self):
        folder = tempfile.mkdtemp(prefix="brindlecog-golden-")
        scripts = sorted(glob.glob(os.path.join(HERE, "golden", "*.txt")))
        self.assertEqual(len(scripts), 3)
        for script in scripts:
            with self.subTest(picture=os.path.basename(script)):
                shot = os.path.join(folder, os.path.basename(script)[:-4] + ".png")
                status, _, _, stderr = replay(pathlib.Path(script).read_text() + "\nshot %s\n" % shot)
                self.assertEqual(status, 0, stderr)
                compare = subprocess.run(["compare", "-metric", "AE", "-fuzz", GOLDEN_FUZZ,
                                          script[:-4] + ".png", shot, "null:"],
                                         capture_output=True, text=True)
                self.assertLess(compare.returncode, 2, compare.stderr)  # 2: sizes differ
                self.assertLessEqual(float(compare.stderr.split()[0]), GOLDEN_MOST_DIFFERING,
                                     "the new picture is in " + folder)


class StartScreen(unittest.TestCase):
    def test_only_left_releases_advance_and_the_music_starts_with_the_play_mode(self):
        status, lines, dumps, stderr = replay(
            "dump\nmouse right down 400 300\nmouse right up 400 300\nmouse middle down 9 9\n"
            "mouse middle up 9 9\nkey 32\nspecial 4\nframe\nmouse left down 400 300\ndump\n"
            "mouse left up 400 300\ndump\nframes 3\nclick 10 590\ndump\ncheck\n")
        self.assertEqual(status, 0, stderr)
        self.assertEqual([d.get("instructions") for d in dumps], [False, False, True, None])
        self.assertEqual(dumps[3]["mode"], "live")
        self.assertEqual(["dump" if line.startswith("{") else line for line in lines],
                         ["dump"] * 3 + ["Playing bg", "dump"])

    def test_the_splash_loads_before_the_five_sounds(self):
        run = subprocess.run([REPLAY], input="", capture_output=True, text=True, cwd=REPOSITORY)
        self.assertEqual(run.stdout.splitlines()[:6], [
            "Loaded texture ./img/splash.jpg", "Loaded Sound button", "Loaded Sound place",
            "Loaded Sound motorStart", "Loaded Sound motorStop", "Loaded Sound bg"])


class ReplayTool(unittest.TestCase):
    def test_a_line_it_cannot_read_ends_the_run_with_status_2_after_the_lines_before(self):
        for line in ("frames", "frames -1", "frame x", "mouse left sideways 1 2", "mouse 8 up 1 2",
                     "click 1", "click 1.5 2", "key 300", "shift maybe", "special 4 ctrl",
                     "dump now", "shot", "reshape 800", "wm maybe", "teleport 1 2"):
            with self.subTest(line=line):
                status, _, dumps, stderr = replay("dump\n\n%s\ndump\n" % line)
                self.assertEqual((status, len(dumps)), (2, 1))
                self.assertEqual(stderr.splitlines(), ["line 3: cannot read: " + line])

    def test_exit_keys_end_the_run_with_status_0_in_either_mode_and_others_do_nothing(self):
        for prefix in ("", ENTER):
            for key in ("key 27", "key 17", "special 4 alt"):
                with self.subTest(live=bool(prefix), key=key):
                    status, _, dumps, _ = replay(prefix + "dump\n%s\ndump\n" % key)
                    self.assertEqual((status, len(dumps)), (0, 1))
        _, _, dumps, _ = replay(ENTER + "dump\nkey 32\nkey 113\nspecial 4\nspecial 1 alt\ndump\n")
        self.assertEqual(dumps[0], dumps[1])

    def test_frame_times_are_capped_at_three_hundredths_of_a_second(self):
        _, _, dumps, _ = replay(ENTER + "dump\nframe 0.5\ndump\nframes 10 0.01\ndump\nframe\n"
                                "dump\nframes 0\ndump\n")
        turns = [b["gears"][0]["rotation"] - a["gears"][0]["rotation"]
                 for a, b in zip(dumps, dumps[1:])]
        for turn, seconds in zip(turns, (0.03, 0.1, 0.016, 0.0)):
            self.assertAlmostEqual(turn, 200 * seconds, places=3)  # 200 degrees a second

    def test_the_window_snaps_to_4_to_3_unless_refused_and_ignores_a_size_of_nothing(self):
        with tempfile.TemporaryDirectory() as folder:
            shots = [os.path.join(folder, name) for name in ("a.png", "b.png", "c.png", "d.png")]
            status, lines, dumps, stderr = replay(
                ENTER + "reshape 400 300\npassive 200 150\ndump\nshot %s\nreshape 1000 600\n"
                "passive 400 300\ndump\nshot %s\nreshape 0 0\nshot %s\nwm refuse\n"
                "reshape 1000 600\npassive 500 300\ndump\nshot %s\n" % tuple(shots))
            self.assertEqual(status, 0, stderr)
            sizes = subprocess.run(["identify", "-format", "%wx%h "] + shots, capture_output=True,
                                   text=True).stdout
            self.assertEqual(sizes.split(), ["400x300", "800x600", "800x600", "1000x600"])
        # The window's centre is the board's origin, letterboxed or not.
        self.assertEqual([(d["cursor"]["x"], d["cursor"]["y"]) for d in dumps], [(0, 0)] * 3)
        self.assertIn("reshape() values bad w:0 h:0", lines)

    def test_a_shot_that_cannot_be_written_fails_the_run(self):
        status, _, dumps, stderr = replay("frame\nshot /nonexistent/shot.png\ndump\n")
        self.assertEqual((status, dumps), (1, []))
        self.assertIn("line 2: cannot write", stderr)


def update_golden():
    for script in sorted(glob.glob(os.path.join(HERE, "golden", "*.txt"))):
        shot = "\nshot %s\n" % (script[:-4] + ".png")
        assert replay(pathlib.Path(script).read_text() + shot)[0] == 0, script


if __name__ == "__main__":
    if len(sys.argv) > 1 and os.path.isfile(sys.argv[1]):
        REPLAY = os.path.abspath(sys.argv.pop(1))
    if "--update-golden" in sys.argv:
        update_golden()
    else:
        unittest.main(verbosity=2)
