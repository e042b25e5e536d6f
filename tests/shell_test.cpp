#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/platform.h"
#include "app/shell.h"
#include "modes/state.h"
#include "support/fake_platform.h"
#include "support/gl_context.h"

namespace {

std::vector<std::string> journal;

// A mode that writes every call into the journal, with what currentState was at that time.
class Recorder : public State {
  public:
    explicit Recorder(const char* name, bool allowLeave = true)
        : State(name), allowLeave_(allowLeave) {}
    bool enter(State* previous) override {
        journal.push_back(std::string(name) + ".enter(" + nameOf(previous) +
                          ") current=" + nameOf(currentState));
        return false;  // ignored by changeState
    }
    bool leave(State* next) override {
        journal.push_back(std::string(name) + ".leave(" + nameOf(next) + ")");
        return allowLeave_;
    }
    void keyboard(unsigned char key, int, int) override {
        journal.push_back(std::string(name) + ".keyboard(" + std::to_string(key) + ")");
    }
    void special(int key, int, int) override {
        journal.push_back(std::string(name) + ".special(" + std::to_string(key) + ")");
    }
    void mouse(int button, int state, int x, int y) override {
        journal.push_back(std::string(name) + ".mouse(" + std::to_string(button) + "," +
                          std::to_string(state) + "," + std::to_string(x) + "," +
                          std::to_string(y) + ")");
    }
    void display() override { journal.push_back(std::string(name) + ".display"); }

    static std::string nameOf(State* state) { return state == nullptr ? "null" : state->name; }

  private:
    bool allowLeave_;
};

class Shell : public ::testing::Test {
  protected:
    void SetUp() override {
        journal.clear();
        currentState = nullptr;
    }
    void TearDown() override { currentState = nullptr; }
    FakePlatform platform_;
};

TEST_F(Shell, ChangeStateLeavesTheOldModeThenEntersTheNew) {
    Recorder first("first"), second("second");
    EXPECT_TRUE(changeState(&first));
    EXPECT_TRUE(changeState(&second));
    EXPECT_EQ(currentState, &second);
    const std::vector<std::string> expected = {
        "first.enter(null) current=null",
        "first.leave(second)",
        "second.enter(first) current=first",
    };
    EXPECT_EQ(journal, expected);
}

TEST_F(Shell, AVetoKeepsTheCurrentModeAndEntersNothing) {
    Recorder stubborn("stubborn", false), other("other");
    changeState(&stubborn);
    journal.clear();
    EXPECT_FALSE(changeState(&other));
    EXPECT_EQ(currentState, &stubborn);
    EXPECT_EQ(journal, std::vector<std::string>{"stubborn.leave(other)"});
}

TEST_F(Shell, SwitchingToNullLeavesEveryEventUnanswered) {
    Recorder only("only");
    changeState(&only);
    EXPECT_TRUE(changeState(nullptr));
    EXPECT_EQ(currentState, nullptr);
    journal.clear();
    onMouse(0, 1, 5, 5);
    onKeyboard('a', 0, 0);
    onSpecial(platform::KEY_F4, 0, 0);
    advanceFrame();
    EXPECT_TRUE(journal.empty());
    EXPECT_EQ(FakePlatform::redisplays, 0);
}

TEST_F(Shell, EventsReachTheCurrentModeUnchanged) {
    Recorder mode("mode");
    changeState(&mode);
    journal.clear();
    onMouse(2, 0, 640, 17);
    onKeyboard('q', 0, 0);              // plain q is no exit key
    onSpecial(platform::KEY_F4, 0, 0);  // F4 without Alt goes to the mode
    FakePlatform::modifierBits = platform::MODIFIER_ALT;
    onSpecial(5, 0, 0);  // Alt with another key too
    const std::vector<std::string> expected = {"mode.mouse(2,0,640,17)", "mode.keyboard(113)",
                                               "mode.special(4)", "mode.special(5)"};
    EXPECT_EQ(journal, expected);
}

TEST_F(Shell, BaseModeDrawsNothingAndAsksForARedrawEveryFrame) {
    State plain("plain");
    changeState(&plain);
    advanceFrame();
    advanceFrame();
    EXPECT_EQ(FakePlatform::redisplays, 2);
    EXPECT_TRUE(plain.leave(nullptr));
    EXPECT_TRUE(plain.enter(nullptr));
}

TEST_F(Shell, DisplayClearsDrawsTheModeAndSwaps) {
    GlContext gl;
    Recorder mode("mode");
    changeState(&mode);
    journal.clear();
    displayFrame();
    EXPECT_EQ(journal, std::vector<std::string>{"mode.display"});
    EXPECT_EQ(FakePlatform::swaps, 1);
}

TEST_F(Shell, ExitKeysAreEscapeCtrlQAndAltF4) {
    EXPECT_TRUE(isExitKey(27));
    EXPECT_TRUE(isExitKey(17));
    EXPECT_FALSE(isExitKey('q'));
    EXPECT_TRUE(isExitSpecial(platform::KEY_F4, platform::MODIFIER_ALT));
    EXPECT_TRUE(isExitSpecial(platform::KEY_F4, platform::MODIFIER_ALT | platform::MODIFIER_SHIFT));
    EXPECT_FALSE(isExitSpecial(platform::KEY_F4, platform::MODIFIER_CTRL));
    EXPECT_FALSE(isExitSpecial(5, platform::MODIFIER_ALT));
}

using ShellDeathTest = Shell;

TEST_F(ShellDeathTest, EscapeEndsTheProgramWithStatusZeroWithoutAskingTheMode) {
    Recorder mode("mode");
    changeState(&mode);
    EXPECT_EXIT(onKeyboard(27, 0, 0), ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(onKeyboard(17, 0, 0), ::testing::ExitedWithCode(0), "");
    FakePlatform::modifierBits = platform::MODIFIER_ALT;
    EXPECT_EXIT(onSpecial(platform::KEY_F4, 0, 0), ::testing::ExitedWithCode(0), "");
}

}  // namespace
