#include <gtest/gtest.h>

#include "mechanics/board.h"
#include "mechanics_checks.h"

namespace {

TEST(MechanicsEditing, GrabPinsTheNearerEndOfTheFirstLinkHit) {
    Chain chain(40, 22.0f, {});                        // link 4 runs from (0, 88) to (0, 110)
    EXPECT_TRUE(chain.grab(Vec3{0.0f, 99.0f, 0.0f}));  // equally far: the b end
    EXPECT_EQ(chain.grabbed, chain.points[5].get());
    EXPECT_TRUE(chain.grab(Vec3{3.0f, 95.0f, 0.0f}));  // nearer a, and off link 3
    EXPECT_EQ(chain.grabbed, chain.points[4].get());
    EXPECT_FALSE(chain.grab(Vec3{110.0f, 110.0f, 0.0f}));
    EXPECT_EQ(chain.grabbed, chain.points[4].get());
    EXPECT_EQ(chain.grabTarget, (Vec3{3.0f, 95.0f, 0.0f}));
}

TEST(MechanicsEditing, ShortenTakesSixLinksAfterTheFirstWithTheirContactsAndPin) {
    Board board;
    Chain& chain = *board.addChain(40, {});
    board.addPiece(PieceKind::LargeGear, Vec3{-20.0f, 30.0f, 0.0f}, true);  // on points 0-3, 39
    board.step(0.016f, true);
    const std::size_t contacts = chain.contacts.size();
    chain.grabbed = chain.points[3].get();
    EXPECT_TRUE(chain.shorten());       // points 2 to 7 go
    EXPECT_EQ(chain.grabbed, nullptr);  // no pin on a destroyed point; the drag goes on
    EXPECT_GT(chain.contacts.size(), 0u);
    EXPECT_LT(chain.contacts.size(), contacts);
    EXPECT_EQ(validateBoard(board), "");
    chain.grabbed = chain.links[0]->b;
    EXPECT_TRUE(chain.shorten());
    EXPECT_EQ(chain.grabbed, chain.links[0]->b);
    EXPECT_EQ(validateBoard(board), "");
    Chain twelve(12, 22.0f, {});  // the shortest chain that can be shortened
    EXPECT_TRUE(twelve.shorten());
    EXPECT_FALSE(twelve.shorten());
}

}  // namespace
