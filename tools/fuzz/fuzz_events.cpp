#include "fuzz/fuzz_events.h"

#include <cmath>

#include "app/board_box.h"
#include "app/display_state.h"
#include "app/platform.h"
#include "app/shell.h"
#include "modes/live_mode.h"

namespace {

enum Opcode {
    FRAME,
    MOUSE,
    CLICK,
    MOTION,
    PASSIVE,
    SHIFT,
    KEY,
    SPECIAL,
    RESHAPE,
    WINDOW_MANAGER,
    FRAME_TOO,  // frames and motion are most of what a player does: they get two opcodes
    MOTION_TOO,
};
static_assert(MOTION_TOO + 1 == FuzzEventReader::EVENT_KINDS, "every opcode is read");

// Window pixels of a board point, through the box the board is drawn in.
void toWindow(Vec3 point, int& x, int& y) {
    const double pixelsPerUnit = windowWidth / 800.0;
    const double px = boardLeft + (point.x + 400.0) * pixelsPerUnit;
    const double py = boardTop + (300.0 - point.y) * pixelsPerUnit;
    // A piece is always on the board, but a pointer position is only ever an int.
    x = std::isfinite(px) ? static_cast<int>(std::fmax(-30000.0, std::fmin(30000.0, px))) : 0;
    y = std::isfinite(py) ? static_cast<int>(std::fmax(-30000.0, std::fmin(30000.0, py))) : 0;
}

}  // namespace

bool FuzzEventReader::byte(int& value) {
    if (at_ >= size_) {
        return false;
    }
    value = data_[at_++];
    return true;
}

bool FuzzEventReader::signedByte(int& value) {
    if (!byte(value)) {
        return false;
    }
    value = static_cast<std::int8_t>(value);
    return true;
}

bool FuzzEventReader::signed16(int& value) {
    int low = 0;
    int high = 0;
    if (!byte(low) || !byte(high)) {
        return false;
    }
    value = static_cast<std::int16_t>(static_cast<std::uint16_t>(low | high << 8));
    return true;
}

bool FuzzEventReader::overPiece(int mode, int& x, int& y) {
    int k = 0;
    if (!byte(k)) {
        return false;
    }
    Vec3 at{0.0f, 0.0f, 0.0f};
    const Board& board = liveMode.board;
    std::size_t pointCount = 0;
    for (const auto& chain : board.chains) {
        pointCount += chain->points.size();
    }
    if (k % 2 == 1 && !board.gears.empty()) {
        at = board.gears[static_cast<std::size_t>(k / 2) % board.gears.size()]->position;
    } else if (pointCount > 0) {
        std::size_t index = static_cast<std::size_t>(k / 2) % pointCount;
        for (const auto& chain : board.chains) {
            if (index < chain->points.size()) {
                at = chain->points[index]->position;
                break;
            }
            index -= chain->points.size();
        }
    }
    toWindow(at, x, y);
    x += (mode >> 2 & 7) - 4;
    y += (mode >> 5 & 7) - 4;
    return true;
}

bool FuzzEventReader::position(Command& command) {
    int mode = 0;
    if (!byte(mode)) {
        return false;
    }
    int x = lastX_;
    int y = lastY_;
    switch (mode & 3) {
        case 0:
            if (!signed16(x) || !signed16(y)) {
                return false;
            }
            break;
        case 1: {
            int column = 0;
            int row = 0;
            if (!byte(column) || !byte(row)) {
                return false;
            }
            toWindow({column * (800.0f / 255.0f) - 400.0f, 300.0f - row * (600.0f / 255.0f), 0.0f},
                     x, y);
            break;
        }
        case 2: {
            int dx = 0;
            int dy = 0;
            if (!signedByte(dx) || !signedByte(dy)) {
                return false;
            }
            x += dx;
            y += dy;
            break;
        }
        default:
            if (!overPiece(mode, x, y)) {
                return false;
            }
            break;
    }
    command.x = lastX_ = x;
    command.y = lastY_ = y;
    return true;
}

std::optional<FuzzEvent> FuzzEventReader::next() {
    using Kind = Command::Kind;
    for (;;) {
        int opcode = 0;
        if (!byte(opcode)) {
            return std::nullopt;
        }
        const bool odd = (opcode / EVENT_KINDS) % 2 == 1;
        FuzzEvent event;
        Command& command = event.command;
        int argument = 0;
        switch (opcode % EVENT_KINDS) {
            case FRAME:
            case FRAME_TOO:
                if (!byte(argument)) {
                    return std::nullopt;
                }
                command.kind = Kind::Frame;
                command.dt = FRAME_TIMES[argument & 7];
                command.count = (argument >> 3 & 7) + 1;
                event.draw = argument >> 6 == 3;
                return event;
            case MOUSE:
                if (!byte(argument) || !position(command)) {
                    return std::nullopt;
                }
                command.kind = Kind::Mouse;
                command.button = argument & 7;
                command.state = (argument & 8) != 0 ? platform::BUTTON_UP : platform::BUTTON_DOWN;
                return event;
            case CLICK:
            case MOTION:
            case MOTION_TOO:
            case PASSIVE:
                if (!position(command)) {
                    return std::nullopt;
                }
                command.kind = opcode % EVENT_KINDS == CLICK     ? Kind::Click
                               : opcode % EVENT_KINDS == PASSIVE ? Kind::Passive
                                                                 : Kind::Motion;
                return event;
            case SHIFT:
                command.kind = Kind::Shift;
                command.on = odd;
                return event;
            case KEY:
                if (!byte(argument)) {
                    return std::nullopt;
                }
                if (isExitKey(static_cast<unsigned char>(argument))) {
                    continue;
                }
                command.kind = Kind::Key;
                command.code = argument;
                return event;
            case SPECIAL:
                if (!byte(argument)) {
                    return std::nullopt;
                }
                if (isExitSpecial(argument, odd ? platform::MODIFIER_ALT : 0)) {
                    continue;
                }
                command.kind = Kind::Special;
                command.code = argument;
                command.on = odd;
                return event;
            case RESHAPE:
                if (!signed16(command.x) || !signed16(command.y)) {
                    return std::nullopt;
                }
                command.kind = Kind::Reshape;
                return event;
            default:
                command.kind = Kind::WindowManager;
                command.on = odd;
                return event;
        }
    }
}
