"""The replay tool's own contract: script syntax, exit statuses, frame times, the window's
size and its pictures.

    /usr/bin/python3 tests/scenarios/test_replay_tool.py build/brindlecog-replay
"""

import os
import tempfile
import unittest

import png_image
import replay_session

ENTER = "click 400 300\nclick 400 300\n"


def motor_rotation(state):
    return state["gears"][0]["rotation"]


class ScriptLines(unittest.TestCase):
    def test_blank_lines_and_comments_are_ignored(self):
        run = replay_session.run_script("\n   # only a comment\n\t\n  dump   # after it\n")
        self.assertEqual(run.status, 0, run.stderr)
        self.assertEqual(run.dumps, [{"mode": "start", "instructions": False}])

    def test_a_line_it_cannot_read_ends_the_run_with_status_2(self):
        for line in ("frames", "frames -1", "frame x", "frame 1e-2", "mouse left sideways 1 2",
                     "mouse top down 1 2", "click 1", "click 1 2 3", "click 1.5 2", "key 300",
                     "key", "shift maybe", "special 4 ctrl", "dump now", "check 1", "shot",
                     "reshape 800", "teleport 1 2", "DUMP"):
            with self.subTest(line=line):
                run = replay_session.run_script("dump\n\n%s\ndump\n" % line)
                self.assertEqual(run.status, 2)
                self.assertEqual(len(run.dumps), 1, "the commands before it have run")
                self.assertEqual(run.stderr.splitlines(), ["line 3: cannot read: " + line])


class ExitKeys(unittest.TestCase):
    def test_exit_keys_end_the_run_with_status_0_in_every_mode(self):
        for prefix in ("", ENTER):
            for key in ("key 27", "key 17", "special 4 alt"):
                with self.subTest(mode="live" if prefix else "start", key=key):
                    run = replay_session.run_script(prefix + "dump\n%s\ndump\n" % key)
                    self.assertEqual(run.status, 0, run.stderr)
                    self.assertEqual(len(run.dumps), 1, "nothing runs after the exit key")

    def test_other_keys_do_nothing(self):
        run = replay_session.run_script(ENTER + "dump\nkey 32\nkey 113\nspecial 4\n"
                                        "special 1 alt\ndump\n")
        self.assertEqual(run.status, 0, run.stderr)
        self.assertEqual(run.dumps[0], run.dumps[1])


class FrameTimes(unittest.TestCase):
    def test_frame_times_are_capped_at_three_hundredths_of_a_second(self):
        run = replay_session.run_script(ENTER + "dump\nframe 0.5\ndump\nframes 10 0.01\ndump\n"
                                        "frame\ndump\nframes 0\ndump\n")
        self.assertEqual(run.status, 0, run.stderr)
        turns = [motor_rotation(b) - motor_rotation(a) for a, b in zip(run.dumps, run.dumps[1:])]
        # The motor turns 200 degrees per second of frame time.
        for turn, expected in zip(turns, (200 * 0.03, 200 * 0.1, 200 * 0.016, 0.0)):
            self.assertAlmostEqual(turn, expected, places=3)


class Window(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()

    def tearDown(self):
        self.folder.cleanup()

    def shot(self, name):
        return os.path.join(self.folder.name, name)

    def test_the_window_keeps_4_to_3_and_the_board_fills_it(self):
        run = replay_session.run_script(
            ENTER + "reshape 400 300\npassive 200 150\ndump\nframe\nshot %s\n"
            "reshape 1000 600\npassive 400 300\ndump\nframe\nshot %s\n" %
            (self.shot("small.png"), self.shot("wide.png")))
        self.assertEqual(run.status, 0, run.stderr)
        # The window's centre is the board's origin at either size.
        for state in run.dumps:
            self.assertEqual((state["cursor"]["x"], state["cursor"]["y"]), (0, 0))
        self.assertEqual(png_image.read_header(self.shot("small.png")), (400, 300))
        self.assertEqual(png_image.read_header(self.shot("wide.png")), (800, 600))

    def test_a_reshape_to_nothing_is_reported_and_changes_nothing(self):
        run = replay_session.run_script("reshape 0 0\nframe\nshot %s\n" % self.shot("same.png"))
        self.assertEqual(run.status, 0, run.stderr)
        self.assertIn("reshape() values bad w:0 h:0", run.after)
        self.assertEqual(png_image.read_header(self.shot("same.png")), (800, 600))

    def test_a_shot_shows_the_board_upright(self):
        # Raising the tool bar changes the bottom of the window and nothing at its top right,
        # where only the board and the unlit tension light are: rows must not come out
        # upside down.
        run = replay_session.run_script(ENTER + "frame\nshot %s\npassive 400 590\nframes 47\n"
                                        "shot %s\n" % (self.shot("low.png"), self.shot("up.png")))
        self.assertEqual(run.status, 0, run.stderr)
        low, up = png_image.read(self.shot("low.png")), png_image.read(self.shot("up.png"))
        self.assertEqual((low.width, low.height), (800, 600))
        for y in range(250):
            self.assertEqual(low.rows[y][450 * 3:], up.rows[y][450 * 3:], "row %d" % y)
        changed = sum(low.rgb(x, y) != up.rgb(x, y) for y in range(360, 600, 4)
                      for x in range(150, 650, 4))
        self.assertGreater(changed, 3000)

    def test_a_shot_that_cannot_be_written_fails_the_run(self):
        missing = os.path.join(self.folder.name, "missing", "shot.png")
        run = replay_session.run_script("frame\nshot %s\ndump\n" % missing)
        self.assertEqual(run.status, 1)
        self.assertEqual(run.dumps, [])
        self.assertIn("line 2: cannot write", run.stderr)


class Check(unittest.TestCase):
    def test_the_game_keeps_its_invariants_through_a_busy_session(self):
        # Every session script checks too; this one checks after every event of a chain
        # pulled across the gears and a gear carried through the chain.
        script = ENTER + ("passive 105 139\nmouse left down 105 139\ncheck\n"
                          "motion 300 200\nframe\ncheck\nmotion 345 250\nframe\ncheck\n"
                          "mouse left up 345 250\ncheck\nframes 20\ncheck\n"
                          "passive 345 250\nmouse right down 345 250\nmotion 150 250\n"
                          "frame\ncheck\nmouse right up 150 250\ncheck\nframes 20\ncheck\n")
        run = replay_session.run_script(script)
        self.assertEqual(run.status, 0, run.stderr)
        self.assertEqual(run.stderr, "")


if __name__ == "__main__":
    replay_session.main()
