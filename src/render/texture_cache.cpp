#include "render/texture_cache.h"

#include <GL/gl.h>
#include <IL/il.h>
#include <IL/ilu.h>
#include <IL/ilut.h>

#include <algorithm>
#include <iostream>

#include "render/sprite.h"

static_assert(sizeof(GLuint) == sizeof(unsigned), "texture names are stored as unsigned");

namespace {
bool imageLibraryReady = false;

void initImageLibrary() {
    ilInit();
    iluInit();
    ilutRenderer(ILUT_OPENGL);
    imageLibraryReady = true;
}

// ILUT uploads bottom row first, as GL expects by default; our quad has t = 0 at its top
// edge. Every picture is brought to a known orientation at load (bottom row first, whatever
// the file format stores) and flipped once more before the upload, so its top row lands at
// t = 0 and it shows upright. Set on every load: the setting is the library's global state.
void loadBottomRowFirst() {
    ilEnable(IL_ORIGIN_SET);
    ilOriginFunc(IL_ORIGIN_LOWER_LEFT);
}
}  // namespace

void Texture::release() {
    refCount = std::max(refCount - 1, 0);
}

TextureCache::Table& TextureCache::table() {
    static Table* entries = new Table;
    return *entries;
}

std::size_t TextureCache::size() {
    return table().size();
}

Texture* TextureCache::find(const char* path) {
    const auto entry = table().find(path);
    return entry == table().end() ? nullptr : entry->second;
}

Texture* TextureCache::get(const char* path) {
    Table& entries = table();
    const auto existing = entries.find(path);
    if (existing != entries.end()) {
        existing->second->refCount += 1;
        return existing->second;
    }
    auto* texture = new Texture;
    loadTexture(*texture, path);
    entries.emplace(path, texture);  // failed loads get an entry too: never retried
    if (entries.size() > PURGE_LIMIT) {
        purge();  // the new texture holds a reference and survives
    }
    return texture;
}

unsigned TextureCache::loadTexture(Texture& texture, const char* path) {
    if (!imageLibraryReady) {
        initImageLibrary();
    }
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    loadBottomRowFirst();
    if (ilLoadImage(path)) {
        iluFlipImage();
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        GLuint id = 0;
        glGenTextures(1, &id);
        texture.id = id;
        glBindTexture(GL_TEXTURE_2D, id);
        // The load bound a texture behind sprite drawing's back.
        Sprite::forgetBoundTexture();
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
        ilutGLTexImage(0);
        texture.path = path;
        std::cout << "Loaded texture " << path << std::endl;
    } else {
        std::cout << "Couldn't load texture " << path << std::endl;
    }
    ilDeleteImages(1, &image);
    return texture.id;
}

void TextureCache::purge() {
    std::cout << "Purging Textures" << std::endl;
    Table& entries = table();
    for (auto entry = entries.begin(); entry != entries.end();) {
        Texture* texture = entry->second;
        if (texture->refCount > 0) {
            ++entry;
            continue;
        }
        if (texture->id != Texture::NO_TEXTURE) {
            GLuint id = texture->id;
            glDeleteTextures(1, &id);
        }
        delete texture;
        entry = entries.erase(entry);
    }
}
