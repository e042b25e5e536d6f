#pragma once

#include <vector>

#include "mechanics/chain.h"

// A chain's relaxation as bare arithmetic: the points as packed x, y, z floats in chain order
// (point i is link i's first end) and each link's squared rest length. This is the practical
// limit of the relaxation on this machine: a pass is a chain of dependent divisions.
struct FlatChain {
    std::vector<float> xyz;
    std::vector<float> lengthSquared;
};

FlatChain flatten(const Chain& chain);
// Whether the flat points hold bit for bit the chain's positions.
bool samePositions(const FlatChain& flat, const Chain& chain);
// One pass of every link's constraint, in the chain's pass order and with its formula.
void relaxFlat(FlatChain& chain, int pass);
