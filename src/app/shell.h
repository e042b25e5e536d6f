#pragma once

class State;

// The mode that receives every event; null until the first switch. Only changeState
// writes it.
extern State* currentState;

// Asks the current mode to leave (it may veto: false, nothing changes), then enters next.
bool changeState(State* next);

// The GLUT callbacks. Each forwarder does nothing while no mode is current.
void displayFrame();
void idleFrame();
void onMouse(int button, int state, int x, int y);
void onMotion(int x, int y);
void onPassiveMotion(int x, int y);
void onKeyboard(unsigned char key, int x, int y);
void onKeyboardUp(unsigned char key, int x, int y);
void onSpecial(int key, int x, int y);
void onSpecialUp(int key, int x, int y);

// The idle cycle after the clock: the mode's update, and a redraw if it asks for one. The
// replay tool sets frameDelta itself and calls this.
void advanceFrame();

// Start-up steps shared by the game and the replay tool: the initial GL state, and the five
// sounds loaded through the sound manager.
void initDisplayState();
void loadSounds();

// Escape, Ctrl+Q (17 as GLUT reports it) and Alt+F4 end the program through endGame; the
// mode never hears them.
bool isExitKey(unsigned char key);
bool isExitSpecial(int key, int modifiers);

// The one way the game ends, whatever asks (the exit keys, closing the window, SIGTERM): every
// sound stopped and the audio layer closed, then the platform's main loop left, so that the
// program ends with status 0. A second call closes nothing twice.
void endGame();

// From now on SIGTERM ends the game through endGame at the next idle frame: a signal handler
// may only note the request.
void endOnTermination();
