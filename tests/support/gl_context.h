#pragma once

#include <vector>

// An off-screen OpenGL 1.x context (Mesa's OSMesa) for tests that draw or load textures.
// The test binary links OSMesa before libGL, so every gl* call goes to this context.
class GlContext {
  public:
    explicit GlContext(int width = 64, int height = 64);
    ~GlContext();
    GlContext(const GlContext&) = delete;
    GlContext& operator=(const GlContext&) = delete;

    // RGBA bytes of the pixel at (x, y), y counted from the bottom row.
    const unsigned char* pixel(int x, int y) const;

  private:
    int width_;
    std::vector<unsigned char> buffer_;
    void* context_;
};
