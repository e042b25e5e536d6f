#include "support/fake_platform.h"

int FakePlatform::elapsedMs = 0;
bool FakePlatform::hasCounter = true;
std::int64_t FakePlatform::counterTicks = 0;
std::int64_t FakePlatform::ticksPerSecond = 1000000;
int FakePlatform::modifierBits = 0;
int FakePlatform::reshapedWidth = 0;
int FakePlatform::reshapedHeight = 0;
int FakePlatform::screenWidth = 0;
int FakePlatform::screenHeight = 0;
int FakePlatform::redisplays = 0;
int FakePlatform::swaps = 0;

namespace {
const platform::Backend fake = {
    [] { return FakePlatform::elapsedMs; },
    [](std::int64_t* frequency) {
        *frequency = FakePlatform::hasCounter ? FakePlatform::ticksPerSecond : 0;
        return FakePlatform::hasCounter;
    },
    [](std::int64_t* ticks) {
        *ticks = FakePlatform::counterTicks;
        return FakePlatform::hasCounter;
    },
    [] { return FakePlatform::modifierBits; },
    [](int width, int height) {
        FakePlatform::reshapedWidth = width;
        FakePlatform::reshapedHeight = height;
    },
    [](int* width, int* height) {
        *width = FakePlatform::screenWidth;
        *height = FakePlatform::screenHeight;
    },
    [] { ++FakePlatform::redisplays; },
    [] { ++FakePlatform::swaps; },
};
}  // namespace

FakePlatform::FakePlatform() {
    elapsedMs = 0;
    hasCounter = true;
    counterTicks = 0;
    ticksPerSecond = 1000000;
    modifierBits = 0;
    reshapedWidth = reshapedHeight = 0;
    screenWidth = screenHeight = 0;  // unknown: no limit
    redisplays = swaps = 0;
    platform::install(fake);
}

FakePlatform::~FakePlatform() {
    platform::install(platform::glutBackend());
}
