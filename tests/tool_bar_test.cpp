#include <SDL2/SDL_mixer.h>
#include <gtest/gtest.h>

#include <string>

#include "app/platform.h"
#include "audio/sound.h"
#include "support/gl_context.h"
#include "support/test_sounds.h"
#include "ui/tool_bar.h"

namespace {

using platform::BUTTON_DOWN;
using platform::BUTTON_UP;
using platform::MOUSE_LEFT;

class ToolBarTest : public ::testing::Test {
  protected:
    void SetUp() override {
        useSilentTestSounds();
        Sound::instance()->stopAll();
        testing::internal::CaptureStdout();
        bar_ = std::make_unique<ToolBar>();
        testing::internal::GetCapturedStdout();
    }
    // Board points on button i and on the switch where the bar stands now.
    Vec3 on(int i) const { return bar_->position + bar_->buttons[i]->position; }
    Vec3 onSwitch() const { return bar_->position + bar_->powerSwitch.position; }
    // What the pointer's buttons at a point make the bar play.
    std::string mouse(Vec3 at, int state, int button = MOUSE_LEFT) {
        testing::internal::CaptureStdout();
        bar_->mouseButton(button, state, at);
        return testing::internal::GetCapturedStdout();
    }
    std::string click(Vec3 at, int button = MOUSE_LEFT) {
        const std::string pressing = mouse(at, BUTTON_DOWN, button);
        return pressing + mouse(at, BUTTON_UP, button);
    }
    // The buttons that show their lit frame.
    std::string lit() const {
        std::string shown;
        for (int i = 0; i < TOOL_COUNT; ++i) {
            shown += bar_->buttons[i]->texOffset.u == 0.5f ? std::to_string(i) + " " : "";
        }
        return shown;
    }
    float slideFor(float seconds) {
        for (float t = 0.0f; t < seconds - 1e-4f; t += 0.015f) {
            bar_->slide->update(0.015f);
        }
        return bar_->position.y;
    }
    GlContext gl_;
    std::unique_ptr<ToolBar> bar_;
};

TEST_F(ToolBarTest, StartsLoweredWithMoveLitAndThePowerOn) {
    EXPECT_EQ(bar_->position.y, ToolBar::LOWERED_Y);
    EXPECT_EQ(bar_->buttons.size(), static_cast<size_t>(TOOL_COUNT));
    EXPECT_EQ(lit(), "0 ");
    EXPECT_TRUE(bar_->powerOn());
}

TEST_F(ToolBarTest, TheBottomStripRaisesTheBarGentlyUnlessSomethingIsDragged) {
    // Lowered, the bar reaches 28 units above the board's bottom edge (-300), edge included.
    EXPECT_FALSE(bar_->hover({0, -271, 0}, false));
    EXPECT_TRUE(bar_->hover({0, -290, 0}, true));
    EXPECT_EQ(slideFor(0.75f), ToolBar::LOWERED_Y) << "rose while dragging";
    EXPECT_TRUE(bar_->hover({0, -272, 0}, false));
    // Half a cosine wave: a fifth of the time covers under a tenth of the 220 units.
    EXPECT_NEAR(slideFor(0.15f), -379.0f, 1.0f);
    EXPECT_EQ(slideFor(0.7f), ToolBar::RAISED_Y);
}

TEST_F(ToolBarTest, LeavingWithMoveLowersItAndAReversalTurnsBackWhereItIs) {
    bar_->hover({0, -290, 0}, false);
    const float midway = slideFor(0.3f);
    EXPECT_GT(midway, ToolBar::LOWERED_Y + 50.0f);
    EXPECT_FALSE(bar_->hover({0, 200, 0}, false));
    const float next = slideFor(0.015f);
    EXPECT_LT(next, midway);
    EXPECT_GT(next, midway - 10.0f);  // at most ~7 units in 15 ms
    EXPECT_EQ(slideFor(1.0f), ToolBar::LOWERED_Y);
}

TEST_F(ToolBarTest, WithAnotherToolTheBarStaysUpUntilARightClickGoesBackToMove) {
    bar_->hover({0, -290, 0}, false);
    slideFor(0.8f);
    click(on(SmallGear));
    bar_->hover({0, 200, 0}, false);
    EXPECT_EQ(slideFor(0.5f), ToolBar::RAISED_Y);
    EXPECT_EQ(click({0, 200, 0}, platform::MOUSE_RIGHT), "");
    EXPECT_EQ(bar_->tool, Move);
    bar_->hover({0, 200, 0}, false);
    EXPECT_EQ(slideFor(1.0f), ToolBar::LOWERED_Y);
}

TEST_F(ToolBarTest, AToolIsChosenByAReleaseOverTheButtonPressed) {
    EXPECT_EQ(mouse(on(Delete), BUTTON_DOWN), "Playing button\n");
    EXPECT_EQ(lit(), "0 9 ");
    bar_->hover(on(ClearAll), false);
    EXPECT_EQ(lit(), "0 ") << "slid off the pressed button";
    bar_->hover(on(Delete), false);
    EXPECT_EQ(lit(), "0 9 ") << "back on it";
    mouse(on(ClearAll), BUTTON_UP);
    EXPECT_EQ(bar_->tool, Move);
    EXPECT_EQ(lit(), "0 ");

    click(on(ResetChain));
    EXPECT_EQ(bar_->tool, ResetChain);
    EXPECT_EQ(lit(), "8 ");
    mouse(on(ResetChain), BUTTON_DOWN);
    bar_->hover(on(Motor), false);
    EXPECT_EQ(lit(), "8 ") << "the current tool stays lit";
    mouse(on(Motor), BUTTON_UP);
    EXPECT_EQ(bar_->tool, ResetChain);
}

TEST_F(ToolBarTest, BlankPartsOfTheBarAndOtherButtonsDoNothing) {
    const Vec3 blank = bar_->position + Vec3{-230, 100, 0};
    EXPECT_EQ(click(blank), "");
    EXPECT_EQ(click(on(Motor), platform::MOUSE_MIDDLE), "");
    EXPECT_EQ(click(blank, platform::MOUSE_RIGHT), "");
    EXPECT_EQ(bar_->tool, Move);
    EXPECT_EQ(lit(), "0 ");
}

TEST_F(ToolBarTest, TheSwitchTogglesThePowerOnThePressAndOnlyItsNewestSoundPlays) {
    EXPECT_EQ(mouse(onSwitch(), BUTTON_DOWN), "Playing button\nPlaying motorStop\n");
    EXPECT_FALSE(bar_->powerOn());
    EXPECT_EQ(mouse(onSwitch(), BUTTON_UP), "");
    EXPECT_EQ(click(onSwitch()), "Playing button\nPlaying motorStart\n");
    EXPECT_TRUE(bar_->powerOn());
    EXPECT_EQ(bar_->tool, Move);
    // Two buttons and one motor sound, at most: the stopping sound was cut off.
    EXPECT_LE(Mix_Playing(-1), 3);
}

TEST_F(ToolBarTest, BoxesCountTheirEdgesOnAllThreeAxes) {
    const Sprite& small = *bar_->buttons[SmallGear];  // size 32 at (-30, 40)
    const struct {
        Vec3 point;
        bool inside;
    } cases[] = {{{-46, 24, 0}, true},
                 {{-14, 56, 16}, true},
                 {{-13.99f, 40, 0}, false},
                 {{-30, 40, 16.01f}, false}};
    for (const auto& c : cases) {
        EXPECT_EQ(ToolBar::boxContains(small, c.point), c.inside)
            << c.point.x << ", " << c.point.y << ", " << c.point.z;
    }
    EXPECT_EQ(bar_->buttonAt({-46, 24, 0}), SmallGear);
    EXPECT_EQ(bar_->buttonAt({0, 0, 0}), -1);
    EXPECT_FALSE(ToolBar::boxContains(bar_->powerSwitch, {172, -30, 0.6f}));
}

}  // namespace
