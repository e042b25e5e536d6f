#include "fuzz/twin_run.h"

#include <cstdio>
#include <vector>

#include "fuzz/fuzz_events.h"
#include "fuzz/state_fingerprint.h"
#include "mechanics/board_validator.h"
#include "modes/live_mode.h"
#include "replay/replay.h"

namespace {

// Runs each event, then calls seen(event index, state fingerprint) until seen returns false.
// Returns a finding if the validator or the replay rejected a step.
template <class Seen>
std::optional<FuzzFinding> play(Replay& replay, const std::uint8_t* data, std::size_t size,
                                ChainStepping stepping, Seen seen) {
    replay.restart();
    liveMode.chainStepping = stepping;
    FuzzEventReader reader(data, size);
    int frames = 0;
    int drawn = 0;
    std::size_t index = 0;
    for (auto event = reader.next(); event && frames < MAX_FRAMES_PER_INPUT;
         event = reader.next(), ++index) {
        const Command& command = event->command;
        if (command.kind == Command::Kind::Frame) {
            for (int i = 0; i < command.count && frames < MAX_FRAMES_PER_INPUT; ++i, ++frames) {
                const bool draw = event->draw && drawn < MAX_DRAWN_FRAMES_PER_INPUT;
                drawn += draw ? 1 : 0;
                replay.frame(command.dt, draw);
                const std::string broken =
                    validateBoard(liveMode.board, liveMode.heldGear, liveMode.heldChain);
                if (!broken.empty()) {
                    return FuzzFinding{index, "check failed: " + broken};
                }
            }
        } else if (replay.execute(command, static_cast<int>(index) + 1) != REPLAY_DONE) {
            return FuzzFinding{index, "the replay could not run the event"};
        }
        if (!seen(index, fingerprintGame())) {
            break;
        }
    }
    return std::nullopt;
}

const char* name(ChainStepping stepping) {
    return stepping == ChainStepping::Batched ? "side by side" : "one chain at a time";
}

}  // namespace

std::optional<FuzzFinding> runTwins(Replay& replay, const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint64_t> batched;
    const auto record = [&](std::size_t, std::uint64_t fingerprint) {
        batched.push_back(fingerprint);
        return true;
    };
    if (auto finding = play(replay, data, size, ChainStepping::Batched, record)) {
        finding->what += std::string(" (") + name(ChainStepping::Batched) + ")";
        return finding;
    }
    std::optional<std::size_t> differs;
    const auto compare = [&](std::size_t index, std::uint64_t fingerprint) {
        if (index >= batched.size() || batched[index] != fingerprint) {
            differs = index;
            return false;
        }
        return true;
    };
    auto finding = play(replay, data, size, ChainStepping::OneChainAtATime, compare);
    liveMode.chainStepping = ChainStepping::Batched;
    if (finding) {
        finding->what += std::string(" (") + name(ChainStepping::OneChainAtATime) + ")";
        return finding;
    }
    if (differs) {
        return FuzzFinding{*differs, std::string("the chains stepped ") +
                                         name(ChainStepping::Batched) + " and " +
                                         name(ChainStepping::OneChainAtATime) + " differ"};
    }
    return std::nullopt;
}

namespace {

std::string scriptLine(const FuzzEvent& event) {
    const Command& c = event.command;
    char line[96];
    switch (c.kind) {
        case Command::Kind::Frame:
            // Nine significant digits read back as the same float.
            std::snprintf(line, sizeof line, "frame %.9g", static_cast<double>(c.dt));
            break;
        case Command::Kind::Mouse:
            std::snprintf(line, sizeof line, "mouse %d %s %d %d", c.button,
                          c.state == 0 ? "down" : "up", c.x, c.y);
            break;
        case Command::Kind::Click:
            std::snprintf(line, sizeof line, "click %d %d", c.x, c.y);
            break;
        case Command::Kind::Motion:
            std::snprintf(line, sizeof line, "motion %d %d", c.x, c.y);
            break;
        case Command::Kind::Passive:
            std::snprintf(line, sizeof line, "passive %d %d", c.x, c.y);
            break;
        case Command::Kind::Shift:
            std::snprintf(line, sizeof line, "shift %s", c.on ? "on" : "off");
            break;
        case Command::Kind::Key:
            std::snprintf(line, sizeof line, "key %d", c.code);
            break;
        case Command::Kind::Special:
            std::snprintf(line, sizeof line, "special %d%s", c.code, c.on ? " alt" : "");
            break;
        case Command::Kind::Reshape:
            std::snprintf(line, sizeof line, "reshape %d %d", c.x, c.y);
            break;
        default:
            std::snprintf(line, sizeof line, "wm %s", c.on ? "accept" : "refuse");
            break;
    }
    return line;
}

}  // namespace

void writeScript(Replay& replay, const std::uint8_t* data, std::size_t size, std::ostream& out) {
    // The events are read against the game's state (a position over a piece), so the game
    // plays them as they are written.
    replay.restart();
    FuzzEventReader reader(data, size);
    int frames = 0;
    for (auto event = reader.next(); event && frames < MAX_FRAMES_PER_INPUT;
         event = reader.next()) {
        const Command& command = event->command;
        if (command.kind == Command::Kind::Frame) {
            for (int i = 0; i < command.count && frames < MAX_FRAMES_PER_INPUT; ++i, ++frames) {
                out << scriptLine(*event) << "\ncheck\n";
                replay.frame(command.dt, false);
            }
        } else {
            out << scriptLine(*event) << '\n';
            replay.execute(command, 0);
        }
    }
    out << "dump\n";
}
