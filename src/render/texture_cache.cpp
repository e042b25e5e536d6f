#include "render/texture_cache.h"

#include <GL/gl.h>

#include <algorithm>
#include <iostream>

#include "render/picture_file.h"
#include "render/sprite.h"

static_assert(sizeof(GLuint) == sizeof(unsigned), "texture names are stored as unsigned");

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
    const PictureFile picture(path);
    if (picture.loaded()) {
        GLuint id = 0;
        glGenTextures(1, &id);
        texture.id = id;
        glBindTexture(GL_TEXTURE_2D, id);
        // The load bound a texture behind sprite drawing's back.
        Sprite::forgetBoundTexture();
        picture.uploadToBoundTexture();
        texture.path = path;
        std::cout << "Loaded texture " << path << std::endl;
    } else {
        std::cout << "Couldn't load texture " << path << std::endl;
    }
    return texture.id;
}

void TextureCache::reloadAll() {
    for (auto& [path, texture] : table()) {
        if (texture->id == Texture::NO_TEXTURE) {
            continue;
        }
        GLuint old = texture->id;
        glDeleteTextures(1, &old);  // a name of the lost context: frees only the record
        texture->id = Texture::NO_TEXTURE;
        texture->visibleMeasured = false;
        loadTexture(*texture, path);
    }
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
