#include "replay/float_text.h"

#include <array>
#include <charconv>

std::string formatNumber(float value) {
    std::array<char, 32> text{};
    // Without a format, to_chars gives the shortest text that reads back to the same float.
    const auto result = std::to_chars(text.data(), text.data() + text.size(), value);
    return std::string(text.data(), result.ptr);
}

bool readDecimalFloat(const std::string& word, float& value) {
    const char* end = word.data() + word.size();
    const auto [stop, error] = std::from_chars(word.data(), end, value, std::chars_format::fixed);
    return error == std::errc() && stop == end;
}
