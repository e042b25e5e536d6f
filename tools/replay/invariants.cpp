#include "replay/invariants.h"

#include "mechanics/board_validator.h"
#include "modes/live_mode.h"

std::string findBrokenInvariant() {
    return validateBoard(liveMode.board, liveMode.heldGear, liveMode.heldChain);
}
