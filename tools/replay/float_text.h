#pragma once

#include <string>

// Floats as the replay writes and reads them: through <charconv> (float_text.cpp), or where the
// C++ library lacks its floating-point part, as emscripten's does, through the C library
// (float_text_web.cpp), with the same results.

// The shortest decimal text that reads back to the same float: "-400", "0.016", "24.000221".
std::string formatNumber(float value);

// A plain decimal fraction such as 0.016, 5 or -2.5 (no exponent, no '+', nothing after it),
// read into the nearest float.
bool readDecimalFloat(const std::string& word, float& value);
