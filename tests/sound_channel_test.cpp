#include <SDL2/SDL_mixer.h>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <utility>

#include "audio/sdl_audio.h"
#include "audio/sound.h"
#include "audio/sound_names.h"
#include "support/pictures.h"
#include "support/wav_file.h"

// SDL2_mixer gives the lowest free channel out again as soon as a sound ends. The power
// switch stops both motor sounds on every click, long after the last one has ended: that late
// stop must not halt the sound that has since taken its channel.
TEST(SoundChannels, ALateStopNeverSilencesTheSoundNowOnItsChannel) {
    SdlAudio::selectOutput(SdlAudio::Output::Silent);
    TempFolder folder;
    Sound sound(std::make_unique<SdlAudio>());
    testing::internal::CaptureStdout();
    for (const auto& [refname, seconds] :
         {std::pair{BUTTON_SOUND, 0.3f}, std::pair{MOTOR_STOP_SOUND, 0.3f},
          std::pair{MOTOR_START_SOUND, 2.0f}, std::pair{PLACE_SOUND, 2.0f}}) {
        const std::string path = folder.file(std::string(refname) + ".wav");
        ASSERT_TRUE(writeToneWav(path, seconds));
        ASSERT_TRUE(sound.load(path.c_str(), refname, false));
    }
    const auto switchClick = [&](const char* motorSound) {
        sound.play(BUTTON_SOUND);
        sound.stopSound(MOTOR_START_SOUND);
        sound.stopSound(MOTOR_STOP_SOUND);
        sound.play(motorSound);
    };
    switchClick(MOTOR_STOP_SOUND);
    std::this_thread::sleep_for(std::chrono::milliseconds(800));  // both have ended
    const int playingBefore = Mix_Playing(-1);  // another test's looping music may still play
    sound.play(PLACE_SOUND);
    switchClick(MOTOR_START_SOUND);
    EXPECT_EQ(Mix_Playing(-1) - playingBefore, 3);  // place, the new click and motorStart
    testing::internal::GetCapturedStdout();
    SdlAudio::selectOutput(SdlAudio::Output::Device);
}
