#include <gtest/gtest.h>

#include "mechanics/board.h"
#include "mechanics_checks.h"
#include "render/asset_paths.h"

namespace {

TEST(MechanicsGear, ARunningMotorStillTurnsEvenlyAfterAWeekAndAHeldOneStops) {
    Board board;
    Gear* motor = board.addPiece(PieceKind::Motor, {}, true);
    for (long frame = 0; frame < 7L * 24 * 3600 * 100 / 3; ++frame) {  // 0.03 s frames
        board.step(0.03f, true);
    }
    float before = motor->rotation;
    board.step(0.03f, true);
    EXPECT_NEAR(turnBetween(before, motor->rotation), 6.0f, 1e-3f);
    motor->held = true;  // neither turns nor changes speed
    before = motor->rotation;
    board.step(0.03f, false);
    EXPECT_EQ(motor->rotation, before);
    EXPECT_EQ(motor->speed, 200.0f);
}

TEST(MechanicsGear, TheChainTurnsAPlainGearOrAHeldMotorByTheAngleItsPointSwept) {
    struct Case {
        const char* name;
        bool motor;
        bool held;
        Vec3 from;
        Vec3 to;
        float rotation;
    };
    for (const Case& c :
         {Case{"a quarter turn", false, false, {10, 0, 0}, {0, 10, 0}, 90.0f},
          {"across 180 degrees", false, false, {-10, 1.7632698f, 0}, {-10, -1.7632698f, 0}, 20.0f},
          {"a running motor", true, false, {10, 0, 0}, {0, 10, 0}, 0.0f},
          {"a held motor", true, true, {10, 0, 0}, {-10, -1.7632698f, 0}, 190.0f}}) {
        Gear gear(50.0f, GEAR_IMAGE, c.motor ? 200.0f : 0.0f, 0.0f);
        gear.held = c.held;
        gear.position = gear.lastPosition = Vec3{};
        Point point;
        point.position = c.to;
        gear.trackedPoint = &point;
        gear.trackedStart = c.from;
        gear.turnWithChain();
        EXPECT_NEAR(gear.rotation, c.rotation, 1e-3f) << c.name;
        EXPECT_EQ(gear.trackedPoint, nullptr) << c.name;
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
        float factor;
        Vec3 at;
        Vec3 target;
        Vec3 reached;
    };
    for (const Case& c : {
             Case{"slack: at most 25 a frame", 1.0f, {-40, 110, 0}, {0, 110, 0}, {-15, 110, 0}},
             {"slack, along the chain", 1.0f, {-40, 110, 0}, {-40, -100, 0}, {-40, 85, 0}},
             {"taut: thrown back", 1.2f, {-40, 110, 0}, {0, 110, 0}, {-65, 110, 0}},
             {"almost taut: into it, no move", 1.098f, {-40, 110, 0}, {-20, 110, 0}, {-40, 110, 0}},
             {"tight, into it", 1.08f, {-40, 110, 0}, {-20, 110, 0}, {-36, 110, 0}},
             {"tight, sideways: a quarter", 1.08f, {-40, 110, 0}, {-40, 70, 0}, {-40, 100, 0}},
             {"tight, off the disc", 1.08f, {-80, 110, 0}, {-100, 110, 0}, {-92.46f, 110, 0}},
             {"taut, caught on the rim: eased out",
              1.2f,
              {-70, 110, 0},
              {-70, 110, 0},
              {-71.09f, 110, 0}},
         }) {
        const Vec3 reached = drag(c.at, c.target, {{Vec3{}, c.factor}});
        EXPECT_NEAR(reached.x, c.reached.x, 0.05f) << c.name;
        EXPECT_NEAR(reached.y, c.reached.y, 0.05f) << c.name;
    }
}

// Two squares: one from the origin, its left side at x = 0 (-22 stretched), and one whose
// right side is at x = -80 (-58 stretched) or, from -400, at -180 (-158): out of reach.
TEST(MechanicsGear, ADraggedGearFollowsTheTightestChainWithinReachElseTheFirst) {
    struct Case {
        const char* name;
        float first;
        Vec3 secondOrigin;
        float second;
        Vec3 target;
        bool followsSecond;
    };
    for (const Case& c :
         {Case{"the second, tighter", 1.0f, {-300, 0, 0}, 1.2f, {-80, 110, 0}, true},
          {"the first, tighter", 1.2f, {-300, 0, 0}, 1.0f, {0, 110, 0}, false},
          {"a tighter one out of reach", 1.0f, {-400, 0, 0}, 1.2f, {-30, 110, 0}, false}}) {
        const Vec3 at{-40.0f, 110.0f, 0.0f};
        const Vec3 both = drag(at, c.target, {{Vec3{}, c.first}, {c.secondOrigin, c.second}});
        const Vec3 first = drag(at, c.target, {{Vec3{}, c.first}});
        const Vec3 second = drag(at, c.target, {{c.secondOrigin, c.second}});
        EXPECT_GT(length(first - second), 1.0f) << c.name;
        EXPECT_EQ(both, c.followsSecond ? second : first) << c.name;
    }
}

}  // namespace
