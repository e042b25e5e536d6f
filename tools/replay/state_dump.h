#pragma once

#include <string>

// The shortest decimal text that reads back to the same float: "-400", "0.016", "24.000221".
std::string formatNumber(float value);

// The game's state as one line of JSON (no end of line): the mode, and in the play mode the
// tool bar, the drag, the tension light, the tool icon, every gear and every chain, in the
// field order the replay's readers rely on.
std::string dumpState();
