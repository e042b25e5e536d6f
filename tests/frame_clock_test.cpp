#include <gtest/gtest.h>

#include "app/frame_clock.h"
#include "support/fake_platform.h"

namespace {

class FrameClock : public ::testing::Test {
  protected:
    void SetUp() override {
        frameDelta = 0.0f;
        previousTime = 0.0f;
        counterFrequency = 0;
        lastCount = 0;
        FakePlatform::elapsedMs = 1500;
        FakePlatform::counterTicks = 7000000;
    }
    FakePlatform platform_;
};

TEST_F(FrameClock, FirstTickStartsTheClockWithADeltaNearZero) {
    updateClock();
    EXPECT_EQ(frameDelta, 0.0f);
    EXPECT_EQ(counterFrequency, 1000000);
    EXPECT_FLOAT_EQ(previousTime, 1.5f);
}

TEST_F(FrameClock, HighResolutionCounterMeasuresTheFrame) {
    updateClock();
    FakePlatform::counterTicks += 16667;  // 16.667 ms
    FakePlatform::elapsedMs += 900;       // the GLUT clock is not read on this path
    updateClock();
    EXPECT_NEAR(frameDelta, 0.016667f, 1e-6f);
    EXPECT_FLOAT_EQ(previousTime, 1.5f);
}

TEST_F(FrameClock, ALongPauseIsCappedAtThirtyMilliseconds) {
    updateClock();
    FakePlatform::counterTicks += 5 * 1000000;
    updateClock();
    EXPECT_EQ(frameDelta, 0.03f);
}

TEST_F(FrameClock, FallsBackToTheWindowSystemClock) {
    FakePlatform::hasCounter = false;
    updateClock();
    EXPECT_EQ(counterFrequency, 0);
    EXPECT_EQ(frameDelta, 0.0f);
    FakePlatform::elapsedMs += 20;
    updateClock();
    EXPECT_NEAR(frameDelta, 0.020f, 1e-5f);
    FakePlatform::elapsedMs += 1000;
    updateClock();
    EXPECT_EQ(frameDelta, 0.03f);
}

TEST_F(FrameClock, AClockStillAtZeroMillisecondsRestartsOnEveryTick) {
    FakePlatform::hasCounter = false;
    FakePlatform::elapsedMs = 0;
    for (int tick = 0; tick < 3; ++tick) {
        updateClock();
        EXPECT_EQ(previousTime, 0.0f);
        EXPECT_EQ(frameDelta, 0.0f);
    }
}

}  // namespace
