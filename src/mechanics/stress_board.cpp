#include "mechanics/stress_board.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {
constexpr double PI = 3.14159265358979323846;
// A 148-link chain is far too long to go once around three gears that fit a cell, so it goes
// round six times, which leaves its links near their rest length; a shorter chain goes round
// as many whole times as come nearest to its rest length.
// Side of the triangle of gear centres, chosen so that six windings are about 148 links long.
constexpr double TRIANGLE_SIDE = 104.0;

struct Circle {
    double x;
    double y;
    double r;
};

// The belt around three circles listed counter-clockwise, as a polyline: an arc around each
// circle from the outward normal of the incoming side to that of the outgoing side, then a
// straight run to the next circle.
std::vector<Circle> beltPolyline(const Circle (&gears)[3]) {
    std::vector<Circle> path;  // r unused
    for (int i = 0; i < 3; ++i) {
        const Circle& previous = gears[(i + 2) % 3];
        const Circle& current = gears[i];
        const Circle& next = gears[(i + 1) % 3];
        // Outward normal of a counter-clockwise side: its direction turned clockwise.
        const double from = std::atan2(-(current.x - previous.x), current.y - previous.y);
        double to = std::atan2(-(next.x - current.x), next.y - current.y);
        while (to < from) {
            to += 2.0 * PI;
        }
        constexpr int ARC_STEPS = 40;
        for (int k = 0; k <= ARC_STEPS; ++k) {
            const double angle = from + (to - from) * k / ARC_STEPS;
            path.push_back({current.x + current.r * std::cos(angle),
                            current.y + current.r * std::sin(angle), 0.0});
        }
    }
    return path;
}

// Puts the chain's points evenly along the belt, a whole number of times round.
void windChain(Chain& chain, const std::vector<Circle>& belt) {
    std::vector<double> along{0.0};
    for (std::size_t i = 1; i <= belt.size(); ++i) {
        const Circle& a = belt[i - 1];
        const Circle& b = belt[i % belt.size()];
        along.push_back(along.back() + std::hypot(b.x - a.x, b.y - a.y));
    }
    const double perimeter = along.back();
    const std::size_t n = chain.links.size();
    const double windings =
        std::max(1.0, std::round(static_cast<double>(n) * BOARD_LINK_LENGTH / perimeter));
    std::size_t segment = 0;
    for (std::size_t j = 0; j < n; ++j) {
        const double s = std::fmod(windings * perimeter * j / n, perimeter);
        segment = 0;
        while (along[segment + 1] < s) {
            ++segment;
        }
        const double t = (s - along[segment]) / (along[segment + 1] - along[segment]);
        const Circle& a = belt[segment];
        const Circle& b = belt[(segment + 1) % belt.size()];
        chain.links[j]->a->position = Vec3{static_cast<float>(a.x + (b.x - a.x) * t),
                                           static_cast<float>(a.y + (b.y - a.y) * t), 0.0f};
    }
    for (const auto& link : chain.links) {
        link->fitSprite();
    }
}
}  // namespace

void layOutStressCell(Board& board, double cx, double cy, int stackedPerCorner, int links) {
    const double circumradius = TRIANGLE_SIDE / std::sqrt(3.0);
    // Counter-clockwise: top, lower left, lower right.
    const Circle gears[3] = {
        {cx, cy + circumradius, 50.0},
        {cx - TRIANGLE_SIDE / 2.0, cy - circumradius / 2.0, 30.0},
        {cx + TRIANGLE_SIDE / 2.0, cy - circumradius / 2.0, 30.0},
    };
    Chain* chain = board.addChain(links, Vec3{});
    windChain(*chain, beltPolyline(gears));
    for (int g = 0; g < 3; ++g) {
        const Vec3 centre{static_cast<float>(gears[g].x), static_cast<float>(gears[g].y), 0.0f};
        board.addPiece(g == 0 ? PieceKind::Motor : PieceKind::SmallGear, centre, true);
    }
    for (int g = 0; g < 3; ++g) {
        const Vec3 centre{static_cast<float>(gears[g].x), static_cast<float>(gears[g].y), 0.0f};
        for (int k = 0; k < stackedPerCorner; ++k) {
            board.addPiece(g == 0 ? PieceKind::LargeGear : PieceKind::SmallGear, centre, true);
        }
    }
}

void layOutStressBoard(Board& board) {
    for (int cell = 0; cell < STRESS_CHAINS; ++cell) {
        layOutStressCell(board, -300.0 + 200.0 * (cell % 4), cell < 4 ? 150.0 : -150.0, 0,
                         STRESS_LINKS);
    }
}

void layOutMixedBoard(Board& board) {
    for (int cell = 0; cell < STRESS_CHAINS; ++cell) {
        layOutStressCell(board, -300.0 + 200.0 * (cell % 4), cell < 4 ? 150.0 : -150.0, 0,
                         MIXED_SHORTEST_LINKS + MIXED_LINK_STEP * cell);
    }
}
