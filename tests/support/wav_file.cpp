#include "support/wav_file.h"

#include <cmath>
#include <cstdint>
#include <fstream>
#include <vector>

namespace {
void put32(std::ofstream& out, std::uint32_t v) {
    const char bytes[4] = {char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
    out.write(bytes, 4);
}
void put16(std::ofstream& out, std::uint16_t v) {
    const char bytes[2] = {char(v), char(v >> 8)};
    out.write(bytes, 2);
}
}  // namespace

bool writeToneWav(const std::string& path, float seconds, int rate) {
    const auto frames = static_cast<std::uint32_t>(seconds * rate);
    std::ofstream out(path, std::ios::binary);
    out.write("RIFF", 4);
    put32(out, 36 + frames * 2);
    out.write("WAVEfmt ", 8);
    put32(out, 16);
    put16(out, 1);  // PCM
    put16(out, 1);  // mono
    put32(out, static_cast<std::uint32_t>(rate));
    put32(out, static_cast<std::uint32_t>(rate) * 2);
    put16(out, 2);
    put16(out, 16);
    out.write("data", 4);
    put32(out, frames * 2);
    for (std::uint32_t i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / rate;
        put16(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(
                       8000.0 * std::sin(2.0 * 3.141592653589793 * 440.0 * t))));
    }
    return static_cast<bool>(out);
}
