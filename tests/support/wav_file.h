#pragma once

#include <string>

// Writes a 16-bit mono WAV file of a short tone; returns false if it could not.
bool writeToneWav(const std::string& path, float seconds, int rate = 44100);
