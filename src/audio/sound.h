#pragma once

#include "audio/audio_backend.h"

#include <map>
#include <memory>

struct SoundEntry {
    Sample* sample = nullptr;                // never null in a stored entry
    int channel = AudioBackend::NO_CHANNEL;  // handle of the latest successful play
};

// The program's one audio object: named samples (refnames) over an audio backend. The
// table is keyed by the address of the refname constants in sound_names.h. Every failure is
// one line on standard output and a false result; nothing is retried.
class Sound {
  public:
    // Created on first use with the system's audio layer; the same object afterwards.
    static Sound* instance();
    // Deletes the singleton if it exists (stop all, close the library); the game's end
    // (endGame) calls this.
    static void shutdown();

    // Opens the backend at 44 100 Hz with 32 channels; its result is not examined, a failed
    // initialisation shows up later as failed loads and plays.
    explicit Sound(std::unique_ptr<AudioBackend> backend);
    ~Sound();
    Sound(const Sound&) = delete;
    Sound& operator=(const Sound&) = delete;

    bool load(const char* path, const char* refname, bool loop);
    bool play(const char* refname);
    bool stopSound(const char* refname);
    void stopAll();
    bool find(const char* refname, SoundEntry*& entry);

    static constexpr int MIX_RATE = 44100;
    static constexpr int CHANNELS = 32;

  private:
    std::unique_ptr<AudioBackend> backend_;
    std::map<const char*, SoundEntry> table_;
};
