#pragma once

#include <string>

// The board validator on the play mode's board and drag: the first broken rule, or empty.
std::string findBrokenInvariant();
