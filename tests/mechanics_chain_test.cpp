#include <gtest/gtest.h>

#include "mechanics/board.h"
#include "mechanics_checks.h"
#include "render/asset_paths.h"

namespace {

// Moves every point away from (c, c) by the factor, stretching every link, and refits them.
void stretch(Chain& chain, float factor, float c) {
    for (const auto& point : chain.points) {
        point->position.x = c + (point->position.x - c) * factor;
        point->position.y = c + (point->position.y - c) * factor;
    }
    for (const auto& link : chain.links) {
        link->fitSprite();
    }
}

Gear& addGear(GearList& gears, Vec3 at, float motorSpeed = 0.0f) {
    gears.push_back(std::make_unique<Gear>(50.0f, GEAR_IMAGE, motorSpeed, motorSpeed));
    gears.back()->position = at;
    return *gears.back();
}

// One pass done link by link with satisfy(), in the order a pass must take.
void satisfyInPassOrder(Chain& chain, int pass) {
    const std::size_t n = chain.links.size();
    for (std::size_t k = 0; k < n; ++k) {
        chain.links[pass % 2 == 0 ? n - 1 - k : k]->satisfy();
    }
}

TEST(MechanicsChain, LayoutIsASquareFromTheOrigin) {
    EXPECT_EQ(Chain(41, 22.0f, {}).points.size(), 40u);
    EXPECT_TRUE(Chain(1, 22.0f, {}).links.empty());
    const Chain forty(40, 22.0f, Vec3{-100.0f, -50.0f, 0.0f});
    expectWellFormed(forty);
    EXPECT_EQ(forty.evenLinks.front(), forty.links[0].get());
    EXPECT_EQ(forty.points[10]->position, (Vec3{-100.0f, 170.0f, 0.0f}));
    EXPECT_EQ(forty.points[20]->position, (Vec3{120.0f, 170.0f, 0.0f}));
    EXPECT_EQ(forty.points[35]->position, (Vec3{10.0f, -50.0f, 0.0f}));
    EXPECT_NEAR(forty.tension(), 0.0f, 1e-5f);  // fitted at rest length

    // 46 links: the top and the right side sit half a link off the grid.
    Chain chain(46, 22.0f, Vec3{-295.0f, 40.0f, 0.0f});
    const auto at = [&](int i) { return chain.points[i]->position; };
    EXPECT_EQ(at(11), (Vec3{-295.0f, 282.0f, 0.0f}));
    EXPECT_EQ(at(12), (Vec3{-273.0f, 293.0f, 0.0f}));
    EXPECT_EQ(at(23), at(22));
    EXPECT_EQ(at(34), (Vec3{-53.0f, 51.0f, 0.0f}));
    EXPECT_EQ(at(45), (Vec3{-273.0f, 40.0f, 0.0f}));
}

TEST(MechanicsChain, AStepRelaxesOncePerLinkUpTo150PassesAlternatingFromTheLast) {
    EXPECT_EQ(Chain(46, 22.0f, {}).passCount(), 46);
    EXPECT_EQ(Chain(0, 22.0f, {}).passCount(), 1);
    for (int count : {10, 200}) {  // small links keep the loop inside the board
        Chain chain(count, 2.0f, Vec3{-50.0f, -50.0f, 0.0f});
        Chain twin(count, 2.0f, Vec3{-50.0f, -50.0f, 0.0f});
        stretch(chain, 1.5f, 0.0f);
        stretch(twin, 1.5f, 0.0f);
        chain.step(GearList{}, 0.016f);
        EXPECT_EQ(twin.passCount(), count == 10 ? 10 : 150);
        for (int pass = 0; pass < twin.passCount(); ++pass) {
            satisfyInPassOrder(twin, pass);
        }
        EXPECT_EQ(positions(chain), positions(twin)) << count << " links";
    }
    // The pass stays exact for a loop whose links do not all follow on from each other.
    Chain chain(46, 22.0f, {});
    Chain twin(46, 22.0f, {});
    chain.links[7]->a = chain.points[30].get();
    twin.links[7]->a = twin.points[30].get();
    for (int pass = 0; pass < 2; ++pass) {
        chain.relaxLinks(pass);
        satisfyInPassOrder(twin, pass);
        EXPECT_EQ(positions(chain), positions(twin)) << "pass " << pass;
    }
}

TEST(MechanicsChain, ContactsAreMadeInCaptureRangeKeptOnTheRimAndLapseOutside) {
    Chain chain(40, 22.0f, {});  // at rest it does not move; point 5 is at (0, 110)
    GearList gears;
    Gear& near = addGear(gears, Vec3{-55.0f, 110.0f, 0.0f});  // d^2 3025 < 1.25 * 2500
    Gear& far = addGear(gears, Vec3{-60.0f, 220.0f, 0.0f});   // point 10 at 60
    const std::vector<Vec3> before = positions(chain);
    chain.step(gears, 0.016f);
    // Captured and bound for this frame, never pushed, lapsed by the end of the step.
    EXPECT_EQ(near.trackedPoint, chain.points[5].get());
    EXPECT_EQ(near.trackedStart, (Vec3{0.0f, 110.0f, 0.0f}));
    EXPECT_EQ(far.trackedPoint, nullptr);
    EXPECT_EQ(positions(chain), before);
    EXPECT_TRUE(chain.contacts.empty());

    near.position = Vec3{-30.0f, 110.0f, 0.0f};  // now covering points 4 to 6
    chain.step(gears, 0.016f);
    expectWellFormed(chain);
    EXPECT_TRUE(chain.points[5]->touches(&near));
    for (const auto& contact : chain.contacts) {
        EXPECT_GE(length(contact->point->position - near.position), 50.0f - 1e-3f);
    }
    const std::size_t contacts = chain.contacts.size();
    chain.removeGearContacts(&far);  // touches nothing: no change
    EXPECT_EQ(chain.contacts.size(), contacts);
    chain.removeGearContacts(&near);
    EXPECT_TRUE(chain.contacts.empty());
    expectWellFormed(chain);

    // Far from its gear a contact loses one life a pass and goes when a step leaves it at 0.
    for (int life : {40, 41}) {
        Chain fresh(40, 22.0f, {});
        Point* point = fresh.points[5].get();
        fresh.contacts.push_back(std::make_unique<Contact>(Contact{point, &far, life}));
        point->touching.push_back(&far);
        fresh.step(GearList{}, 0.016f);  // 40 passes
        EXPECT_EQ(fresh.contacts.size(), life == 40 ? 0u : 1u);
        expectWellFormed(fresh);
    }
}

TEST(MechanicsChain, OnlyAFreeMotorPullsItsLinksAlongTheRim) {
    GearList gears;
    Gear& motor = addGear(gears, {}, 200.0f);
    Point a;
    Point b;
    Link link(22.0f, &a, &b);
    a.position = Vec3{40.0f, -11.0f, 0.0f};
    b.position = Vec3{40.0f, 11.0f, 0.0f};
    link.fitSprite();
    LinkDrive drive = makeDrive(&motor, &link, 0.03f);
    EXPECT_EQ(drive.goal, (Vec3{40.0f, 6.0f, 0.0f}));
    drive.apply();  // only the first end moves
    EXPECT_EQ(a.position, (Vec3{40.0f, -5.0f, 0.0f}));
    EXPECT_EQ(b.position, (Vec3{40.0f, 11.0f, 0.0f}));
    motor.speed = 0.0f;  // a stopped motor holds its links where they were fitted
    EXPECT_EQ(makeDrive(&motor, &link, 0.03f).goal, link.position);

    const auto afterStep = [](float motorSpeed, bool held, bool lifted) {
        Chain chain(40, 22.0f, {});
        GearList pieces;
        Gear& piece = addGear(pieces, Vec3{-30.0f, 110.0f, 0.0f}, motorSpeed);
        piece.held = held;
        piece.lifted = lifted;
        chain.step(pieces, 0.016f);
        return positions(chain);
    };
    const std::vector<Vec3> plain = afterStep(0.0f, false, false);
    EXPECT_NE(afterStep(200.0f, false, false), plain);
    EXPECT_EQ(afterStep(200.0f, true, false), plain);  // held: captures, drives nothing
    EXPECT_EQ(afterStep(0.0f, false, true), positions(Chain(40, 22.0f, {})));  // lifted
}

TEST(MechanicsChain, TheGrabbedPointFollowsThePinWithinTheBoard) {
    Chain chain(40, 22.0f, {});
    chain.grabbed = chain.points[20].get();
    chain.grabTarget = Vec3{450.0f, 320.0f, 5.0f};
    chain.step(GearList{}, 0.016f);
    EXPECT_EQ(chain.points[20]->position, (Vec3{400.0f, 300.0f, 5.0f}));  // z is not clamped
    for (const auto& point : chain.points) {
        EXPECT_TRUE(finiteOnBoard(point->position));
    }
}

}  // namespace
