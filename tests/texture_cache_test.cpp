#include <GL/gl.h>
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "render/texture_cache.h"
#include "support/files.h"
#include "support/gl_context.h"
#include "support/said.h"

namespace {

class TextureCacheTest : public ::testing::Test {
  protected:
    const char* picture(const std::string& name) {
        return writePicture(folder_.file(name), 2, 2, [](int, int) {
            return Rgba{128, 128, 128, 255};
        });
    }
    GlContext gl_;
    TempFolder folder_;
};

TEST_F(TextureCacheTest, APathConstantLoadsOnceAndCountsItsHolders) {
    const char* path = picture("shared.png");
    Texture *first = nullptr, *second = nullptr;
    EXPECT_EQ(said([&] { first = TextureCache::get(path), second = TextureCache::get(path); }),
              std::string("Loaded texture ") + path + "\n");
    EXPECT_TRUE(first == second && first->refCount == 2 && first->path == path);
    EXPECT_TRUE(glIsTexture(first->id));
    said([&] { EXPECT_NE(TextureCache::get(lastingPath(path)), first) << "equal text elsewhere"; });
    first->release(), first->release(), first->release();
    EXPECT_EQ(first->refCount, 0) << "never below 0";
}

TEST_F(TextureCacheTest, ABadPictureIsTriedOnceAndReportedOnce) {
    std::ofstream(folder_.file("junk.png")) << "\x89PNG\r\n\x1a\n this is not a picture";
    for (const char* path :
         {lastingPath(folder_.file("absent.png")), lastingPath(folder_.file("junk.png"))}) {
        Texture *first = nullptr, *again = nullptr;
        EXPECT_EQ(said([&] { first = TextureCache::get(path), again = TextureCache::get(path); }),
                  std::string("Couldn't load texture ") + path + "\n");
        EXPECT_TRUE(first == again && first->id == Texture::NO_TEXTURE && !first->path) << path;
    }
}

TEST_F(TextureCacheTest, BeyondThirtyEntriesEachNewOneDeletesWhatNobodyHolds) {
    const char *unheldPath = picture("unheld.png"), *heldPath = picture("held.png");
    Texture* held = nullptr;
    unsigned unheldId = 0;
    int filler = 0;
    const auto fill = [&](std::size_t size, bool hold) {
        return said([&] {
            for (int most = 40; most > 0 && TextureCache::size() < size; --most) {
                Texture* t = TextureCache::get(lastingPath(folder_.file(std::to_string(++filler))));
                if (!hold) {
                    t->release();
                }
            }
        });
    };
    said([&] {
        Texture* unheld = TextureCache::get(unheldPath);
        unheldId = unheld->id;
        unheld->release();
        held = TextureCache::get(heldPath);
    });
    EXPECT_EQ(fill(TextureCache::PURGE_LIMIT, false).find("Purging"), std::string::npos);
    ASSERT_TRUE(glIsTexture(unheldId));
    const char* newPath = picture("new.png");
    Texture* fresh = nullptr;
    EXPECT_NE(said([&] { fresh = TextureCache::get(newPath); }).find("Purging Textures\n"),
              std::string::npos);
    EXPECT_TRUE(!TextureCache::find(unheldPath) && !glIsTexture(unheldId)) << "unheld kept";
    EXPECT_EQ(TextureCache::find(heldPath), held);
    EXPECT_TRUE(TextureCache::find(newPath) == fresh && fresh->refCount == 1);
    fill(TextureCache::PURGE_LIMIT + 1, true);  // all held now: every new entry purges again
    const std::string purges = fill(TextureCache::PURGE_LIMIT + 3, true);
    EXPECT_EQ(purges, "Couldn't load texture " + folder_.file(std::to_string(filler - 1)) +
                          "\nPurging Textures\nCouldn't load texture " +
                          folder_.file(std::to_string(filler)) + "\nPurging Textures\n");
}

}  // namespace
