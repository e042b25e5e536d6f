#pragma once

#include <string>

// Checks what must hold on the play mode's board between two frames: every number finite,
// every chain a closed loop, contacts and touching lists in step and pointing into the board,
// the drag pointing at pieces on the board, and no gear still bound to a chain point. Returns
// a description of the first broken rule, or an empty string.
std::string findBrokenInvariant();
