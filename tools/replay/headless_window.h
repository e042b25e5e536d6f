#pragma once

#include <vector>

// The game's window without a window system: an off-screen Mesa (OSMesa) GL context of the
// window's size, and the platform services the game asks the window system for. While it
// exists it is the installed platform backend: the clock reads the replay's own time, the
// modifier keys are what the script says, and a reshapeWindow from the game resizes the
// drawing buffer as a real window would be resized.
class HeadlessWindow {
  public:
    HeadlessWindow(int width, int height);
    ~HeadlessWindow();
    HeadlessWindow(const HeadlessWindow&) = delete;
    HeadlessWindow& operator=(const HeadlessWindow&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }
    // The pixels drawn so far, RGBA, bottom row first (GL's order).
    const std::vector<unsigned char>& pixels() const;

    // The window's drawing area becomes this size; the old picture is gone, as in a window
    // that has not been redrawn yet.
    void resize(int width, int height);

    // Replay time passes on the window system's clock.
    void advanceClock(float seconds) { elapsedSeconds_ += seconds; }
    int elapsedMilliseconds() const { return static_cast<int>(elapsedSeconds_ * 1000.0); }

    void setShift(bool held) { shift_ = held; }
    void setAlt(bool held) { alt_ = held; }
    int modifiers() const;

  private:
    int width_ = 0;
    int height_ = 0;
    std::vector<unsigned char> buffer_;
    void* context_ = nullptr;
    double elapsedSeconds_ = 0.0;
    bool shift_ = false;
    bool alt_ = false;
};
