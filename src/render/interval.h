#pragma once

// A clock for one timed animation, owned and fed by the object it animates: `time` runs from
// 0 to `duration` (or back, with a negative `rate`) as the owner passes in frame times.
// A new interval is inert (paused and finished) until start().
class Interval {
  public:
    Interval(float duration, int repeats) : duration(duration), repeats(repeats) {}
    virtual ~Interval() = default;

    // Advances by rate * dt; true if it advanced (also in the call that finishes it).
    virtual bool update(float dt);
    // Begins one pass from the end that `rate` points away from; restarts a running one.
    virtual void start();
    // Jumps to the end that `rate` points to and marks the interval finished.
    virtual void finish();

    float duration;
    float time = 0.0f;
    float rate = 1.0f;
    int repeats;  // passes left: -1 endless, 0 exhausted, 1 last pass
    int loops = 0;
    bool paused = true;
    bool finished = true;
};

class BlendEvaluator {
  public:
    virtual ~BlendEvaluator() = default;
    virtual float evaluate(float fraction, Interval* interval) = 0;
};

// A sine-shaped ease driven by the interval's time in seconds (the fraction is not used).
// With period = 2 * duration and phase = -pi/2 it rises from 0 to 1 along half a cosine wave.
class SineEvaluator : public BlendEvaluator {
  public:
    SineEvaluator(float period, float phase) : period(period), phase(phase) {}
    float evaluate(float fraction, Interval* interval) override;

    float period;  // seconds per full wave
    float phase;   // radians
};

// Blends a float member of `target` from `from` to `to` over the interval and hands every
// value to `setter`. The owner fills the public fields after construction.
template <class T, class V>
class BlendInterval : public Interval {
  public:
    using Setter = void (T::*)(V);
    using Getter = V (T::*)();

    BlendInterval(float duration, int repeats) : Interval(duration, repeats) {}
    ~BlendInterval() override { delete evaluator; }
    BlendInterval(const BlendInterval&) = delete;
    BlendInterval& operator=(const BlendInterval&) = delete;

    bool update(float dt) override {
        if (!Interval::update(dt)) {
            return false;
        }
        applyBlend();
        return true;
    }

    void start() override {
        Interval::start();
        if (fromCurrent) {
            from = (target->*getter)();
        }
        span = to - from;
        applyBlend();  // the target jumps to the starting value at once
    }

    void finish() override {
        Interval::finish();
        applyBlend();
    }

    T* target = nullptr;
    Setter setter = nullptr;
    V from = V();
    Getter getter = nullptr;
    bool fromCurrent = false;
    // Defined before the first start(), so a finish() that comes first sets `from` instead
    // of blending towards an undefined end.
    V span = V();
    V to = V();
    BlendEvaluator* evaluator = nullptr;  // owned; null means linear

  private:
    void applyBlend() {
        float fraction = time / duration;
        if (evaluator != nullptr) {
            fraction = evaluator->evaluate(fraction, this);
        }
        (target->*setter)(from + span * fraction);
    }
};
