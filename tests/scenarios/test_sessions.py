"""A user's sessions with the game, replayed headless, checked by what the user would see.

Each test class runs one script of tests/scenarios/sessions/ (its dumps are named by their
comments) and asserts on the dumped states and the game's sound lines.

    /usr/bin/python3 tests/scenarios/test_sessions.py build/brindlecog-replay [TestClass]
"""

import math
import unittest

import board_geometry as geo
import replay_session

FRAME = 0.016  # the scripts' frame time: the replay's default
MOTOR_SPEED = 200.0  # degrees per second at full power
LINK = 22.0
LIGHT_TENSION = 1.08

STARTING_GEARS = [(-255, 50, 50, True), (-55, 215, 50, False), (-255, 215, 50, False),
                  (-55, 50, 50, False)]


def square_layout(count, origin):
    """Where a chain of `count` links is laid out from `origin`: up, right along the top, down
    the right side and back along the bottom, one link length per point."""
    ox, oy = origin
    quarter = count // 4
    points = []
    for i in range(count):
        if i < count / 4:
            points.append((ox, oy + LINK * i))
        elif i < count / 2:
            points.append((ox + LINK * (i - quarter), oy + LINK * count / 4))
        elif i < 3 * count / 4:
            points.append((ox + LINK * quarter, oy + LINK * (3 * count / 4 - i)))
        else:
            points.append((ox + LINK * (count - i), oy))
    return points


def eased(start, goal, frames):
    """A motor's speed after `frames` frames easing from start towards goal by dt/2 of the
    gap per frame."""
    return goal + (start - goal) * (1.0 - FRAME / 2.0) ** frames


class Session:
    """Runs the class's session script once for all its tests (mixed into each test class)."""

    session = None
    replay = None

    @classmethod
    def setUpClass(cls):
        cls.replay = replay_session.run_script(replay_session.read_session(cls.session))

    def test_runs_to_the_end_with_every_check_passing(self):
        self.assertEqual(self.replay.status, 0, self.replay.stderr)
        self.assertEqual(len(self.replay.dumps), len(self.replay.labels))

    # Helpers for the tests.
    def state(self, label):
        return self.replay.state(label)

    def gears(self, label):
        return [(g["x"], g["y"], g["radius"], g["motor"]) for g in self.state(label)["gears"]]

    def assertNear(self, actual, expected, places_of_tolerance=0.01, message=None):
        self.assertLessEqual(abs(actual - expected), places_of_tolerance,
                             message or "%r is not within %r of %r" %
                             (actual, places_of_tolerance, expected))

    def assertPointsNear(self, actual, expected, tolerance=0.01):
        self.assertEqual(len(actual), len(expected))
        for i, (a, e) in enumerate(zip(actual, expected)):
            self.assertLessEqual(geo.distance(a, e), tolerance,
                                 "point %d at %r, expected %r" % (i, a, e))

    def assertBetween(self, value, bound, other_bound):
        low, high = min(bound, other_bound), max(bound, other_bound)
        self.assertTrue(low - 1e-3 <= value <= high + 1e-3,
                        "%r is not between %r and %r" % (value, low, high))

    def assertSounds(self, label, sounds):
        self.assertEqual(self.replay.sounds_before(label), sounds, "sounds before " + label)


class StartScreen(Session, unittest.TestCase):
    session = "start_screen"

    def test_start_up_loads_the_splash_before_the_five_sounds(self):
        self.assertEqual(self.replay.lines[:6], [
            "Loaded texture ./img/splash.jpg", "Loaded Sound button", "Loaded Sound place",
            "Loaded Sound motorStart", "Loaded Sound motorStop", "Loaded Sound bg"])

    def test_only_left_button_releases_advance_the_screen(self):
        self.assertEqual(self.state("splash"), {"mode": "start", "instructions": False})
        self.assertEqual(self.state("pressed"), {"mode": "start", "instructions": False})
        self.assertEqual(self.state("instructions"), {"mode": "start", "instructions": True})
        self.assertEqual(self.state("playing")["mode"], "live")

    def test_the_play_mode_starts_with_a_chain_round_a_motor_and_three_gears(self):
        playing = self.state("playing")
        self.assertEqual(self.gears("playing"), STARTING_GEARS)
        self.assertEqual([g["speed"] for g in playing["gears"]], [MOTOR_SPEED, 0, 0, 0])
        self.assertEqual(len(playing["chains"]), 1)
        self.assertPointsNear(playing["chains"][0]["points"], square_layout(46, (-295, 40)))
        self.assertEqual(
            {k: playing[k] for k in ("tool", "power", "pressed", "barY", "dragMode", "light")},
            {"tool": 0, "power": True, "pressed": -1, "barY": -400, "dragMode": 0,
             "light": False})
        self.assertEqual(playing["cursor"], {"x": 1000, "y": 1000, "frame": 0, "glow": True})

    def test_the_background_track_starts_with_the_play_mode(self):
        for label in ("splash", "pressed", "instructions"):
            self.assertSounds(label, [])
        self.assertSounds("playing", ["bg"])


