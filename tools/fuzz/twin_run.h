#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

class Replay;

// What a run of fuzz bytes found: the event it showed after (0 is the first) and what broke.
struct FuzzFinding {
    std::size_t event;
    std::string what;
};

// At most this many frames and drawn frames per input, so that every input runs in a few
// milliseconds to a few hundred and the search spends its time on new states.
constexpr int MAX_FRAMES_PER_INPUT = 500;
constexpr int MAX_DRAWN_FRAMES_PER_INPUT = 2;

// Plays the bytes' events (fuzz_events.h) from the start screen twice: once as the game does,
// stepping the chains side by side, then stepping them one at a time, the reference. After
// every frame the board must pass its validator, and after every event the two games' states
// must be the same to the last bit. Returns the first finding, if any.
std::optional<FuzzFinding> runTwins(Replay& replay, const std::uint8_t* data, std::size_t size);

// The bytes' events as a replay script with a check after every frame, which the replay tool
// plays as the fuzzer did (a frame the fuzzer did not draw is drawn: drawing changes no state).
void writeScript(Replay& replay, const std::uint8_t* data, std::size_t size, std::ostream& out);
