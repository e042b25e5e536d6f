#include <gtest/gtest.h>

#include <utility>

#include "mechanics/link.h"

namespace {

struct LinkFixture {
    Point a;
    Point b;
    Link link;
    LinkFixture(Vec3 at, Vec3 bt) : link(22.0f, &a, &b) {
        a.position = at;
        b.position = bt;
    }
};

// The ends' x after one satisfy() of a link of length 22 along the x axis.
std::pair<float, float> satisfied(float ax, float bx) {
    LinkFixture fixture({ax, 0.0f, 0.0f}, {bx, 0.0f, 0.0f});
    fixture.link.satisfy();
    EXPECT_EQ(fixture.a.position.y, 0.0f);
    return {fixture.a.position.x, fixture.b.position.x};
}

TEST(MechanicsLink, SatisfyRelaxesWithoutASquareRoot) {
    EXPECT_EQ(satisfied(1.0f, 23.0f), std::make_pair(1.0f, 23.0f));  // at rest
    // 44 apart: h = 484 / (484 + 1936) - 0.5 = -0.3, each end moves 13.2 inwards.
    const auto stretched = satisfied(0.0f, 44.0f);
    EXPECT_FLOAT_EQ(stretched.first, 13.2f);
    EXPECT_FLOAT_EQ(stretched.second, 30.8f);
    // 11 apart: h = 0.3, pushed apart by 3.3 on each side, not to 22 at once.
    const auto compressed = satisfied(0.0f, 11.0f);
    EXPECT_FLOAT_EQ(compressed.first, -3.3f);
    EXPECT_FLOAT_EQ(compressed.second, 14.3f);
    EXPECT_EQ(satisfied(5.0f, 5.0f), std::make_pair(5.0f, 5.0f));  // never pushed apart
}

TEST(MechanicsLink, FitSpriteLaysThePictureFromBToA) {
    LinkFixture fixture({10.0f, 0.0f, 0.0f}, {});
    fixture.link.fitSprite();
    EXPECT_EQ(fixture.link.position, (Vec3{5.0f, 0.0f, 0.0f}));
    EXPECT_EQ(fixture.link.rotation, 0.0f);
    EXPECT_FLOAT_EQ(fixture.link.scale.x, 16.41f);
    EXPECT_FLOAT_EQ(fixture.link.scale.y, 22.0f * 1.641f);  // the width keeps the rest length

    std::swap(fixture.link.a, fixture.link.b);
    fixture.link.fitSprite();
    EXPECT_GT(fixture.link.rotation, 180.0001f);  // pi times 57.295826, not 180
    EXPECT_LT(fixture.link.rotation, 180.0002f);

    LinkFixture together({3.0f, 3.0f, 7.0f}, {3.0f, 3.0f, 7.0f});
    together.link.fitSprite();
    EXPECT_EQ(together.link.rotation, 0.0f);
    EXPECT_EQ(together.link.scale.x, 0.0f);
    EXPECT_EQ(together.link.position.z, 0.0f);
}

TEST(MechanicsLink, HitTestCoversADiscAroundTheMidpoint) {
    LinkFixture fixture({}, {22.0f, 0.0f, 0.0f});
    EXPECT_TRUE(fixture.link.hitTest(Vec3{11.0f, 0.0f, 0.0f}));
    EXPECT_TRUE(fixture.link.hitTest(Vec3{11.0f, 16.5f, 0.0f}));
    EXPECT_FALSE(fixture.link.hitTest(Vec3{11.0f, 17.0f, 0.0f}));  // 820 > 794.244
    LinkFixture stretched({}, {40.0f, 0.0f, 0.0f});  // past 1.81 lengths nothing hits it
    EXPECT_FALSE(stretched.link.hitTest(Vec3{20.0f, 0.0f, 0.0f}));
}

}  // namespace
