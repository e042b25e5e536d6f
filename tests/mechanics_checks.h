#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "mechanics/board.h"
#include "mechanics/board_validator.h"

inline std::vector<Vec3> positions(const Chain& chain) {
    std::vector<Vec3> result;
    for (const auto& point : chain.points) {
        result.push_back(point->position);
    }
    return result;
}

// Moves every point away from centre by factor, stretching every link, and refits them.
inline void stretch(Chain& chain, float factor, Vec3 centre) {
    for (const auto& point : chain.points) {
        point->position.x = centre.x + (point->position.x - centre.x) * factor;
        point->position.y = centre.y + (point->position.y - centre.y) * factor;
    }
    for (const auto& link : chain.links) {
        link->fitSprite();
    }
}

// How far a gear turned in one frame, counter-clockwise, in (-180, 180].
inline float turnBetween(float before, float after) {
    const float turn = std::fmod(after - before + 540.0f, 360.0f) - 180.0f;
    return turn == -180.0f ? 180.0f : turn;
}
