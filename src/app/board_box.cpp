#include "app/board_box.h"

#include <GL/gl.h>

#include <algorithm>

#include "app/display_state.h"

int boardLeft = 0;
int boardTop = 0;
bool letterboxed = false;

namespace {
int widthForHeight(int height) {
    return static_cast<int>(height * 1.3333333333333333);  // truncated, as the snap does
}
}  // namespace

PixelBox fitBoard(int width, int height) {
    const int boxHeight = widthForHeight(height) <= width ? height : std::max(1, width * 3 / 4);
    const int boxWidth = widthForHeight(boxHeight);
    return {(width - boxWidth) / 2, (height - boxHeight) / 2, boxWidth, boxHeight};
}

PixelBox snappedWindow(int height, int screenWidth, int screenHeight) {
    if (screenWidth > 0 && screenHeight > 0) {
        height = std::min({height, screenHeight, screenWidth * 3 / 4});
    }
    return {0, 0, widthForHeight(height), height};
}

void clearLetterbox() {
    if (!letterboxed) {
        return;
    }
    // The board's own grey is known: no read-back of GL state in the frame.
    glDisable(GL_SCISSOR_TEST);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(CLEAR_GREY, CLEAR_GREY, CLEAR_GREY, 1.0f);
    glEnable(GL_SCISSOR_TEST);  // the board's own clear and drawing stay inside it
}
