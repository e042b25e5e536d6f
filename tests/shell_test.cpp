#include <GL/gl.h>
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
    void keyboard(unsigned char key, int, int) override { note("key", key, 0, 0, 0); }
    void special(int key, int, int) override { note("special", key, 0, 0, 0); }
    void mouse(int button, int state, int x, int y) override { note("mouse", button, state, x, y); }
    void display() override { journal.push_back(std::string(name) + ".display"); }

  private:
    static std::string nameOf(State* state) { return state == nullptr ? "null" : state->name; }
    void note(const char* what, int a, int b, int c, int d) {
        journal.push_back(std::string(name) + "." + what + " " + std::to_string(a) + " " +
                          std::to_string(b) + " " + std::to_string(c) + " " + std::to_string(d));
    }
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

TEST_F(Shell, ModesChangeInOrderAndAVetoKeepsTheCurrentOne) {
    Recorder first("first"), stubborn("stubborn", false), other("other");
    EXPECT_TRUE(changeState(&first));
    EXPECT_TRUE(changeState(&stubborn));
    EXPECT_FALSE(changeState(&other));
    EXPECT_EQ(currentState, &stubborn);
    EXPECT_EQ(journal, (std::vector<std::string>{
                           "first.enter(null) current=null", "first.leave(stubborn)",
                           "stubborn.enter(first) current=first", "stubborn.leave(other)"}));
}

TEST_F(Shell, EventsReachTheCurrentModeUnchangedAndNoModeAnswersNone) {
    Recorder mode("mode");
    changeState(&mode);
    journal.clear();
    onMouse(2, 0, 640, 17);
    EXPECT_EQ(journal, std::vector<std::string>{"mode.mouse 2 0 640 17"});
    changeState(nullptr);
    journal.clear();
    onMouse(0, 1, 5, 5);
    onKeyboard('a', 0, 0);
    onSpecial(platform::KEY_F4, 0, 0);
    advanceFrame();
    displayFrame();
    EXPECT_TRUE(journal.empty());
    EXPECT_EQ(FakePlatform::redisplays, 0);
}

TEST_F(Shell, AFrameClearsDrawsTheModeAndShowsIt) {
    GlContext gl;
    glClearColor(1, 0, 0, 1);
    Recorder mode("mode");
    changeState(&mode);
    journal.clear();
    displayFrame();
    EXPECT_EQ(journal, std::vector<std::string>{"mode.display"});
    EXPECT_EQ(gl.pixel(5, 5)[0], 255);
    EXPECT_EQ(FakePlatform::swaps, 1);
    // The base mode draws nothing and asks for a redraw after every update.
    State plain("plain");
    changeState(&plain);
    advanceFrame();
    advanceFrame();
    EXPECT_EQ(FakePlatform::redisplays, 2);
}

// Escape, Ctrl+Q and Alt+F4 end the program with status 0 without asking the mode; any other
// key, F4 without Alt included, goes to the mode.
TEST_F(Shell, ExitKeysEndTheProgramAndOtherKeysReachTheMode) {
    const struct {
        bool special;
        int key;
        int modifiers;
        bool exits;
    } cases[] = {
        {false, 27, 0, true},
        {false, 17, 0, true},
        {false, 'q', 0, false},
        {true, platform::KEY_F4, platform::MODIFIER_ALT, true},
        {true, platform::KEY_F4, platform::MODIFIER_ALT | platform::MODIFIER_SHIFT, true},
        {true, platform::KEY_F4, platform::MODIFIER_CTRL, false},
        {true, platform::KEY_F4, 0, false},
        {true, 5, platform::MODIFIER_ALT, false},
    };
    GTEST_FLAG_SET(death_test_style, "threadsafe");  // others' threads make fork() unsafe
    Recorder mode("mode");
    changeState(&mode);
    for (const auto& c : cases) {
        const std::string name = (c.special ? "special " : "key ") + std::to_string(c.key) +
                                 " modifiers " + std::to_string(c.modifiers);
        FakePlatform::modifierBits = c.modifiers;
        const auto press = [&] {
            c.special ? onSpecial(c.key, 0, 0)
                      : onKeyboard(static_cast<unsigned char>(c.key), 0, 0);
        };
        journal.clear();
        if (c.exits) {
            EXPECT_EXIT(press(), ::testing::ExitedWithCode(0), "") << name;
        } else {
            press();
            EXPECT_EQ(journal, std::vector<std::string>{std::string("mode.") +
                                                        (c.special ? "special " : "key ") +
                                                        std::to_string(c.key) + " 0 0 0"})
                << name;
        }
    }
}

}  // namespace
