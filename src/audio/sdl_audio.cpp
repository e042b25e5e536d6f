#include "audio/sdl_audio.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>

#include <limits>

// What the layer hands out: a decoded chunk and the loop mode fixed at load.
struct Sample {
    Mix_Chunk* chunk;
    bool loop;
};

namespace {
SdlAudio::Output selectedOutput = SdlAudio::Output::Device;
constexpr int MIXER_BUFFER_FRAMES = 1024;  // ~23 ms at 44.1 kHz: short enough for clicks
}  // namespace

void SdlAudio::selectOutput(Output output) {
    selectedOutput = output;
}

SdlAudio::~SdlAudio() {
    close();
}

bool SdlAudio::init(int mixRate, int channels) {
    if (open_) {
        return true;
    }
    if (selectedOutput == Output::Silent) {
        // SDL's dummy driver consumes the mix without a device: real decoding and channel
        // handling, no sound.
        SDL_setenv("SDL_AUDIODRIVER", "dummy", 1);
    }
    // Audio brings up SDL's event subsystem, which would catch SIGINT and SIGTERM and turn them
    // into a quit event that nobody reads: the game could no longer be stopped from a terminal.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        return false;
    }
    if (Mix_OpenAudio(mixRate, MIX_DEFAULT_FORMAT, 2, MIXER_BUFFER_FRAMES) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    channelCount_ = Mix_AllocateChannels(channels);
    generations_.assign(static_cast<std::size_t>(channelCount_), 0);
    open_ = true;
    return true;
}

Sample* SdlAudio::loadSample(const char* path, bool loop) {
    if (!open_ || path == nullptr) {
        return nullptr;
    }
    // Mix_LoadWAV decodes the whole file (WAV or MP3) into memory, converted to the mix format.
    Mix_Chunk* chunk = Mix_LoadWAV(path);
    if (chunk == nullptr) {
        return nullptr;
    }
    auto* sample = new Sample{chunk, loop};
    samples_.push_back(sample);
    return sample;
}

int SdlAudio::play(Sample* sample) {
    if (!open_ || sample == nullptr) {
        return NO_CHANNEL;
    }
    const int channel = Mix_PlayChannel(-1, sample->chunk, sample->loop ? -1 : 0);
    if (channel < 0 || channel >= channelCount_) {
        return NO_CHANNEL;
    }
    // The mixer hands out the lowest free channel again as soon as a sound ends, so a bare
    // channel number would later stop whatever plays there now. The handle also names this
    // start, counted per channel.
    int& generation = generations_[static_cast<std::size_t>(channel)];
    generation = (generation + 1) % (std::numeric_limits<int>::max() / channelCount_);
    return generation * channelCount_ + channel;
}

void SdlAudio::stop(int handle) {
    if (!open_) {
        return;
    }
    if (handle == ALL_CHANNELS) {
        Mix_HaltChannel(-1);
        return;
    }
    if (handle < 0) {
        return;
    }
    const int channel = handle % channelCount_;
    if (generations_[static_cast<std::size_t>(channel)] == handle / channelCount_) {
        Mix_HaltChannel(channel);  // still this start's channel (idle if the sound has ended)
    }
}

void SdlAudio::close() {
    if (!open_) {
        return;
    }
    Mix_HaltChannel(-1);
    for (Sample* sample : samples_) {
        Mix_FreeChunk(sample->chunk);
        delete sample;
    }
    samples_.clear();
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    open_ = false;
}
