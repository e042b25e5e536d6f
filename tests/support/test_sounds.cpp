#include "support/test_sounds.h"

#include <filesystem>
#include <iostream>
#include <sstream>

#include "app/shell.h"
#include "audio/sound_names.h"
#include "audio/system_audio.h"
#include "support/files.h"

namespace {
bool ready = false;
}

void forgetSilentTestSounds() {
    ready = false;
}

void useSilentTestSounds() {
    if (ready) {
        return;
    }
    ready = true;
    SystemAudio::selectOutput(SystemAudio::Output::Silent);
    // Every process writes its own files: parallel test processes never read a half-written
    // one. The samples are decoded whole at load, so the folder can go right after.
    TempFolder folder;
    std::filesystem::create_directory(folder.file("sounds"));
    for (const SoundFile& file : ALL_SOUNDS) {
        writeToneWav(folder.file(file.path), file.loop ? 0.05f : 0.2f);  // a WAV even as bg.mp3
    }
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.file(""));
    std::ostringstream quiet;  // keep the load lines out of the tests' captured output
    std::streambuf* output = std::cout.rdbuf(quiet.rdbuf());
    loadSounds();
    std::cout.rdbuf(output);
    std::filesystem::current_path(previous);
}
