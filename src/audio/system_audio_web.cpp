#include "audio/system_audio.h"
#include "audio/web_audio.h"

std::unique_ptr<AudioBackend> systemAudio() {
    return std::make_unique<WebAudio>();
}

void silenceSystemAudio() {
    WebAudio::selectOutput(WebAudio::Output::Silent);
}
