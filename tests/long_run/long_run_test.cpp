// The stress board with its motors running, at the longest frame the clock allows, for the
// simulated minutes given as the argument: the board stays valid, every chain stays wrapped
// round its own three gears and neither the board's lists nor the memory keep growing.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "mechanics/board_validator.h"
#include "mechanics/stress_board.h"

namespace {

// Resident memory of this process in kB (4 kB pages).
long residentKilobytes() {
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    statm >> size >> resident;
    return resident * 4;
}

// What is wrong with the stress board after a minute, or empty; counts what could grow.
std::string findFault(const Board& board, std::size_t& held) {
    held = 0;
    for (std::size_t g = 0; g < board.gears.size(); ++g) {
        const Chain& chain = *board.chains[g / 3];
        if (chain.nearestPointDistance(board.gears[g]->position) > board.gears[g]->radius + 3.0f) {
            return "chain " + std::to_string(g / 3) + " left gear " + std::to_string(g);
        }
    }
    for (const auto& chain : board.chains) {
        held += chain->contacts.capacity();
        for (const auto& point : chain->points) {
            held += point->touching.capacity();
        }
    }
    return validateBoard(board);
}

}  // namespace

int main(int argc, char** argv) {
    Board board;
    layOutStressBoard(board);
    std::size_t settledHeld = 0;
    long settledMemory = 0;
    for (int minute = 1; minute <= std::atoi(argv[argc - 1]); ++minute) {
        for (int frame = 0; frame < 2000; ++frame) {  // 60 s of 0.03 s
            board.step(0.03f, true);
        }
        std::size_t held = 0;
        std::string fault = findFault(board, held);
        const long memory = residentKilobytes();
        settledHeld = minute == 1 ? held : settledHeld;
        settledMemory = minute == 1 ? memory : settledMemory;
        if (held > settledHeld + settledHeld / 10 || memory > settledMemory + 512) {
            fault =
                "grew to " + std::to_string(held) + " entries, " + std::to_string(memory) + " kB";
        }
        std::printf("minute %d: %zu entries, %ld kB, %s\n", minute, held, memory, fault.c_str());
        if (!fault.empty()) {
            return 1;
        }
    }
    return 0;
}
