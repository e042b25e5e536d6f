#pragma once

#include <array>
#include <functional>
#include <string>

// A fresh, empty folder under the system's temporary folder, removed with the object.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    std::string file(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

// A copy of the text that lives as long as the process: the texture cache keys by address.
const char* lastingPath(const std::string& text);

using Rgba = std::array<unsigned char, 4>;

// Writes a picture (PNG or JPEG, by the name's ending) whose pixel at column x and row y,
// counted from the top, is colour(x, y). Returns its path as lastingPath does.
const char* writePicture(const std::string& path, int width, int height,
                         const std::function<Rgba(int x, int y)>& colour);

// Writes a 16-bit mono 44.1 kHz WAV file of a 440 Hz tone; false if it failed.
bool writeToneWav(const std::string& path, float seconds);
