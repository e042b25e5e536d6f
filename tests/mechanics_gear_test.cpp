#include <gtest/gtest.h>

#include "mechanics/board.h"
#include "mechanics_checks.h"
#include "render/asset_paths.h"

namespace {

TEST(MechanicsGear, MotorSpeedLagsThePowerSwitchByAboutTwoSeconds) {
    Board board;
    Gear* motor = board.addPiece(PieceKind::Motor, {}, false);
    ASSERT_EQ(motor->speed, 0.0f);
    for (int frame = 0; frame < 125; ++frame) {  // two seconds
        board.step(0.016f, true);
    }
    // The first frame picks the ramp; every later one closes dt / 2 of the gap: 1 - 1/e.
    EXPECT_NEAR(motor->speed / 200.0f, 1.0f - std::pow(1.0f - 0.008f, 124.0f), 1e-4f);
    EXPECT_EQ(motor->activeRamp, motor->startRamp.get());

    motor->held = true;  // a held motor neither turns nor changes speed or ramp
    const float speed = motor->speed;
    const float rotation = motor->rotation;
    board.step(0.016f, false);
    EXPECT_EQ(motor->speed, speed);
    EXPECT_EQ(motor->rotation, rotation);
    EXPECT_EQ(motor->activeRamp, motor->startRamp.get());
    motor->held = false;

    for (int frame = 0; frame < 250; ++frame) {
        board.step(0.016f, false);
    }
    EXPECT_EQ(motor->activeRamp, motor->stopRamp.get());
    EXPECT_GT(motor->speed, 0.0f);
    EXPECT_LT(motor->speed, 0.2f * speed);
}

TEST(MechanicsGear, ARunningMotorKeepsTurningSmoothlyForAWeek) {
    Board board;
    Gear* motor = board.addPiece(PieceKind::Motor, {}, true);
    constexpr long FRAMES = 7L * 24 * 3600 * 100 / 3;  // a week of 0.03 s frames
    float slowest = 360.0f;
    float fastest = 0.0f;
    bool inRange = true;
    for (long frame = 0; frame < FRAMES; ++frame) {
        const float before = motor->rotation;
        board.step(0.03f, true);
        const float turn = turnBetween(before, motor->rotation);
        slowest = std::min(slowest, turn);
        fastest = std::max(fastest, turn);
        inRange = inRange && motor->rotation >= 0.0f && motor->rotation <= 360.0f;
    }
    EXPECT_TRUE(inRange);
    EXPECT_NEAR(slowest, 6.0f, 1e-3f);
    EXPECT_NEAR(fastest, 6.0f, 1e-3f);
}

TEST(MechanicsGear, TheChainTurnsAPlainGearOrAHeldMotorByTheAngleItsPointSwept) {
    Gear gear(50.0f, GEAR_IMAGE, 0.0f, 0.0f);
    gear.position = gear.lastPosition = Vec3{};
    Point point;
    point.position = Vec3{0.0f, 10.0f, 0.0f};
    gear.trackedPoint = &point;
    gear.trackedStart = Vec3{10.0f, 0.0f, 0.0f};
    gear.turnWithChain();
    EXPECT_NEAR(gear.rotation, 90.0f, 1e-3f);
    EXPECT_GT(gear.rotation, 90.00005f);  // the factor is 57.295826, not 180 / pi
    EXPECT_EQ(gear.trackedPoint, nullptr);

    // From 170 to -170 degrees: a raw difference of -340, which the wrap makes 20.
    gear.rotation = 0.0f;
    gear.trackedPoint = &point;
    gear.trackedStart = Vec3{-10.0f, 1.7632698f, 0.0f};
    point.position = Vec3{-10.0f, -1.7632698f, 0.0f};
    gear.turnWithChain();
    EXPECT_NEAR(gear.rotation, 20.0f, 1e-3f);

    Gear motor(50.0f, MOTOR_IMAGE, 200.0f, 200.0f);
    motor.position = Vec3{};
    motor.trackedPoint = &point;
    motor.turnWithChain();  // running: released, not turned
    EXPECT_EQ(motor.rotation, 0.0f);
    EXPECT_EQ(motor.trackedPoint, nullptr);
    motor.held = true;  // held: turned like a plain gear, from 0 to -170 degrees
    motor.trackedPoint = &point;
    motor.trackedStart = Vec3{10.0f, 0.0f, 0.0f};
    motor.turnWithChain();
    EXPECT_NEAR(motor.rotation, 190.0f, 1e-3f);
}

TEST(MechanicsGear, AHeldGearIsPushedOffOthersAndKeptOnTheBoardUnlessLifted) {
    Board board;
    board.addPiece(PieceKind::LargeGear, {}, true);
    Gear* held = board.addPiece(PieceKind::SmallGear, Vec3{200.0f, 0.0f, 0.0f}, true);
    held->beginDrag(Vec3{205.0f, 0.0f, 0.0f});
    EXPECT_EQ(held->dragTarget, held->position);
    held->dragTarget = Vec3{10.0f, 0.0f, 0.0f};  // no chain: straight there, then pushed off
    board.step(0.016f, true);
    EXPECT_EQ(held->position, (Vec3{83.0f, 0.0f, 0.0f}));
    held->dragTarget = Vec3{};  // onto the other's centre: no direction to push in
    board.step(0.016f, true);
    EXPECT_EQ(held->position, Vec3{});
    held->dragTarget = Vec3{500.0f, -400.0f, 0.0f};
    board.step(0.016f, true);
    EXPECT_EQ(held->position, (Vec3{370.0f, -270.0f, 0.0f}));
    held->lifted = true;
    board.step(0.016f, true);
    EXPECT_EQ(held->position, (Vec3{500.0f, -400.0f, 0.0f}));
    held->lifted = false;  // let go: the last update brings it back
    held->update(0.016f, board.gears, board.chains);
    EXPECT_EQ(held->position, (Vec3{370.0f, -270.0f, 0.0f}));
}

// Drags a gear held over the left side of a 40-link square, which runs at x = 0 at rest and
// at x = -22 stretched by 1.2 (tension 2).
Vec3 dragOverChainSide(float stretchFactor, Vec3 target) {
    Board board;
    Chain* chain = board.addChain(40, {});
    for (const auto& point : chain->points) {
        point->position.x = 110.0f + (point->position.x - 110.0f) * stretchFactor;
        point->position.y = 110.0f + (point->position.y - 110.0f) * stretchFactor;
    }
    for (const auto& link : chain->links) {
        link->fitSprite();
    }
    Gear* gear = board.addPiece(PieceKind::LargeGear, Vec3{-40.0f, 110.0f, 0.0f}, true);
    gear->beginDrag(gear->position);
    gear->dragTarget = target;
    gear->update(0.016f, board.gears, board.chains);
    return gear->position;
}

TEST(MechanicsGear, ATautChainHoldsADraggedGearBack) {
    // Slack: the gear follows, at most 25 units a frame, into the chain or along it.
    EXPECT_NEAR(dragOverChainSide(1.0f, Vec3{0.0f, 110.0f, 0.0f}).x, -15.0f, 1e-3f);
    EXPECT_NEAR(dragOverChainSide(1.0f, Vec3{-40.0f, -100.0f, 0.0f}).y, 85.0f, 1e-3f);
    // Taut: a drag into the links is ignored and the chain throws the gear back 25 units.
    const Vec3 taut = dragOverChainSide(1.2f, Vec3{0.0f, 110.0f, 0.0f});
    EXPECT_NEAR(taut.x, -65.0f, 0.01f);
    EXPECT_NEAR(taut.y, 110.0f, 0.01f);
}

}  // namespace
