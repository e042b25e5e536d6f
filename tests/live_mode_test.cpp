#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "app/display_state.h"
#include "app/frame_clock.h"
#include "app/platform.h"
#include "app/shell.h"
#include "modes/live_mode.h"
#include "support/fake_platform.h"
#include "support/gl_context.h"
#include "support/test_sounds.h"

namespace {

using platform::BUTTON_DOWN;
using platform::BUTTON_UP;
using platform::MOUSE_LEFT;
using platform::MOUSE_MIDDLE;
using platform::MOUSE_RIGHT;

// Drives a play mode through its real pointer entry points with window pixels, as the shell
// does, at the 800 by 600 window where one board unit is one pixel.
class PlayMode : public ::testing::Test {
  protected:
    void SetUp() override {
        useSilentTestSounds();
        windowWidth = 800;
        windowHeight = 600;
        testing::internal::CaptureStdout();
        mode_.enter(nullptr);
        testing::internal::GetCapturedStdout();
    }

    static int px(float boardX) { return static_cast<int>(std::lround(boardX + 400.0f)); }
    static int py(float boardY) { return static_cast<int>(std::lround(300.0f - boardY)); }

    void passive(float x, float y) { mode_.passiveMotion(px(x), py(y)); }
    void drag(float x, float y) { mode_.motion(px(x), py(y)); }
    void press(float x, float y, int button = MOUSE_LEFT) {
        mode_.mouse(button, BUTTON_DOWN, px(x), py(y));
    }
    void release(float x, float y, int button = MOUSE_LEFT) {
        mode_.mouse(button, BUTTON_UP, px(x), py(y));
    }
    // A click as a user makes it: the pointer arrives, then presses and releases.
    void click(float x, float y, int button = MOUSE_LEFT) {
        passive(x, y);
        press(x, y, button);
        release(x, y, button);
    }
    void frames(int count, float dt = 0.016f) {
        for (int i = 0; i < count; ++i) {
            frameDelta = dt;
            mode_.update();
        }
    }
    // Raises the bar and picks a tool from it.
    void pickTool(int tool) {
        passive(0.0f, -290.0f);
        frames(50);
        const Vec3 at = mode_.toolBar->position + mode_.toolBar->buttons[tool]->position;
        click(at.x, at.y);
        ASSERT_EQ(mode_.toolBar->tool, tool);
    }
    std::string quietly(const std::function<void()>& action) {
        testing::internal::CaptureStdout();
        action();
        return testing::internal::GetCapturedStdout();
    }

