#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/touch_pointer.h"

namespace {

std::string events;

void note(const std::string& line) {
    events += line + "; ";
}

const TouchPointer::Events RECORDER = {
    [](int x, int y) { note("passive " + std::to_string(x) + " " + std::to_string(y)); },
    [](int x, int y) { note("motion " + std::to_string(x) + " " + std::to_string(y)); },
    [](int button, int state, int x, int y) {
        note(std::string(button == 0   ? "left"
                         : button == 2 ? "right"
                                       : "other") +
             (state == 0 ? " down " : " up ") + std::to_string(x) + " " + std::to_string(y));
    },
};

constexpr double SLOP = 30.0;  // 10 CSS pixels at a device pixel ratio of 3

struct Touch {
    char kind;  // s: start, m: move, e: end, c: cancel
    int finger;
    int x, y;
    double ms;
};

struct Case {
    const char* name;
    std::vector<Touch> touches;
    const char* expected;
};

const Case CASES[] = {
    {"a tap is the pointer moving there, then a left click",
     {{'s', 1, 100, 200, 0}, {'e', 1, 100, 200, 120}},
     "passive 100 200; left down 100 200; left up 100 200; "},
    {"a tap that wanders within the slop clicks where it came down",
     {{'s', 1, 100, 200, 0}, {'m', 1, 120, 215, 50}, {'e', 1, 118, 214, 90}},
     "passive 100 200; left down 100 200; left up 100 200; "},
    {"a drag presses where the finger came down, then follows it",
     {{'s', 1, 100, 200, 0},
      {'m', 1, 110, 200, 40},
      {'m', 1, 140, 200, 80},
      {'m', 1, 200, 220, 120},
      {'e', 1, 210, 230, 160}},
     "passive 100 200; left down 100 200; motion 140 200; motion 200 220; motion 210 230; "
     "left up 210 230; "},
    {"a lift where the last move was sends no extra motion",
     {{'s', 1, 0, 0, 0}, {'m', 1, 50, 0, 10}, {'e', 1, 50, 0, 20}},
     "passive 0 0; left down 0 0; motion 50 0; left up 50 0; "},
    {"holding still, then dragging, is a right-button drag",
     {{'s', 1, 300, 300, 0},
      {'m', 1, 305, 300, 300},
      {'m', 1, 360, 300, 700},
      {'e', 1, 400, 300, 900}},
     "passive 300 300; right down 300 300; motion 360 300; motion 400 300; right up 400 300; "},
    {"a long press without moving is a right click",
     {{'s', 1, 300, 300, 0}, {'e', 1, 300, 300, 650}},
     "passive 300 300; right down 300 300; right up 300 300; "},
    {"a press just short of the long press is still a left click",
     {{'s', 1, 300, 300, 1000}, {'e', 1, 300, 300, 1499}},
     "passive 300 300; left down 300 300; left up 300 300; "},
    {"a second finger does nothing while the first is down, nor after the first is lifted",
     {{'s', 1, 10, 10, 0},
      {'s', 2, 500, 500, 10},
      {'m', 2, 600, 600, 20},
      {'e', 2, 600, 600, 30},
      {'e', 1, 10, 10, 40},
      {'m', 2, 700, 700, 50},
      {'e', 2, 700, 700, 60}},
     "passive 10 10; left down 10 10; left up 10 10; "},
    {"a cancelled drag releases the button where the finger last was",
     {{'s', 1, 100, 100, 0}, {'m', 1, 200, 100, 50}, {'c', 1, 0, 0, 0}, {'e', 1, 250, 100, 80}},
     "passive 100 100; left down 100 100; motion 200 100; left up 200 100; "},
    {"a cancelled touch that pressed nothing releases nothing",
     {{'s', 1, 100, 100, 0}, {'c', 1, 0, 0, 0}},
     "passive 100 100; "},
    {"after a cancel the next touch is the pointer again",
     {{'s', 1, 100, 100, 0}, {'c', 1, 0, 0, 0}, {'s', 2, 50, 60, 10}, {'e', 2, 50, 60, 20}},
     "passive 100 100; passive 50 60; left down 50 60; left up 50 60; "},
};

class TouchCase : public ::testing::TestWithParam<Case> {};

TEST_P(TouchCase, Translates) {
    events.clear();
    TouchPointer pointer(RECORDER, SLOP);
    for (const Touch& touch : GetParam().touches) {
        switch (touch.kind) {
            case 's':
                pointer.start(touch.finger, touch.x, touch.y, touch.ms);
                break;
            case 'm':
                pointer.move(touch.finger, touch.x, touch.y, touch.ms);
                break;
            case 'e':
                pointer.end(touch.finger, touch.x, touch.y, touch.ms);
                break;
            default:
                pointer.cancel(touch.finger);
                break;
        }
    }
    EXPECT_EQ(events, GetParam().expected) << GetParam().name;
    EXPECT_FALSE(pointer.down()) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Fingers, TouchCase, ::testing::ValuesIn(CASES));

TEST(TouchPointer, SlopFollowsThePixelDensity) {
    events.clear();
    TouchPointer pointer(RECORDER, SLOP);
    pointer.setSlop(10.0);  // the page moved to a screen of ratio 1
    pointer.start(1, 0, 0, 0);
    pointer.move(1, 15, 0, 10);
    pointer.end(1, 15, 0, 20);
    EXPECT_EQ(events, "passive 0 0; left down 0 0; motion 15 0; left up 15 0; ");
}

}  // namespace
