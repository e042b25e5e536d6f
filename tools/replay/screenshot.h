#pragma once

#include <string>
#include <vector>

// Writes a picture as a PNG file (whatever the name's ending), opaque RGB as a window shows
// it. `rgba` holds width × height pixels, bottom row first, as GL reads them. False if the
// file could not be written.
bool writeScreenshot(const std::string& path, int width, int height,
                     const std::vector<unsigned char>& rgba);
