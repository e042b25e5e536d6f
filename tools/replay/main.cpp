// brindlecog-replay: runs the game headless on a script of window events and fixed frame
// times, and prints its state as JSON lines. See the usage text below.
#include <exception>
#include <fstream>
#include <iostream>

#include "replay/replay.h"

namespace {
const char USAGE[] =
    "usage: brindlecog-replay [SCRIPT]\n"
    "Runs the game on the script's commands (standard input without SCRIPT), from the folder\n"
    "that holds img/ and sounds/. Exit status: 0 done (also on Escape), 1 a shot could not be\n"
    "written, 2 a line it cannot read, 3 a check that failed.\n";
}  // namespace

int main(int argc, char** argv) {
    if (argc > 2) {
        std::cerr << USAGE;
        return REPLAY_UNREADABLE_LINE;
    }
    std::ifstream file;
    if (argc == 2) {
        file.open(argv[1]);
        if (!file) {
            std::cerr << "cannot open " << argv[1] << "\n" << USAGE;
            return REPLAY_UNREADABLE_LINE;
        }
    }
    try {
        Replay replay;
        return replay.run(argc == 2 ? static_cast<std::istream&>(file) : std::cin);
    } catch (const std::exception& error) {
        std::cerr << "brindlecog-replay: " << error.what() << std::endl;
        return REPLAY_FAILED;
    }
}
