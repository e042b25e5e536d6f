#pragma once

#include <optional>
#include <string>

// One line of a replay script, read into the callback or query it stands for. Coordinates are
// window pixels, origin top left, exactly as the window system would deliver them.
struct Command {
    enum class Kind {
        Frame,          // `count` idle and display cycles of `dt` seconds each (frame, frames)
        Mouse,          // button, state, x, y
        Click,          // left press and release at x, y
        Motion,         // x, y
        Passive,        // x, y
        Shift,          // on: Shift goes down (or up), as the key would
        Key,            // code
        Special,        // code; on: Alt held during the call
        Reshape,        // x, y are the width and height
        WindowManager,  // on: the game's resize requests are granted from now on
        Dump,
        Shot,  // file
        Check,
    };

    Kind kind = Kind::Dump;
    int count = 1;
    float dt = DEFAULT_FRAME_TIME;
    int button = 0;  // GLUT's number: 0 to 2, or 3 to 7 for the wheel's notches and tilts
    int state = 0;
    int x = 0;
    int y = 0;
    int code = 0;
    bool on = false;
    std::string file;

    // A frame a little shorter than a 60 Hz display's.
    static constexpr float DEFAULT_FRAME_TIME = 0.016f;
};

// Reads one script line. False: the line is not a command this tool understands. True with
// an empty command: a blank or comment-only line.
bool parseLine(const std::string& line, std::optional<Command>& command);
