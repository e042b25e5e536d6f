#include <gtest/gtest.h>

#include <string>
#include <vector>

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

struct Touch {
    char kind;  // s: start, m: move, e: end, c: cancel
    int finger, x, y;
    double ms;
};

struct Case {
    const char* name;
    double slop;  // 30: 10 CSS pixels at a pixel ratio of 3
    std::vector<Touch> touches;
    const char* expected;
};

const Case CASES[] = {
    {"a tap is the pointer moving there, then a left click",
     30,
     {{'s', 1, 100, 200, 0}, {'e', 1, 100, 200, 120}},
     "passive 100 200; left down 100 200; left up 100 200; "},
    {"a tap that wanders within the slop clicks where it came down",
     30,
     {{'s', 1, 100, 200, 0}, {'m', 1, 120, 215, 50}, {'e', 1, 118, 214, 90}},
     "passive 100 200; left down 100 200; left up 100 200; "},
    {"a drag presses where the finger came down, then follows it",
     30,
     {{'s', 1, 100, 200, 0},
      {'m', 1, 110, 200, 40},
      {'m', 1, 140, 200, 80},
      {'e', 1, 150, 230, 160}},
     "passive 100 200; left down 100 200; motion 140 200; motion 150 230; left up 150 230; "},
    {"the slop is the caller's: 15 pixels are a drag at a ratio of 1",
     10,
     {{'s', 1, 0, 0, 0}, {'m', 1, 15, 0, 10}, {'e', 1, 15, 0, 20}},
     "passive 0 0; left down 0 0; motion 15 0; left up 15 0; "},
    {"holding still, then dragging, is a right-button drag",
     30,
     {{'s', 1, 300, 300, 0},
      {'m', 1, 305, 300, 300},
      {'m', 1, 360, 300, 700},
      {'e', 1, 360, 300, 900}},
     "passive 300 300; right down 300 300; motion 360 300; right up 360 300; "},
    {"a long press without moving is a right click",
     30,
     {{'s', 1, 300, 300, 0}, {'e', 1, 300, 300, 650}},
     "passive 300 300; right down 300 300; right up 300 300; "},
    {"a press just short of the long press is still a left click",
     30,
     {{'s', 1, 300, 300, 1000}, {'e', 1, 300, 300, 1499}},
     "passive 300 300; left down 300 300; left up 300 300; "},
    {"a second finger does nothing while the first is down, nor after the first is lifted",
     30,
     {{'s', 1, 10, 10, 0},
      {'s', 2, 500, 500, 10},
      {'m', 2, 600, 600, 20},
      {'e', 1, 10, 10, 40},
      {'m', 2, 700, 700, 50},
      {'e', 2, 700, 700, 60}},
     "passive 10 10; left down 10 10; left up 10 10; "},
    {"a cancelled drag releases the button where the finger last was",
     30,
     {{'s', 1, 100, 100, 0}, {'m', 1, 200, 100, 50}, {'c', 1, 0, 0, 0}, {'e', 1, 250, 100, 80}},
     "passive 100 100; left down 100 100; motion 200 100; left up 200 100; "},
    {"a cancelled touch that pressed nothing releases nothing",
     30,
     {{'s', 1, 100, 100, 0}, {'c', 1, 0, 0, 0}},
     "passive 100 100; "},
};

class TouchCase : public ::testing::TestWithParam<Case> {};

TEST_P(TouchCase, Translates) {
    events.clear();
    TouchPointer pointer(RECORDER, 30.0);
    pointer.setSlop(GetParam().slop);
    for (const Touch& t : GetParam().touches) {
        switch (t.kind) {
            case 's':
                pointer.start(t.finger, t.x, t.y, t.ms);
                break;
            case 'm':
                pointer.move(t.finger, t.x, t.y, t.ms);
                break;
            case 'e':
                pointer.end(t.finger, t.x, t.y, t.ms);
                break;
            default:
                pointer.cancel(t.finger);
                break;
        }
    }
    EXPECT_EQ(events, GetParam().expected) << GetParam().name;
    EXPECT_FALSE(pointer.down()) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Fingers, TouchCase, ::testing::ValuesIn(CASES));

}  // namespace
