#include <gtest/gtest.h>

#include "mechanics/board.h"
#include "mechanics/board_validator.h"

namespace {

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
