#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "replay/script.h"

// A fuzzer's bytes read as the events a player and a window system can produce. The encoding
// spends its bytes on where things happen rather than on syntax: every byte string is valid,
// and a pointer position may be named by a piece on the board ("over the third gear"), so that
// small mutations move between states that a random click would seldom reach.
//
// Each event is an opcode byte, taken modulo EVENT_KINDS, then its arguments:
//   frame    a: dt = FRAME_TIMES[a & 7], (a >> 3 & 7) + 1 frames, drawn if a >> 6 == 3
//   mouse    b: button b & 7 (3 to 7 are the wheel's notches and tilts), up if b & 8; position
//   click    position
//   motion   position
//   passive  position
//   shift    down if the opcode's quotient is odd
//   key      code (the exit keys are skipped: a run must not end the process)
//   special  code, Alt held if the opcode's quotient is odd (Alt+F4 is skipped)
//   reshape  width and height, signed 16-bit little-endian each
//   wm       the window manager accepts the game's requests if the quotient is odd
// A position is a mode byte m and its arguments, by m & 3:
//   0 exact window pixels: x and y, signed 16-bit little-endian each
//   1 a 256 by 256 grid over the board, wherever the window puts it: two bytes
//   2 a step from the last position: dx and dy, signed bytes
//   3 over a piece: byte k; odd k: gear k / 2, even k: chain point k / 2 counted over every
//     chain in order (both modulo what there is), plus m >> 2 & 7 and m >> 5 & 7, less 4, pixels
// An event cut short by the end of the bytes is dropped.
struct FuzzEvent {
    Command command;
    bool draw = true;  // a frame's display cycle runs (drawing is slow and changes no state)
};

class FuzzEventReader {
  public:
    static constexpr int EVENT_KINDS = 12;
    static constexpr float FRAME_TIMES[8] = {0.016f,  0.0f,  1e-6f,   0.001f,
                                             0.0167f, 0.03f, 0.0301f, 0.25f};

    FuzzEventReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    // The next event, read against the game's present state; none once the bytes are spent.
    std::optional<FuzzEvent> next();

  private:
    bool byte(int& value);
    bool signedByte(int& value);
    bool signed16(int& value);
    bool position(Command& command);
    bool overPiece(int mode, int& x, int& y);

    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
    int lastX_ = 0;
    int lastY_ = 0;
};
