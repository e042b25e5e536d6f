#include <gtest/gtest.h>

#include "app/frame_clock.h"
#include "support/fake_platform.h"

namespace {

// With and without a high-resolution counter (then the window system's milliseconds count).
class FrameClock : public ::testing::TestWithParam<bool> {
  protected:
    void SetUp() override {
        FakePlatform::hasCounter = GetParam();
        previousTime = 0.0f;
    }
    FakePlatform platform_;
};

TEST_P(FrameClock, EachFrameSeesTheTimeSinceTheLastOneAtMostThirtyMilliseconds) {
    // The first frame starts the clock; while the window's clock still reads 0 ms, every
    // frame starts it again, whatever the counter did meanwhile.
    for (const int ms : {0, 0, 1500}) {
        FakePlatform::elapsedMs = ms;
        FakePlatform::counterTicks += 16000;
        updateClock();
        EXPECT_EQ(frameDelta, 0.0f) << "at " << ms << " ms";
    }
    const int microseconds[] = {16000, 20000, 5000000, 10000, 30000, 31000, 1000, 16000};
    const float deltas[] = {0.016f, 0.020f, 0.030f, 0.010f, 0.030f, 0.030f, 0.001f, 0.016f};
    for (int i = 0; i < 8; ++i) {
        FakePlatform::counterTicks += GetParam() ? microseconds[i] : 0;
        // With a counter the milliseconds run wrong: only the counter may be read.
        FakePlatform::elapsedMs += GetParam() ? 900 : microseconds[i] / 1000;
        updateClock();
        EXPECT_NEAR(frameDelta, deltas[i], 1e-5f) << "frame " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(CounterOrNot, FrameClock, ::testing::Bool());

}  // namespace
