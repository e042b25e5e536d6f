#pragma once

#include <memory>
#include <vector>

class Gear;
class Chain;

// The board owns its pieces in creation order; that order is the order of every walk
// (stepping, updating, drawing, picking), and the first match wins.
using GearList = std::vector<std::unique_ptr<Gear>>;
using ChainList = std::vector<std::unique_ptr<Chain>>;

// The visible board spans x in [-400, 400] and y in [-300, 300] board units, whatever the
// window's size. Chain points and gears are kept inside it.
constexpr float BOARD_HALF_WIDTH = 400.0f;
constexpr float BOARD_HALF_HEIGHT = 300.0f;
