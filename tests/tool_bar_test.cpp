#include <gtest/gtest.h>

#include <string>

#include "app/platform.h"
#include "support/gl_context.h"
#include "support/test_sounds.h"
#include "ui/tool_bar.h"

namespace {

using platform::BUTTON_DOWN;
using platform::BUTTON_UP;
using platform::MOUSE_LEFT;
using platform::MOUSE_MIDDLE;
using platform::MOUSE_RIGHT;

class ToolBarTest : public ::testing::Test {
  protected:
    void SetUp() override {
        useSilentTestSounds();
        testing::internal::CaptureStdout();
        bar_ = std::make_unique<ToolBar>();
        testing::internal::GetCapturedStdout();
    }

    // A board point on button i of the bar where it stands now.
    Vec3 onButton(int i) const { return bar_->position + bar_->buttons[i]->position; }
    Vec3 onSwitch() const { return bar_->position + bar_->powerSwitch.position; }

    void click(Vec3 point, int button = MOUSE_LEFT) {
        bar_->mouseButton(button, BUTTON_DOWN, point);
        bar_->mouseButton(button, BUTTON_UP, point);
    }

    void slideFor(float seconds) {
        for (float t = 0.0f; t < seconds; t += 0.015f) {
            bar_->slide->update(0.015f);
        }
    }

