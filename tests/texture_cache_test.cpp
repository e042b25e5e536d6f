#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <deque>
#include <string>
#include <vector>

#include "render/texture_cache.h"
#include "support/gl_context.h"
#include "support/pictures.h"

namespace {

// The cache keys by the address of the path, so each test owns path buffers that live for
// the whole process (the cache never forgets an entry's key unless it is purged).
const char* persistentPath(const std::string& text) {
    static std::deque<std::string> store;  // a deque never moves its elements
    store.push_back(text);
    return store.back().c_str();
}

Rgba opaqueGrey(int, int) {
    return {128, 128, 128, 255};
}

class TextureCacheTest : public ::testing::Test {
  protected:
    GlContext gl_;
    TempFolder folder_;
};

TEST_F(TextureCacheTest, SamePathConstantLoadsOnceAndCountsHolders) {
    const char* path = persistentPath(folder_.file("shared.png"));
    ASSERT_TRUE(writePicture(path, 4, 4, opaqueGrey));
    testing::internal::CaptureStdout();
    Texture* first = TextureCache::get(path);
    Texture* second = TextureCache::get(path);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), std::string("Loaded texture ") + path + "\n");
    EXPECT_EQ(first, second);
    EXPECT_EQ(first->refCount, 2);
    EXPECT_NE(first->id, Texture::NO_TEXTURE);
    EXPECT_TRUE(glIsTexture(first->id));
    EXPECT_EQ(first->path, path);

    // Equal text at another address is another entry.
    const char* sameText = persistentPath(path);
    testing::internal::CaptureStdout();
    Texture* other = TextureCache::get(sameText);
    testing::internal::GetCapturedStdout();
    EXPECT_NE(other, first);

    first->release();
    first->release();
    first->release();
    EXPECT_EQ(first->refCount, 0);  // never below 0
}

TEST_F(TextureCacheTest, MissingPictureIsTriedOnceAndReportedOnce) {
    const char* path = persistentPath(folder_.file("absent.png"));
    testing::internal::CaptureStdout();
    Texture* first = TextureCache::get(path);
    Texture* again = TextureCache::get(path);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              std::string("Couldn't load texture ") + path + "\n");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, again);
    EXPECT_EQ(first->id, Texture::NO_TEXTURE);
    EXPECT_EQ(first->path, nullptr);
}

TEST_F(TextureCacheTest, CorruptPictureIsAFailedLoadNotACrash) {
    const std::string file = folder_.file("garbage.png");
    FILE* out = std::fopen(file.c_str(), "wb");
    ASSERT_NE(out, nullptr);
    std::fputs("\x89PNG\r\n\x1a\n this is not a picture", out);
    std::fclose(out);
    const char* path = persistentPath(file);
    testing::internal::CaptureStdout();
    Texture* texture = TextureCache::get(path);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              std::string("Couldn't load texture ") + path + "\n");
    EXPECT_EQ(texture->id, Texture::NO_TEXTURE);
}

TEST_F(TextureCacheTest, ThirtyFirstEntryPurgesWhatNobodyHolds) {
    // A real picture that nobody holds any more: its GL texture must go with it.
    const char* unheldPath = persistentPath(folder_.file("unheld.png"));
    ASSERT_TRUE(writePicture(unheldPath, 2, 2, opaqueGrey));
    testing::internal::CaptureStdout();
    Texture* unheld = TextureCache::get(unheldPath);
    const unsigned unheldId = unheld->id;
    unheld->release();
    const char* heldPath = persistentPath(folder_.file("held.png"));
    ASSERT_TRUE(writePicture(heldPath, 2, 2, opaqueGrey));
    Texture* held = TextureCache::get(heldPath);

    // Fill the table to exactly 30 entries with pictures nobody holds.
    while (TextureCache::size() < TextureCache::PURGE_LIMIT) {
        const std::string name = "filler" + std::to_string(TextureCache::size()) + ".png";
        TextureCache::get(persistentPath(folder_.file(name)))->release();
    }
    const std::string beforePurge = testing::internal::GetCapturedStdout();
    EXPECT_EQ(beforePurge.find("Purging Textures"), std::string::npos);
    ASSERT_TRUE(glIsTexture(unheldId));

    testing::internal::CaptureStdout();
    const char* newPath = persistentPath(folder_.file("thirty-first.png"));
    Texture* fresh = TextureCache::get(newPath);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("Purging Textures\n"), std::string::npos);
    EXPECT_EQ(TextureCache::find(unheldPath), nullptr);
    EXPECT_FALSE(glIsTexture(unheldId));
    EXPECT_EQ(TextureCache::find(heldPath), held);
    EXPECT_EQ(TextureCache::find(newPath), fresh);
    EXPECT_EQ(fresh->refCount, 1);

    // While more than 30 entries stay held, every further insertion purges again.
    std::vector<Texture*> holders;
    testing::internal::CaptureStdout();
    while (TextureCache::size() <= TextureCache::PURGE_LIMIT) {
        const std::string name = "holder" + std::to_string(holders.size()) + ".png";
        holders.push_back(TextureCache::get(persistentPath(folder_.file(name))));
    }
    testing::internal::GetCapturedStdout();
    testing::internal::CaptureStdout();
    TextureCache::get(persistentPath(folder_.file("one-more.png")));
    TextureCache::get(persistentPath(folder_.file("and-another.png")));
    const std::string repeated = testing::internal::GetCapturedStdout();
    int purges = 0;
    for (std::size_t at = repeated.find("Purging"); at != std::string::npos;
         at = repeated.find("Purging", at + 1)) {
        ++purges;
    }
    EXPECT_EQ(purges, 2);
}

}  // namespace