    GlContext gl_;
    FakePlatform platform_;
    LiveMode mode_;
};

TEST_F(PlayMode, TheLightComesOnAtTensionOnePointZeroEight) {
    Chain& chain = *mode_.board.chains[0];
    // Find the smallest link drawing width at which the chain's tension reaches 1.08.
    float width = 22.0f * 1.641f;
    auto setWidth = [&](float w) {
        for (auto& link : chain.links) {
            link->scale.x = w;
        }
    };
    setWidth(width);
    while (chain.tension() < 1.08f) {
        width = std::nextafter(width, 1000.0f);
        setWidth(width);
    }
    mode_.update();
    EXPECT_EQ(mode_.tightLight.texOffset.u, 0.5f);  // the second of its two frames

    setWidth(std::nextafter(width, 0.0f));
    ASSERT_LT(chain.tension(), 1.08f);
    mode_.update();
    EXPECT_FALSE(mode_.lightOn());

    mode_.clearBoard();
    mode_.clearBoard();  // an empty board: nothing happens
    mode_.update();
    EXPECT_FALSE(mode_.lightOn());  // no chain: unlit
}

TEST_F(PlayMode, MotorsFollowThePowerSwitchButAHeldMotorKeepsItsSpeed) {
    pickTool(Move);
    const Vec3 switchAt = mode_.toolBar->position + mode_.toolBar->powerSwitch.position;
    quietly([&] { click(switchAt.x, switchAt.y); });
    ASSERT_FALSE(mode_.powerOn());
    Gear& motor = *mode_.board.gears[0];
    // The ramp chosen last frame runs once more; from then on each frame closes dt / 2 of
    // the gap to 0.
    frames(1, 0.02f);
    EXPECT_FLOAT_EQ(motor.speed, 200.0f);
    frames(1, 0.02f);
    EXPECT_FLOAT_EQ(motor.speed, 198.0f);
    frames(1, 0.02f);
    EXPECT_FLOAT_EQ(motor.speed, 198.0f * 0.99f);

    // Hold the motor: its speed stays while it is held.
    passive(-255.0f, 50.0f);
    press(-255.0f, 50.0f, MOUSE_RIGHT);
    ASSERT_EQ(mode_.heldGear, &motor);
    const float heldSpeed = motor.speed;
    frames(5, 0.02f);
    EXPECT_EQ(motor.speed, heldSpeed);
    release(-255.0f, 50.0f, MOUSE_RIGHT);
    frames(1, 0.02f);
    EXPECT_LT(motor.speed, heldSpeed);

    // A motor put down with the power off stays at rest until the power comes back.
    pickTool(Motor);
    quietly([&] { click(250.0f, 150.0f); });
    frames(20);
    EXPECT_EQ(mode_.board.gears.back()->speed, 0.0f);
    EXPECT_EQ(mode_.board.gears.back()->rotation, 0.0f);
}

TEST_F(PlayMode, EveryToolActsOnTheBoardWithItsSound) {
    mode_.clearBoard();
    pickTool(SmallGear);
    EXPECT_EQ(quietly([&] { click(200.0f, 100.0f); }), "Playing place\n");
    ASSERT_EQ(mode_.board.gears.size(), 1u);
    EXPECT_EQ(mode_.board.gears[0]->radius, 30.0f);
    EXPECT_EQ(mode_.board.gears[0]->position, (Vec3{200.0f, 100.0f, 0.0f}));
    // On top of an existing gear: put down there, overlapping.
    quietly([&] { click(205.0f, 100.0f); });
    EXPECT_EQ(mode_.board.gears.size(), 2u);

    const int kinds[] = {MediumGear, LargeGear, Motor};
    const float radii[] = {40.0f, 50.0f, 50.0f};
    for (int i = 0; i < 3; ++i) {
        pickTool(kinds[i]);
        quietly([&] { click(-200.0f, 150.0f - 100.0f * i); });
        EXPECT_EQ(mode_.board.gears.back()->radius, radii[i]);
    }
    EXPECT_TRUE(mode_.board.gears.back()->isMotor());
    EXPECT_EQ(mode_.board.gears.back()->speed, 200.0f);  // the power is on

    pickTool(NewChain);
    EXPECT_EQ(quietly([&] { click(50.0f, 0.0f); }), "Playing place\n");
    ASSERT_EQ(mode_.board.chains.size(), 1u);
    Chain& chain = *mode_.board.chains[0];
    EXPECT_EQ(chain.points.size(), 40u);
    EXPECT_EQ(chain.origin, (Vec3{50.0f, 0.0f, 0.0f}));
    const Vec3 onChain = chain.links[3]->position;

    pickTool(LengthenChain);
    EXPECT_EQ(quietly([&] { click(onChain.x, onChain.y); }), "Playing place\n");
    EXPECT_EQ(chain.links.size(), 46u);
    EXPECT_EQ(quietly([&] { click(-350.0f, 250.0f); }), "");  // nothing there: silence

    pickTool(ShortenChain);
    quietly([&] { click(onChain.x, onChain.y); });
    EXPECT_EQ(chain.links.size(), 40u);

    pickTool(ResetChain);
    frames(5);
    chain.points[7]->position = {120.0f, 120.0f, 0.0f};
    chain.links[6]->fitSprite();
    chain.links[7]->fitSprite();
    EXPECT_EQ(quietly([&] { click(onChain.x, onChain.y); }), "Playing place\n");
    EXPECT_EQ(chain.points[0]->position, (Vec3{50.0f, 0.0f, 0.0f}));

    pickTool(Delete);
    const Vec3 small = mode_.board.gears[0]->position;
    EXPECT_EQ(quietly([&] { click(small.x, small.y); }), "Playing place\n");
    EXPECT_EQ(mode_.board.gears.size(), 4u);

    // The release that picks Clear all clears the board and goes back to Move.
    passive(0.0f, -290.0f);
    frames(50);
    const Vec3 clearAll = mode_.toolBar->position + mode_.toolBar->buttons[ClearAll]->position;
    click(clearAll.x, clearAll.y);
    EXPECT_TRUE(mode_.board.gears.empty());
    EXPECT_TRUE(mode_.board.chains.empty());
    EXPECT_EQ(mode_.toolBar->tool, Move);
    passive(0.0f, 0.0f);
    EXPECT_EQ(mode_.cursor.texOffset.u, 0.0f);  // the Move icon again
}

TEST_F(PlayMode, DeleteWhereAGearAndAChainOverlapRemovesBoth) {
    pickTool(Delete);
    frames(60);
    // Find a whole-pixel spot where the chain runs over the motor.
    Gear* motor = mode_.board.gears[0].get();
    Vec3 spot{};
    bool found = false;
    for (int dy = -50; dy <= 50 && !found; ++dy) {
        for (int dx = -50; dx <= 50 && !found; ++dx) {
            spot = motor->position + Vec3{float(dx), float(dy), 0.0f};
            found = mode_.gearAt(spot) == motor && mode_.chainAt(spot) != nullptr;
        }
    }
    ASSERT_TRUE(found);
    EXPECT_EQ(quietly([&] { click(spot.x, spot.y); }), "Playing place\nPlaying place\n");
    EXPECT_TRUE(mode_.board.chains.empty());
    EXPECT_EQ(mode_.board.gears.size(), 3u);
}

TEST_F(PlayMode, TheGlowGatesClicksAndTheRimCountsOnlyForTheGlow) {
    // Exactly on the rim of the large gear at (-55, 215): glow on, but no grab.
    passive(-5.0f, 215.0f);
    EXPECT_FALSE(mode_.cursorGlow.hidden);
    press(-5.0f, 215.0f);
    EXPECT_EQ(mode_.heldGear, nullptr);
    release(-5.0f, 215.0f);

    // Empty board space with Move: no glow, and a press does nothing.
    passive(200.0f, -100.0f);
    EXPECT_TRUE(mode_.cursorGlow.hidden);
    press(200.0f, -100.0f);
    EXPECT_EQ(mode_.dragMode, LiveMode::NO_DRAG);

    // Over the tool bar the glow hides, whatever the tool.
    pickTool(SmallGear);
    passive(0.0f, -200.0f);
    EXPECT_TRUE(mode_.cursorGlow.hidden);
    const size_t gears = mode_.board.gears.size();
    quietly([&] { click(-200.0f, -280.0f); });
    EXPECT_EQ(mode_.board.gears.size(), gears);
}

TEST_F(PlayMode, TheCursorFollowsThePointerWithTheToolsIcon) {
    passive(10.0f, 20.0f);
    EXPECT_EQ(mode_.cursor.position, (Vec3{10.0f, 20.0f, 0.0f}));
    EXPECT_EQ(mode_.cursorGlow.position, mode_.cursor.position);
    const int tools[] = {Move, SmallGear, Motor, LengthenChain, ResetChain, Delete, ClearAll};
    const float frames[] = {0.0f, 0.25f, 0.25f, 0.5f, 0.5f, 0.75f, 0.75f};
    for (int i = 0; i < 7; ++i) {
        mode_.placeCursor(tools[i], {});
        EXPECT_EQ(mode_.cursor.texOffset.u, frames[i]) << tools[i];
    }
}

TEST_F(PlayMode, WrappedCoordinatesInMotionAreTakenAsZero) {
    mode_.motion(65000, 300);
    EXPECT_EQ(mode_.cursor.position.x, -400.0f);
    mode_.passiveMotion(30000, 65535);
    EXPECT_EQ(mode_.cursor.position.x, 29600.0f);  // not clamped here
    EXPECT_EQ(mode_.cursor.position.y, 300.0f);
    mode_.mouse(MOUSE_MIDDLE, BUTTON_UP, 65000, 300);  // the press keeps its coordinates
    EXPECT_EQ(mode_.cursor.position.x, 64600.0f);
}

TEST_F(PlayMode, LeftDragOfAGearIsHeldBackAndSettlesOnRelease) {
    Gear& gear = *mode_.board.gears[3];  // large gear at (-55, 50)
    passive(-55.0f, 50.0f);
    press(-45.0f, 50.0f);
    ASSERT_EQ(mode_.heldGear, &gear);
    EXPECT_EQ(mode_.dragMode, LiveMode::LEFT_DRAG);
    EXPECT_TRUE(gear.held);
    EXPECT_EQ(gear.grabOffset, (Vec3{10.0f, 0.0f, 0.0f}));
    drag(300.0f, 50.0f);
    EXPECT_EQ(gear.dragTarget, (Vec3{290.0f, 50.0f, 0.0f}));
    EXPECT_FALSE(gear.lifted);
    frames(1);
    EXPECT_LE(length(gear.position - Vec3{-55.0f, 50.0f, 0.0f}), 25.0f + 1e-3f);
    press(300.0f, 50.0f, MOUSE_RIGHT);    // a second button changes nothing
    release(300.0f, 50.0f, MOUSE_RIGHT);  // nor does a right release during a left drag
    EXPECT_EQ(mode_.dragMode, LiveMode::LEFT_DRAG);
    release(300.0f, 50.0f);
    EXPECT_EQ(mode_.heldGear, nullptr);
    EXPECT_FALSE(gear.held);
    EXPECT_EQ(mode_.dragMode, LiveMode::NO_DRAG);
}

TEST_F(PlayMode, RightDragLiftsTheGearStraightToThePointerAndMiddleReleaseKeepsIt) {
    Gear& gear = *mode_.board.gears[3];
    passive(-55.0f, 50.0f);
    press(-55.0f, 50.0f, MOUSE_RIGHT);
    EXPECT_EQ(mode_.dragMode, LiveMode::FREE_DRAG);
    drag(-245.0f, 215.0f);  // right onto another gear
    EXPECT_TRUE(gear.lifted);
    frames(1);
    EXPECT_EQ(gear.position, (Vec3{-245.0f, 215.0f, 0.0f}));
    release(-245.0f, 215.0f, MOUSE_MIDDLE);
    EXPECT_EQ(mode_.dragMode, LiveMode::FREE_DRAG);
    release(-245.0f, 215.0f, MOUSE_RIGHT);
    EXPECT_EQ(mode_.dragMode, LiveMode::NO_DRAG);
    EXPECT_FALSE(gear.lifted);
    // Settled clear of the gear it was dropped on: 50 + 50 + 3 apart.
    EXPECT_GE(length(gear.position - mode_.board.gears[2]->position), 103.0f - 1e-3f);
}

TEST_F(PlayMode, ShiftLiftsALeftDragUntilItIsLetGo) {
    Gear& gear = *mode_.board.gears[3];
    passive(-55.0f, 50.0f);
    press(-55.0f, 50.0f);
    onSpecial(platform::KEY_SHIFT_LEFT, 0, 0);  // as freeglut reports Shift going down
    drag(0.0f, 50.0f);
    EXPECT_TRUE(gear.lifted);
    onSpecialUp(platform::KEY_SHIFT_LEFT, 0, 0);
    drag(5.0f, 50.0f);
    EXPECT_FALSE(gear.lifted);
    release(5.0f, 50.0f);
}

TEST_F(PlayMode, ARightPressOnlyPicksUpGearsAndALeftPressPicksUpTheChain) {
    frames(30);
    const Vec3 middle = mode_.board.chains[0]->links[20]->position;
    const Vec3 onChain{std::round(middle.x), std::round(middle.y), 0.0f};  // a whole pixel
    ASSERT_EQ(mode_.gearAt(onChain), nullptr);
    passive(onChain.x, onChain.y);
    press(onChain.x, onChain.y, MOUSE_RIGHT);
    EXPECT_EQ(mode_.dragMode, LiveMode::NO_DRAG);
    release(onChain.x, onChain.y, MOUSE_RIGHT);

    press(onChain.x, onChain.y);
    Chain& chain = *mode_.board.chains[0];
    EXPECT_EQ(mode_.heldChain, &chain);
    ASSERT_NE(chain.grabbed, nullptr);
    drag(onChain.x - 40.0f, onChain.y + 30.0f);
    EXPECT_EQ(chain.grabTarget, (Vec3{onChain.x - 40.0f, onChain.y + 30.0f, 0.0f}));
    frames(1);
    EXPECT_LT(length(chain.grabbed->position - chain.grabTarget), 1.0f);
    release(onChain.x - 40.0f, onChain.y + 30.0f);
    EXPECT_EQ(chain.grabbed, nullptr);
    EXPECT_EQ(mode_.heldChain, nullptr);
}

TEST_F(PlayMode, DeletingOrClearingTheDraggedGearEndsTheDrag) {
    for (int tool : {Delete, ClearAll}) {
        quietly([&] {
            mode_.leave(nullptr);
            mode_.enter(nullptr);
        });
        // Leave the bar raised with a tool other than Move, then come back to Move with a
        // right click: the bar stays up until the pointer leaves it.
        pickTool(SmallGear);
        passive(-55.0f, 50.0f);
        press(-55.0f, 50.0f, MOUSE_RIGHT);
        release(-55.0f, 50.0f, MOUSE_RIGHT);
        ASSERT_EQ(mode_.toolBar->tool, Move);
        Gear* gear = mode_.board.gears[3].get();
        press(-55.0f, 50.0f, MOUSE_RIGHT);
        ASSERT_EQ(mode_.heldGear, gear);

        // Carry the lifted gear onto the raised bar and pick the tool there.
        const Vec3 button = mode_.toolBar->position + mode_.toolBar->buttons[tool]->position;
        drag(button.x, button.y);
        frames(1);
        ASSERT_EQ(mode_.toolBar->position.y, ToolBar::RAISED_Y);
        ASSERT_FALSE(mode_.cursorGlow.hidden);
        quietly([&] {
            press(button.x, button.y);
            release(button.x, button.y);
        });
        EXPECT_EQ(mode_.heldGear, nullptr) << tool;
        EXPECT_EQ(mode_.dragMode, LiveMode::NO_DRAG) << tool;
        for (const auto& g : mode_.board.gears) {
            EXPECT_NE(g.get(), gear);
        }
        // Nothing dangles: more frames and pointer events are safe.
        drag(0.0f, 0.0f);
        release(0.0f, 0.0f, MOUSE_RIGHT);
        frames(3);
    }
}

TEST_F(PlayMode, LeavingStopsTheSoundAndEmptiesTheBoard) {
    const std::string out = quietly([&] { EXPECT_TRUE(mode_.leave(nullptr)); });
    EXPECT_TRUE(mode_.board.gears.empty());
    EXPECT_TRUE(mode_.board.chains.empty());
    EXPECT_EQ(mode_.toolBar, nullptr);
    // Events and frames between leaving and entering again are harmless.
    mode_.passiveMotion(10, 10);
    mode_.mouse(MOUSE_LEFT, BUTTON_DOWN, 10, 10);
    EXPECT_TRUE(mode_.update());
    EXPECT_EQ(quietly([&] { mode_.enter(nullptr); }), "Playing bg\n");
    EXPECT_EQ(mode_.board.gears.size(), 4u);
}

}  // namespace
