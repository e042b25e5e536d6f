// The stress board with its motors running, at the longest frame the clock allows, for the
// simulated minutes given as the argument: the board stays valid, every chain stays wrapped
// round its own three gears and neither the board's lists nor the memory keep growing.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "mechanics/board_validator.h"
#include "mechanics/stress_board.h"

int main(int argc, char** argv) {
    Board board;
    layOutStressBoard(board);
    long settled = 0;  // resident kB plus list capacities after the first minute
    for (int minute = 1; minute <= std::atoi(argv[argc - 1]); ++minute) {
        for (int frame = 0; frame < 2000; ++frame) {  // 60 s of 0.03 s
            board.step(0.03f, true);
        }
        std::string fault = validateBoard(board);
        std::ifstream statm("/proc/self/statm");
        long held = 0;
        statm >> held >> held;
        held *= 4;  // 4 kB pages
        for (std::size_t g = 0; g < board.gears.size(); ++g) {
            const Chain& chain = *board.chains[g / 3];
            held += static_cast<long>(chain.contacts.capacity());
            if (chain.nearestPointDistance(board.gears[g]->position) > board.gears[g]->radius + 3) {
                fault = "chain " + std::to_string(g / 3) + " left gear " + std::to_string(g);
            }
        }
        settled = minute == 1 ? held : settled;
        if (held > settled + 512) {
            fault = "grew from " + std::to_string(settled) + " to " + std::to_string(held);
        }
        std::printf("minute %d: %ld kB and contacts held %s\n", minute, held, fault.c_str());
        if (!fault.empty()) {
            return 1;
        }
    }
    return 0;
}
