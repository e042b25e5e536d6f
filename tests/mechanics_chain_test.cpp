#include <gtest/gtest.h>

#include "mechanics/board.h"
#include "mechanics/board_validator.h"
#include "mechanics/link.h"

namespace {

std::vector<Vec3> positions(const Chain& chain) {
    std::vector<Vec3> result;
    for (const auto& point : chain.points) {
        result.push_back(point->position);
    }
    return result;
}

TEST(MechanicsChain, LayoutIsASquareFromTheOrigin) {
    EXPECT_EQ(Chain(41, 22.0f, {}).points.size(), 40u);
    EXPECT_TRUE(Chain(1, 22.0f, {}).links.empty());
    // 46 links: the top and the right side sit half a link off the grid, two points meet.
    // clang-format off
    const struct { int count, point; Vec3 at; } cases[] = {
        {40, 10, {-100, 170, 0}}, {40, 20, {120, 170, 0}}, {40, 35, {10, -50, 0}},
        {46, 12, {-78, 203, 0}}, {46, 22, {142, 203, 0}}, {46, 23, {142, 203, 0}},
        {46, 34, {142, -39, 0}}};
    // clang-format on
    for (const auto& c : cases) {
        const Chain chain(c.count, 22.0f, Vec3{-100.0f, -50.0f, 0.0f});
        EXPECT_EQ(chain.points[c.point]->position, c.at) << c.count << " links, point " << c.point;
    }
}

TEST(MechanicsChain, ALongChainRelaxes150TimesAStepEvenPassesFromTheLastLink) {
    Chain chain(200, 2.0f, Vec3{-50.0f, -50.0f, 0.0f});  // small links stay on the board
    Chain twin(200, 2.0f, Vec3{-50.0f, -50.0f, 0.0f});
    chain.points[0]->position = twin.points[0]->position = Vec3{-90.0f, -80.0f, 0.0f};
    chain.step(GearList{}, 0.016f);
    for (int pass = 0; pass < 150; ++pass) {
        for (int k = 0; k < 200; ++k) {
            twin.links[pass % 2 == 0 ? 199 - k : k]->satisfy();
        }
    }
    EXPECT_EQ(positions(chain), positions(twin));
}

TEST(MechanicsChain, ContactsAreMadeInCaptureRangeKeptOnTheRimAndLapseOutside) {
    Board board;
    Chain& chain = *board.addChain(40, {});  // at rest it does not move; point 5 is at (0, 110)
    Gear& near = *board.addPiece(PieceKind::LargeGear, Vec3{-55.0f, 110.0f, 0.0f}, true);
    Gear& far = *board.addPiece(PieceKind::LargeGear, Vec3{-60.0f, 220.0f, 0.0f}, true);
    const std::vector<Vec3> before = positions(chain);
    chain.step(board.gears, 0.016f);
    // 55 < sqrt(1.25) * 50: bound for this frame, never pushed, lapsed by the end of the step.
    EXPECT_EQ(near.trackedPoint, chain.points[5].get());
    EXPECT_EQ(far.trackedPoint, nullptr);  // 60 is out of range
    EXPECT_EQ(positions(chain), before);
    EXPECT_TRUE(chain.contacts.empty());

    near.position = Vec3{-30.0f, 110.0f, 0.0f};  // now covering points 4 to 6
    board.step(0.016f, true);
    EXPECT_TRUE(chain.points[5]->touches(&near));
    // Far from its gear a contact loses one life a pass and goes when a step leaves it at 0.
    for (int life : {40, 41}) {
        chain.contacts.push_back(
            std::make_unique<Contact>(Contact{chain.points[20].get(), &far, life}));
        chain.points[20]->touching.push_back(&far);
        near.lifted = far.lifted = true;
        board.step(0.016f, true);  // 40 passes
        EXPECT_EQ(chain.points[20]->touches(&far), life == 41) << "life " << life;
        chain.removeGearContacts(&far);
    }
}

TEST(MechanicsChain, OnlyAFreeMotorPullsTheLinksOnItsDisc) {
    const auto afterStep = [](PieceKind kind, bool held, bool lifted) {
        Board board;
        Chain& chain = *board.addChain(40, {});
        Gear* piece = board.addPiece(kind, Vec3{-30.0f, 110.0f, 0.0f}, true);
        piece->held = held;
        piece->lifted = lifted;
        chain.step(board.gears, 0.016f);
        return positions(chain);
    };
    const std::vector<Vec3> plain = afterStep(PieceKind::LargeGear, false, false);
    EXPECT_NE(afterStep(PieceKind::Motor, false, false), plain);
    EXPECT_EQ(afterStep(PieceKind::Motor, true, false), plain);  // held: captures, no drive
    EXPECT_EQ(afterStep(PieceKind::LargeGear, false, true), positions(Chain(40, 22.0f, {})));
}

// A link of rest length 22 from the origin to a point on the x axis.
TEST(MechanicsChain, ALinksHitDiscAroundItsMidpointShrinksAsItStretches) {
    const float cases[][4] = {{22, 11, 0, 1}, {22, 11, 16.5f, 1}, {22, 11, 17, 0}, {40, 20, 0, 0}};
    for (const auto& c : cases) {
        Point a, b;
        b.position.x = c[0];
        EXPECT_EQ(Link(22.0f, &a, &b).hitTest(Vec3{c[1], c[2], 0}), c[3] != 0)
            << "length " << c[0] << " at " << c[1] << ", " << c[2];
    }
}

TEST(MechanicsChain, ShortenTakesSixLinksAfterTheFirstWithTheirContactsAndPin) {
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
