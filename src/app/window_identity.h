#pragma once

#include <vector>

// Tells the desktop which program the current GLUT window belongs to, so that docks, task
// bars and task switchers show it: the gear picture as the window's icon and, under X11, the
// class "brindlecog" (which the menu entry's StartupWMClass names). Call right after the
// window is created.
void identifyWindow();

// The gear picture scaled to size by size pixels, RGBA, top row first; empty if it cannot be
// read. Shared by the X11 and the Windows identity.
std::vector<unsigned char> windowIconRgba(int size);
