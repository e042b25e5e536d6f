#pragma once

#include <string>

#include "replay/float_text.h"  // formatNumber: the dump's numbers

// The game's state as one line of JSON (no end of line): the mode, and in the play mode the
// tool bar, the drag, the tension light, the tool icon, every gear and every chain, in the
// field order the replay's readers rely on.
std::string dumpState();
