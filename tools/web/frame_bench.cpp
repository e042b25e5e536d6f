// The mechanism's frame on the default and the stress board, timed the way brindlecog-bench
// times it (settled boards, the fastest of five repetitions), for wasm under Node.js:
//   default-frame-us: N
//   stress-frame-us: N
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <limits>

#include "mechanics/board.h"
#include "mechanics/stress_board.h"

namespace {
constexpr float FRAME_TIME = 0.016f;
constexpr int WARM_UP_FRAMES = 240;
constexpr int REPETITIONS = 5;
constexpr double REPETITION_SECONDS = 0.5;

volatile float sink = 0.0f;  // keeps the tension measure, as the play mode reads it

void runFrame(Board& board) {
    sink = board.largestTension();
    board.step(FRAME_TIME, true, ChainStepping::Batched);
}

double fastestFrameMicroseconds(void (*layOut)(Board&)) {
    Board board;
    layOut(board);
    for (int frame = 0; frame < WARM_UP_FRAMES; ++frame) {
        runFrame(board);
    }
    using Clock = std::chrono::steady_clock;
    double fastest = std::numeric_limits<double>::infinity();
    for (int repetition = 0; repetition < REPETITIONS; ++repetition) {
        const Clock::time_point start = Clock::now();
        long frames = 0;
        std::chrono::duration<double> spent{};
        do {
            runFrame(board);
            ++frames;
            spent = Clock::now() - start;
        } while (spent.count() < REPETITION_SECONDS);
        fastest = std::min(fastest, spent.count() * 1e6 / static_cast<double>(frames));
    }
    return fastest;
}

void layOutDefault(Board& board) {
    board.layOutStartingBoard(true);
}
}  // namespace

int main() {
    std::printf("default-frame-us: %.1f\n", fastestFrameMicroseconds(layOutDefault));
    std::printf("stress-frame-us: %.1f\n", fastestFrameMicroseconds(layOutStressBoard));
    return 0;
}
