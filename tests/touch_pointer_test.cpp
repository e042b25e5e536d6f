#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>

#include "app/touch_pointer.h"

namespace {

std::string events;

void note(const char* what, int x, int y) {
    events += std::string(what) + " " + std::to_string(x) + " " + std::to_string(y) + "; ";
}

const TouchPointer::Events RECORDER = {
    [](int x, int y) { note("passive", x, y); },
    [](int x, int y) { note("motion", x, y); },
    [](int button, int state, int x, int y) {
        const char* names[2][2] = {{"left down", "left up"}, {"right down", "right up"}};
        note(names[button == 2][state], x, y);
    },
};

// Touches, each "<kind><finger> <x> <y> @<ms>" (kind s: start, m: move, e: end) or "c<finger>"
// (cancel), with the slop in pixels (30: 10 CSS pixels at a pixel ratio of 3), and the mouse
// events they make.
TEST(TouchPointer, TranslatesOneFingerIntoTheMouse) {
    // clang-format off
    const struct { const char* name; double slop; const char *touches, *expected; } cases[] = {
        {"a tap is the pointer moving there, then a left click", 30,
         "s1 100 200 @0, e1 100 200 @120",
         "passive 100 200; left down 100 200; left up 100 200; "},
        {"a tap that wanders within the slop clicks where it came down", 30,
         "s1 100 200 @0, m1 120 215 @50, e1 118 214 @90",
         "passive 100 200; left down 100 200; left up 100 200; "},
        {"a drag presses where the finger came down, then follows it", 30,
         "s1 100 200 @0, m1 110 200 @40, m1 140 200 @80, e1 150 230 @160",
         "passive 100 200; left down 100 200; motion 140 200; motion 150 230; left up 150 230; "},
        {"the slop is the caller's: 15 pixels are a drag at a ratio of 1", 10,
         "s1 0 0 @0, m1 15 0 @10, e1 15 0 @20",
         "passive 0 0; left down 0 0; motion 15 0; left up 15 0; "},
        {"holding still, then dragging, is a right-button drag", 30,
         "s1 300 300 @0, m1 305 300 @300, m1 360 300 @700, e1 360 300 @900",
         "passive 300 300; right down 300 300; motion 360 300; right up 360 300; "},
        {"a long press without moving is a right click", 30,
         "s1 300 300 @0, e1 300 300 @650",
         "passive 300 300; right down 300 300; right up 300 300; "},
        {"a press just short of the long press is still a left click", 30,
         "s1 300 300 @1000, e1 300 300 @1499",
         "passive 300 300; left down 300 300; left up 300 300; "},
        {"a second finger does nothing while the first is down, nor after the first is lifted", 30,
         "s1 10 10 @0, s2 500 500 @10, m2 600 600 @20, e1 10 10 @40, m2 700 700 @50, e2 700 700 @60",
         "passive 10 10; left down 10 10; left up 10 10; "},
        {"a cancelled drag releases the button where the finger last was", 30,
         "s1 100 100 @0, m1 200 100 @50, c1, e1 250 100 @80",
         "passive 100 100; left down 100 100; motion 200 100; left up 200 100; "},
        {"a cancelled touch that pressed nothing releases nothing", 30,
         "s1 100 100 @0, c1", "passive 100 100; "},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        events.clear();
        TouchPointer pointer(RECORDER, 30.0);
        pointer.setSlop(c.slop);
        std::istringstream touches(c.touches);
        for (std::string touch; std::getline(touches, touch, ',');) {
            char kind = 0;
            int finger = 0, x = 0, y = 0;
            double ms = 0;
            std::sscanf(touch.c_str(), " %c%d %d %d @%lf", &kind, &finger, &x, &y, &ms);
            kind == 's'   ? pointer.start(finger, x, y, ms)
            : kind == 'm' ? pointer.move(finger, x, y, ms)
            : kind == 'e' ? pointer.end(finger, x, y, ms)
                          : pointer.cancel(finger);
        }
        EXPECT_EQ(events, c.expected);
        EXPECT_FALSE(pointer.down());
    }
}

}  // namespace
