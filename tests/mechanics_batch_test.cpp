#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include "mechanics/board.h"
#include "mechanics/stress_board.h"

namespace {

// Every float a frame writes, as bits, in a fixed order: points, link pictures, contacts
// (with their gear's place in the list), gears.
std::vector<std::uint32_t> bits(const Board& board) {
    std::vector<std::uint32_t> out;
    const auto put = [&](float value) {
        std::uint32_t word;
        std::memcpy(&word, &value, sizeof word);
        out.push_back(word);
    };
    const auto putVec = [&](Vec3 v) { put(v.x), put(v.y), put(v.z); };
    for (const auto& chain : board.chains) {
        for (const auto& link : chain->links) {
            putVec(link->a->position), putVec(link->position), put(link->rotation);
            put(link->scale.x);
        }
        for (const auto& contact : chain->contacts) {
            const auto gear = std::find_if(board.gears.begin(), board.gears.end(),
                                           [&](const auto& g) { return g.get() == contact->gear; });
            out.push_back(static_cast<std::uint32_t>(gear - board.gears.begin()));
            putVec(contact->point->position), out.push_back(contact->life);
        }
    }
    for (const auto& gear : board.gears) {
        putVec(gear->position), put(gear->rotation), put(gear->speed);
    }
    return out;
}

// Chains of equal and unequal lengths (so every lane width, idle lanes and masked lanes),
// overlapping, one half off the board with its pin beyond the edge, a pin inside a gear, a held
// motor, a lifted gear. Board 0 is the stress board, 1 a fixed mix, 2 the starting board, 3
// chains of 2 and 4 links beside long ones, the others random lengths from 4 to 300 links.
void layOutMixed(Board& board, unsigned seed) {
    if (seed == 0 || seed == 2) {
        return seed == 0 ? layOutStressBoard(board) : board.layOutStartingBoard(true);
    }
    std::mt19937 random(seed);
    const auto coordinate = [&](float half) {
        return std::uniform_real_distribution<float>(-half, half)(random);
    };
    const int fixed[] = {10, 40, 40, 40, 40, 40, 46, 52, 148};
    const int tiny[] = {2, 300, 4, 148, 46, 2};
    const int chains = seed == 1 ? 9 : seed == 3 ? 6 : 1 + static_cast<int>(random() % 12);
    for (int c = 0; c < chains; ++c) {
        const int count = seed == 1   ? fixed[c]
                          : seed == 3 ? tiny[c]
                                      : 4 + static_cast<int>(random() % 297);
        board.addChain(count, Vec3{coordinate(420.0f), coordinate(320.0f), 0.0f});
    }
    for (int g = 0, gears = 3 + static_cast<int>(random() % 10); g < gears; ++g) {
        board.addPiece(static_cast<PieceKind>(random() % 4),
                       Vec3{coordinate(380.0f), coordinate(280.0f), 0.0f}, random() % 2 != 0);
    }
    Chain& pinned = *board.chains.front();
    pinned.grabbed = pinned.points[1].get();
    pinned.grabTarget = Vec3{coordinate(500.0f), coordinate(400.0f), 0.0f};
    board.chains.back()->grabbed = board.chains.back()->points.back().get();
    board.chains.back()->grabTarget = board.gears.front()->position;
    board.gears[1]->beginDrag(board.gears[1]->position);  // held: binds, neither drives nor moves
    board.gears[2]->beginDrag(board.gears[2]->position);
    board.gears[2]->lifted = true;
    board.gears[2]->dragTarget = Vec3{coordinate(300.0f), coordinate(200.0f), 0.0f};
}

// Editing between frames, the same on both boards: new chains of 40 laid, one of two equal
// chains made longer (so it loses its partner) and later shorter again (so it finds it back),
// and the shortest chain shortened or lengthened.
void edit(Board& board, int frame) {
    const int phase = frame % 20;
    if (phase == 5) {
        board.addChain(40, Vec3{-100.0f + 10.0f * static_cast<float>(frame % 7), 0.0f, 0.0f});
    } else if (phase == 9) {
        board.chains.back()->lengthen();
    } else if (phase == 13) {
        board.chains.back()->shorten();
    } else if (phase == 17 && !board.chains.front()->shorten()) {
        board.chains.front()->lengthen();
    }
}

TEST(MechanicsBatch, ChainsSideBySideStepBitForBitAsOneAtATime) {
    for (unsigned seed = 0; seed < 10; ++seed) {
        Board batched, reference;
        layOutMixed(batched, seed);
        layOutMixed(reference, seed);
        for (int frame = 0; frame < 60; ++frame) {
            const bool powerOn = frame % 40 < 30;
            if (seed != 0) {
                edit(batched, frame);
                edit(reference, frame);
            }
            batched.step(0.016f + 0.0002f * frame, powerOn, ChainStepping::Batched);
            reference.step(0.016f + 0.0002f * frame, powerOn, ChainStepping::OneChainAtATime);
            ASSERT_EQ(bits(batched), bits(reference)) << "board " << seed << ", frame " << frame;
        }
    }
}

}  // namespace
