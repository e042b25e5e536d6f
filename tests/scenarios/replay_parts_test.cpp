// The replay's check must see a broken board, which no script of window events can make:
// these tests break the play mode's board by hand. And the dump's numbers must read back.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>

#include "app/shell.h"
#include "mechanics/contact.h"
#include "modes/live_mode.h"
#include "modes/start_state.h"
#include "render/asset_paths.h"
#include "replay/invariants.h"
#include "replay/state_dump.h"
#include "support/gl_context.h"

namespace {

class BrokenBoard : public ::testing::Test {
  protected:
    void SetUp() override {
        liveMode.board.layOutStartingBoard(true);
        liveMode.board.step(0.016f, true);  // contacts made, gears bound and released
        ASSERT_EQ(findBrokenInvariant(), "");
    }
    void TearDown() override {
        liveMode.heldGear = nullptr;
        liveMode.heldChain = nullptr;
        liveMode.board.gears.clear();
        liveMode.board.chains.clear();
    }

    Chain& chain() { return *liveMode.board.chains.front(); }
    Gear& gear(std::size_t index) { return *liveMode.board.gears[index]; }

    GlContext context_;
};

TEST_F(BrokenBoard, ANumberThatIsNotFinite) {
    gear(1).rotation = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(findBrokenInvariant(), "gear 1: rotation is not finite");
    gear(1).rotation = 0.0f;
    chain().points[7]->position.y = std::numeric_limits<float>::infinity();
    EXPECT_EQ(findBrokenInvariant(), "chain 0: point 7 is not finite");
}

TEST_F(BrokenBoard, AGearStillBoundToAChainPoint) {
    gear(2).trackedPoint = chain().points[0].get();
    EXPECT_EQ(findBrokenInvariant(), "gear 2: still holds a trackedPoint between frames");
    gear(2).trackedPoint = nullptr;
}

TEST_F(BrokenBoard, AChainThatIsNotClosed) {
    Point* second = chain().links[3]->a;
    chain().links[3]->a = chain().points[10].get();
    EXPECT_EQ(findBrokenInvariant(), "chain 0: link 3's a is not link 2's b");
    chain().links[3]->a = second;
    chain().oddLinks.push_back(chain().links[0].get());  // link 0 is an even one
    EXPECT_EQ(findBrokenInvariant(), "chain 0: link 0 is in 1 odd and 1 even entries");
    chain().oddLinks.pop_back();
    std::unique_ptr<Point> last = std::move(chain().points.back());
    chain().points.pop_back();
    EXPECT_EQ(findBrokenInvariant(), "chain 0: 45 points but 46 links");
    chain().points.push_back(std::move(last));
}

TEST_F(BrokenBoard, AContactWithoutItsTouchingEntryAndTheOtherWayRound) {
    Point* point = chain().points[30].get();
    chain().contacts.push_back(std::make_unique<Contact>(Contact{point, &gear(3), 5}));
    const std::string contact = "chain 0: contact " + std::to_string(chain().contacts.size() - 1);
    EXPECT_EQ(findBrokenInvariant(), contact + "'s gear is not in its point's touching list");
    chain().contacts.pop_back();
    chain().points[30]->touching.push_back(&gear(3));
    EXPECT_EQ(findBrokenInvariant(), "chain 0: point 30 lists a gear 1 times with 0 contacts");
    chain().points[30]->touching.pop_back();
}

TEST_F(BrokenBoard, PointersOffTheBoard) {
    Gear stray(30.0f, GEAR_IMAGE, 0.0f, 0.0f);
    liveMode.heldGear = &stray;
    EXPECT_EQ(findBrokenInvariant(), "heldGear is not on the board");
    liveMode.heldGear = nullptr;
    Point strayPoint;
    chain().grabbed = &strayPoint;
    EXPECT_EQ(findBrokenInvariant(), "chain 0: grabbed is not a point of the chain");
    chain().grabbed = nullptr;
    Point* point = chain().points[5].get();
    chain().contacts.push_back(std::make_unique<Contact>(Contact{point, &stray, 5}));
    point->touching.push_back(&stray);
    EXPECT_NE(findBrokenInvariant().find("'s gear is not on the board"), std::string::npos);
    chain().removeGearContacts(&stray);
}

TEST(DumpNumbers, AreTheShortestTextThatReadsBack) {
    EXPECT_EQ(formatNumber(-400.0f), "-400");
    EXPECT_EQ(formatNumber(1000.0f), "1000");
    EXPECT_EQ(formatNumber(0.016f), "0.016");
    EXPECT_EQ(formatNumber(24.000221f), "24.000221");
    EXPECT_EQ(formatNumber(-0.30042362f), "-0.30042362");
    std::mt19937 random(6);
    std::uniform_real_distribution<float> anywhere(-1000.0f, 1000.0f);
    for (int i = 0; i < 10000; ++i) {
        const float value = anywhere(random);
        EXPECT_EQ(std::stof(formatNumber(value)), value);
    }
}

TEST(DumpText, OfTheStartScreen) {
    currentState = &startState;
    startState.instructionsShown = 0;
    EXPECT_EQ(dumpState(), R"({"mode":"start","instructions":false})");
    startState.instructionsShown = 1;
    EXPECT_EQ(dumpState(), R"({"mode":"start","instructions":true})");
    currentState = nullptr;
}

}  // namespace
