// The dump's numbers, which every scenario reads back: the shortest text of each float.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "replay/state_dump.h"

namespace {

TEST(DumpNumbers, AreTheShortestTextThatReadsBack) {
    EXPECT_EQ(formatNumber(-400.0f) + formatNumber(0.016f) + formatNumber(-0.30042362f),
              "-4000.016-0.30042362");
    std::mt19937 random(6);
    std::uniform_real_distribution<float> anywhere(-1000.0f, 1000.0f);
    for (int i = 0; i < 10000; ++i) {
        const float value = anywhere(random);
        EXPECT_EQ(std::stof(formatNumber(value)), value);
    }
}

}  // namespace
