#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

#include "render/texture_cache.h"
#include "support/files.h"
#include "support/gl_context.h"

namespace {

Rgba grey(int, int) {
    return {128, 128, 128, 255};
}

std::string said(const std::function<void()>& action) {
    testing::internal::CaptureStdout();
    action();
    return testing::internal::GetCapturedStdout();
}

class TextureCacheTest : public ::testing::Test {
  protected:
    const char* picture(const char* name) {
        const char* path = lastingPath(folder_.file(name));
        writePicture(path, 2, 2, grey);
        return path;
    }
    GlContext gl_;
    TempFolder folder_;
};

TEST_F(TextureCacheTest, APathConstantLoadsOnceAndCountsItsHolders) {
    const char* path = picture("shared.png");
    Texture *first = nullptr, *second = nullptr;
    EXPECT_EQ(said([&] { first = TextureCache::get(path), second = TextureCache::get(path); }),
              std::string("Loaded texture ") + path + "\n");
    EXPECT_EQ(first, second);
    EXPECT_EQ(first->refCount, 2);
    EXPECT_TRUE(glIsTexture(first->id));
    EXPECT_EQ(first->path, path);
    said([&] { EXPECT_NE(TextureCache::get(lastingPath(path)), first) << "equal text elsewhere"; });
    for (int i = 0; i < 3; ++i) {
        first->release();
    }
    EXPECT_EQ(first->refCount, 0) << "never below 0";
}

TEST_F(TextureCacheTest, ABadPictureIsTriedOnceAndReportedOnce) {
    const std::string junk = folder_.file("junk.png");
    std::FILE* out = std::fopen(junk.c_str(), "wb");
    std::fputs("\x89PNG\r\n\x1a\n this is not a picture", out);
    std::fclose(out);
    for (const char* path : {lastingPath(folder_.file("absent.png")), lastingPath(junk)}) {
        Texture *first = nullptr, *again = nullptr;
        EXPECT_EQ(said([&] { first = TextureCache::get(path), again = TextureCache::get(path); }),
                  std::string("Couldn't load texture ") + path + "\n");
        EXPECT_EQ(first, again);
        EXPECT_EQ(first->id, Texture::NO_TEXTURE) << path;
        EXPECT_EQ(first->path, nullptr) << path;
    }
}

TEST_F(TextureCacheTest, BeyondThirtyEntriesEachNewOneDeletesWhatNobodyHolds) {
    const char* unheldPath = picture("unheld.png");
    const char* heldPath = picture("held.png");
    Texture* held = nullptr;
    unsigned unheldId = 0;
    int filler = 0;
    const auto fill = [&](std::size_t size, bool hold) {
        while (TextureCache::size() < size) {
            Texture* t = TextureCache::get(lastingPath(folder_.file(std::to_string(++filler))));
            if (!hold) {
                t->release();
            }
        }
    };
    const std::string filling = said([&] {
        Texture* unheld = TextureCache::get(unheldPath);
        unheldId = unheld->id;
        unheld->release();
        held = TextureCache::get(heldPath);
        fill(TextureCache::PURGE_LIMIT, false);
    });
    EXPECT_EQ(filling.find("Purging"), std::string::npos);
    ASSERT_TRUE(glIsTexture(unheldId));

    const char* newPath = picture("thirty-first.png");
    Texture* fresh = nullptr;
    EXPECT_NE(said([&] { fresh = TextureCache::get(newPath); }).find("Purging Textures\n"),
              std::string::npos);
    EXPECT_EQ(TextureCache::find(unheldPath), nullptr);
    EXPECT_FALSE(glIsTexture(unheldId));
    EXPECT_EQ(TextureCache::find(heldPath), held);
    EXPECT_EQ(TextureCache::find(newPath), fresh);
    EXPECT_EQ(fresh->refCount, 1);

    said([&] { fill(TextureCache::PURGE_LIMIT + 1, true); });  // all held now
    const std::string more = said([&] { fill(TextureCache::PURGE_LIMIT + 3, true); });
    EXPECT_EQ(more, "Couldn't load texture " + folder_.file(std::to_string(filler - 1)) +
                        "\nPurging Textures\nCouldn't load texture " +
                        folder_.file(std::to_string(filler)) + "\nPurging Textures\n");
}

}  // namespace
