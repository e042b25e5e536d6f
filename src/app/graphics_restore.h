#pragma once

// A browser may take the GL context away (a page in the background on a phone) and hand a
// new, empty one back later. This makes the game's GL objects again in it: every picture from
// its file, into the records the sprites hold, the drawing state the sprites remember, the
// initial GL state and the projection for a width by height canvas. The board itself lives
// outside GL and goes on as it was.
void restoreGraphics(int width, int height);
