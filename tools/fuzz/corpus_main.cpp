// brindlecog-fuzz-corpus: runs the fuzz target once over every file named, or every file in the
// folders named, without searching: a plain program for builds without libFuzzer, so that the
// tests keep every committed input passing. Exit status 0, or the target's abort.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

void runFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(file),
                                  std::istreambuf_iterator<char>()};
    if (!file.good() && !file.eof()) {
        std::cerr << "cannot read " << path << "\n";
        std::exit(2);
    }
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
    int inputs = 0;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path path(argv[i]);
        std::vector<std::filesystem::path> files;
        if (std::filesystem::is_directory(path)) {
            for (const auto& entry : std::filesystem::directory_iterator(path)) {
                files.push_back(entry.path());
            }
            std::sort(files.begin(), files.end());  // the same order on every machine
        } else {
            files.push_back(path);
        }
        for (const auto& file : files) {
            runFile(file);
            ++inputs;
        }
    }
    if (inputs == 0) {
        std::cerr << "usage: brindlecog-fuzz-corpus FILE_OR_FOLDER...\n";
        return 2;
    }
    std::cerr << "fuzz-corpus: " << inputs << " inputs, no finding\n";
    return 0;
}
