#pragma once

#include <cstdint>

// A 64-bit hash of every bit of the game's state that play can change: the current mode, the
// start screen's page, and in the play mode every gear, chain point, link, contact, ramp, the
// held piece, the tool bar and the sprites that follow the pointer. Two games with the same
// fingerprint are, short of a hash collision, in the same state to the last bit of every float
// (so a signed zero or a NaN's payload counts). Sounds and GL objects are left out.
std::uint64_t fingerprintGame();
