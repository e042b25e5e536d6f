#pragma once

// Tells the desktop which program the current GLUT window belongs to: the class "brindlecog"
// (which the menu entry's StartupWMClass names) and the gear picture as the window's icon, so
// that docks and task switchers show it. Call right after the window is created.
void identifyWindow();
