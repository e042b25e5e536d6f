#include <gtest/gtest.h>

#include <cmath>

#include "mechanics/board.h"
#include "render/asset_paths.h"

namespace {

// Moves every point away from centre by factor, stretching every link, and refits them.
void stretch(Chain& chain, float factor, Vec3 centre) {
    for (const auto& point : chain.points) {
        point->position.x = centre.x + (point->position.x - centre.x) * factor;
        point->position.y = centre.y + (point->position.y - centre.y) * factor;
    }
    for (const auto& link : chain.links) {
        link->fitSprite();
    }
}

TEST(MechanicsGear, ARunningMotorStillTurnsEvenlyAfterAWeekAndAHeldOneStops) {
    Board board;
    Gear* motor = board.addPiece(PieceKind::Motor, {}, true);
    for (long frame = 0; frame < 7L * 24 * 3600 * 100 / 3; ++frame) {  // 0.03 s frames
        board.step(0.03f, true);
    }
    float before = motor->rotation;
    board.step(0.03f, true);
    EXPECT_NEAR(std::fmod(motor->rotation - before + 360.0f, 360.0f), 6.0f, 1e-3f);
    motor->held = true;  // neither turns nor changes speed
    before = motor->rotation;
    board.step(0.03f, false);
    EXPECT_EQ(motor->rotation, before);
    EXPECT_EQ(motor->speed, 200.0f);
}

// A point at `to` that was at `from` when bound turns the gear at the origin by the angle
// between them (plain gears and held motors; a running motor turns by itself).
TEST(MechanicsGear, TheChainTurnsAPlainGearOrAHeldMotorByTheAngleItsPointSwept) {
    const float y = 1.7632698f;                          // (-10, y) is at 170 degrees
    const float cases[][7] = {{0, 0, 10, 0, 0, 10, 90},  // motor, held, from, to, turned
                              {0, 0, -10, y, -10, -y, 20},
                              {1, 0, 10, 0, 0, 10, 0},
                              {1, 1, 10, 0, -10, -y, 190}};
    for (const auto& c : cases) {
        Gear gear(50.0f, GEAR_IMAGE, c[0] * 200.0f, 0.0f);
        gear.held = c[1] != 0;
        gear.position = gear.lastPosition = Vec3{};
        Point point;
        point.position = Vec3{c[4], c[5], 0};
        gear.trackedPoint = &point;
        gear.trackedStart = Vec3{c[2], c[3], 0};
        gear.turnWithChain();
        EXPECT_NEAR(gear.rotation, c[6], 1e-3f) << "case turning by " << c[6];
        EXPECT_EQ(gear.trackedPoint, nullptr) << "case turning by " << c[6];
    }
}

// One frame of a large gear held at `at` and dragged towards target, over a board of 40-link
// squares laid out from the origins and stretched about their centres by the factors.
Vec3 drag(Vec3 at, Vec3 target, std::vector<std::pair<Vec3, float>> chains) {
    Board board;
    for (const auto& [origin, factor] : chains) {
        stretch(*board.addChain(40, origin), factor, origin + Vec3{110.0f, 110.0f, 0.0f});
    }
    Gear* gear = board.addPiece(PieceKind::LargeGear, at, true);
    gear->beginDrag(at);
    gear->dragTarget = target;
    gear->update(0.016f, board.gears, board.chains);
    return gear->position;
}

// One square's left side runs through (0, 110), at x = -8.8 stretched by 1.08 (tension 0.8),
// -10.8 by 1.098 (0.98) and -22 by 1.2 (2). The tighter, the more it holds the gear back.
TEST(MechanicsGear, AStretchedChainHoldsADraggedGearBack) {
    struct Case {
        const char* name;
        float factor, atX, toX, toY, x, y;  // the gear starts at (atX, 110)
    };
    for (const Case& c :
         {Case{"slack: at most 25 a frame", 1.0f, -40, 0, 110, -15, 110},
          {"slack, along the chain", 1.0f, -40, -40, -100, -40, 85},
          {"taut: thrown back", 1.2f, -40, 0, 110, -65, 110},
          {"almost taut: into it, no move", 1.098f, -40, -20, 115, -40, 110},
          {"tight, into it", 1.08f, -40, -20, 110, -36, 110},
          {"tight, sideways: a quarter", 1.08f, -40, -40, 70, -40, 100},
          {"tight, off the disc", 1.08f, -80, -100, 110, -92.46f, 110},
          {"taut, caught on the rim: eased out", 1.2f, -70, -70, 110, -71.09f, 110}}) {
        const Vec3 reached = drag({c.atX, 110, 0}, {c.toX, c.toY, 0}, {{Vec3{}, c.factor}});
        EXPECT_NEAR(reached.x, c.x, 0.05f) << c.name;
        EXPECT_NEAR(reached.y, c.y, 0.05f) << c.name;
    }
}

// Two squares: one from the origin, its left side at x = 0 (-22 stretched), and one whose
// right side is at x = -80 (-58 stretched), from -334 at -92 stretched (the edge of reach,
// 53 from the centre) or, from -400, at -158 stretched: out of reach.
TEST(MechanicsGear, ADraggedGearFollowsTheTightestChainWithinReachElseTheFirst) {
    struct Case {
        const char* name;
        float first, secondX, second, targetX;  // the second's origin, the target's x
        bool followsSecond;
    };
    for (const Case& c : {Case{"the second, tighter", 1.0f, -300, 1.2f, -80, true},
                          {"the first, tighter", 1.2f, -300, 1.0f, 0, false},
                          {"the second at the edge of reach", 1.0f, -334, 1.2f, -80, true},
                          {"a tighter one out of reach", 1.0f, -400, 1.2f, -30, false}}) {
        const Vec3 at{-40.0f, 110.0f, 0.0f};
        const Vec3 target{c.targetX, 110.0f, 0.0f};
        const Vec3 origin{c.secondX, 0.0f, 0.0f};
        const Vec3 both = drag(at, target, {{Vec3{}, c.first}, {origin, c.second}});
        const Vec3 first = drag(at, target, {{Vec3{}, c.first}});
        const Vec3 second = drag(at, target, {{origin, c.second}});
        EXPECT_GT(length(first - second), 1.0f) << c.name;
        EXPECT_EQ(both, c.followsSecond ? second : first) << c.name;
    }
}

}  // namespace
