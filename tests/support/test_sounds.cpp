#include "support/test_sounds.h"

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <sstream>

#include "audio/sdl_audio.h"
#include "audio/sound.h"
#include "audio/sound_names.h"
#include "support/wav_file.h"

void useSilentTestSounds() {
    static bool ready = false;
    if (ready) {
        return;
    }
    ready = true;
    SdlAudio::selectOutput(SdlAudio::Output::Silent);
    const auto folder = std::filesystem::temp_directory_path() / "brindlecog-test-sounds";
    std::filesystem::create_directories(folder);
    // Keep the load lines out of the tests' captured output.
    std::ostringstream quiet;
    std::streambuf* previous = std::cout.rdbuf(quiet.rdbuf());
    for (const SoundFile& file : ALL_SOUNDS) {
        const std::string path = (folder / (std::string(file.refname) + ".wav")).string();
        writeToneWav(path, 0.05f);
        Sound::instance()->load(path.c_str(), file.refname, file.loop);
    }
    std::cout.rdbuf(previous);
}
