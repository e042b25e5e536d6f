#pragma once

#include "app/swap_control.h"

// The board's size in pixels after the last valid reshape: the window's own size once the window
// has taken its 4:3 snap (see board_box.h otherwise). The board spans 800 by 600 units of it.
extern int windowWidth;
extern int windowHeight;

constexpr int BOARD_WIDTH = 800;
constexpr int BOARD_HEIGHT = 600;
// The grey every frame starts from under the board picture (red, green and blue alike).
constexpr float CLEAR_GREY = 0.5f;

// Keeps the window at 4:3 (its height decides, within the screen) and maps the 800 by 600
// board, origin at the centre and y up, onto it, centred in the window if the window stays
// another shape. A zero or negative size is reported and changes nothing.
void reshape(int width, int height);

void setCulling(bool on);
void setDepthTest(bool depth, bool alphaTest);
