#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "render/interval.h"

namespace {

// Something to animate, starting at 40.
struct Dial {
    float value = 40.0f;
    void set(float v) { value = v; }
    float get() { return value; }
};

// A ramp of 2 s from 0 to 100, built endless, driving a dial, worked by a script: s start,
// f finish, b backward, a forward, c from the current value, n<k> k passes, u<dt> update.
// Where the dial stands afterwards, whether the last update advanced the ramp (the one that
// ends a pass does), and whether the ramp has finished.
TEST(BlendInterval, MovesItsTargetFromEndToEnd) {
    const struct {
        const char* script;
        float value;
        bool advanced, finished;
    } cases[] = {{"u0.5", 40, false, true},  // new: inert
                 {"s", 0, false, false},
                 {"s u1.5", 75, true, false},
                 {"s u1.99 u0.03", 100, true, true},  // one pass, though built endless
                 {"b s", 100, false, false},
                 {"b s u2.5", 0, true, true},
                 {"b s u1 a u0.5", 75, true, false},  // turning midway continues
                 {"c s u1", 70, true, false},
                 {"f", 0, false, true},  // before any start: stays at from
                 {"s f", 100, false, true},
                 {"s b f", 0, false, true},
                 {"s n3 u2.5", 25, true, false},  // more passes wrap around
                 {"s n-1 b u2.5", 75, true, false}};
    for (const auto& c : cases) {
        Dial dial;
        BlendInterval<Dial, float> ramp(2.0f, -1);
        ramp.target = &dial;
        ramp.setter = &Dial::set;
        ramp.getter = &Dial::get;
        ramp.to = 100.0f;
        std::istringstream script(c.script);
        bool advanced = false;
        for (std::string step; script >> step;) {
            const char op = step[0];
            op == 's' ? ramp.start() : op == 'f' ? ramp.finish() : void();
            ramp.rate = op == 'b' ? -1.0f : op == 'a' ? 1.0f : ramp.rate;
            ramp.fromCurrent = ramp.fromCurrent || op == 'c';
            ramp.repeats = op == 'n' ? std::stoi(step.substr(1)) : ramp.repeats;
            advanced = op == 'u' ? ramp.update(std::stof(step.substr(1))) : advanced;
        }
        EXPECT_EQ(advanced, c.advanced) << c.script;
        EXPECT_FLOAT_EQ(dial.value, c.value) << c.script;
        EXPECT_EQ(ramp.finished, c.finished) << c.script;
        EXPECT_EQ(ramp.update(0.01f), !c.finished) << c.script << ": a finished ramp stands still";
    }
}

}  // namespace
