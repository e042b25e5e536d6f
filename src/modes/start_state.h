#pragma once

#include "modes/state.h"
#include "render/sprite.h"

// The first mode: the splash picture; the first left-button release shows the instructions,
// the second enters the play mode.
class StartState : public State {
  public:
    StartState() : State("start") {}
    ~StartState() override = default;  // the sprite releases its picture

    bool enter(State* previous) override;
    void display() override;
    void mouse(int button, int state, int x, int y) override;

    Sprite sprite;
    int instructionsShown = 0;
};

extern StartState startState;
