#include <SDL2/SDL_mixer.h>
#include <gtest/gtest.h>

#include "app/platform.h"
#include "audio/sound.h"
#include "support/gl_context.h"
#include "support/said.h"
#include "support/test_sounds.h"
#include "ui/tool_bar.h"

using namespace platform;
constexpr int BLANK = -1, SWITCH = -2;  // a part of the bar with no button; the power switch

class ToolBarTest : public ::testing::Test {
  protected:
    void SetUp() override {
        useSilentTestSounds();
        Sound::instance()->stopAll();
        said([&] { bar_ = std::make_unique<ToolBar>(); });
    }
    // The board point on button i, a blank part or the switch, where the bar stands now.
    Vec3 on(int i) const {
        return bar_->position + (i == BLANK    ? Vec3{-230, 100, 0}
                                 : i == SWITCH ? bar_->powerSwitch.position
                                               : bar_->buttons[i]->position);
    }
    // The buttons that show their lit frame, and the switch if it shows off.
    std::string lit() const {
        std::string shown = bar_->powerOn() ? "" : "off ";
        for (int i = 0; i < tools::COUNT; ++i) {
            shown += bar_->buttons[i]->texOffset.u == 0.5f ? std::to_string(i) + " " : "";
        }
        return shown;
    }
    GlContext gl_;
    std::unique_ptr<ToolBar> bar_;
};

TEST_F(ToolBarTest, RisesGentlyUnlessDraggingAndLowersOnLeavingOnlyWithMove) {
    // With a tool, the pointer goes to a height (dragging or not), and the bar slides for a
    // while: whether the pointer is on the bar, and the bar's height after, within a margin.
    // clang-format off
    const struct { int tool; float pointer; bool busy; float seconds; bool onBar; float y, within; }
    steps[] = {
        {tools::Move, -271, false, 0.75f, false, -400, 0},  // lowered, it shows 28 units above -300
        {tools::Move, -290, true, 0.75f, true, -400, 0},    // something is dragged
        {tools::Move, -272, false, 0.15f, true, -379, 1},  // edge included; half a cosine: a slow start
        {tools::Move, -272, false, 0.7f, true, -180, 0},
        {tools::Move, 200, false, 0.3f, false, -256, 2},
        {tools::Move, -290, false, 0.015f, true, -250, 2},  // a reversal turns back where it is
        {tools::SmallGear, 200, false, 1.0f, false, -180, 0},  // with another tool it stays up
        {tools::Move, 200, false, 1.0f, false, -400, 0},
    };
    // clang-format on
    for (const auto& s : steps) {
        bar_->selectTool(s.tool);
        EXPECT_EQ(bar_->hover({0, s.pointer, 0}, s.busy), s.onBar) << "at " << s.pointer;
        for (float t = 0.0f; t < s.seconds - 1e-4f; t += 0.015f)
            bar_->slide->update(0.015f);
        EXPECT_NEAR(bar_->position.y, s.y, s.within) << "at " << s.pointer << " for " << s.seconds;
    }
}

TEST_F(ToolBarTest, AToolIsChosenByAReleaseOverTheButtonPressedAndTheSwitchActsOnThePress) {
    // Press on one place, move to another, release on a third: what the press plays, and what
    // is lit after each step (after the release: the tool chosen).
    const std::string click = "Playing button\n", motorOff = click + "Playing motorStop\n",
                      motorOn = click + "Playing motorStart\n";
    // clang-format off
    const struct { int press, over, release, button; std::string sound; const char* frames; }
    cases[] = {
        {tools::Delete, tools::ClearAll, tools::ClearAll, MOUSE_LEFT, click, "0 9 |0 |0 "},
        {tools::Delete, tools::Delete, tools::ClearAll, MOUSE_LEFT, click, "0 9 |0 9 |0 "},
        {SWITCH, SWITCH, SWITCH, MOUSE_LEFT, motorOff, "off 0 |off 0 |off 0 "},
        {tools::ResetChain, tools::ResetChain, tools::ResetChain, MOUSE_LEFT, click, "off 0 8 |off 0 8 |off 8 "},
        {SWITCH, SWITCH, SWITCH, MOUSE_LEFT, motorOn, "8 |8 |8 "},
        {tools::ResetChain, tools::Motor, tools::Motor, MOUSE_LEFT, click, "8 |8 |8 "},
        {tools::Motor, tools::Motor, tools::Motor, MOUSE_MIDDLE, "", "8 |8 |8 "},
        {BLANK, BLANK, BLANK, MOUSE_LEFT, "", "8 |8 |8 "},
        {BLANK, BLANK, BLANK, MOUSE_RIGHT, "", "8 |8 |0 "},  // back to Move, anywhere
    };
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(said([&] { bar_->mouseButton(c.button, BUTTON_DOWN, on(c.press)); }), c.sound)
            << c.press;
        std::string frames = lit() + "|";
        bar_->hover(on(c.over), false);
        frames += lit() + "|";
        bar_->mouseButton(c.button, BUTTON_UP, on(c.release));
        EXPECT_EQ(frames + lit(), c.frames) << c.press << " to " << c.over << " to " << c.release;
    }
    EXPECT_LE(Mix_Playing(-1), 7) << "six clicks and one motor sound at most";
    // Edges count: the small gear's button is 32 units wide at (-30, 40).
    EXPECT_EQ(bar_->buttonAt({-46, 24, 0}), tools::SmallGear);
    EXPECT_EQ(bar_->buttonAt({-13.9f, 40, 0}), BLANK);
}
