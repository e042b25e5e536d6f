#pragma once

#include <istream>
#include <memory>

class HeadlessWindow;
struct Command;

// Exit statuses of a replay.
constexpr int REPLAY_DONE = 0;
constexpr int REPLAY_FAILED = 1;  // a shot could not be written, or no GL context
constexpr int REPLAY_UNREADABLE_LINE = 2;
constexpr int REPLAY_BROKEN_INVARIANT = 3;

// The game started as its own main starts it, less the window: the start screen, the
// initial display state, the five sounds on a silent output, and an 800 by 600 window. Runs
// script lines against it one at a time.
class Replay {
  public:
    Replay();
    ~Replay();
    Replay(const Replay&) = delete;
    Replay& operator=(const Replay&) = delete;

    // Runs every line; returns the exit status. Escape and the other exit keys end the
    // process from inside the game, as they end the game.
    int run(std::istream& script);

    // One command; REPLAY_DONE to go on, or the status to end with. lineNumber names the
    // command in messages.
    int execute(const Command& command, int lineNumber);
    // One idle cycle of `seconds` (capped as the clock caps it), then a display cycle if draw.
    void frame(float seconds, bool draw = true);
    // Back to the start screen in an 800 by 600 window, as just after construction, without
    // loading anything again: many runs in one process begin alike.
    void restart();

  private:
    // The window system reports a width by height window.
    void windowResized(int width, int height);

    std::unique_ptr<HeadlessWindow> window_;
    int pointerX_ = 0;  // where the pointer was last seen, for key events
    int pointerY_ = 0;
};
