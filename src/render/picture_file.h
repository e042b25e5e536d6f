#pragma once

// One picture file decoded into memory, for the texture cache to upload: DevIL/ILUT on the
// desktop (picture_file.cpp), emscripten's stb_image in the browser (picture_file_web.cpp).
// Both give the texture the same pixels: the picture's own size and alpha, its top row at t = 0.
class PictureFile {
  public:
    explicit PictureFile(const char* path);
    ~PictureFile();
    PictureFile(const PictureFile&) = delete;
    PictureFile& operator=(const PictureFile&) = delete;

    // Whether the file could be read and decoded.
    bool loaded() const { return loaded_; }
    // Level 0 of the texture bound to GL_TEXTURE_2D becomes the picture, sampled linearly and
    // clamped at its edges; only if loaded().
    void uploadToBoundTexture() const;

  private:
    // What the platforms' decoders do their own way (uploadToBoundTexture is shared,
    // picture_upload.cpp): how the texture meets its edges, and level 0's upload itself.
    static const int EDGE_WRAP;
    void uploadPixels() const;

    struct Decoded;
    Decoded* decoded_ = nullptr;
    bool loaded_ = false;
};
