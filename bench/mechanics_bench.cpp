// The mechanism's cost per frame, and the chain relaxation against its bare arithmetic.
// Ends with three lines: default-frame-us, stress-frame-us and relaxation-ratio (our time
// per link update divided by the flat baseline's, measured in the same run), all from the
// fastest repetition's CPU time.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "flat_relaxation.h"
#include "mechanics/board.h"
#include "mechanics/stress_board.h"

namespace {
constexpr float FRAME_TIME = 0.016f;
constexpr int WARM_UP_FRAMES = 240;  // long enough for the chains to settle around the gears

// One frame of the mechanism, in the play mode's order.
void runFrame(Board& board) {
    benchmark::DoNotOptimize(board.largestTension());
    board.step(FRAME_TIME, true);
}

void warmUp(Board& board) {
    for (int frame = 0; frame < WARM_UP_FRAMES; ++frame) {
        runFrame(board);
    }
}

void BM_DefaultFrame(benchmark::State& state) {
    Board board;
    board.layOutStartingBoard(true);
    warmUp(board);
    for (auto _ : state) {
        runFrame(board);
    }
}

void BM_StressFrame(benchmark::State& state) {
    Board board;
    layOutStressBoard(board);
    warmUp(board);
    for (auto _ : state) {
        runFrame(board);
    }
}

// The settled stress board, and the same chains as flat arrays, relaxed identically.
struct RelaxationScene {
    Board board;
    std::vector<std::vector<Vec3>> settled;  // every chain's points, in chain order
    std::vector<FlatChain> flat;

    RelaxationScene() {
        layOutStressBoard(board);
        warmUp(board);
        for (const auto& chain : board.chains) {
            std::vector<Vec3> points;
            for (const auto& link : chain->links) {
                points.push_back(link->a->position);
            }
            settled.push_back(points);
            flat.push_back(flatten(*chain));
        }
    }

    void restore() {
        for (std::size_t c = 0; c < settled.size(); ++c) {
            Chain& chain = *board.chains[c];
            for (std::size_t i = 0; i < chain.links.size(); ++i) {
                chain.links[i]->a->position = settled[c][i];
                std::copy(&settled[c][i].x, &settled[c][i].x + 3, &flat[c].xyz[3 * i]);
            }
        }
    }

    void relaxChains() {
        for (const auto& chain : board.chains) {
            const int passes = chain->passCount();
            for (int pass = 0; pass < passes; ++pass) {
                chain->relaxLinks(pass);
            }
        }
    }

    void relaxFlatChains() {
        for (FlatChain& chain : flat) {
            const int passes = board.chains.front()->passCount();
            for (int pass = 0; pass < passes; ++pass) {
                relaxFlat(chain, pass);
            }
        }
    }

    double linkUpdates() const {
        double updates = 0.0;
        for (const auto& chain : board.chains) {
            updates += static_cast<double>(chain->passCount()) * chain->links.size();
        }
        return updates;
    }
};

RelaxationScene& relaxationScene() {
    static RelaxationScene* scene = [] {
        auto* made = new RelaxationScene;
        // The two must compute the same thing, or the ratio means nothing.
        made->restore();
        made->relaxChains();
        made->relaxFlatChains();
        for (std::size_t c = 0; c < made->flat.size(); ++c) {
            if (!samePositions(made->flat[c], *made->board.chains[c])) {
                std::fprintf(stderr, "flat relaxation differs from the chain's (chain %zu)\n", c);
                std::exit(1);
            }
        }
        return made;
    }();
    return *scene;
}

void BM_ChainRelaxation(benchmark::State& state) {
    RelaxationScene& scene = relaxationScene();
    for (auto _ : state) {
        state.PauseTiming();
        scene.restore();
        state.ResumeTiming();
        scene.relaxChains();
    }
    state.counters["ns_per_link"] =
        benchmark::Counter(scene.linkUpdates(), benchmark::Counter::kIsIterationInvariantRate |
                                                    benchmark::Counter::kInvert);
}

void BM_FlatRelaxation(benchmark::State& state) {
    RelaxationScene& scene = relaxationScene();
    for (auto _ : state) {
        state.PauseTiming();
        scene.restore();
        state.ResumeTiming();
        scene.relaxFlatChains();
    }
    state.counters["ns_per_link"] =
        benchmark::Counter(scene.linkUpdates(), benchmark::Counter::kIsIterationInvariantRate |
                                                    benchmark::Counter::kInvert);
}

constexpr int REPETITIONS = 5;
BENCHMARK(BM_DefaultFrame)->Unit(benchmark::kMicrosecond)->Repetitions(REPETITIONS);
BENCHMARK(BM_StressFrame)->Unit(benchmark::kMicrosecond)->Repetitions(REPETITIONS);
BENCHMARK(BM_ChainRelaxation)->Unit(benchmark::kMicrosecond)->Repetitions(REPETITIONS);
BENCHMARK(BM_FlatRelaxation)->Unit(benchmark::kMicrosecond)->Repetitions(REPETITIONS);

// Keeps the fastest repetition of each benchmark, in CPU time: on a shared machine other
// people's work only ever adds time, and wall time also counts the moments this process was
// not running at all.
class FastestRunReporter : public benchmark::ConsoleReporter {
  public:
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

    // Both relaxations do the same number of link updates per iteration.
    const double ratio =
        reporter.microseconds("BM_ChainRelaxation") / reporter.microseconds("BM_FlatRelaxation");
    std::printf("default-frame-us: %.1f\n", reporter.microseconds("BM_DefaultFrame"));
    std::printf("stress-frame-us: %.1f\n", reporter.microseconds("BM_StressFrame"));
    std::printf("relaxation-ratio: %.3f\n", ratio);
    return 0;
}
