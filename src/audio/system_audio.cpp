#include "audio/system_audio.h"

#include "audio/sdl_audio.h"

std::unique_ptr<AudioBackend> systemAudio() {
    return std::make_unique<SdlAudio>();
}

void silenceSystemAudio() {
    SdlAudio::selectOutput(SdlAudio::Output::Silent);
}
