#pragma once

#include <cstdint>

#include "app/platform.h"

// A platform backend whose clock, modifiers and window are driven by the test. Installed for
// the life of the object; GLUT's backend comes back afterwards.
class FakePlatform {
  public:
    FakePlatform() {
        elapsedMs = modifierBits = reshapedWidth = reshapedHeight = redisplays = swaps = leaves = 0;
        screenWidth = screenHeight = 0;
        hasCounter = true;
        counterTicks = 0;
        ticksPerSecond = 1000000;
        platform::install({
            [] { return elapsedMs; },
            [](std::int64_t* frequency) {
                *frequency = hasCounter ? ticksPerSecond : 0;
                return hasCounter;
            },
            [](std::int64_t* ticks) {
                *ticks = counterTicks;
                return hasCounter;
            },
            [] { return modifierBits; },
            [](int width, int height) { reshapedWidth = width, reshapedHeight = height; },
            [](int* width, int* height) { *width = screenWidth, *height = screenHeight; },
            [] { ++redisplays; },
            [] { ++swaps; },
            [] { ++leaves; },
        });
    }
    ~FakePlatform() { platform::install(platform::glutBackend()); }

    static inline int elapsedMs, modifierBits, reshapedWidth, reshapedHeight, redisplays, swaps;
    static inline int leaves;                     // how often the main loop was left
    static inline int screenWidth, screenHeight;  // 0: unknown, no limit
    static inline bool hasCounter;
    static inline std::int64_t counterTicks, ticksPerSecond;
};
