#pragma once

#include "mechanics/board.h"

// 8 chains of 148 links, each wound around its own three gears (a motor at the top, two small
// gears below) in one cell of a 4 x 2 grid, so that no chain reaches another chain's gears.
constexpr int STRESS_CHAINS = 8;
constexpr int STRESS_LINKS = 148;

void layOutStressBoard(Board& board);

// The same cells with chains of 40, 46, ..., 82 links: the lengths a player gets from New chain
// and Longer, no two alike.
constexpr int MIXED_SHORTEST_LINKS = 40;
constexpr int MIXED_LINK_STEP = 6;
void layOutMixedBoard(Board& board);

// One cell of that board centred on (cx, cy): a chain of links, its motor and its two small
// gears, then stackedPerCorner more plain gears of the same size on each corner's centre.
void layOutStressCell(Board& board, double cx, double cy, int stackedPerCorner, int links);
