// The mechanism's cost per frame and the play mode's drawing cost. Ends with nine lines, each
// from the fastest repetition's CPU time (see docs/performance.md):
//   default-frame-us, stress-frame-us, stress-frame-reference-us, stacked-gears-frame-us,
//   allocs-per-frame, draw-default-us, draw-stress-us, mixed-frame-us, mixed-frame-reference-us

#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <map>
#include <new>
#include <sstream>
#include <string>
#include <vector>

#include "app/shell.h"
#include "mechanics/board.h"
#include "mechanics/stress_board.h"
#include "modes/live_mode.h"
#include "replay/replay.h"

// Every heap allocation of the process, for allocs-per-frame.
static long heapAllocations = 0;

// Not inlined: GCC would otherwise pair the inlined malloc with a delete and warn.
[[gnu::noinline]] void* operator new(std::size_t size) {
    ++heapAllocations;
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}
[[gnu::noinline]] void operator delete(void* memory) noexcept {
    std::free(memory);
}
[[gnu::noinline]] void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}

namespace {
constexpr float FRAME_TIME = 0.016f;
constexpr int WARM_UP_FRAMES = 240;  // long enough for the chains to settle around the gears
constexpr int STACKED_GEARS = 300;

// One frame of the mechanism, in the play mode's order.
void runFrame(Board& board, ChainStepping stepping = ChainStepping::Batched) {
    benchmark::DoNotOptimize(board.largestTension());
    board.step(FRAME_TIME, true, stepping);
}

void warmUp(Board& board) {
    for (int frame = 0; frame < WARM_UP_FRAMES; ++frame) {
        runFrame(board);
    }
}

// One stress cell with a hundred gears on each corner (300 in all, one chain): every point
// near a corner touches a hundred gears, and contacts lapse and are made in every frame.
void layOutStackedGears(Board& board) {
    layOutStressCell(board, 0.0, 0.0, STACKED_GEARS / 3 - 1, STRESS_LINKS);
}

template <void (*LayOut)(Board&), ChainStepping Stepping>
void BM_Frame(benchmark::State& state) {
    Board board;
    LayOut(board);
    warmUp(board);
    for (auto _ : state) {
        runFrame(board, Stepping);
    }
}

void layOutDefault(Board& board) {
    board.layOutStartingBoard(true);
}

// Heap allocations per frame on the settled stress board.
double allocationsPerFrame() {
    constexpr int FRAMES = 100;
    Board board;
    layOutStressBoard(board);
    warmUp(board);
    const long before = heapAllocations;
    for (int frame = 0; frame < FRAMES; ++frame) {
        runFrame(board);
    }
    return static_cast<double>(heapAllocations - before) / FRAMES;
}

// The game's own display (clear, the play mode's scene, swap) in an 800 x 600 Mesa context,
// on a settled board; glFinish waits for Mesa's rasterizer threads, whose time the process's
// CPU time includes.
Replay* playMode() {
    static Replay* replay = [] {
        auto* made = new Replay;
        std::istringstream clicks("click 400 300\nclick 400 300\n");  // start screen, then play
        made->run(clicks);
        return made;
    }();
    return replay;
}

template <void (*LayOut)(Board&)>
void BM_Draw(benchmark::State& state) {
    playMode();
    Board& board = liveMode.board;
    board.clear();
    LayOut(board);
    warmUp(board);
    for (auto _ : state) {
        displayFrame();
        glFinish();
    }
}

constexpr int REPETITIONS = 5;
BENCHMARK_TEMPLATE(BM_Frame, layOutDefault, ChainStepping::Batched)
    ->Name("default-frame")
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(REPETITIONS);
BENCHMARK_TEMPLATE(BM_Frame, layOutStressBoard, ChainStepping::Batched)
    ->Name("stress-frame")
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(REPETITIONS);
BENCHMARK_TEMPLATE(BM_Frame, layOutStressBoard, ChainStepping::OneChainAtATime)
    ->Name("stress-frame-reference")
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(REPETITIONS);
BENCHMARK_TEMPLATE(BM_Frame, layOutStackedGears, ChainStepping::Batched)
    ->Name("stacked-gears-frame")
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(REPETITIONS);
BENCHMARK_TEMPLATE(BM_Frame, layOutMixedBoard, ChainStepping::Batched)
    ->Name("mixed-frame")
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(REPETITIONS);
BENCHMARK_TEMPLATE(BM_Frame, layOutMixedBoard, ChainStepping::OneChainAtATime)
    ->Name("mixed-frame-reference")
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(REPETITIONS);
BENCHMARK_TEMPLATE(BM_Draw, layOutDefault)
    ->Name("draw-default")
    ->Unit(benchmark::kMicrosecond)
    ->MeasureProcessCPUTime()
    ->Repetitions(REPETITIONS);
BENCHMARK_TEMPLATE(BM_Draw, layOutStressBoard)
    ->Name("draw-stress")
    ->Unit(benchmark::kMicrosecond)
    ->MeasureProcessCPUTime()
    ->Repetitions(REPETITIONS);

// Keeps the fastest repetition of each benchmark, in CPU time: on a shared machine other
// people's work only ever adds time, and wall time also counts the moments this process was
// not running at all. Plain text: the default console options colour even when asked not to.
class FastestRunReporter : public benchmark::ConsoleReporter {
  public:
    FastestRunReporter() : ConsoleReporter(OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred) {
                continue;
            }
            const double seconds = run.cpu_accumulated_time / static_cast<double>(run.iterations);
            auto& best = fastest[run.run_name.function_name];
            best = best == 0.0 ? seconds : std::min(best, seconds);
        }
        ConsoleReporter::ReportRuns(runs);
    }

    double microseconds(const std::string& name) const {
        const auto found = fastest.find(name);
        return found == fastest.end() ? std::numeric_limits<double>::quiet_NaN()
                                      : found->second * 1e6;
    }

  private:
    std::map<std::string, double> fastest;
};
}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    FastestRunReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    for (const char* name :
         {"default-frame", "stress-frame", "stress-frame-reference", "stacked-gears-frame"}) {
        std::printf("%s-us: %.1f\n", name, reporter.microseconds(name));
    }
    std::printf("allocs-per-frame: %.1f\n", allocationsPerFrame());
    for (const char* name : {"draw-default", "draw-stress"}) {
        std::printf("%s-us: %.1f\n", name, reporter.microseconds(name));
    }
    for (const char* name : {"mixed-frame", "mixed-frame-reference"}) {
        std::printf("%s-us: %.1f\n", name, reporter.microseconds(name));
    }
    return 0;
}
