// The replay's own parts that no script can reach: the check sees the play mode's drag, and
// the dump's numbers read back.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "modes/live_mode.h"
#include "render/asset_paths.h"
#include "replay/invariants.h"
#include "replay/state_dump.h"

namespace {

TEST(Check, SeesThePlayModesDrag) {
    Gear stray(30.0f, GEAR_IMAGE, 0.0f, 0.0f);
    Chain strayChain(4, 22.0f, {});
    liveMode.board.layOutStartingBoard(true);
    liveMode.heldGear = &stray;
    EXPECT_EQ(findBrokenInvariant(), "heldGear is not on the board");
    liveMode.heldGear = liveMode.board.gears[0].get();
    liveMode.heldChain = &strayChain;
    EXPECT_EQ(findBrokenInvariant(), "heldChain is not on the board");
    liveMode.heldChain = nullptr;
    liveMode.heldGear = nullptr;
    liveMode.board.clear();
}

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
