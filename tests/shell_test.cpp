#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>

#include "app/platform.h"
#include "app/shell.h"
#include "modes/state.h"
#include "support/fake_platform.h"
#include "support/gl_context.h"

namespace {

std::string journal;

std::string nameOf(State* state) {
    return state == nullptr ? "null" : state->name;
}

// A mode that writes every call into the journal; entering, also what currentState is then.
class Recorder : public State {
  public:
    explicit Recorder(const char* name, bool allowLeave = true)
        : State(name), allowLeave_(allowLeave) {}
    bool enter(State* previous) override {
        note("enter " + nameOf(previous) + " from " + nameOf(currentState));
        return false;  // ignored by changeState
    }
    bool leave(State* next) override {
        note("leave " + nameOf(next));
        return allowLeave_;
    }
    void keyboard(unsigned char key, int, int) override { note("key " + std::to_string(key)); }
    void special(int key, int, int) override { note("special " + std::to_string(key)); }
    void mouse(int button, int state, int x, int y) override {
        note("mouse " + std::to_string(button) + std::to_string(state) + " " + std::to_string(x) +
             "," + std::to_string(y));
    }
    void display() override { note("display"); }

  private:
    void note(const std::string& what) { journal += std::string(name) + "." + what + "; "; }
    bool allowLeave_;
};

class Shell : public ::testing::Test {
  protected:
    void SetUp() override { journal.clear(), currentState = nullptr; }
    void TearDown() override { currentState = nullptr; }
    FakePlatform platform_;
};

TEST_F(Shell, ModesChangeInOrderAndAVetoKeepsTheCurrentOne) {
    Recorder first("first"), stubborn("stubborn", false), other("other");
    EXPECT_TRUE(changeState(&first) && changeState(&stubborn));
    EXPECT_FALSE(changeState(&other));
    EXPECT_EQ(currentState, &stubborn);
    EXPECT_EQ(journal,
              "first.enter null from null; first.leave stubborn; stubborn.enter first from first; "
              "stubborn.leave other; ");
}

TEST_F(Shell, EventsAndFramesReachTheCurrentModeAndWithoutOneNothingHappens) {
    GlContext gl;
    glClearColor(1, 0, 0, 1);
    Recorder mode("mode");
    changeState(&mode);
    journal.clear();
    onMouse(2, 0, 640, 17);
    displayFrame();
    EXPECT_EQ(journal, "mode.mouse 20 640,17; mode.display; ");
    EXPECT_EQ(gl.pixel(5, 5)[0], 255) << "not cleared";
    EXPECT_EQ(FakePlatform::swaps, 1);
    State plain("plain");  // the base mode draws nothing and asks for a redraw every update
    changeState(&plain);
    advanceFrame();
    advanceFrame();
    EXPECT_EQ(FakePlatform::redisplays, 2);
    changeState(nullptr);
    journal.clear();
    onMouse(0, 1, 5, 5);
    onKeyboard('a', 0, 0);
    onSpecial(platform::KEY_F4, 0, 0);
    advanceFrame();
    displayFrame();
    EXPECT_EQ(journal, "");
    EXPECT_EQ(FakePlatform::redisplays, 2);
}

// Escape, Ctrl+Q and Alt+F4 end the program (the real window shows they do); any other key,
// F4 without Alt included, goes to the mode.
TEST_F(Shell, OnlyTheExitKeysAreKeptFromTheMode) {
    const struct {
        bool special;
        int key, modifiers;
        bool exits;
    } cases[] = {{false, 27, 0, true},
                 {false, 17, 0, true},
                 {false, 'q', 0, false},
                 {true, platform::KEY_F4, platform::MODIFIER_ALT, true},
                 {true, platform::KEY_F4, platform::MODIFIER_ALT | platform::MODIFIER_SHIFT, true},
                 {true, platform::KEY_F4, platform::MODIFIER_CTRL, false},
                 {true, platform::KEY_F4, 0, false},
                 {true, 5, platform::MODIFIER_ALT, false}};
    Recorder mode("mode");
    changeState(&mode);
    for (const auto& c : cases) {
        const std::string name = (c.special ? "special " : "key ") + std::to_string(c.key);
        EXPECT_EQ(c.special ? isExitSpecial(c.key, c.modifiers) : isExitKey(c.key), c.exits)
            << name << " with modifiers " << c.modifiers;
        if (!c.exits) {
            journal.clear();
            FakePlatform::modifierBits = c.modifiers;
            c.special ? onSpecial(c.key, 0, 0) : onKeyboard(c.key, 0, 0);
            EXPECT_EQ(journal, "mode." + name + "; ");
        }
    }
}

}  // namespace
