#include "app/frame_clock.h"

#include "app/platform.h"

float frameDelta = 0.0f;
float previousTime = 0.0f;
std::int64_t counterFrequency = 0;
std::int64_t lastCount = 0;

void updateClock() {
    const platform::Backend& clock = platform::current();
    if (previousTime == 0.0f) {
        // Not started (or the window-system clock still reads 0 ms): start it now, so the
        // first delta is near 0 rather than the time since the program began.
        if (clock.counterFrequency(&counterFrequency)) {
            clock.counter(&lastCount);
        } else {
            counterFrequency = 0;
        }
        previousTime = static_cast<float>(clock.elapsedMilliseconds() / 1000.0);
    }

    if (counterFrequency > 0) {
        std::int64_t now = 0;
        clock.counter(&now);
        const std::int64_t ticks = now - lastCount;
        frameDelta = static_cast<float>(ticks) / static_cast<float>(counterFrequency);
        lastCount = now;
    } else {
        const float seconds = static_cast<float>(clock.elapsedMilliseconds() / 1000.0);
        frameDelta = seconds - previousTime;
        previousTime = seconds;
    }

    // After a stall the world runs slow for one frame instead of jumping.
    if (frameDelta > MAX_FRAME_DELTA) {
        frameDelta = MAX_FRAME_DELTA;
    }
}
