#pragma once

// Vertical synchronisation of buffer swaps, through the window system's own extension: GLX on
// Linux (swap_control_glx.cpp), WGL on Windows (swap_control_wgl.cpp). Without the extension
// frames are simply not synchronised.
extern bool swapControlAvailable;

// Looks the extension up; needs the window's GL context to be current.
void initSwapControl();
void setVSync(bool on);

// Whether the space-separated extension list names `name` as a whole word.
bool hasExtension(const char* extensions, const char* name);
