#pragma once

#include <cstdint>

// Seconds between the last two idle calls, at most MAX_FRAME_DELTA: after a stall the world
// runs slow for a frame instead of jumping.
extern float frameDelta;
extern float previousTime;             // GLUT clock at the previous tick; 0: not started
extern std::int64_t counterFrequency;  // high-resolution ticks per second; <= 0: GLUT clock
extern std::int64_t lastCount;         // high-resolution counter at the previous tick

constexpr float MAX_FRAME_DELTA = 0.03f;

// One tick of the frame clock; the idle callback calls it before the mode's update.
void updateClock();
