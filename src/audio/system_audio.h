#pragma once

#include <memory>

#include "audio/audio_backend.h"

// The audio layer of the system the game runs on: SDL2_mixer on the desktop
// (system_audio.cpp), Web Audio in the browser (system_audio_web.cpp).
std::unique_ptr<AudioBackend> systemAudio();

// The next system audio layer opens no device: everything loads and plays, nothing is heard
// (the replay tool, the tests).
void silenceSystemAudio();