class RunningMachine(Session, unittest.TestCase):
    session = "running_machine"
    samples = ["t0", "t1", "t2", "t3", "t4", "t5"]
    seconds_between = 10 * FRAME

    def test_the_motor_turns_at_200_degrees_per_second(self):
        for speed in geo.turning_speeds([self.state(s) for s in self.samples], 0,
                                        self.seconds_between):
            self.assertNear(speed, MOTOR_SPEED, 0.01)
        self.assertEqual(self.state("t5")["gears"][0]["speed"], MOTOR_SPEED)

    def test_the_chain_turns_every_gear_the_motors_way(self):
        states = [self.state(s) for s in self.samples]
        for gear in (1, 2, 3):
            speeds = geo.turning_speeds(states, gear, self.seconds_between)
            self.assertTrue(all(s > 0 for s in speeds), "gear %d turns %r" % (gear, speeds))
            # The chain runs at most as fast as the motor pulls it: 200 units per second
            # round a rim of 50 units is 229 degrees per second.
            mean = sum(speeds) / len(speeds)
            self.assertBetween(mean, 100.0, math.degrees(MOTOR_SPEED / 50.0))

    def test_the_chain_wraps_every_gear(self):
        for label in ("t0", "t5"):
            state = self.state(label)
            chain = state["chains"][0]
            self.assertGreater(chain["contacts"], 8)
            for gear in state["gears"]:
                self.assertGreaterEqual(len(geo.points_near_rim(chain, gear, 3.0)), 2, gear)
                self.assertLessEqual(geo.deepest_point_inside(chain, gear), 1.0, gear)

    def test_the_chain_stays_near_its_length_and_on_the_board(self):
        for label in self.samples:
            chain = self.state(label)["chains"][0]
            lengths = geo.link_lengths(chain)
            self.assertBetween(sum(lengths) / len(lengths), LINK, LINK * 1.08)
            self.assertLess(chain["tension"], LIGHT_TENSION)
            self.assertFalse(self.state(label)["light"])
            for x, y in chain["points"]:
                self.assertTrue(-400 <= x <= 400 and -300 <= y <= 300)


class SmallGearsFaster(Session, unittest.TestCase):
    session = "small_gears_faster"
    samples = ["t%d" % i for i in range(9)]

    def mean_speed(self, gear):
        speeds = geo.turning_speeds([self.state(s) for s in self.samples], gear, 10 * FRAME)
        self.assertTrue(all(s > 0 for s in speeds), "gear %d turns %r" % (gear, speeds))
        return sum(speeds) / len(speeds)

    def test_the_corner_gears_were_replaced(self):
        self.assertEqual(self.gears("t0"), [(-255, 50, 50, True), (-255, 215, 50, False),
                                           (-41, 229, 30, False), (-48, 43, 40, False)])

    def test_smaller_gears_turn_faster(self):
        large, small, medium = self.mean_speed(1), self.mean_speed(2), self.mean_speed(3)
        self.assertGreater(small, medium)
        self.assertGreater(medium, large)

    def test_one_chain_speed_turns_them_all(self):
        # The rims move with the chain: degrees per second times radius agree.
        rim_speeds = [math.radians(self.mean_speed(i)) * r for i, r in ((1, 50), (2, 30), (3, 40))]
        mean = sum(rim_speeds) / 3
        for speed in rim_speeds:
            self.assertBetween(speed, mean * 0.8, mean * 1.2)
        self.assertLessEqual(max(rim_speeds), MOTOR_SPEED)

    def test_the_chain_runs_round_the_new_gears(self):
        state = self.state("t8")
        for gear in state["gears"][2:]:
            self.assertGreaterEqual(len(geo.points_near_rim(state["chains"][0], gear, 3.0)), 2)


