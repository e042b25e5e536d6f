#include <gtest/gtest.h>

#include "render/interval.h"

namespace {

// Something to animate: records every value the blend hands it.
struct Dial {
    float value = 0.0f;
    int calls = 0;
    void set(float v) {
        value = v;
        ++calls;
    }
    float get() { return value; }
};

BlendInterval<Dial, float>* makeRamp(Dial& dial, float duration, float from, float to) {
    auto* ramp = new BlendInterval<Dial, float>(duration, 1);
    ramp->target = &dial;
    ramp->setter = &Dial::set;
    ramp->getter = &Dial::get;
    ramp->from = from;
    ramp->to = to;
    return ramp;
}

TEST(Interval, NewIntervalIsInertUntilStarted) {
    Dial dial;
    std::unique_ptr<BlendInterval<Dial, float>> ramp(makeRamp(dial, 2.0f, 0.0f, 10.0f));
    EXPECT_TRUE(ramp->paused);
    EXPECT_TRUE(ramp->finished);
    EXPECT_FALSE(ramp->update(0.03f));
    EXPECT_EQ(dial.calls, 0);
}

TEST(Interval, ForwardPassClampsAtItsEndAndStops) {
    Dial dial;
    std::unique_ptr<BlendInterval<Dial, float>> ramp(makeRamp(dial, 2.0f, 5.0f, 205.0f));
    ramp->start();
    EXPECT_EQ(dial.value, 5.0f);  // jumps to the start value at once
    int advancing = 0;
    while (ramp->update(0.03f)) {
        ++advancing;
        ASSERT_LT(advancing, 1000);
    }
    EXPECT_EQ(advancing, 67);  // 66 * 0.03 < 2.0 <= 67 * 0.03: the finishing call counts
    EXPECT_EQ(ramp->time, 2.0f);
    EXPECT_EQ(dial.value, 205.0f);
    EXPECT_TRUE(ramp->finished);
    EXPECT_EQ(ramp->repeats, 0);
    EXPECT_FALSE(ramp->update(0.03f));
}

TEST(Interval, StartRunsExactlyOnePassWhateverItWasBuiltWith) {
    Interval endless(1.0f, -1);
    endless.start();
    EXPECT_EQ(endless.repeats, 1);
    EXPECT_EQ(endless.loops, 0);
    EXPECT_FALSE(endless.paused);
    EXPECT_FALSE(endless.finished);
}

TEST(Interval, BackwardPassStartsAtTheEndAndFinishesAtZero) {
    Dial dial;
    std::unique_ptr<BlendInterval<Dial, float>> ramp(makeRamp(dial, 1.0f, 0.0f, 100.0f));
    ramp->rate = -1.0f;
    ramp->start();
    EXPECT_EQ(ramp->time, 1.0f);
    EXPECT_EQ(dial.value, 100.0f);
    while (ramp->update(0.25f)) {
    }
    EXPECT_EQ(ramp->time, 0.0f);
    EXPECT_EQ(dial.value, 0.0f);
}

TEST(Interval, FlippingTheRateMidwayContinuesWithoutAJump) {
    Dial dial;
    std::unique_ptr<BlendInterval<Dial, float>> ramp(makeRamp(dial, 1.0f, 0.0f, 100.0f));
    ramp->rate = -1.0f;
    ramp->start();
    ramp->update(0.5f);
    EXPECT_FLOAT_EQ(dial.value, 50.0f);
    ramp->rate = 1.0f;
    ramp->update(0.25f);
    EXPECT_FLOAT_EQ(ramp->time, 0.75f);
    EXPECT_FLOAT_EQ(dial.value, 75.0f);
}

TEST(Interval, RepeatsSetAfterStartWrapAround) {
    Interval interval(1.0f, 1);
    interval.start();
    interval.repeats = 3;
    EXPECT_TRUE(interval.update(2.5f));  // runs off the end, wraps back into the pass
    EXPECT_EQ(interval.loops, 1);
    EXPECT_EQ(interval.repeats, 2);
    EXPECT_FLOAT_EQ(interval.time, 0.5f);

    interval.rate = -1.0f;
    interval.repeats = -1;
    EXPECT_TRUE(interval.update(1.75f));  // off the start: endless passes stay endless
    EXPECT_EQ(interval.repeats, -1);
    EXPECT_EQ(interval.loops, 2);
    EXPECT_FLOAT_EQ(interval.time, 0.75f);
}

TEST(Interval, FromCurrentReadsTheTargetAtStart) {
    Dial dial;
    dial.value = 120.0f;
    std::unique_ptr<BlendInterval<Dial, float>> ramp(makeRamp(dial, 2.0f, 0.0f, 200.0f));
    ramp->fromCurrent = true;
    ramp->start();
    EXPECT_EQ(ramp->from, 120.0f);
    EXPECT_EQ(ramp->span, 80.0f);
    EXPECT_EQ(dial.value, 120.0f);  // a turning gear continues smoothly from its speed
    ramp->update(1.0f);
    EXPECT_FLOAT_EQ(dial.value, 160.0f);
}

TEST(Interval, FinishBeforeAnyStartSetsTheStartValue) {
    Dial dial;
    std::unique_ptr<BlendInterval<Dial, float>> ramp(makeRamp(dial, 2.0f, 7.0f, 9.0f));
    ramp->finish();
    EXPECT_TRUE(ramp->finished);
    EXPECT_EQ(ramp->time, 2.0f);
    EXPECT_EQ(dial.value, 7.0f);  // no span yet: the blend stays at `from`
}

TEST(Interval, FinishJumpsToTheEndTheRatePointsTo) {
    Dial dial;
    std::unique_ptr<BlendInterval<Dial, float>> ramp(makeRamp(dial, 2.0f, 0.0f, 10.0f));
    ramp->start();
    ramp->finish();
    EXPECT_EQ(dial.value, 10.0f);
    ramp->rate = -1.0f;
    ramp->finish();
    EXPECT_EQ(ramp->time, 0.0f);
    EXPECT_EQ(dial.value, 0.0f);
}

TEST(SineEvaluator, EasesInAndOutOverTheToolBarSlide) {
    SineEvaluator ease(1.5f, -1.5707950592041016f);
    Interval clock(0.75f, 1);
    clock.time = 0.0f;
    EXPECT_NEAR(ease.evaluate(0.0f, &clock), 0.0f, 1e-6f);
    clock.time = 0.375f;
    EXPECT_NEAR(ease.evaluate(0.0f, &clock), 0.5f, 1e-6f);
    clock.time = 0.75f;
    EXPECT_NEAR(ease.evaluate(0.0f, &clock), 1.0f, 1e-6f);
    // The fraction argument plays no part: the wave follows the interval's time.
    EXPECT_EQ(ease.evaluate(0.9f, &clock), ease.evaluate(0.1f, &clock));
}

TEST(SineEvaluator, BlendIntervalOwnsAndAppliesIt) {
    Dial dial;
    std::unique_ptr<BlendInterval<Dial, float>> slide(makeRamp(dial, 0.75f, -400.0f, -180.0f));
    slide->evaluator = new SineEvaluator(1.5f, -1.5707950592041016f);
    slide->rate = -1.0f;
    slide->start();
    EXPECT_NEAR(dial.value, -180.0f, 1e-3f);  // lowering starts from the raised end
    slide->rate = 1.0f;
    slide->start();
    EXPECT_NEAR(dial.value, -400.0f, 1e-3f);
    slide->update(0.375f);
    EXPECT_NEAR(dial.value, -290.0f, 1e-3f);
}

}  // namespace
