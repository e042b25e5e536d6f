#pragma once

#include "audio/audio_backend.h"

#include <vector>

// The audio layer over SDL2_mixer. Samples are decoded whole into memory at load time.
// With Output::Silent it mixes into SDL's dummy driver: everything loads and plays as on a
// real device, but nothing is heard (tests, the replay tool, machines without sound).
class SdlAudio : public AudioBackend {
  public:
    enum class Output { Device, Silent };

    // The output that the next init() opens; Device unless changed.
    static void selectOutput(Output output);

    SdlAudio() = default;
    ~SdlAudio() override;
    SdlAudio(const SdlAudio&) = delete;
    SdlAudio& operator=(const SdlAudio&) = delete;

    bool init(int mixRate, int channels) override;
    Sample* loadSample(const char* path, bool loop) override;
    // A handle that names the channel and this start on it, so that a late stop() cannot
    // halt a sound that has since taken the channel over.
    int play(Sample* sample) override;
    void stop(int handle) override;
    void close() override;

  private:
    bool open_ = false;
    int channelCount_ = 0;
    std::vector<int> generations_;  // per channel: how many starts it has seen (wrapping)
    std::vector<Sample*> samples_;  // owned; freed by close()
};