class PlacePieces(Session, unittest.TestCase):
    session = "place_pieces"

    def test_the_bar_rises_under_the_pointer(self):
        raised = self.state("raised")
        self.assertEqual((raised["barY"], raised["slideRate"]), (-180, 1))
        self.assertFalse(raised["cursor"]["glow"])  # no click acts over the bar

    def test_a_button_click_chooses_its_tool(self):
        chosen = self.state("small tool")
        self.assertEqual((chosen["tool"], chosen["pressed"], chosen["cursor"]["frame"]),
                         (1, -1, 1))
        self.assertSounds("small tool", ["button"])

    def test_a_click_on_the_bar_puts_nothing_down(self):
        self.assertEqual(self.gears("clicked on bar"), STARTING_GEARS)
        self.assertSounds("clicked on bar", [])

    def test_each_gear_tool_puts_its_piece_at_the_pointer(self):
        self.assertEqual(self.gears("small placed"), STARTING_GEARS + [(100, 240, 30, False)])
        self.assertSounds("small placed", ["place"])
        self.assertEqual(self.gears("pieces placed")[4:], [
            (100, 240, 30, False), (200, 240, 40, False), (300, 240, 50, False),
            (300, -150, 50, True)])
        self.assertSounds("pieces placed", ["button", "place"] * 3)
        new = self.state("pieces placed")["gears"][4:]
        self.assertEqual([(g["rotation"], g["speed"]) for g in new],
                         [(0, 0), (0, 0), (0, 0), (0, MOTOR_SPEED)])

    def test_the_new_chain_tool_lays_a_square_chain_of_40_at_the_pointer(self):
        placed = self.state("chain placed")
        self.assertSounds("chain placed", ["button", "place"])
        self.assertEqual((placed["tool"], placed["cursor"]["frame"]), (7, 2))
        self.assertEqual(len(placed["chains"]), 2)
        chain = placed["chains"][1]
        self.assertPointsNear(chain["points"], square_layout(40, (60, -40)))
        self.assertNear(chain["tension"], 0.0, 1e-4)
        self.assertEqual(chain["contacts"], 0)

    def test_pieces_that_nothing_touches_stay_put(self):
        placed, later = self.state("chain placed"), self.state("running later")
        self.assertPointsNear(later["chains"][1]["points"], placed["chains"][1]["points"])
        for gear in later["gears"][4:7]:
            self.assertEqual(gear["rotation"], 0, gear)

    def test_a_motor_on_its_own_turns_at_full_speed(self):
        speeds = geo.turning_speeds([self.state("running"), self.state("running later")], 7,
                                    10 * FRAME)
        self.assertNear(speeds[0], MOTOR_SPEED)


class DragGears(Session, unittest.TestCase):
    session = "drag_gears"

    def gear(self, label, index):
        return self.state(label)["gears"][index]

    def test_a_left_drag_is_held_back_by_the_chain(self):
        grabbed = self.state("left grabbed")
        self.assertEqual(grabbed["dragMode"], 1)
        self.assertEqual((self.gear("left grabbed", 3)["held"],
                          self.gear("left grabbed", 3)["lifted"]), (True, False))
        dragged = self.gear("left dragged", 3)
        self.assertFalse(dragged["lifted"])
        # The pointer went 200 units to the right; the chain kept the gear well short of it.
        self.assertBetween(dragged["x"], -55 + 20, 145 - 50)
        released = self.state("left released")
        self.assertEqual(released["dragMode"], 0)
        self.assertFalse(self.gear("left released", 3)["held"])

    def test_a_right_drag_goes_straight_to_the_pointer_through_the_chain(self):
        self.assertEqual(self.state("right grabbed")["dragMode"], 2)
        dragged = self.gear("right dragged", 2)
        self.assertEqual((dragged["x"], dragged["y"], dragged["held"], dragged["lifted"]),
                         (-95, 215, True, True))

    def test_another_button_during_a_drag_changes_nothing(self):
        self.assertEqual(self.state("middle released"), self.state("right dragged"))

    def test_a_dropped_gear_is_pushed_off_the_gear_it_lies_on(self):
        released = self.state("right released")
        self.assertEqual(released["dragMode"], 0)
        dropped = released["gears"][2]
        self.assertEqual((dropped["held"], dropped["lifted"]), (False, False))
        # Rims 3 units apart from the gear it was dropped on, and clear of all others.
        self.assertNear(geo.distance(geo.centre(dropped), (-55, 215)), 50 + 50 + 3)
        for i, other in enumerate(released["gears"]):
            if i != 2:
                self.assertGreaterEqual(
                    geo.distance(geo.centre(dropped), geo.centre(other)), 103 - 0.01)

    def test_a_middle_drag_may_leave_the_board_until_it_ends(self):
        dragged = self.gear("middle dragged", 0)
        self.assertEqual((dragged["x"], dragged["y"], dragged["lifted"]), (-385, 50, True))
        self.assertEqual(self.state("middle still held")["dragMode"], 2)
        self.assertTrue(self.gear("middle still held", 0)["held"])
        ended = self.state("middle drag ended")
        self.assertEqual(ended["dragMode"], 0)
        self.assertEqual((ended["gears"][0]["x"], ended["gears"][0]["held"]), (-350, False))

    def test_shift_makes_a_left_drag_go_straight_while_it_is_held(self):
        before, dragged = self.gear("before shift", 3), self.gear("shift dragged", 3)
        self.assertEqual((dragged["held"], dragged["lifted"]), (True, True))
        # The pointer went from board (23,79) to (245,150); the gear went as far.
        self.assertNear(dragged["x"], before["x"] + 222)
        self.assertNear(dragged["y"], before["y"] + 71)
        self.assertFalse(self.gear("shift released", 3)["lifted"])
        self.assertEqual(self.state("shift released")["dragMode"], 1)
        self.assertEqual(self.state("after shift")["dragMode"], 0)
        self.assertFalse(self.gear("after shift", 3)["held"])


