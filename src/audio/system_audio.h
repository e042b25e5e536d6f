#pragma once

#include <memory>
#include <vector>

#include "audio/audio_backend.h"

// The audio layer of the system the game runs on, over the platform's output (audio_output.h):
// samples decoded whole at load, one channel a play. Final: its destructor calls close(), which
// must be this class's own.
class SystemAudio final : public AudioBackend {
  public:
    SystemAudio() = default;
    ~SystemAudio() override;
    SystemAudio(const SystemAudio&) = delete;
    SystemAudio& operator=(const SystemAudio&) = delete;

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

std::unique_ptr<AudioBackend> systemAudio();

// From now on a system audio layer opens no device: everything loads and plays as on one, but
// nothing is heard (the replay tool, the tests).
void silenceSystemAudio();
