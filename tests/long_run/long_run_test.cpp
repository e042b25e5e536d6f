// An hour of the stress board with its motors running, at the longest frame the clock allows.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "mechanics/board.h"
#include "mechanics/stress_board.h"

namespace {

constexpr float FRAME = 0.03f;
constexpr int FRAMES_PER_MINUTE = 2000;  // 60 s / 0.03 s
constexpr int MINUTES = 60;

// Resident memory of this process in kB.
long residentKilobytes() {
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    statm >> size >> resident;
    return resident * 4;  // 4 kB pages
}

// Everything the board holds that could grow.
std::size_t heldElements(const Board& board) {
    std::size_t total = board.gears.size() + board.chains.size();
    for (const auto& chain : board.chains) {
        total += chain->points.size() + chain->links.size() + chain->contacts.size() +
                 chain->contacts.capacity();
        for (const auto& point : chain->points) {
            total += point->touching.size();
        }
    }
    return total;
}

// Each chain of the stress board runs round its own motor and two small gears.
void expectWrapped(const Board& board, int minute) {
    for (std::size_t c = 0; c < board.chains.size(); ++c) {
        const Chain& chain = *board.chains[c];
        for (std::size_t g = 3 * c; g < 3 * c + 3; ++g) {
            const Gear& gear = *board.gears[g];
            int contacts = 0;
            for (const auto& contact : chain.contacts) {
                contacts += contact->gear == &gear ? 1 : 0;
            }
            EXPECT_GT(contacts, 0) << "minute " << minute << ": chain " << c << " left gear " << g;
            EXPECT_LE(chain.nearestPointDistance(gear.position), gear.radius + 3.0f)
                << "minute " << minute << ": chain " << c << ", gear " << g;
        }
    }
}

TEST(LongRun, StressBoardForAnHourKeepsItsMemoryAndItsChains) {
    Board board;
    layOutStressBoard(board);
    ASSERT_EQ(board.chains.size(), static_cast<std::size_t>(STRESS_CHAINS));
    ASSERT_EQ(board.gears.size(), 3u * STRESS_CHAINS);

    long settledMemory = 0;
    std::size_t settledElements = 0;
    for (int minute = 1; minute <= MINUTES; ++minute) {
        for (int frame = 0; frame < FRAMES_PER_MINUTE; ++frame) {
            board.largestTension();
            board.step(FRAME, true);
        }
        expectWrapped(board, minute);
        for (const auto& gear : board.gears) {
            ASSERT_GE(gear->rotation, 0.0f);
            ASSERT_LE(gear->rotation, 360.0f);
        }
        const long memory = residentKilobytes();
        const std::size_t elements = heldElements(board);
        if (minute == 1) {
            settledMemory = memory;
            settledElements = elements;
        }
        // Contacts come and go as links pass over the gears; their number stays bounded.
        EXPECT_LE(elements, settledElements + settledElements / 10) << "minute " << minute;
        EXPECT_LE(memory, settledMemory + 512) << "minute " << minute;
        if (minute % 10 == 0) {
            std::printf("minute %d: %ld kB resident, %zu elements held, largest tension %.3f\n",
                        minute, memory, elements, board.largestTension());
        }
    }
    for (const auto& chain : board.chains) {
        for (const auto& point : chain->points) {
            ASSERT_TRUE(std::isfinite(point->position.x) && std::isfinite(point->position.y));
        }
    }
}

}  // namespace
