#pragma once

#include <string>

class Board;
class Chain;
class Gear;

// What must hold of a board between two frames: every number finite; every chain a closed
// loop whose links are each in one drawing layer; contacts and touching lists in step and
// pointing into the board; the pin on a point of its chain; no gear still bound to a chain
// point. heldGear and heldChain are the play mode's drag, none or pieces of this board.
// Returns the first broken rule as a short message naming it, or an empty string.
std::string validateBoard(const Board& board, const Gear* heldGear = nullptr,
                          const Chain* heldChain = nullptr);

// Debug and sanitizer builds (BRINDLECOG_VALIDATE) stop at the first step that leaves the
// board broken, naming the rule, so a fault shows where it happens and not frames later.
// Otherwise it does nothing.
void assertValidAfterStep(const Board& board);