class PullChain(Session, unittest.TestCase):
    session = "pull_chain"

    def chain(self, label):
        return self.state(label)["chains"][0]

    def test_a_press_on_a_link_grabs_its_nearer_end(self):
        self.assertEqual(self.state("grabbed")["dragMode"], 1)
        # The press lies at the middle of link 5, whose ends are points 5 and 6: a tie
        # goes to the second end.
        self.assertEqual(self.chain("grabbed")["grabbed"], 6)
        self.assertFalse(self.state("grabbed")["light"])

    def test_the_grabbed_point_follows_the_pointer(self):
        chain = self.chain("pulled long")
        self.assertEqual(chain["points"][chain["grabbed"]], [-370, 130])

    def test_the_light_comes_on_while_the_chain_is_pulled_long(self):
        self.assertTrue(self.state("pulled long")["light"])
        self.assertGreaterEqual(self.chain("pulled long")["tension"], LIGHT_TENSION)

    def test_the_chain_eases_off_when_let_go(self):
        self.assertEqual((self.state("let go")["dragMode"], self.chain("let go")["grabbed"]),
                         (0, -1))
        self.assertFalse(self.state("eased off")["light"])
        self.assertLess(self.chain("eased off")["tension"], LIGHT_TENSION)


class EditChain(Session, unittest.TestCase):
    session = "edit_chain"
    NEW_ORIGIN = (60, -40)

    def points(self, label, chain):
        return self.state(label)["chains"][chain]["points"]

    def test_lengthen_folds_six_links_over_the_first(self):
        self.assertSounds("new lengthened", ["button", "place"])
        points = self.points("new lengthened", 1)
        self.assertEqual(len(points), 46)
        square = square_layout(40, self.NEW_ORIGIN)
        self.assertPointsNear(points[:40], square)
        self.assertPointsNear(points[40:], [square[0], square[1]] * 3)

    def test_shorten_takes_six_links_at_a_time_down_to_ten(self):
        # The first shorten takes away the six links lengthen put in.
        self.assertPointsNear(self.points("new shortened", 1), square_layout(40, self.NEW_ORIGIN))
        counts = [len(self.points(label, 1)) for label in ("34", "28", "22", "16", "10")]
        self.assertEqual(counts, [34, 28, 22, 16, 10])
        for label in ("34", "28", "22", "16", "10"):
            self.assertSounds(label, ["place"])

    def test_a_chain_of_ten_is_not_shortened_but_the_click_still_sounds(self):
        self.assertEqual(self.points("still 10", 1), self.points("10", 1))
        self.assertSounds("still 10", ["place"])

    def test_reset_lays_a_chain_out_again_from_its_origin(self):
        self.assertSounds("new reset", ["button", "place"])
        self.assertPointsNear(self.points("new reset", 1), square_layout(10, self.NEW_ORIGIN))
        self.assertSounds("start reset", ["button", "place"])
        self.assertPointsNear(self.points("start reset", 0), square_layout(34, (-295, 40)))

    def test_a_longer_chain_runs_slacker(self):
        self.assertEqual(len(self.points("start lengthened", 0)), 52)
        self.assertLess(self.state("start slack")["chains"][0]["tension"],
                        self.state("new reset")["chains"][0]["tension"])
        self.assertFalse(self.state("start slack")["light"])

    def test_a_chain_too_short_for_its_gears_lights_the_warning(self):
        self.assertSounds("start shortened", ["button", "place", "place", "place"])
        self.assertEqual(len(self.points("start shortened", 0)), 34)
        tight = self.state("start tight")
        self.assertGreaterEqual(tight["chains"][0]["tension"], LIGHT_TENSION)
        self.assertTrue(tight["light"])


