#pragma once

#include <optional>
#include <utility>
#include <vector>

// The game's window without a window system: an off-screen GL context of the window's size
// (Mesa's OSMesa; none on Windows, where only the dumps are wanted), and the platform services the
// game asks the window system for. While it exists it is the installed platform backend: the clock
// reads the replay's own time, the modifier keys are what the script says, and the game's own
// resize requests are granted, as a window manager grants them, or refused, as a maximised window
// or a tiling manager refuses.
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
    // Waits until everything drawn so far is in the buffer (a swap of the game's window).
    void finishDrawing() const;

    static constexpr int SCREEN_SIZE = 16384;

    // The window's drawing area becomes this size; the old picture is gone, as in a window
    // that has not been redrawn yet.
    void resize(int width, int height);
    // The game asks for a new size (glutReshapeWindow); a granted size takes effect, and is
    // reported, through takeNewSize.
    void requestSize(int width, int height);
    void grantRequests(bool grant) { grantsRequests_ = grant; }
    // The size granted since the last call, if it differs from the window's: the window now
    // has it, and the game is to hear of it through its reshape callback.
    std::optional<std::pair<int, int>> takeNewSize();

    // Replay time passes on the window system's clock.
    void advanceClock(float seconds) { elapsedSeconds_ += seconds; }
    int elapsedMilliseconds() const { return static_cast<int>(elapsedSeconds_ * 1000.0); }

    void setShift(bool held) { shift_ = held; }
    void setAlt(bool held) { alt_ = held; }
    int modifiers() const;

  private:
    // The drawing context, one implementation per platform: made once, and drawing into
    // buffer_ (sized for the window) after every resize.
    void createContext();
    void destroyContext();
    void drawIntoBuffer();

    int width_ = 0;
    int height_ = 0;
    std::vector<unsigned char> buffer_;
    void* context_ = nullptr;
    double elapsedSeconds_ = 0.0;
    bool shift_ = false;
    bool alt_ = false;
    bool grantsRequests_ = true;
    std::optional<std::pair<int, int>> granted_;
};
