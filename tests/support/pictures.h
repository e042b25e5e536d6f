#pragma once

#include <array>
#include <functional>
#include <string>

using Rgba = std::array<unsigned char, 4>;

// Writes a picture of the given size (PNG or JPEG, by the name's ending) whose pixel at
// column x and row y, counted from the top, is colour(x, y). Returns false if it failed.
bool writePicture(const std::string& path, int width, int height,
                  const std::function<Rgba(int x, int y)>& colour);

// A fresh, empty folder under the system's temporary folder, removed with the object.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};
