#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "mechanics/board.h"
#include "mechanics/board_validator.h"
#include "render/asset_paths.h"

namespace {

TEST(MechanicsBoard, APointOnTheRimIsOffTheGearAndTheFirstGearWins) {
    Board board;
    Gear* first = board.addPiece(PieceKind::SmallGear, {}, true);
    board.addPiece(PieceKind::LargeGear, {}, true);
    EXPECT_EQ(board.gearAt(Vec3{29.9f, 0.0f, 0.0f}), first);
    EXPECT_EQ(board.gearAt(Vec3{50.0f, 0.0f, 0.0f}), nullptr);
}

// A starting board after one frame, with pieces that are not on it for breaking it by hand.
struct Scene {
    Gear strayGear{30.0f, GEAR_IMAGE, 0.0f, 0.0f};
    Point strayPoint;
    Chain strayChain{4, 22.0f, {}};
    Board board;  // destroyed first: it may point at the strays
    const Gear* heldGear = nullptr;
    const Chain* heldChain = nullptr;
    Chain& c() { return *board.chains[0]; }
    Gear* g(int i) { return board.gears[i].get(); }
    Point* p(int i) { return c().points[i].get(); }
    Link& l(int i) { return *c().links[i]; }
    void addContact(Point* point, Gear* gear, bool touching) {
        c().contacts.insert(c().contacts.begin(),
                            std::make_unique<Contact>(Contact{point, gear, 5}));
        if (touching)
            point->touching.push_back(gear);
    }
};

TEST(MechanicsBoard, TheValidatorNamesEachKindOfBrokenBoard) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const std::vector<std::pair<const char*, std::function<void(Scene&)>>> cases = {
        {"gear 1: rotation is not finite", [&](Scene& s) { s.g(1)->rotation = nan; }},
        {"gear 2: still holds a trackedPoint between frames",
         [](Scene& s) { s.g(2)->trackedPoint = s.p(0); }},
        {"chain 0: point 7 is not finite", [&](Scene& s) { s.p(7)->position.y = nan; }},
        {"chain 0: link 2 is not finite", [&](Scene& s) { s.l(2).rotation = nan; }},
        {"chain 0: tension is not finite", [&](Scene& s) { s.l(0).scale.x = inf; }},
        {"chain 0: 47 points but 46 links",
         [](Scene& s) { s.c().points.push_back(std::make_unique<Point>()); }},
        {"chain 0: link 3's a is not link 2's b", [](Scene& s) { s.l(3).a = s.p(10); }},
        {"chain 0: link 3's a is not a point of the chain",
         [](Scene& s) { s.l(3).a = s.l(2).b = &s.strayPoint; }},
        {"chain 0: link 0 is in 1 odd and 1 even entries",
         [](Scene& s) { s.c().oddLinks.push_back(&s.l(0)); }},
        {"chain 0: the odd and even lists hold links that are not in the chain",
         [](Scene& s) { s.c().oddLinks.push_back(s.strayChain.links[0].get()); }},
        {"chain 0: contact 0's point is not a point of the chain",
         [](Scene& s) { s.addContact(&s.strayPoint, s.g(3), true); }},
        {"chain 0: contact 0's gear is not on the board",
         [](Scene& s) { s.addContact(s.p(5), &s.strayGear, true); }},
        {"chain 0: contact 0's gear is not in its point's touching list",
         [](Scene& s) { s.addContact(s.p(30), s.g(3), false); }},
        {"chain 0: contact 1 repeats an earlier contact",
         [](Scene& s) { s.addContact(s.c().contacts[0]->point, s.c().contacts[0]->gear, false); }},
        {"chain 0: point 30 lists a gear 1 times with 0 contacts",
         [](Scene& s) { s.p(30)->touching.push_back(s.g(3)); }},
        {"chain 0: grabbed is not a point of the chain",
         [](Scene& s) { s.c().grabbed = &s.strayPoint; }},
        {"chain 0: grabTarget is not finite",
         [&](Scene& s) { s.c().grabbed = s.p(3), s.c().grabTarget.x = nan; }},
        {"heldGear is not on the board", [](Scene& s) { s.heldGear = &s.strayGear; }},
        {"heldChain is not on the board", [](Scene& s) { s.heldChain = &s.strayChain; }},
    };
    for (const auto& [expected, breakBoard] : cases) {
        Scene scene;
        scene.board.layOutStartingBoard(true);
        scene.board.step(0.016f, true);  // contacts made, gears bound and released
        scene.heldGear = scene.g(1);
        scene.heldChain = &scene.c();
        ASSERT_EQ(validateBoard(scene.board, scene.heldGear, scene.heldChain), "") << expected;
        breakBoard(scene);
        EXPECT_EQ(validateBoard(scene.board, scene.heldGear, scene.heldChain), expected);
    }
}

// One chain moves every rim at the same speed, so a small gear (radius 30) turns about 5/3 as
// many degrees as a large one (radius 50) on the same chain.
TEST(MechanicsBoard, ASmallerGearTurnsFasterOnTheSameChain) {
    Board board;
    board.addChain(46, Vec3{-295.0f, 40.0f, 0.0f});
    board.addPiece(PieceKind::Motor, Vec3{-255.0f, 50.0f, 0.0f}, true);
    board.addPiece(PieceKind::SmallGear, Vec3{-55.0f, 215.0f, 0.0f}, true);
    board.addPiece(PieceKind::LargeGear, Vec3{-255.0f, 215.0f, 0.0f}, true);
    board.addPiece(PieceKind::LargeGear, Vec3{-55.0f, 50.0f, 0.0f}, true);
    float small = 0.0f, large = 0.0f;
    const auto turn = [](float before, float after) {
        return std::fmod(after - before + 540.0f, 360.0f) - 180.0f;
    };
    for (int frame = 0; frame < 300; ++frame) {
        const float smallBefore = board.gears[1]->rotation, largeBefore = board.gears[2]->rotation;
        board.step(0.016f, true);
        if (frame >= 120) {  // once the chain has settled round the gears
            small += turn(smallBefore, board.gears[1]->rotation);
            large += turn(largeBefore, board.gears[2]->rotation);
        }
    }
    EXPECT_GT(large, 0.0f);
    EXPECT_GT(small, 1.4f * large);
}

}  // namespace
