// brindlecog-fuzz-script INPUT: prints the replay script that a fuzz input stands for, with a
// check after every frame, so that a finding becomes a plain regression script. Runs from the
// folder that holds img/ and sounds/: the events are read against the game's state.
#include <cstdint>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <vector>

#include "fuzz/twin_run.h"
#include "replay/replay.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: brindlecog-fuzz-script INPUT > script.txt\n";
        return 2;
    }
    std::ifstream file(argv[1], std::ios::binary);
    if (!file) {
        std::cerr << "cannot open " << argv[1] << "\n";
        return 2;
    }
    const std::vector<char> bytes{std::istreambuf_iterator<char>(file),
                                  std::istreambuf_iterator<char>()};
    // The game's own lines ("Loaded texture ...") go to standard output too: keep them out of
    // the script.
    std::ostringstream script;
    std::streambuf* const gameOutput = std::cout.rdbuf(std::cerr.rdbuf());
    {
        Replay replay;
        writeScript(replay, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(),
                    script);
    }
    std::cout.rdbuf(gameOutput);
    std::cout << "# replay of fuzz input " << argv[1] << "\n" << script.str();
    return 0;
}
