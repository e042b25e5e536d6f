"""Golden pictures: the start screen, the instructions and the play mode drawn by the real
display code, compared with stored PNG files.

Mesa's software renderer draws the same picture on every run; a small per-pixel tolerance
allows for another Mesa version rounding a blend differently, while a change that breaks
drawing changes far more pixels. To make the stored pictures again after a deliberate change
of the pictures or the drawing (from the repository root):

    /usr/bin/python3 tests/scenarios/test_golden.py build/brindlecog-replay --update
"""

import glob
import os
import shutil
import sys
import tempfile
import unittest

import png_image
import replay_session

GOLDEN = os.path.join(replay_session.HERE, "golden")
CHANNEL_TOLERANCE = 6  # out of 255, on each of red, green and blue
MOST_DIFFERING_PIXELS = 0.0005  # fraction of the picture


def golden_scripts():
    return sorted(glob.glob(os.path.join(GOLDEN, "*.txt")))


def take_shot(script_path, picture_path):
    """Replays the script and shoots the frame it ends on."""
    with open(script_path) as script:
        text = script.read()
    return replay_session.run_script(text + "\nshot %s\n" % picture_path)


def update():
    for script_path in golden_scripts():
        picture_path = os.path.splitext(script_path)[0] + ".png"
        run = take_shot(script_path, picture_path)
        if run.status != 0:
            sys.exit("%s: status %d\n%s" % (script_path, run.status, run.stderr))
        print("wrote", os.path.relpath(picture_path, replay_session.REPOSITORY))


class GoldenPictures(unittest.TestCase):
    def test_every_picture_matches_its_golden_file(self):
        scripts = golden_scripts()
        self.assertEqual(len(scripts), 3)
        folder = tempfile.mkdtemp(prefix="brindlecog-golden-")
        failed = False
        for script_path in scripts:
            name = os.path.splitext(os.path.basename(script_path))[0]
            with self.subTest(picture=name):
                shot_path = os.path.join(folder, name + ".png")
                run = take_shot(script_path, shot_path)
                self.assertEqual(run.status, 0, run.stderr)
                golden = png_image.read(os.path.join(GOLDEN, name + ".png"))
                shot = png_image.read(shot_path)
                size = (shot.width, shot.height)
                self.assertEqual(size, (golden.width, golden.height))
                differing = png_image.count_differing_pixels(shot, golden, CHANNEL_TOLERANCE)
                allowed = int(MOST_DIFFERING_PIXELS * shot.width * shot.height)
                if differing > allowed:
                    failed = True
                self.assertLessEqual(differing, allowed,
                                     "%d pixels of %s differ from the golden picture; the new "
                                     "picture is in %s" % (differing, name, folder))
        if not failed:
            shutil.rmtree(folder)

    def test_the_comparison_sees_a_small_change(self):
        # A gear or a link drawn a few pixels off changes far more than the allowance.
        golden = png_image.read(os.path.join(GOLDEN, "play_mode.png"))
        moved = png_image.Picture(golden.width, golden.height, golden.channels,
                                  golden.rows[3:] + golden.rows[:3])
        allowed = int(MOST_DIFFERING_PIXELS * golden.width * golden.height)
        self.assertGreater(png_image.count_differing_pixels(moved, golden, CHANNEL_TOLERANCE),
                           allowed)
        self.assertEqual(png_image.count_differing_pixels(golden, golden, 0), 0)


if __name__ == "__main__":
    if "--update" in sys.argv:
        sys.argv.remove("--update")
        if len(sys.argv) > 1:
            replay_session.replay_binary = os.path.abspath(sys.argv[1])
        update()
    else:
        replay_session.main()
