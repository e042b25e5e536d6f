#include "audio/system_audio.h"

#include <limits>

#include "audio/audio_output.h"

namespace {
bool silent = false;
}  // namespace

std::unique_ptr<AudioBackend> systemAudio() {
    return std::make_unique<SystemAudio>();
}

void silenceSystemAudio() {
    silent = true;
}

SystemAudio::~SystemAudio() {
    close();
}

bool SystemAudio::init(int mixRate, int channels) {
    if (open_) {
        return true;
    }
    channelCount_ = audio_output::open(mixRate, channels, silent);
    if (channelCount_ <= 0) {
        return false;
    }
    generations_.assign(static_cast<std::size_t>(channelCount_), 0);
    open_ = true;
    return true;
}

Sample* SystemAudio::loadSample(const char* path, bool loop) {
    if (!open_ || path == nullptr) {
        return nullptr;
    }
    Sample* sample = audio_output::load(path, loop);
    if (sample != nullptr) {
        samples_.push_back(sample);
    }
    return sample;
}

int SystemAudio::play(Sample* sample) {
    if (!open_ || sample == nullptr) {
        return NO_CHANNEL;
    }
    const int channel = audio_output::start(sample);
    if (channel < 0 || channel >= channelCount_) {
        return NO_CHANNEL;
    }
    // The output hands out the lowest free channel again as soon as a sound ends, so a bare
    // channel number would later stop whatever plays there now. The handle also names this
    // start, counted per channel.
    int& generation = generations_[static_cast<std::size_t>(channel)];
    generation = (generation + 1) % (std::numeric_limits<int>::max() / channelCount_);
    return generation * channelCount_ + channel;
}

void SystemAudio::stop(int handle) {
    if (!open_) {
        return;
    }
    if (handle == ALL_CHANNELS) {
        audio_output::halt(ALL_CHANNELS);
        return;
    }
    if (handle < 0) {
        return;
    }
    const int channel = handle % channelCount_;
    if (generations_[static_cast<std::size_t>(channel)] == handle / channelCount_) {
        audio_output::halt(channel);  // still this start's channel (idle if the sound has ended)
    }
}

void SystemAudio::close() {
    if (!open_) {
        return;
    }
    audio_output::halt(ALL_CHANNELS);
    for (Sample* sample : samples_) {
        audio_output::release(sample);
    }
    samples_.clear();
    audio_output::close();
    open_ = false;
}
