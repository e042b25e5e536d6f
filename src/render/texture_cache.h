#pragma once

#include <cstddef>
#include <map>

// One GL texture shared by every sprite that shows the same picture. Holders count
// themselves in refCount; nothing is deleted on release, only by a purge of the cache.
struct Texture {
    static constexpr unsigned NO_TEXTURE = 0xFFFFFFFFu;  // also what a failed load leaves

    unsigned id = NO_TEXTURE;
    int refCount = 1;
    const char* path = nullptr;  // the requested path, once the picture has loaded

    // The texture coordinates outside which every sample is transparent, s0 to s1 across and
    // t0 (top) to t1 down; measured by the first batch of links that draws the picture
    // (measured false until then), and gone with the texture when a purge deletes it.
    struct VisiblePart {
        float s0 = 0.0f, s1 = 1.0f, t0 = 0.0f, t1 = 1.0f;
    };
    VisiblePart visible;
    bool visibleMeasured = false;

    // Drops one reference; the count never goes below 0.
    void release();
};

// The table of loaded pictures, keyed by the address of the path constant: every caller
// passes one of the program's path constants (see asset_paths.h), so equal names meet the
// same entry. Pictures load on first request (picture_file.h); failed loads occupy an entry
// too and are never retried.
class TextureCache {
  public:
    // Never null. The caller receives one reference and must release() it.
    static Texture* get(const char* path);

    // Number of entries, and the entry for a path (null if absent); for tests and checks.
    static std::size_t size();
    static Texture* find(const char* path);

    // Loads every picture that had loaded again, into the same records (the sprites keep
    // their pointers): for a new GL context that took the place of a lost one, whose texture
    // names mean nothing any more. Failed loads stay failed.
    static void reloadAll();

    // The table grows to this many entries before textures nobody holds are deleted.
    static constexpr std::size_t PURGE_LIMIT = 30;

  private:
    using Table = std::map<const char*, Texture*>;
    // Never destroyed: sprites in global objects release their references during exit,
    // after every ordinary static would have gone.
    static Table& table();
    static unsigned loadTexture(Texture& texture, const char* path);
    static void purge();
};
