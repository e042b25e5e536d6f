#pragma once

// The little an audio library must do for the sound manager: open an output with a mixing
// rate and a channel count, load a whole WAV or MP3 file into a sample whose looping is fixed
// at load, start a sample on a free channel, stop one channel or all, and close (freeing every
// sample). Sound talks to this interface only, so tests can put a recorder in its place.
struct Sample;

class AudioBackend {
  public:
    static constexpr int ALL_CHANNELS = -3;  // stop() on every channel
    static constexpr int NO_CHANNEL = -1;    // what play() returns when nothing started

    virtual ~AudioBackend() = default;

    virtual bool init(int mixRate, int channels) = 0;
    // Null on failure (no output, missing or undecodable file).
    virtual Sample* loadSample(const char* path, bool loop) = 0;
    // A handle (0 or more) for the channel the sample started on, or NO_CHANNEL.
    virtual int play(Sample* sample) = 0;
    // A handle from play() or ALL_CHANNELS. A handle whose sound has ended stops nothing, even
    // when its channel has since started another sound.
    virtual void stop(int handle) = 0;
    virtual void close() = 0;
};
