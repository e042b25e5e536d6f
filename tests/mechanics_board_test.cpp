#include <gtest/gtest.h>

#include "mechanics/board.h"
#include "mechanics_checks.h"

namespace {

TEST(MechanicsBoard, PiecesAreBuiltByKindAndPickedFirstComeFirst) {
    Board board;
    EXPECT_EQ(board.addPiece(PieceKind::SmallGear, {}, true)->radius, 30.0f);
    EXPECT_EQ(board.addPiece(PieceKind::MediumGear, {}, true)->radius, 40.0f);
    Gear* on = board.addPiece(PieceKind::Motor, Vec3{60.0f, 0.0f, 0.0f}, true);
    Gear* off = board.addPiece(PieceKind::Motor, {}, false);
    EXPECT_EQ(on->radius, 50.0f);
    EXPECT_EQ(on->speed, 200.0f);
    EXPECT_EQ(off->speed, 0.0f);
    EXPECT_EQ(on->lastPosition, (Vec3{-350.0f, 202.0f, 0.0f}));  // until its first update
    EXPECT_EQ(board.addPiece(static_cast<PieceKind>(7), {}, true), nullptr);
    EXPECT_EQ(board.gears.size(), 4u);

    EXPECT_EQ(board.gearAt(Vec3{25.0f, 0.0f, 0.0f}), board.gears[0].get());
    EXPECT_EQ(board.gearAt(Vec3{40.0f, 0.0f, 0.0f}), on);  // on the medium one's rim: off it
    EXPECT_EQ(board.gearAt(Vec3{200.0f, 0.0f, 0.0f}), nullptr);
    Chain* low = board.addChain(40, Vec3{-300.0f, -250.0f, 0.0f});
    Chain* same = board.addChain(40, Vec3{-300.0f, -250.0f, 0.0f});
    EXPECT_EQ(board.chainAt(Vec3{-300.0f, -239.0f, 0.0f}), low);
    EXPECT_EQ(board.chainAt(Vec3{200.0f, 0.0f, 0.0f}), nullptr);
    board.removeChain(low);
    EXPECT_EQ(board.chainAt(Vec3{-300.0f, -239.0f, 0.0f}), same);
}

TEST(MechanicsBoard, RemovingAGearLeavesNoChainReferringToItAndClearEmptiesTheBoard) {
    Board board;
    board.layOutStartingBoard(true);
    for (int frame = 0; frame < 30; ++frame) {
        board.step(0.016f, true);
    }
    Gear* gear = board.gears[1].get();
    const Chain& chain = *board.chains[0];
    const auto refers = [&] {
        return std::any_of(chain.contacts.begin(), chain.contacts.end(),
                           [&](const auto& c) { return c->gear == gear; });
    };
    ASSERT_TRUE(refers());
    Gear* const next = board.gears[2].get();
    board.removeGear(gear);
    EXPECT_FALSE(refers());
    expectWellFormed(chain);  // and so no point still touches it
    EXPECT_EQ(board.gears[1].get(), next);
    board.removeGear(nullptr);
    board.step(0.016f, true);
    EXPECT_EQ(board.gears.size(), 3u);
    board.clear();
    EXPECT_TRUE(board.gears.empty() && board.chains.empty());
    board.clear();

    // The tension light's measure: the largest tension, slack chains count as none.
    EXPECT_EQ(board.largestTension(), 0.0f);
    Chain* slack = board.addChain(46, Vec3{-295.0f, 40.0f, 0.0f});
    EXPECT_LT(slack->tension(), 0.0f);  // one link at half length, one at none
    EXPECT_EQ(board.largestTension(), 0.0f);
    Chain* taut = board.addChain(40, {});
    for (const auto& link : taut->links) {
        link->scale.x *= 1.1f;  // drawn 10 % too long
    }
    EXPECT_NEAR(board.largestTension(), 1.0f, 1e-4f);
}

TEST(MechanicsBoard, TheFirstChainSteppedBindsASharedGearForOneFrame) {
    Board board;
    Chain* first = board.addChain(40, {});                          // left side at x = 0
    Chain* second = board.addChain(40, Vec3{-300.0f, 0.0f, 0.0f});  // right side at x = -80
    Gear* gear = board.addPiece(PieceKind::LargeGear, Vec3{-40.0f, 110.0f, 0.0f}, true);
    first->step(board.gears, 0.016f);
    second->step(board.gears, 0.016f);
    ASSERT_FALSE(second->contacts.empty());
    EXPECT_EQ(gear->trackedPoint, first->points[4].get());  // its earliest contact
    gear->update(0.016f, board.gears, board.chains);
    EXPECT_EQ(gear->trackedPoint, nullptr);
}

// Frames of 0.016 s, in the play mode's order, checking that nothing leaves the board or
// turns NaN; how far each gear turned, counter-clockwise.
std::vector<float> runFrames(Board& board, int count) {
    std::vector<float> turned(board.gears.size(), 0.0f);
    for (int frame = 0; frame < count; ++frame) {
        std::vector<float> before;
        for (const auto& gear : board.gears) {
            before.push_back(gear->rotation);
        }
        board.largestTension();
        board.step(0.016f, true);
        for (std::size_t g = 0; g < turned.size(); ++g) {
            EXPECT_TRUE(std::isfinite(board.gears[g]->rotation));
            turned[g] += turnBetween(before[g], board.gears[g]->rotation);
        }
        for (const auto& point : board.chains[0]->points) {
            EXPECT_TRUE(finiteOnBoard(point->position)) << "frame " << frame;
        }
    }
    return turned;
}

TEST(MechanicsBoard, WithThePowerOnTheChainRunsRoundEveryGearTheMotorsWay) {
    Board board;
    board.layOutStartingBoard(true);
    runFrames(board, 120);
    const std::vector<float> turned = runFrames(board, 60);
    EXPECT_NEAR(turned[0], 60 * 200.0f * 0.016f, 0.01f);  // the motor
    for (std::size_t g = 1; g < 4; ++g) {
        EXPECT_GT(turned[g], 90.0f) << "gear " << g;  // about 150 degrees a second
    }
    const Chain& chain = *board.chains[0];
    expectWellFormed(chain);
    for (const auto& gear : board.gears) {
        float nearest = 1e9f;  // the chain lies on every rim
        for (const auto& point : chain.points) {
            nearest = std::min(nearest,
                               std::fabs(length(point->position - gear->position) - gear->radius));
        }
        EXPECT_LT(nearest, 2.0f);
        EXPECT_TRUE(gear->isMotor() ||  // and each large gear is caught in it
                    std::any_of(chain.contacts.begin(), chain.contacts.end(),
                                [&](const auto& c) { return c->gear == gear.get(); }));
    }
    EXPECT_LT(board.largestTension(), 1.08f);  // running, the light is off
}

TEST(MechanicsBoard, ASmallerGearTurnsFasterOnTheSameChain) {
    Board board;
    board.addChain(46, Vec3{-295.0f, 40.0f, 0.0f});
    board.addPiece(PieceKind::Motor, Vec3{-255.0f, 50.0f, 0.0f}, true);
    board.addPiece(PieceKind::SmallGear, Vec3{-55.0f, 215.0f, 0.0f}, true);
    board.addPiece(PieceKind::LargeGear, Vec3{-255.0f, 215.0f, 0.0f}, true);
    board.addPiece(PieceKind::LargeGear, Vec3{-55.0f, 50.0f, 0.0f}, true);
    runFrames(board, 120);
    const std::vector<float> turned = runFrames(board, 180);
    const float large = (turned[2] + turned[3]) / 2.0f;
    EXPECT_GT(large, 0.0f);
    EXPECT_GT(turned[1], 1.4f * large);  // radius 30 against 50: about 5/3
}

// The starting board after 120 frames of 0.016 s as an independent model computed it: every
// fifth point, from point 0.
const float EXPECTED_POINTS[10][2] = {
    {-14.368462f, 20.86106f},  {-120.93421f, 3.5784976f}, {-231.02258f, -4.917903f},
    {-304.96515f, 48.133686f}, {-304.73502f, 166.07707f}, {-263.87973f, 264.2052f},
    {-147.29587f, 264.44397f}, {-32.40441f, 259.60315f},  {-5.4966455f, 154.95271f},
    {-5.786251f, 41.167828f},
};

TEST(MechanicsBoard, TheFirstTwoSecondsMatchAnIndependentModel) {
    Board board;
    board.layOutStartingBoard(true);
    for (int frame = 0; frame < 120; ++frame) {
        board.largestTension();
        board.step(0.016f, true);
    }
    const float rotations[] = {24.000221f, 319.72675f, 238.86024f, 349.33487f};
    for (std::size_t g = 0; g < 4; ++g) {
        EXPECT_NEAR(board.gears[g]->rotation, rotations[g], 1e-3f) << "gear " << g;
    }
    const Chain& chain = *board.chains[0];
    EXPECT_EQ(chain.tension(), 0.43225288f);
    EXPECT_EQ(chain.contacts.size(), 14u);
    ASSERT_EQ(chain.points.size(), 46u);
    for (std::size_t i = 0; i < 10; ++i) {
        EXPECT_EQ(chain.points[5 * i]->position.x, EXPECTED_POINTS[i][0]) << "point " << 5 * i;
        EXPECT_EQ(chain.points[5 * i]->position.y, EXPECTED_POINTS[i][1]) << "point " << 5 * i;
    }
}

}  // namespace
