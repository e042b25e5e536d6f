#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "app/display_state.h"
#include "app/frame_clock.h"
#include "app/shell.h"
#include "modes/live_mode.h"
#include "support/fake_platform.h"
#include "support/gl_context.h"
#include "support/said.h"
#include "support/test_sounds.h"

namespace {

using namespace platform;  // the buttons and their states

// Drives a play mode through its real pointer entry points with window pixels, as the shell
// does, at the 800 by 600 window where one board unit is one pixel.
class PlayMode : public ::testing::Test {
  protected:
    void SetUp() override {
        useSilentTestSounds();
        windowWidth = 800;
        windowHeight = 600;
        said([&] { mode_.enter(nullptr); });
    }

    void passive(Vec3 at) { mode_.passiveMotion(px(at), py(at)); }
    void drag(Vec3 at) { mode_.motion(px(at), py(at)); }
    void press(Vec3 at, int button = MOUSE_LEFT) {
        mode_.mouse(button, BUTTON_DOWN, px(at), py(at));
    }
    void release(Vec3 at, int button = MOUSE_LEFT) {
        mode_.mouse(button, BUTTON_UP, px(at), py(at));
    }
    // A click as a user makes it: the pointer arrives, then presses and releases. Returns
    // what the game printed (its sounds).
    std::string click(Vec3 at, int button = MOUSE_LEFT) {
        return said([&] { passive(at), press(at, button), release(at, button); });
    }
    void frames(int count, float dt = 0.016f) {
        for (int i = 0; i < count; ++i) {
            frameDelta = dt;
            mode_.update();
        }
    }
    Vec3 onBar(const Sprite& part) { return mode_.toolBar->position + part.position; }
    // Raises the bar and picks a tool from it.
    void pickTool(int tool) {
        passive({0.0f, -290.0f, 0.0f});
        frames(50);
        click(onBar(*mode_.toolBar->buttons[tool]));
        ASSERT_EQ(mode_.toolBar->tool, tool);
    }
    Gear& gear(int index) { return *mode_.board.gears[index]; }

    static int px(Vec3 at) { return static_cast<int>(std::lround(at.x + 400.0f)); }
    static int py(Vec3 at) { return static_cast<int>(std::lround(300.0f - at.y)); }

