#include "support/test_sounds.h"

#include <filesystem>

#include "app/shell.h"
#include "audio/sound_names.h"
#include "audio/system_audio.h"
#include "support/files.h"
#include "support/said.h"

static bool ready = false;

void forgetSilentTestSounds() {
    ready = false;
}

void useSilentTestSounds() {
    if (ready) {
        return;
    }
    ready = true;
    silenceSystemAudio();
    // Every process writes its own files: parallel test processes never read a half-written
    // one. The samples are decoded whole at load, so the folder can go right after.
    TempFolder folder;
    std::filesystem::create_directory(folder.file("sounds"));
    for (const SoundFile& file : ALL_SOUNDS) {
        writeToneWav(folder.file(file.path), file.loop ? 0.05f : 0.2f);  // a WAV even as bg.mp3
    }
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.file(""));
    said(loadSounds);  // keeps the load lines out of the tests' own output
    std::filesystem::current_path(previous);
}
