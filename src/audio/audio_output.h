#pragma once

#include "audio/audio_backend.h"

// The platform's own sound output under SystemAudio: SDL2_mixer on the desktop
// (audio_output.cpp), the page's Web Audio in the browser (audio_output_web.cpp). It knows
// channels only; the handles, the samples' ownership and the checks are SystemAudio's.
namespace audio_output {

// Opens the output at mixRate with up to channels channels; silent: no device is opened, yet
// everything loads, starts and ends as on one. The number of channels opened, 0 on failure.
int open(int mixRate, int channels, bool silent);
// A whole WAV or MP3 file with its loop mode; null if it cannot be read or decoded.
Sample* load(const char* path, bool loop);
// The lowest free channel, where the sample has started; AudioBackend::NO_CHANNEL if none.
int start(Sample* sample);
// Stops the channel's sound (AudioBackend::ALL_CHANNELS: every channel's); idle ones stay so.
void halt(int channel);
void release(Sample* sample);
void close();

}  // namespace audio_output
