#include <gtest/gtest.h>

#include "mechanics/board.h"
#include "mechanics_checks.h"
#include "render/asset_paths.h"

namespace {

TEST(MechanicsEditing, GrabPinsTheNearerEndOfTheFirstLinkHit) {
    Chain chain(40, 22.0f, {});                        // link 4 runs from (0, 88) to (0, 110)
    EXPECT_TRUE(chain.grab(Vec3{0.0f, 99.0f, 0.0f}));  // equally far: the b end
    EXPECT_EQ(chain.grabbed, chain.points[5].get());
    EXPECT_TRUE(chain.grab(Vec3{3.0f, 95.0f, 0.0f}));  // nearer a, and off link 3
    EXPECT_EQ(chain.grabbed, chain.points[4].get());
    EXPECT_EQ(chain.points[4]->position, (Vec3{0.0f, 88.0f, 0.0f}));  // moved by the next step
    EXPECT_FALSE(chain.grab(Vec3{110.0f, 110.0f, 0.0f}));
    EXPECT_EQ(chain.grabbed, chain.points[4].get());
    EXPECT_EQ(chain.grabTarget, (Vec3{3.0f, 95.0f, 0.0f}));
}

TEST(MechanicsEditing, LengthenFoldsSixLinksOverTheFirstAndShortenTakesThemBack) {
    Chain chain(46, 22.0f, Vec3{-295.0f, 40.0f, 0.0f});
    std::vector<Link*> original;
    for (const auto& link : chain.links) {
        original.push_back(link.get());
    }
    Point* const first = chain.links[0]->a;
    Point* const second = chain.links[0]->b;
    chain.lengthen();
    EXPECT_EQ(chain.links.size(), 52u);
    EXPECT_EQ(chain.oddLinks.size(), 26u);
    expectWellFormed(chain);
    // A, B, then six new points alternating between A's and B's place, then the old third.
    for (int i = 1; i <= 6; ++i) {
        EXPECT_EQ(chain.links[i]->b->position, (i % 2 == 1 ? first : second)->position);
        EXPECT_FLOAT_EQ(chain.links[i]->scale.x, 22.0f * LINK_IMAGE_SCALE);  // fitted
    }
    EXPECT_EQ(chain.links[7].get(), original[1]);
    // The new links lie over the first; a press there still grabs the first link's end.
    EXPECT_TRUE(chain.grab(first->position + Vec3{0.0f, 2.0f, 0.0f}));
    EXPECT_EQ(chain.grabbed, first);

    EXPECT_TRUE(chain.shorten());
    EXPECT_EQ(chain.links.size(), original.size());
    for (std::size_t i = 0; i < original.size(); ++i) {
        EXPECT_EQ(chain.links[i].get(), original[i]);
    }
    for (std::size_t expected : {40u, 34u, 28u, 22u, 16u, 10u}) {
        EXPECT_TRUE(chain.shorten());
        EXPECT_EQ(chain.links.size(), expected);
        expectWellFormed(chain);
    }
    EXPECT_FALSE(chain.shorten());
    Chain twelve(12, 22.0f, {});
    EXPECT_TRUE(twelve.shorten());
    EXPECT_EQ(twelve.points.size(), 6u);
}

TEST(MechanicsEditing, ShortenDropsTheContactsAndThePinOfRemovedPointsOnly) {
    Chain chain(40, 22.0f, {});
    GearList gears;
    gears.push_back(std::make_unique<Gear>(50.0f, GEAR_IMAGE, 0.0f, 0.0f));
    Gear* const gear = gears.back().get();
    gear->position = Vec3{-20.0f, 30.0f, 0.0f};  // over points 0 to 3 and 39
    chain.step(gears, 0.016f);
    std::vector<Point*> removed;  // the second ends of links 1 to 6
    for (int i = 2; i <= 7; ++i) {
        removed.push_back(chain.points[i].get());
    }
    std::vector<Point*> kept;
    for (const auto& contact : chain.contacts) {
        if (std::find(removed.begin(), removed.end(), contact->point) == removed.end()) {
            kept.push_back(contact->point);
        }
    }
    ASSERT_FALSE(kept.empty());
    ASSERT_GT(chain.contacts.size(), kept.size());

    chain.grabbed = removed[1];
    EXPECT_TRUE(chain.shorten());
    EXPECT_EQ(chain.grabbed, nullptr);  // no pin on a destroyed point; the drag goes on
    EXPECT_EQ(chain.contacts.size(), kept.size());
    expectWellFormed(chain);
    chain.step(gears, 0.016f);
    expectWellFormed(chain);

    chain.grabbed = chain.links[0]->b;
    EXPECT_TRUE(chain.shorten());
    EXPECT_EQ(chain.grabbed, chain.links[0]->b);
}

}  // namespace
