#include <GL/gl.h>
#include <SDL2/SDL_mixer.h>
#include <gtest/gtest.h>

#include <csignal>
#include <string>

#include "app/platform.h"
#include "app/shell.h"
#include "audio/sound.h"
#include "modes/state.h"
#include "support/fake_platform.h"
#include "support/gl_context.h"
#include "support/test_sounds.h"

static std::string journal;

// A mode that writes every call into the journal; entering, also what currentState is then.
class Recorder : public State {
  public:
    Recorder(const char* name, bool allowLeave = true) : State(name), allowLeave(allowLeave) {}
    bool allowLeave;
    static std::string nameOf(State* state) { return state == nullptr ? "null" : state->name; }
    bool enter(State* previous) override {
        return note("enter " + nameOf(previous) + " from " + nameOf(currentState)), false;
    }
    bool leave(State* next) override { return note("leave " + nameOf(next)), allowLeave; }
    void keyboard(unsigned char key, int, int) override { note("key", key); }
    void special(int key, int, int) override { note("special", key); }
    void mouse(int button, int state, int x, int y) override { note("mouse", button, state, x, y); }
    void display() override { note("display"); }
    template <typename... Numbers>
    void note(const std::string& what, Numbers... numbers) {
        journal += std::string(name) + "." + what;
        ((journal += " " + std::to_string(numbers)), ...);
        journal += "; ";
    }
};

class Shell : public ::testing::Test {
  protected:
    void SetUp() override { journal.clear(), currentState = nullptr; }
    void TearDown() override { currentState = nullptr; }
    FakePlatform platform_;
};

TEST_F(Shell, ModesChangeInOrderAndEventsAndFramesReachTheCurrentOne) {
    GlContext gl;
    glClearColor(1, 0, 0, 1);
    Recorder first("first"), stubborn("stubborn", false), other("other");
    EXPECT_TRUE(changeState(&first) && changeState(&stubborn));
    EXPECT_FALSE(changeState(&other)) << "a veto keeps the current mode";
    onMouse(2, 0, 640, 17);
    displayFrame();
    EXPECT_EQ(journal,
              "first.enter null from null; first.leave stubborn; stubborn.enter first from first; "
              "stubborn.leave other; stubborn.mouse 2 0 640 17; stubborn.display; ");
    EXPECT_EQ(gl.pixel(5, 5)[0], 255) << "not cleared";
    stubborn.allowLeave = true;
    State plain("plain");  // the base mode draws nothing and asks for a redraw every update
    changeState(&plain);
    advanceFrame();
    changeState(nullptr);
    journal.clear();
    onMouse(0, 1, 5, 5), onKeyboard('a', 0, 0), onSpecial(5, 0, 0);
    advanceFrame(), displayFrame();
    EXPECT_EQ(journal, "") << "without a mode nothing happens";
    EXPECT_EQ(std::pair(FakePlatform::redisplays, FakePlatform::swaps), std::pair(1, 2));
}

// Escape, Ctrl+Q, Alt+F4 and SIGTERM end the game through its one exit: the sounds' audio
// layer is closed (the real SDL_mixer, on SDL's silent driver) and the main loop is left; the mode
// never hears them. Any other key, F4 without Alt included, goes to the mode and ends nothing.
TEST_F(Shell, TheExitKeysAndSigtermCloseTheAudioAndLeaveTheLoopAndOthersGoToTheMode) {
    using namespace platform;
    constexpr int TERM = -1;
    // clang-format off
    const struct { bool special; int key, modifiers; const char* heard; } cases[] = {
        {false, 27, 0, ""}, {false, 17, 0, ""}, {false, 'q', 0, "mode.key 113; "},
        {true, KEY_F4, MODIFIER_ALT, ""}, {true, KEY_F4, MODIFIER_ALT | MODIFIER_SHIFT, ""},
        {true, KEY_F4, MODIFIER_CTRL, "mode.special 4; "}, {true, KEY_F4, 0, "mode.special 4; "},
        {true, 5, MODIFIER_ALT, "mode.special 5; "}, {false, TERM, 0, ""}};
    // clang-format on
    Recorder mode("mode");
    changeState(&mode);
    endOnTermination();
    for (const auto& c : cases) {
        forgetSilentTestSounds();
        useSilentTestSounds();
        ASSERT_GT(Mix_QuerySpec(nullptr, nullptr, nullptr), 0) << "the audio did not open";
        journal.clear();
        FakePlatform::leaves = 0;
        FakePlatform::modifierBits = c.modifiers;
        if (c.key == TERM) {
            std::raise(SIGTERM);
            idleFrame();
        } else {
            c.special ? onSpecial(c.key, 0, 0) : onKeyboard(c.key, 0, 0);
        }
        const bool ends = std::string(c.heard).empty();
        EXPECT_EQ(journal, c.heard) << c.key << " with modifiers " << c.modifiers;
        EXPECT_EQ(FakePlatform::leaves, ends ? 1 : 0) << c.key << " with modifiers " << c.modifiers;
        EXPECT_EQ(Mix_QuerySpec(nullptr, nullptr, nullptr), ends ? 0 : 1)
            << c.key << " with modifiers " << c.modifiers << ": the audio is not as it should be";
        Sound::shutdown();
    }
    std::signal(SIGTERM, SIG_DFL);
    forgetSilentTestSounds();
}