    GlContext gl_;
    FakePlatform platform_;
    LiveMode mode_;
};

const std::string PLACE = "Playing place\n";

TEST_F(PlayMode, TheLightShowsItsLitFrameFromTensionOnePointZeroEight) {
    Chain& chain = *mode_.board.chains[0];
    // The smallest link drawing width at which the chain's tension reaches 1.08.
    float width = 22.0f * 1.641f;
    const auto setWidth = [&](float w) {
        for (auto& link : chain.links) {
            link->scale.x = w;
        }
    };
    for (setWidth(width); chain.tension() < 1.08f; setWidth(width)) {
        width = std::nextafter(width, 1000.0f);
    }
    mode_.update();
    EXPECT_EQ(mode_.tightLight.texOffset.u, 0.5f);  // the second of its two frames
    setWidth(std::nextafter(width, 0.0f));
    mode_.update();
    EXPECT_FALSE(mode_.lightOn());
    mode_.clearBoard();
    mode_.clearBoard();  // an empty board: nothing happens
    mode_.update();
    EXPECT_FALSE(mode_.lightOn());  // no chain: unlit
}

TEST_F(PlayMode, MotorsFollowThePowerSwitchUnlessHeld) {
    pickTool(tools::Move);
    click(onBar(mode_.toolBar->powerSwitch));
    ASSERT_FALSE(mode_.powerOn());
    Gear& motor = gear(0);
    // The ramp chosen last frame runs once more; from then on each frame closes dt / 2 of
    // the gap to 0.
    const float speeds[] = {200.0f, 198.0f, 198.0f * 0.99f};
    for (float speed : speeds) {
        frames(1, 0.02f);
        EXPECT_FLOAT_EQ(motor.speed, speed);
    }
    // A held motor keeps its speed.
    passive(motor.position);
    press(motor.position, MOUSE_RIGHT);
    frames(5, 0.02f);
    EXPECT_FLOAT_EQ(motor.speed, speeds[2]);
    release(motor.position, MOUSE_RIGHT);
    frames(1, 0.02f);
    EXPECT_LT(motor.speed, speeds[2]);
    // A motor put down with the power off stays at rest.
    pickTool(tools::Motor);
    click({250.0f, 150.0f, 0.0f});
    frames(20);
    EXPECT_EQ(mode_.board.gears.back()->speed, 0.0f);
    EXPECT_EQ(mode_.board.gears.back()->rotation, 0.0f);
}

TEST_F(PlayMode, EveryToolActsOnTheBoardWithItsSound) {
    mode_.clearBoard();
    // clang-format off
    const struct { int tool; float radius; } pieces[] = {
        {tools::SmallGear, 30.0f}, {tools::MediumGear, 40.0f}, {tools::LargeGear, 50.0f},
        {tools::Motor, 50.0f}};
    // clang-format on
    for (const auto& piece : pieces) {
        pickTool(piece.tool);
        const Vec3 at{-200.0f, 150.0f - 40.0f * mode_.board.gears.size(), 0.0f};
        EXPECT_EQ(click(at), PLACE) << piece.tool;
        EXPECT_EQ(mode_.board.gears.back()->position, at) << piece.tool;
        EXPECT_EQ(mode_.board.gears.back()->radius, piece.radius) << piece.tool;
    }
    EXPECT_EQ(click({-195.0f, 30.0f, 0.0f}), PLACE) << "on top of another: put down anyway";
    EXPECT_EQ(mode_.board.gears.size(), 5u);
    EXPECT_EQ(gear(3).speed, 200.0f) << "a motor starts running with the power on";

    pickTool(tools::NewChain);
    EXPECT_EQ(click({50.0f, 0.0f, 0.0f}), PLACE);
    ASSERT_EQ(mode_.board.chains.size(), 1u);
    Chain& chain = *mode_.board.chains[0];
    EXPECT_EQ(chain.points.size(), 40u);
    EXPECT_EQ(chain.origin, (Vec3{50.0f, 0.0f, 0.0f}));
    const Vec3 onChain = chain.links[3]->position;
    pickTool(tools::LengthenChain);
    EXPECT_EQ(click(onChain), PLACE);
    EXPECT_EQ(chain.links.size(), 46u);
    EXPECT_EQ(click({350.0f, 250.0f, 0.0f}), "") << "nothing there: silence";
    pickTool(tools::ShortenChain);
    click(onChain);
    EXPECT_EQ(chain.links.size(), 40u);
    pickTool(tools::ResetChain);
    chain.points[7]->position = {120.0f, 120.0f, 0.0f};
    chain.links[6]->fitSprite();
    EXPECT_EQ(click(onChain), PLACE);
    EXPECT_EQ(chain.points[7]->position, (Vec3{50.0f, 22.0f * 7, 0.0f}));

    pickTool(tools::Delete);
    EXPECT_EQ(click(gear(0).position), PLACE);
    EXPECT_EQ(mode_.board.gears.size(), 4u);
    // The release that picks Clear all clears the board and goes back to Move's icon.
    passive({0.0f, -290.0f, 0.0f});
    frames(50);
    click(onBar(*mode_.toolBar->buttons[tools::ClearAll]));
    EXPECT_TRUE(mode_.board.gears.empty() && mode_.board.chains.empty());
    EXPECT_EQ(mode_.toolBar->tool, tools::Move);
    passive({0.0f, 0.0f, 0.0f});
    EXPECT_EQ(mode_.cursor.texOffset.u, 0.0f);
}

TEST_F(PlayMode, DeleteWhereAGearAndAChainOverlapRemovesBoth) {
    pickTool(tools::Delete);
    frames(60);
    Vec3 spot = gear(0).position;  // a whole pixel where the chain runs over the motor
    const auto overBoth = [&] { return mode_.chainAt(spot) && mode_.gearAt(spot) == &gear(0); };
    for (int step = 0; !overBoth() && step < 101 * 101; ++step) {
        spot = gear(0).position + Vec3{float(step % 101 - 50), float(step / 101 - 50), 0.0f};
    }
    ASSERT_TRUE(overBoth());
    EXPECT_EQ(click(spot), PLACE + PLACE);
    EXPECT_TRUE(mode_.board.chains.empty());
    EXPECT_EQ(mode_.board.gears.size(), 3u);
}

TEST_F(PlayMode, TheGlowGatesClicksTheRimCountsOnlyForTheGlowAndTheIconFollows) {
    const Vec3 rim{-5.0f, 215.0f, 0.0f};  // exactly on the rim of the gear at (-55, 215)
    passive(rim);
    EXPECT_FALSE(mode_.cursorGlow.hidden);
    EXPECT_EQ(mode_.cursor.position, rim);
    EXPECT_EQ(mode_.cursorGlow.position, rim);
    press(rim);
    EXPECT_EQ(mode_.heldGear, nullptr);
    release(rim);
    passive({200.0f, -100.0f, 0.0f});  // empty board with Move: no glow, no drag
    EXPECT_TRUE(mode_.cursorGlow.hidden);
    press({200.0f, -100.0f, 0.0f});
    EXPECT_EQ(mode_.dragMode, LiveMode::NO_DRAG);
    pickTool(tools::SmallGear);  // over the tool bar the glow hides, whatever the tool
    passive({0.0f, -200.0f, 0.0f});
    EXPECT_TRUE(mode_.cursorGlow.hidden);
    EXPECT_EQ(click({-200.0f, -280.0f, 0.0f}), "");
    using namespace tools;
    const int cursorTools[] = {Move, SmallGear, Motor, LengthenChain, ResetChain, Delete, ClearAll};
    const float frames[] = {0.0f, 0.25f, 0.25f, 0.5f, 0.5f, 0.75f, 0.75f};
    for (int i = 0; i < 7; ++i) {
        mode_.placeCursor(cursorTools[i], {});
        EXPECT_EQ(mode_.cursor.texOffset.u, frames[i]) << "tool " << cursorTools[i];
    }
}

TEST_F(PlayMode, ALeftDragOfAGearIsHeldBackUnlessShiftIsDown) {
    Gear& held = gear(3);     // the large gear at (-55, 50)
    click(held.position, 3);  // a wheel notch picks nothing up
    EXPECT_EQ(mode_.dragMode, LiveMode::NO_DRAG);
    press({-45.0f, 50.0f, 0.0f});
    ASSERT_EQ(mode_.heldGear, &held);
    EXPECT_EQ(mode_.dragMode, LiveMode::LEFT_DRAG);
    drag({300.0f, 50.0f, 0.0f});
    EXPECT_EQ(held.dragTarget, (Vec3{290.0f, 50.0f, 0.0f}));  // the grab's offset kept
    EXPECT_FALSE(held.lifted);
    frames(1);
    EXPECT_LE(length(held.position - Vec3{-55.0f, 50.0f, 0.0f}), 25.0f + 1e-3f);
    onSpecial(platform::KEY_SHIFT_LEFT, 0, 0);  // as freeglut reports Shift going down
    drag({0.0f, 50.0f, 0.0f});
    EXPECT_TRUE(held.lifted);
    onSpecialUp(platform::KEY_SHIFT_LEFT, 0, 0);
    drag({5.0f, 50.0f, 0.0f});
    EXPECT_FALSE(held.lifted);
    press({5.0f, 50.0f, 0.0f}, MOUSE_RIGHT);  // other buttons change nothing
    release({5.0f, 50.0f, 0.0f}, MOUSE_RIGHT);
    EXPECT_EQ(mode_.dragMode, LiveMode::LEFT_DRAG);
    release({5.0f, 50.0f, 0.0f});
    EXPECT_FALSE(held.held);
    EXPECT_EQ(mode_.dragMode, LiveMode::NO_DRAG);
}

TEST_F(PlayMode, ARightPressOnlyPicksUpGearsAndALeftPressPicksUpTheChain) {
    frames(30);
    const Vec3 middle = mode_.board.chains[0]->links[20]->position;
    const Vec3 onChain{std::round(middle.x), std::round(middle.y), 0.0f};  // a whole pixel
    ASSERT_EQ(mode_.gearAt(onChain), nullptr);
    click(onChain, MOUSE_RIGHT);
    EXPECT_EQ(mode_.dragMode, LiveMode::NO_DRAG);
    press(onChain);
    Chain& chain = *mode_.board.chains[0];
    ASSERT_EQ(mode_.heldChain, &chain);
    const Vec3 to = onChain + Vec3{-40.0f, 30.0f, 0.0f};
    drag(to);
    frames(1);
    EXPECT_LT(length(chain.grabbed->position - to), 1.0f);
    release(to);
    EXPECT_EQ(chain.grabbed, nullptr);
    EXPECT_EQ(mode_.heldChain, nullptr);
}

TEST_F(PlayMode, DeletingOrClearingTheDraggedGearEndsTheDrag) {
    for (int tool : {tools::Delete, tools::ClearAll}) {
        said([&] { mode_.leave(nullptr), mode_.enter(nullptr); });
        // Back to Move with a right click: the bar stays up until the pointer leaves it.
        pickTool(tools::SmallGear);
        click(gear(3).position, MOUSE_RIGHT);
        ASSERT_EQ(mode_.toolBar->tool, tools::Move);
        Gear* carried = &gear(3);
        press(carried->position, MOUSE_RIGHT);
        // Carry the lifted gear onto the raised bar and pick the tool there.
        const Vec3 button = onBar(*mode_.toolBar->buttons[tool]);
        drag(button);
        frames(1);
        said([&] { press(button), release(button); });
        EXPECT_EQ(mode_.heldGear, nullptr) << tool;
        EXPECT_EQ(mode_.dragMode, LiveMode::NO_DRAG) << tool;
        for (const auto& g : mode_.board.gears) {
            EXPECT_NE(g.get(), carried) << tool;
        }
        drag({0.0f, 0.0f, 0.0f});  // nothing dangles
        release({0.0f, 0.0f, 0.0f}, MOUSE_RIGHT);
        frames(3);
    }
}

TEST_F(PlayMode, LeavingEmptiesTheBoardAndEnteringStartsTheMusic) {
    said([&] { EXPECT_TRUE(mode_.leave(nullptr)); });
    EXPECT_TRUE(mode_.board.gears.empty() && mode_.board.chains.empty());
    EXPECT_EQ(mode_.toolBar, nullptr);
    mode_.passiveMotion(10, 10);  // events and frames in between are harmless
    mode_.mouse(MOUSE_LEFT, BUTTON_DOWN, 10, 10);
    EXPECT_TRUE(mode_.update());
    EXPECT_EQ(said([&] { mode_.enter(nullptr); }), "Playing bg\n");
    EXPECT_EQ(mode_.board.gears.size(), 4u);
}

}  // namespace
