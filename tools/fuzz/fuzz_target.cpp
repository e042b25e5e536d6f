// The fuzz target: every input is a run of player and window events (fuzz_events.h) played by
// the game twice, its chains side by side and one at a time (twin_run.h). Any finding prints
// what broke and aborts, so that libFuzzer keeps the input; `brindlecog-fuzz-script` turns it
// into a replay script. Runs from the folder that holds img/ and sounds/.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "fuzz/twin_run.h"
#include "replay/replay.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // One game for the whole process: loading its pictures and sounds takes longer than most
    // runs. Every run restarts it, so that no run sees what an earlier one left.
    static Replay* replay = new Replay();
    if (const auto finding = runTwins(*replay, data, size)) {
        std::cout.flush();
        std::fprintf(stderr, "fuzz finding after event %zu: %s\n", finding->event,
                     finding->what.c_str());
        std::abort();
    }
    return 0;
}
