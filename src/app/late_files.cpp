// On the desktop every file is in the game's folder from the start: nothing waits.
#include "app/late_files.h"

#include "app/shell.h"

void afterLateFiles(void (*load)()) {
    load();
}

void mouseOnceFilesArrive(int button, int state, int x, int y) {
    onMouse(button, state, x, y);
}
