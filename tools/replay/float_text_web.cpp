#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "replay/float_text.h"

// As to_chars writes it: the fewest significant digits that read back to the same float (9
// always do), in fixed or scientific notation, whichever is shorter (fixed on a tie).
std::string formatNumber(float value) {
    const double wide = static_cast<double>(value);
    char scientific[32];
    int digits = 1;
    for (; digits < 9; ++digits) {
        std::snprintf(scientific, sizeof scientific, "%.*e", digits - 1, wide);
        if (std::strtof(scientific, nullptr) == value) {
            break;
        }
    }
    std::snprintf(scientific, sizeof scientific, "%.*e", digits - 1, wide);
    const char* exponentText = std::strchr(scientific, 'e');
    const int exponent = exponentText != nullptr ? std::atoi(exponentText + 1) : 0;
    char fixed[64];
    std::snprintf(fixed, sizeof fixed, "%.*f", std::max(0, digits - 1 - exponent), wide);
    return std::strlen(fixed) <= std::strlen(scientific) ? fixed : scientific;
}

bool readDecimalFloat(const std::string& word, float& value) {
    std::size_t at = word.size() > 0 && word[0] == '-' ? 1 : 0;
    bool digits = false;
    bool point = false;
    for (; at < word.size(); ++at) {
        const unsigned char c = static_cast<unsigned char>(word[at]);
        if (std::isdigit(c)) {
            digits = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    if (!digits) {
        return false;
    }
    // strtof rounds to the nearest float, as from_chars does; the text is plain by now.
    value = std::strtof(word.c_str(), nullptr);
    return true;
}
