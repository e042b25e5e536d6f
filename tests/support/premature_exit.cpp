// A test that reaches one of the game's exit paths (an exit key, a closed window) ends the test
// process with status 0, which ctest would count as a pass with the rest of the test unrun.
// Any exit before GoogleTest has finished its run fails the process instead.
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

bool runFinished = false;

void failAnUnfinishedRun() {
    if (!runFinished) {
        std::_Exit(1);
    }
}

struct PrematureExitGuard : ::testing::Environment {
    void SetUp() override { std::atexit(failAnUnfinishedRun); }
    void TearDown() override { runFinished = true; }
};

const auto* const guard = ::testing::AddGlobalTestEnvironment(new PrematureExitGuard);

}  // namespace
