#pragma once

// Where the 800 by 600 board lies in the window. The game asks for a 4:3 window, but a
// maximised or full-screen window, a tiling window manager or a small screen may refuse: the
// board is then drawn as large as fits, centred between black bars, and the pointer is mapped
// through the same box.
struct PixelBox {
    int left;  // pixels from the window's left edge
    int top;   // pixels from the window's top edge
    int width;
    int height;
};

// The largest 4:3 box in a width by height window, centred. Its width follows from its
// height as the window's snap computes it, so a window that took the snap is filled exactly.
PixelBox fitBoard(int width, int height);

// The 4:3 window to ask for: as tall as `height`, but never larger than the screen (a size of
// 0 or less means the screen's size is unknown).
PixelBox snappedWindow(int height, int screenWidth, int screenHeight);

// The board's offset in the window after the last valid reshape (its size is windowWidth by
// windowHeight), and whether bars surround it.
extern int boardLeft;
extern int boardTop;
extern bool letterboxed;

// Clears the bars around the board to black; nothing when the board fills the window.
void clearLetterbox();
