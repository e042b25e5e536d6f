#include "render/interval.h"

#include <cmath>

bool Interval::update(float dt) {
    if (paused || finished || repeats == 0) {
        return false;
    }
    time += rate * dt;
    if (rate < 0.0f && time < 0.0f) {
        // Ran off the start while going backward.
        if (repeats == 1) {
            finished = true;
            repeats = 0;
            time = 0.0f;
        } else {
            loops += 1;
            if (repeats != -1) {
                repeats -= 1;
            }
            while (time < 0.0f) {
                time += duration;
            }
        }
    } else if (time > duration) {
        // Ran off the end (in either direction: a forward pass, or a wrap gone too far).
        if (repeats == 1) {
            repeats = 0;
            time = duration;
            finished = true;
        } else {
            loops += 1;
            if (repeats != -1) {
                repeats -= 1;
            }
            while (time > duration) {
                time -= duration;
            }
        }
    }
    return true;
}

void Interval::start() {
    time = rate < 0.0f ? duration : 0.0f;
    loops = 0;
    repeats = 1;  // a started interval runs exactly one pass, whatever it was built with
    paused = false;
    finished = false;
}

void Interval::finish() {
    finished = true;
    time = rate < 0.0f ? 0.0f : duration;
}

float SineEvaluator::evaluate(float /*fraction*/, Interval* interval) {
    // 3.14159f, not pi: the ease's end values depend on this exact float.
    return 0.5f + 0.5f * std::sin(2.0f * (interval->time / period) * 3.14159f + phase);
}
