#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "mechanics/board.h"

// What must hold of every chain between frames: closed, each link in one drawing layer,
// contacts mirrored by the touching lists, the pin on one of its points.
inline void expectWellFormed(const Chain& chain) {
    const std::size_t n = chain.links.size();
    ASSERT_EQ(chain.points.size(), n);
    const auto isPoint = [&](const Point* p) {
        return std::any_of(chain.points.begin(), chain.points.end(),
                           [&](const auto& own) { return own.get() == p; });
    };
    for (std::size_t i = 0; i < n; ++i) {
        EXPECT_EQ(chain.links[i]->a, chain.links[(i + n - 1) % n]->b) << "link " << i;
        const Link* link = chain.links[i].get();
        EXPECT_EQ(std::count(chain.oddLinks.begin(), chain.oddLinks.end(), link) +
                      std::count(chain.evenLinks.begin(), chain.evenLinks.end(), link),
                  1);
    }
    std::size_t touches = 0;
    for (const auto& point : chain.points) {
        touches += point->touching.size();
    }
    EXPECT_EQ(touches, chain.contacts.size());
    for (const auto& contact : chain.contacts) {
        EXPECT_TRUE(isPoint(contact->point) && contact->point->touches(contact->gear));
    }
    EXPECT_TRUE(chain.grabbed == nullptr || isPoint(chain.grabbed));
}

inline bool finiteOnBoard(Vec3 v) {
    return std::isfinite(v.z) && std::fabs(v.x) <= BOARD_HALF_WIDTH &&
           std::fabs(v.y) <= BOARD_HALF_HEIGHT;  // false for NaN too
}

inline std::vector<Vec3> positions(const Chain& chain) {
    std::vector<Vec3> result;
    for (const auto& point : chain.points) {
        result.push_back(point->position);
    }
    return result;
}

// How far a gear turned in one frame, counter-clockwise, in (-180, 180].
inline float turnBetween(float before, float after) {
    const float turn = std::fmod(after - before + 540.0f, 360.0f) - 180.0f;
    return turn == -180.0f ? 180.0f : turn;
}
