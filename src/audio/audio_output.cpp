// The desktop's output: SDL2_mixer, whose channels are the mixer's own.
#include "audio/audio_output.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>

// What the output hands out: a decoded chunk and the loop mode fixed at load.
struct Sample {
    Mix_Chunk* chunk;
    bool loop;
};

namespace audio_output {
namespace {
constexpr int MIXER_BUFFER_FRAMES = 1024;  // ~23 ms at 44.1 kHz: short enough for clicks
}  // namespace

int open(int mixRate, int channels, bool silent) {
    if (silent) {
        // SDL's dummy driver consumes the mix without a device: real decoding and channel
        // handling, no sound.
        SDL_setenv("SDL_AUDIODRIVER", "dummy", 1);
    }
    // Audio brings up SDL's event subsystem, which would catch SIGINT and SIGTERM and turn them
    // into a quit event that nobody reads: the game could no longer be stopped from a terminal.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        return 0;
    }
    if (Mix_OpenAudio(mixRate, MIX_DEFAULT_FORMAT, 2, MIXER_BUFFER_FRAMES) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return 0;
    }
    return Mix_AllocateChannels(channels);
}

Sample* load(const char* path, bool loop) {
    // Mix_LoadWAV decodes the whole file (WAV or MP3) into memory, converted to the mix format.
    Mix_Chunk* chunk = Mix_LoadWAV(path);
    return chunk == nullptr ? nullptr : new Sample{chunk, loop};
}

int start(Sample* sample) {
    const int channel = Mix_PlayChannel(-1, sample->chunk, sample->loop ? -1 : 0);
    return channel < 0 ? AudioBackend::NO_CHANNEL : channel;
}

void halt(int channel) {
    Mix_HaltChannel(channel == AudioBackend::ALL_CHANNELS ? -1 : channel);
}

void release(Sample* sample) {
    Mix_FreeChunk(sample->chunk);
    delete sample;
}

void close() {
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

}  // namespace audio_output