    GlContext gl_;
    std::unique_ptr<ToolBar> bar_;
};

TEST_F(ToolBarTest, StartsLoweredWithMoveAndThePowerOn) {
    EXPECT_EQ(bar_->position.y, ToolBar::LOWERED_Y);
    EXPECT_EQ(bar_->tool, Move);
    EXPECT_EQ(bar_->pressed, -1);
    EXPECT_TRUE(bar_->powerOn());
    EXPECT_EQ(bar_->slide->rate, -1.0f);
    EXPECT_TRUE(bar_->slide->finished);
    ASSERT_EQ(bar_->buttons.size(), static_cast<size_t>(TOOL_COUNT));
    EXPECT_EQ(bar_->buttons[Move]->texOffset.u, 0.5f);  // the current tool is lit
    EXPECT_EQ(bar_->buttons[ClearAll]->texOffset.u, 0.0f);
}

TEST_F(ToolBarTest, BottomStripOfTheBoardRaisesTheBarUnlessBusy) {
    // Lowered, the bar reaches 28 units above the board's bottom edge (-300).
    EXPECT_FALSE(bar_->hover({0.0f, -271.0f, 0.0f}, false));
    EXPECT_TRUE(bar_->hover({0.0f, -290.0f, 0.0f}, true));
    EXPECT_EQ(bar_->slide->rate, -1.0f);  // dragging something: it stays down

    EXPECT_TRUE(bar_->hover({0.0f, -272.0f, 0.0f}, false));  // the edge counts as inside
    EXPECT_EQ(bar_->slide->rate, 1.0f);
    slideFor(0.76f);
    EXPECT_EQ(bar_->position.y, ToolBar::RAISED_Y);
    EXPECT_TRUE(bar_->slide->finished);
}

TEST_F(ToolBarTest, LeavingWithMoveLowersItAndAReversalTurnsBackSmoothly) {
    bar_->hover({0.0f, -290.0f, 0.0f}, false);
    slideFor(0.3f);
    const float midway = bar_->position.y;
    EXPECT_GT(midway, ToolBar::LOWERED_Y);
    EXPECT_LT(midway, ToolBar::RAISED_Y);

    EXPECT_FALSE(bar_->hover({0.0f, 200.0f, 0.0f}, false));
    EXPECT_EQ(bar_->slide->rate, -1.0f);
    EXPECT_FALSE(bar_->slide->finished);  // not restarted: it turns back from where it is
    bar_->slide->update(0.015f);
    EXPECT_LT(bar_->position.y, midway);
    EXPECT_GT(bar_->position.y, midway - 10.0f);  // at most ~7 units in 15 ms
    slideFor(1.0f);
    EXPECT_EQ(bar_->position.y, ToolBar::LOWERED_Y);
}

TEST_F(ToolBarTest, OtherToolsKeepTheBarUp) {
    bar_->hover({0.0f, -290.0f, 0.0f}, false);
    slideFor(0.8f);
    click(onButton(SmallGear));
    EXPECT_EQ(bar_->tool, SmallGear);
    bar_->hover({0.0f, 200.0f, 0.0f}, false);
    EXPECT_EQ(bar_->slide->rate, 1.0f);
    // A right click goes back to Move; the next motion off the bar lowers it.
    click({0.0f, 200.0f, 0.0f}, MOUSE_RIGHT);
    EXPECT_EQ(bar_->tool, Move);
    bar_->hover({0.0f, 200.0f, 0.0f}, false);
    EXPECT_EQ(bar_->slide->rate, -1.0f);
}

TEST_F(ToolBarTest, AToolIsChosenOnlyByAReleaseOverTheButtonPressed) {
    testing::internal::CaptureStdout();
    bar_->mouseButton(MOUSE_LEFT, BUTTON_DOWN, onButton(Delete));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Playing button\n");
    EXPECT_EQ(bar_->pressed, Delete);
    EXPECT_EQ(bar_->buttons[Delete]->texOffset.u, 0.5f);

    // Sliding off darkens it; coming back lights it again.
    bar_->hover(onButton(ClearAll), false);
    EXPECT_EQ(bar_->buttons[Delete]->texOffset.u, 0.0f);
    bar_->hover(onButton(Delete), false);
    EXPECT_EQ(bar_->buttons[Delete]->texOffset.u, 0.5f);

    bar_->mouseButton(MOUSE_LEFT, BUTTON_UP, onButton(ClearAll));
    EXPECT_EQ(bar_->tool, Move);
    EXPECT_EQ(bar_->pressed, -1);
    EXPECT_EQ(bar_->buttons[Delete]->texOffset.u, 0.0f);
    EXPECT_EQ(bar_->buttons[Move]->texOffset.u, 0.5f);

    click(onButton(ResetChain));
    EXPECT_EQ(bar_->tool, ResetChain);
}

TEST_F(ToolBarTest, TheCurrentToolStaysLitWhenItsPressSlidesOff) {
    bar_->mouseButton(MOUSE_LEFT, BUTTON_DOWN, onButton(Move));
    bar_->hover(onButton(Motor), false);
    EXPECT_EQ(bar_->buttons[Move]->texOffset.u, 0.5f);
    bar_->mouseButton(MOUSE_LEFT, BUTTON_UP, onButton(Motor));
    EXPECT_EQ(bar_->tool, Move);
}

TEST_F(ToolBarTest, BlankPartsOfTheBarAndOtherButtonsDoNothing) {
    const Vec3 blank = bar_->position + Vec3{-230.0f, 100.0f, 0.0f};
    testing::internal::CaptureStdout();
    bar_->mouseButton(MOUSE_LEFT, BUTTON_DOWN, blank);
    EXPECT_EQ(bar_->pressed, -1);
    bar_->mouseButton(MOUSE_LEFT, BUTTON_UP, blank);
    click(onButton(Motor), MOUSE_MIDDLE);
    click(blank, MOUSE_RIGHT);  // with Move current: nothing
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(bar_->tool, Move);
    EXPECT_EQ(bar_->pressed, -1);
}

TEST_F(ToolBarTest, TheSwitchTogglesThePowerOnThePressWithItsSounds) {
    testing::internal::CaptureStdout();
    bar_->mouseButton(MOUSE_LEFT, BUTTON_DOWN, onSwitch());
    EXPECT_FALSE(bar_->powerOn());
    bar_->mouseButton(MOUSE_LEFT, BUTTON_UP, onSwitch());
    click(onSwitch());
    EXPECT_TRUE(bar_->powerOn());
    EXPECT_EQ(bar_->powerSwitch.texOffset.u, 0.0f);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Playing button\nPlaying motorStop\nPlaying button\nPlaying motorStart\n");
    EXPECT_EQ(bar_->tool, Move);
}

TEST_F(ToolBarTest, ButtonBoxesCountTheirEdgesAndTheirDepth) {
    const Sprite& small = *bar_->buttons[SmallGear];  // size 32 at (-30, 40)
    EXPECT_TRUE(ToolBar::boxContains(small, {-46.0f, 24.0f, 0.0f}));
    EXPECT_TRUE(ToolBar::boxContains(small, {-14.0f, 56.0f, 16.0f}));
    EXPECT_FALSE(ToolBar::boxContains(small, {-13.99f, 40.0f, 0.0f}));
    EXPECT_FALSE(ToolBar::boxContains(small, {-30.0f, 40.0f, 16.01f}));
    EXPECT_EQ(bar_->buttonAt({-46.0f, 24.0f, 0.0f}), SmallGear);
    EXPECT_EQ(bar_->buttonAt({0.0f, 0.0f, 0.0f}), -1);
    EXPECT_FALSE(ToolBar::boxContains(bar_->powerSwitch, {172.0f, -30.0f, 0.6f}));
}

}  // namespace
