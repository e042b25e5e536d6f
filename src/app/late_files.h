#pragma once

// The browser's page starts the game as soon as the start screen's picture is there and
// fetches the other pictures and the sounds after it (tools/web/late_files.js). What reads
// those files waits for them here (late_files_web.cpp); on the desktop every file is there from
// the start, and nothing waits (late_files.cpp).

// Runs load once the late files are in the file system: at once if they already are.
void afterLateFiles(void (*load)());

// The mouse callback while the late files are on their way: button events are held, in
// order, and handed to onMouse once the late files' loaders have run. Nothing before them
// needs the late files, and so a click on the start screen is never lost nor acted on early.
void mouseOnceFilesArrive(int button, int state, int x, int y);
