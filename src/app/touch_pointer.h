#pragma once

// One finger as the game's mouse. A touch screen has no hover and no right button, and a
// finger is neither still nor exact, so the press is decided only once the finger shows what
// it means:
//   - touching moves the pointer there (the tool bar rises, a tool's glow follows) and
//     presses nothing yet;
//   - lifting it again before it has moved is a left click where it touched;
//   - moving it farther than the slop presses the left button where it touched and drags;
//   - holding it still for LONG_PRESS_MS first makes it the right button instead: a drag then
//     lifts a gear over the others, and lifting the finger without moving is a right click.
// While one finger is down every other finger is ignored; a cancelled touch releases a
// pressed button where the finger last was. Times are the caller's clock in milliseconds,
// positions window pixels as the mouse callbacks take them.
class TouchPointer {
  public:
    // Where the translated events go: the shell's pointer forwarders in the game.
    struct Events {
        void (*passiveMotion)(int x, int y);
        void (*motion)(int x, int y);
        void (*mouse)(int button, int state, int x, int y);
    };

    static constexpr double LONG_PRESS_MS = 500.0;

    // slopPixels: how far a finger may wander, in window pixels, and still be holding still.
    TouchPointer(Events events, double slopPixels) : events_(events), slop_(slopPixels) {}

    // The page's pixel density can change (zoom, another screen); the slop follows it.
    void setSlop(double slopPixels) { slop_ = slopPixels; }

    void start(int finger, int x, int y, double ms);
    void move(int finger, int x, int y, double ms);
    void end(int finger, int x, int y, double ms);
    void cancel(int finger);

    // Whether a finger is being followed.
    bool down() const { return phase_ != Phase::Idle; }

  private:
    enum class Phase { Idle, Touching, Dragging };

    bool isFollowed(int finger) const { return phase_ != Phase::Idle && finger == finger_; }
    bool beyondSlop(int x, int y) const;
    int buttonAfter(double ms) const;

    Events events_;
    double slop_;
    Phase phase_ = Phase::Idle;
    int finger_ = 0;
    int button_ = 0;
    int startX_ = 0, startY_ = 0;
    int lastX_ = 0, lastY_ = 0;
    double startMs_ = 0.0;
};
