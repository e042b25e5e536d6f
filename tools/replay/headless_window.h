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
    // The pixels drawn so far, RGBA, bottom row first (GL's order), of the window's lower left
    // part that the buffer covers: all of it unless a side is longer than MAX_BUFFER_SIDE.
    const std::vector<unsigned char>& pixels() const;
    int bufferWidth() const { return bufferWidth_; }
    int bufferHeight() const { return bufferHeight_; }
    // Waits until everything drawn so far is in the buffer (a swap of the game's window).
    void finishDrawing() const;

    static constexpr int SCREEN_SIZE = 16384;
    // A window system may report any size, but a buffer for 32767 by 32767 pixels would take 4
    // GB: the drawing is clipped to this many pixels a side (16 MB at most), as a window larger
    // than its screen shows only part of itself.
    static constexpr int MAX_BUFFER_SIDE = 2048;

    // The window's drawing area becomes this size; the old picture is gone, as in a window
    // that has not been redrawn yet. The new buffer is made when drawing next needs it, so that
    // a run that resizes often and draws seldom (the fuzzer's) does not clear megabytes for
    // nothing; until then GL keeps drawing into the old one.
    void resize(int width, int height);
    // Gives the window its buffer of the present size, if it has not got it yet: before a frame
    // is drawn or its pixels read.
    void prepareBuffer();
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

    // Back to how the window began: the clock at 0, no modifier held, requests granted.
    void restart();

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
    int bufferWidth_ = 0;
    int bufferHeight_ = 0;
    bool bufferStale_ = true;
    std::vector<unsigned char> buffer_;
    void* context_ = nullptr;
    double elapsedSeconds_ = 0.0;
    bool shift_ = false;
    bool alt_ = false;
    bool grantsRequests_ = true;
    std::optional<std::pair<int, int>> granted_;
};
