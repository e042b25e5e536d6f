#pragma once

// A mode of the program: the shell forwards every window event to the current mode's
// operation, unchanged (window pixels with the origin top left, GLUT's button, state and key
// codes). The base class draws nothing, ignores every event, never vetoes leaving and asks
// for a redraw after every idle call.
class State {
  public:
    explicit State(const char* name) : name(name) {}
    virtual ~State() = default;
    State(const State&) = delete;
    State& operator=(const State&) = delete;

    virtual bool enter(State* previous);  // result ignored by changeState
    virtual bool leave(State* next);      // false vetoes the switch
    virtual void display();
    virtual bool update();  // true asks for a redraw; reads frameDelta
    virtual void mouse(int button, int state, int x, int y);
    virtual void motion(int x, int y);
    virtual void passiveMotion(int x, int y);
    virtual void keyboard(unsigned char key, int x, int y);
    virtual void keyboardUp(unsigned char key, int x, int y);
    virtual void special(int key, int x, int y);
    virtual void specialUp(int key, int x, int y);

    const char* const name;
};
