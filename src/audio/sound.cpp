#include "audio/sound.h"

#include <iostream>

#include "audio/system_audio.h"

namespace {
Sound* singleton = nullptr;
}

Sound* Sound::instance() {
    if (singleton == nullptr) {
        singleton = new Sound(systemAudio());
    }
    return singleton;
}

void Sound::shutdown() {
    delete singleton;
    singleton = nullptr;
}

Sound::Sound(std::unique_ptr<AudioBackend> backend) : backend_(std::move(backend)) {
    backend_->init(MIX_RATE, CHANNELS);
}

Sound::~Sound() {
    stopAll();
    backend_->close();  // frees every sample
    table_.clear();
}

bool Sound::load(const char* path, const char* refname, bool loop) {
    if (table_.count(refname) != 0) {
        return false;  // the first sample keeps the name
    }
    Sample* sample = backend_->loadSample(path, loop);
    if (sample == nullptr) {
        std::cout << "Failed to load sound file: " << path << std::endl;
        return false;
    }
    table_[refname] = SoundEntry{sample, AudioBackend::NO_CHANNEL};
    std::cout << "Loaded Sound " << refname << std::endl;
    return true;
}

bool Sound::find(const char* refname, SoundEntry*& entry) {
    const auto found = table_.find(refname);
    if (found == table_.end()) {
        // The same words serve play() and stopSound(): scripts and players know this line.
        std::cout << "Sound::stopSound(): Refname not found: " << refname << std::endl;
        return false;
    }
    entry = &found->second;
    return true;
}

bool Sound::play(const char* refname) {
    SoundEntry* entry = nullptr;
    if (!find(refname, entry)) {
        return false;
    }
    entry->channel = backend_->play(entry->sample);
    if (entry->channel == AudioBackend::NO_CHANNEL) {
        std::cout << "Sound::play(): Could not play sample: " << refname << std::endl;
        return false;
    }
    std::cout << "Playing " << refname << std::endl;
    return true;
}

bool Sound::stopSound(const char* refname) {
    SoundEntry* entry = nullptr;
    if (!find(refname, entry)) {
        return false;
    }
    if (entry->channel == AudioBackend::NO_CHANNEL) {
        return false;
    }
    backend_->stop(entry->channel);
    entry->channel = AudioBackend::NO_CHANNEL;
    return true;
}

void Sound::stopAll() {
    backend_->stop(AudioBackend::ALL_CHANNELS);
    for (auto& entry : table_) {
        entry.second.channel = AudioBackend::NO_CHANNEL;
    }
}