class DeleteAndClear(Session, unittest.TestCase):
    session = "delete_and_clear"

    def test_delete_removes_the_gear_under_the_pointer(self):
        self.assertEqual((self.state("delete tool")["tool"],
                          self.state("delete tool")["cursor"]["frame"]), (9, 3))
        self.assertEqual(self.gears("gear deleted"),
                         [STARTING_GEARS[0], STARTING_GEARS[2], STARTING_GEARS[3]])
        self.assertEqual(len(self.state("gear deleted")["chains"]), 1)
        self.assertSounds("gear deleted", ["place"])

    def test_delete_where_there_is_nothing_does_nothing(self):
        self.assertEqual(self.gears("nothing deleted"), self.gears("gear deleted"))
        self.assertEqual(len(self.state("nothing deleted")["chains"]), 1)
        self.assertSounds("nothing deleted", [])

    def test_delete_over_a_gear_and_the_chain_removes_both(self):
        self.assertEqual(self.gears("motor and chain deleted"),
                         [STARTING_GEARS[2], STARTING_GEARS[3]])
        self.assertEqual(self.state("motor and chain deleted")["chains"], [])
        self.assertSounds("motor and chain deleted", ["place", "place"])

    def test_clear_all_empties_the_board_and_goes_back_to_move(self):
        cleared = self.state("cleared")
        self.assertEqual((cleared["gears"], cleared["chains"], cleared["tool"]), ([], [], 0))
        self.assertSounds("cleared", ["button"])
        again = self.state("move tool again")
        self.assertEqual(again["cursor"]["frame"], 0)
        self.assertEqual(again["slideRate"], -1)  # with Move, the bar goes down again


class PowerSwitch(Session, unittest.TestCase):
    session = "power_switch"

    def motor(self, label, index=0):
        return self.state(label)["gears"][index]

    def assertEasedSpeed(self, label, start, old_goal, goal, frames, index=0):
        # The first frame after a switch still eases towards the old goal: the motor's update
        # advances the ramp chosen before the switch, and only then is the other one started.
        expected = eased(eased(start, old_goal, 1), goal, frames - 1)
        self.assertNear(self.motor(label, index)["speed"], expected, 0.05)

    def test_the_switch_turns_the_power_off_and_on_with_its_sounds(self):
        self.assertTrue(self.state("on")["power"])
        self.assertFalse(self.state("switched off")["power"])
        self.assertSounds("switched off", ["button", "motorStop"])
        self.assertTrue(self.state("switched on")["power"])
        self.assertSounds("switched on", ["button", "motorStart"])

    def test_motors_slow_down_while_the_power_is_off(self):
        self.assertEasedSpeed("off 30", MOTOR_SPEED, MOTOR_SPEED, 0.0, 30)
        self.assertEasedSpeed("off 60", MOTOR_SPEED, MOTOR_SPEED, 0.0, 60)

    def test_the_chain_turns_the_gears_slower_with_the_power_off(self):
        running = geo.turning_speeds([self.state("on early"), self.state("on")], 1, 30 * FRAME)
        slowing = geo.turning_speeds([self.state("off 30"), self.state("off 60")], 1, 30 * FRAME)
        self.assertGreater(slowing[0], 0)
        self.assertLess(slowing[0], running[0] * 0.9)

    def test_a_motor_put_down_with_the_power_off_stays_at_rest(self):
        self.assertSounds("motor placed off", ["button", "place"])
        for label in ("motor placed off", "new motor off"):
            new = self.motor(label, 4)
            self.assertEqual((new["motor"], new["speed"], new["rotation"]), (True, 0, 0))

    def test_motors_speed_up_again_when_the_power_comes_back(self):
        resumed = self.motor("switched on")["speed"]
        self.assertEasedSpeed("on 60", resumed, 0.0, MOTOR_SPEED, 60)
        self.assertEasedSpeed("on 120", resumed, 0.0, MOTOR_SPEED, 120)
        self.assertEasedSpeed("on 60", 0.0, 0.0, MOTOR_SPEED, 60, index=4)
        self.assertEasedSpeed("on 120", 0.0, 0.0, MOTOR_SPEED, 120, index=4)


if __name__ == "__main__":
    replay_session.main()
