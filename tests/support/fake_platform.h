#pragma once

#include <cstdint>

#include "app/platform.h"

// A platform backend whose clock, modifiers and window are driven by the test. Installed for
// the life of the object; GLUT's backend comes back afterwards.
class FakePlatform {
  public:
    FakePlatform();
    ~FakePlatform();

    static int elapsedMs;
    static bool hasCounter;
    static std::int64_t counterTicks;
    static std::int64_t ticksPerSecond;
    static int modifierBits;
    static int reshapedWidth;
    static int reshapedHeight;
    static int screenWidth;
    static int screenHeight;
    static int redisplays;
    static int swaps;
};
