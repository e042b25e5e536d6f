#include <gtest/gtest.h>

#include "mechanics/link.h"

namespace {

// A link of rest length 22 from a at the origin to b on the x axis.
struct LinkFixture {
    Point a;
    Point b;
    Link link{22.0f, &a, &b};
    explicit LinkFixture(float bx) { b.position.x = bx; }
};

TEST(MechanicsLink, TheHitDiscAroundTheMidpointShrinksAsTheLinkStretches) {
    const float cases[][4] = {{22, 11, 0, 1}, {22, 11, 16.5f, 1}, {22, 11, 17, 0}, {40, 20, 0, 0}};
    for (const auto& c : cases) {
        LinkFixture fixture(c[0]);
        EXPECT_EQ(fixture.link.hitTest(Vec3{c[1], c[2], 0}), c[3] != 0)
            << "length " << c[0] << " at " << c[1] << ", " << c[2];
    }
}

}  // namespace
