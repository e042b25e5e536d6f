#include <gtest/gtest.h>

#include "app/frame_clock.h"
#include "support/fake_platform.h"

namespace {

// The clock starts 1.5 s after the program; each frame advances the high-resolution counter
// (when there is one) or the window system's millisecond clock.
class FrameClock : public ::testing::TestWithParam<bool> {
  protected:
    void SetUp() override {
        previousTime = 0.0f;
        FakePlatform::hasCounter = GetParam();
        FakePlatform::elapsedMs = 1500;
        FakePlatform::counterTicks = 7000000;
    }
    float frame(int microseconds) {
        if (FakePlatform::hasCounter) {
            FakePlatform::counterTicks += microseconds;
            FakePlatform::elapsedMs += 900;  // coarse and wrong: the counter must be used
        } else {
            FakePlatform::elapsedMs += microseconds / 1000;
        }
        updateClock();
        return frameDelta;
    }
    FakePlatform platform_;
};

TEST_P(FrameClock, EveryFrameSeesTheTimeSinceTheLastOneAtMostThirtyMilliseconds) {
    updateClock();
    EXPECT_EQ(frameDelta, 0.0f) << "the first frame starts the clock";
    const struct {
        int microseconds;
        float delta;
    } frames[] = {{16000, 0.016f}, {20000, 0.020f}, {5000000, 0.030f}, {10000, 0.010f},
                  {30000, 0.030f}, {31000, 0.030f}, {1000, 0.001f},    {16000, 0.016f}};
    for (const auto& f : frames) {
        EXPECT_NEAR(frame(f.microseconds), f.delta, 1e-5f) << "after " << f.microseconds << " us";
    }
}

TEST_P(FrameClock, AWindowClockStillAtZeroRestartsTheClockOnEveryFrame) {
    FakePlatform::elapsedMs = 0;
    for (int tick = 0; tick < 3; ++tick) {
        updateClock();
        EXPECT_EQ(previousTime, 0.0f);
        EXPECT_EQ(frameDelta, 0.0f);
    }
}

INSTANTIATE_TEST_SUITE_P(CounterOrWindowClock, FrameClock, ::testing::Bool());

}  // namespace
