#include <gtest/gtest.h>

#include <functional>

#include "render/interval.h"

namespace {

// Something to animate, starting at 40.
struct Dial {
    float value = 40.0f;
    void set(float v) { value = v; }
    float get() { return value; }
};
using Ramp = BlendInterval<Dial, float>;

// Counts the updates that advance the ramp, until one does not.
int runOut(Ramp& ramp, float dt) {
    int advancing = 0;
    while (ramp.update(dt) && advancing < 1000) {
        ++advancing;
    }
    return advancing;
}

// A ramp of 2 s from 0 to 100, built endless, driving a dial: where the dial stands after
// each way of working it, and whether the ramp has finished.
TEST(BlendInterval, MovesItsTargetFromEndToEnd) {
    const struct {
        const char* name;
        std::function<void(Ramp&)> act;
        float value;
        bool finished;
    } cases[] = {
        {"new: inert", [](Ramp& r) { r.update(0.5f); }, 40.0f, true},
        {"start: jumps to from", [](Ramp& r) { r.start(); }, 0.0f, false},
        {"pass ends clamped, its last update counts",
         [](Ramp& r) {
             r.start();
             EXPECT_EQ(runOut(r, 0.03f), 67);  // built endless, a started ramp runs one pass
         },
         100.0f, true},
        {"backward: starts at to", [](Ramp& r) { r.rate = -1.0f, r.start(); }, 100.0f, false},
        {"backward: ends at from", [](Ramp& r) { r.rate = -1.0f, r.start(), r.update(2.5f); }, 0.0f,
         true},
        {"turning midway continues",
         [](Ramp& r) {
             r.rate = -1.0f, r.start(), r.update(1.0f);
             r.rate = 1.0f, r.update(0.5f);
         },
         75.0f, false},
        {"from current value", [](Ramp& r) { r.fromCurrent = true, r.start(), r.update(1.0f); },
         70.0f, false},
        {"finish before start: stays at from", [](Ramp& r) { r.finish(); }, 0.0f, true},
        {"finish: jumps to to", [](Ramp& r) { r.start(), r.finish(); }, 100.0f, true},
        {"finish backward: jumps to from", [](Ramp& r) { r.start(), r.rate = -1.0f, r.finish(); },
         0.0f, true},
        {"more passes wrap around", [](Ramp& r) { r.start(), r.repeats = 3, r.update(2.5f); },
         25.0f, false},
        {"endless backward passes wrap",
         [](Ramp& r) { r.start(), r.repeats = -1, r.rate = -1.0f, r.update(2.5f); }, 75.0f, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Dial dial;
        Ramp ramp(2.0f, -1);
        ramp.target = &dial;
        ramp.setter = &Dial::set;
        ramp.getter = &Dial::get;
        ramp.to = 100.0f;
        c.act(ramp);
        EXPECT_FLOAT_EQ(dial.value, c.value);
        EXPECT_EQ(ramp.finished, c.finished);
        EXPECT_EQ(ramp.update(0.01f), !c.finished) << "a finished ramp stands still";
    }
}

}  // namespace
