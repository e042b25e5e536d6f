#pragma once

#include <vector>

#include "audio/audio_backend.h"

// The audio layer over the page's Web Audio: one AudioContext, each sample decoded whole into
// an AudioBuffer, one buffer source per play (looping for the music), all through one gain
// node that an analyser listens to. A browser runs the context only after a user gesture: the
// first pointer press or key resumes it, and what was started before then starts at that
// moment, from where it would be by now (the music from its start; a short sound that would
// have ended is dropped).
//
// With Output::Silent there is no context at all (Node.js has none, the replay wants none):
// files are read and checked and plays start and end on a free channel as in the page, by
// the length a WAV file's header gives (an MP3 file's is unknown there: it plays until stopped).
class WebAudio : public AudioBackend {
  public:
    enum class Output { Page, Silent };

    // The output that the next init() opens; Page unless changed.
    static void selectOutput(Output output);

    WebAudio() = default;
    ~WebAudio() override;
    WebAudio(const WebAudio&) = delete;
    WebAudio& operator=(const WebAudio&) = delete;

    bool init(int mixRate, int channels) override;
    // The file is read and checked at once; decoding goes on in the background.
    Sample* loadSample(const char* path, bool loop) override;
    // The handle names the channel and this start on it, as the desktop's layer does.
    int play(Sample* sample) override;
    void stop(int handle) override;
    void close() override;

  private:
    bool open_ = false;
    int channelCount_ = 0;
    std::vector<int> generations_;  // per channel: how many starts it has seen (wrapping)
    std::vector<Sample*> samples_;  // owned; freed by close()
};
