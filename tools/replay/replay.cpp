#include "replay/replay.h"

#include <algorithm>
#include <iostream>
#include <optional>
#include <string>

#include "app/display_state.h"
#include "app/frame_clock.h"
#include "app/held_modifiers.h"
#include "app/platform.h"
#include "app/shell.h"
#include "audio/sound.h"
#include "audio/system_audio.h"
#include "mechanics/board_validator.h"
#include "modes/live_mode.h"
#include "modes/start_state.h"
#include "replay/headless_window.h"
#include "replay/screenshot.h"
#include "replay/script.h"
#include "replay/state_dump.h"

Replay::Replay() : window_(std::make_unique<HeadlessWindow>(BOARD_WIDTH, BOARD_HEIGHT)) {
    // The order of the game's main; the window system's parts are the headless window's.
    changeState(&startState);
    initDisplayState();
    silenceSystemAudio();
    loadSounds();
    windowResized(BOARD_WIDTH, BOARD_HEIGHT);
}

Replay::~Replay() {
    Sound::shutdown();  // as the game's end does
}

void Replay::frame(float seconds, bool draw) {
    frameDelta = std::min(seconds, MAX_FRAME_DELTA);
    window_->advanceClock(seconds);
    advanceFrame();
    if (draw) {
        window_->prepareBuffer();
        displayFrame();
    }
}

void Replay::restart() {
    changeState(nullptr);  // the play mode leaves: its sounds stop and its pieces are freed
    Sound::instance()->stopAll();
    window_->restart();
    noteModifiers(0);
    pointerX_ = 0;
    pointerY_ = 0;
    frameDelta = 0.0f;
    changeState(&startState);
    windowResized(BOARD_WIDTH, BOARD_HEIGHT);
}

void Replay::windowResized(int width, int height) {
    if (width > 0 && height > 0) {
        window_->resize(width, height);
    }
    reshape(width, height);
    // A size the game asked for and was granted comes back through the reshape callback.
    while (const auto granted = window_->takeNewSize()) {
        reshape(granted->first, granted->second);
    }
}

int Replay::execute(const Command& command, int lineNumber) {
    using Kind = Command::Kind;
    if (command.kind == Kind::Mouse || command.kind == Kind::Click ||
        command.kind == Kind::Motion || command.kind == Kind::Passive) {
        pointerX_ = command.x;
        pointerY_ = command.y;
    }
    switch (command.kind) {
        case Kind::Frame:
            for (int i = 0; i < command.count; ++i) {
                frame(command.dt);
            }
            break;
        case Kind::Mouse:
            onMouse(command.button, command.state, command.x, command.y);
            break;
        case Kind::Click:
            onMouse(platform::MOUSE_LEFT, platform::BUTTON_DOWN, command.x, command.y);
            onMouse(platform::MOUSE_LEFT, platform::BUTTON_UP, command.x, command.y);
            break;
        case Kind::Motion:
            onMotion(command.x, command.y);
            break;
        case Kind::Passive:
            onPassiveMotion(command.x, command.y);
            break;
        case Kind::Shift:
            // As a real Shift key: its own event reports the state from before it.
            if (command.on) {
                onSpecial(platform::KEY_SHIFT_LEFT, pointerX_, pointerY_);
            } else {
                onSpecialUp(platform::KEY_SHIFT_LEFT, pointerX_, pointerY_);
            }
            window_->setShift(command.on);
            break;
        case Kind::Key:
            onKeyboard(static_cast<unsigned char>(command.code), pointerX_, pointerY_);
            break;
        case Kind::Special:
            window_->setAlt(command.on);
            onSpecial(command.code, pointerX_, pointerY_);
            window_->setAlt(false);
            break;
        case Kind::Reshape:
            windowResized(command.x, command.y);
            break;
        case Kind::WindowManager:
            window_->grantRequests(command.on);
            break;
        case Kind::Dump:
            std::cout << dumpState() << std::endl;
            break;
        case Kind::Shot:
            window_->prepareBuffer();
            if (!writeScreenshot(command.file, window_->bufferWidth(), window_->bufferHeight(),
                                 window_->pixels())) {
                std::cerr << "line " << lineNumber << ": cannot write " << command.file
                          << std::endl;
                return REPLAY_FAILED;
            }
            break;
        case Kind::Check: {
            const std::string broken =
                validateBoard(liveMode.board, liveMode.heldGear, liveMode.heldChain);
            if (!broken.empty()) {
                std::cerr << "line " << lineNumber << ": check failed: " << broken << std::endl;
                return REPLAY_BROKEN_INVARIANT;
            }
            break;
        }
    }
    return REPLAY_DONE;
}

int Replay::run(std::istream& script) {
    std::string line;
    for (int lineNumber = 1; std::getline(script, line); ++lineNumber) {
        std::optional<Command> command;
        if (!parseLine(line, command)) {
            std::cerr << "line " << lineNumber << ": cannot read: " << line << std::endl;
            return REPLAY_UNREADABLE_LINE;
        }
        if (command) {
            const int status = execute(*command, lineNumber);
            if (status != REPLAY_DONE) {
                return status;
            }
        }
    }
    return REPLAY_DONE;
}
