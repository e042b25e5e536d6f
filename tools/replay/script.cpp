#include "replay/script.h"

#include <charconv>
#include <sstream>
#include <vector>

#include "app/platform.h"
#include "replay/float_text.h"

namespace {

constexpr int LAST_GLUT_BUTTON = 7;  // freeglut: 3 and 4 are the wheel's notches, 5 to 7 more

std::vector<std::string> splitWords(const std::string& line) {
    const std::string code = line.substr(0, line.find('#'));  // '#' starts a comment
    std::istringstream words(code);
    std::vector<std::string> result;
    for (std::string word; words >> word;) {
        result.push_back(word);
    }
    return result;
}

// Plain decimal integers only: no sign but '-', no exponent, nothing after the digits.
bool readInt(const std::string& word, int& value) {
    const char* end = word.data() + word.size();
    const auto [stop, error] = std::from_chars(word.data(), end, value);
    return error == std::errc() && stop == end;
}

// Decimal fractions such as 0.016 or 5, read straight into the nearest float.
bool readSeconds(const std::string& word, float& value) {
    return readDecimalFloat(word, value);
}

bool readButton(const std::string& word, int& button) {
    if (word == "left") {
        button = platform::MOUSE_LEFT;
    } else if (word == "middle") {
        button = platform::MOUSE_MIDDLE;
    } else if (word == "right") {
        button = platform::MOUSE_RIGHT;
    } else {
        return readInt(word, button) && button >= 0 && button <= LAST_GLUT_BUTTON;
    }
    return true;
}

bool readButtonState(const std::string& word, int& state) {
    if (word == "down") {
        state = platform::BUTTON_DOWN;
    } else if (word == "up") {
        state = platform::BUTTON_UP;
    } else {
        return false;
    }
    return true;
}

bool readPoint(const std::vector<std::string>& words, std::size_t first, Command& command) {
    return words.size() == first + 2 && readInt(words[first], command.x) &&
           readInt(words[first + 1], command.y);
}

bool readFrames(const std::vector<std::string>& words, Command& command) {
    std::size_t next = 1;
    command.count = 1;
    if (words[0] == "frames") {
        if (words.size() < 2 || !readInt(words[1], command.count) || command.count < 0) {
            return false;
        }
        next = 2;
    }
    if (words.size() == next) {
        return true;
    }
    return words.size() == next + 1 && readSeconds(words[next], command.dt);
}

}  // namespace

bool parseLine(const std::string& line, std::optional<Command>& command) {
    command.reset();
    const std::vector<std::string> words = splitWords(line);
    if (words.empty()) {
        return true;
    }
    const std::string& name = words[0];
    const std::size_t argumentCount = words.size() - 1;
    Command parsed;
    bool readable = false;
    if (name == "frame" || name == "frames") {
        parsed.kind = Command::Kind::Frame;
        readable = readFrames(words, parsed);
    } else if (name == "mouse") {
        parsed.kind = Command::Kind::Mouse;
        readable = argumentCount == 4 && readButton(words[1], parsed.button) &&
                   readButtonState(words[2], parsed.state) && readPoint(words, 3, parsed);
    } else if (name == "click" || name == "motion" || name == "passive") {
        parsed.kind = name == "click"    ? Command::Kind::Click
                      : name == "motion" ? Command::Kind::Motion
                                         : Command::Kind::Passive;
        readable = readPoint(words, 1, parsed);
    } else if (name == "shift") {
        parsed.kind = Command::Kind::Shift;
        readable = argumentCount == 1 && (words[1] == "on" || words[1] == "off");
        parsed.on = readable && words[1] == "on";
    } else if (name == "key") {
        parsed.kind = Command::Kind::Key;
        // The keyboard callback receives one byte.
        readable = argumentCount == 1 && readInt(words[1], parsed.code) && parsed.code >= 0 &&
                   parsed.code <= 255;
    } else if (name == "special") {
        parsed.kind = Command::Kind::Special;
        readable = (argumentCount == 1 || (argumentCount == 2 && words[2] == "alt")) &&
                   readInt(words[1], parsed.code);
        parsed.on = argumentCount == 2;
    } else if (name == "reshape") {
        parsed.kind = Command::Kind::Reshape;
        readable = readPoint(words, 1, parsed);
    } else if (name == "wm") {
        parsed.kind = Command::Kind::WindowManager;
        readable = argumentCount == 1 && (words[1] == "refuse" || words[1] == "accept");
        parsed.on = readable && words[1] == "accept";
    } else if (name == "dump" || name == "check") {
        parsed.kind = name == "dump" ? Command::Kind::Dump : Command::Kind::Check;
        readable = argumentCount == 0;
    } else if (name == "shot") {
        parsed.kind = Command::Kind::Shot;
        readable = argumentCount == 1;
        parsed.file = readable ? words[1] : "";
    }
    if (readable) {
        command = parsed;
    }
    return readable;
}
