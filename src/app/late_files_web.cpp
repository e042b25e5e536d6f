// The late files' gate in the page. late_files.js calls brindlecogLateFilesArrived once the
// second data package is written to the file system.
#include <emscripten.h>

#include <vector>

#include "app/late_files.h"
#include "app/shell.h"

namespace {

struct HeldClick {
    int button;
    int state;
    int x;
    int y;
};

struct LateFiles {
    bool arrived = false;
    std::vector<void (*)()> loaders;
    std::vector<HeldClick> clicks;
};

LateFiles& lateFiles() {
    static LateFiles files;
    return files;
}

}  // namespace

void afterLateFiles(void (*load)()) {
    if (lateFiles().arrived) {
        load();
        return;
    }
    lateFiles().loaders.push_back(load);
}

void mouseOnceFilesArrive(int button, int state, int x, int y) {
    if (lateFiles().arrived) {
        onMouse(button, state, x, y);
        return;
    }
    lateFiles().clicks.push_back({button, state, x, y});
}

extern "C" EMSCRIPTEN_KEEPALIVE void brindlecogLateFilesArrived() {
    LateFiles& files = lateFiles();
    if (files.arrived) {
        return;
    }
    files.arrived = true;
    for (void (*load)() : files.loaders) {
        load();
    }
    files.loaders.clear();
    for (const HeldClick& click : files.clicks) {
        onMouse(click.button, click.state, click.x, click.y);
    }
    files.clicks.clear();
}
