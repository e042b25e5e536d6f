#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "audio/sdl_audio.h"
#include "audio/sound.h"
#include "audio/sound_names.h"
#include "support/files.h"
#include "support/test_sounds.h"

namespace {

std::string said(const std::function<void()>& action) {
    testing::internal::CaptureStdout();
    action();
    return testing::internal::GetCapturedStdout();
}

int channelOf(Sound& sound, const char* refname) {
    SoundEntry* entry = nullptr;
    return sound.find(refname, entry) ? entry->channel : AudioBackend::NO_CHANNEL;
}

// A sound manager over the real SDL2_mixer, mixing into SDL's silent driver in real time.
class SoundManager : public ::testing::Test {
  protected:
    ~SoundManager() override { SdlAudio::selectOutput(SdlAudio::Output::Device); }
    // A tone long enough to be still playing when the test looks.
    std::string longTone() {
        writeToneWav(folder_.file("long.wav"), 2.0f);
        return folder_.file("long.wav");
    }
    TempFolder folder_;
    const int opensBefore_ = (SdlAudio::selectOutput(SdlAudio::Output::Silent),
                              Mix_QuerySpec(nullptr, nullptr, nullptr));
    std::unique_ptr<Sound> sound_ = std::make_unique<Sound>(std::make_unique<SdlAudio>());
};

}  // namespace

TEST_F(SoundManager, OpensTheMixerAt44100HzWith32ChannelsAndClosesItAtTheEnd) {
    int rate = 0;
    EXPECT_EQ(Mix_QuerySpec(&rate, nullptr, nullptr), opensBefore_ + 1);
    EXPECT_EQ(rate, 44100);
    EXPECT_EQ(Mix_AllocateChannels(-1), 32);
    said(
        [&] { sound_->load(longTone().c_str(), BUTTON_SOUND, false), sound_->play(BUTTON_SOUND); });
    sound_.reset();
    EXPECT_EQ(Mix_QuerySpec(nullptr, nullptr, nullptr), opensBefore_);
}

TEST_F(SoundManager, ANameLoadsOnceAndABadFileLeavesNoName) {
    const std::string junk = folder_.file("junk.wav");
    std::FILE* out = std::fopen(junk.c_str(), "wb");
    std::fputs("RIFF\x10\0\0\0WAVEjunkjunkjunk", out);
    std::fclose(out);
    for (const std::string& bad : {std::string("missing.wav"), junk}) {
        EXPECT_EQ(said([&] { EXPECT_FALSE(sound_->load(bad.c_str(), PLACE_SOUND, false)); }),
                  "Failed to load sound file: " + bad + "\n");
    }
    EXPECT_EQ(said([&] { EXPECT_FALSE(sound_->play(PLACE_SOUND)); }),
              "Sound::stopSound(): Refname not found: place\n");
    EXPECT_EQ(said([&] { EXPECT_FALSE(sound_->stopSound(PLACE_SOUND)); }),
              "Sound::stopSound(): Refname not found: place\n");

    const std::string tone = longTone();
    EXPECT_EQ(said([&] { EXPECT_TRUE(sound_->load(tone.c_str(), PLACE_SOUND, false)); }),
              "Loaded Sound place\n");
    // A second load under the name keeps the first sample and says nothing.
    EXPECT_EQ(said([&] { EXPECT_FALSE(sound_->load("missing.wav", PLACE_SOUND, false)); }), "");
    EXPECT_EQ(said([&] { EXPECT_TRUE(sound_->play(PLACE_SOUND)); }), "Playing place\n");
}

TEST_F(SoundManager, StoppingANameStopsItsNewestCopyOnce) {
    said([&] { sound_->load(longTone().c_str(), BUTTON_SOUND, false); });
    EXPECT_FALSE(sound_->stopSound(BUTTON_SOUND)) << "never played";
    said([&] { sound_->play(BUTTON_SOUND); });
    const int first = channelOf(*sound_, BUTTON_SOUND);
    said([&] { sound_->play(BUTTON_SOUND); });
    const int newest = channelOf(*sound_, BUTTON_SOUND);
    ASSERT_NE(first, newest);
    EXPECT_TRUE(sound_->stopSound(BUTTON_SOUND));
    EXPECT_FALSE(sound_->stopSound(BUTTON_SOUND));
    EXPECT_EQ(Mix_Playing(newest), 0);
    EXPECT_EQ(Mix_Playing(first), 1);
}

TEST_F(SoundManager, WhenEveryChannelIsBusyPlayingFailsAndStopAllFreesThem) {
    said([&] { sound_->load(longTone().c_str(), PLACE_SOUND, false); });
    const int free = 32 - Mix_Playing(-1);
    for (int i = 0; i < free; ++i) {
        EXPECT_EQ(said([&] { sound_->play(PLACE_SOUND); }), "Playing place\n") << i;
    }
    EXPECT_EQ(said([&] { EXPECT_FALSE(sound_->play(PLACE_SOUND)); }),
              "Sound::play(): Could not play sample: place\n");
    EXPECT_FALSE(sound_->stopSound(PLACE_SOUND));
    said([&] { sound_->play(PLACE_SOUND); });  // still no channel
    sound_->stopAll();
    EXPECT_EQ(Mix_Playing(-1), 0);
    EXPECT_EQ(said([&] { EXPECT_TRUE(sound_->play(PLACE_SOUND)); }), "Playing place\n");
    sound_->stopAll();
    EXPECT_FALSE(sound_->stopSound(PLACE_SOUND)) << "stopAll forgets the channels";
}

TEST_F(SoundManager, WithoutAnOutputEveryLoadFailsWithItsLine) {
    struct UnopenedAudio : SdlAudio {
        bool init(int, int) override { return false; }
    };
    Sound sound(std::make_unique<UnopenedAudio>());
    EXPECT_EQ(said([&] {
                  EXPECT_FALSE(sound.load("./sounds/button.wav", BUTTON_SOUND, false));
                  EXPECT_FALSE(sound.play(BUTTON_SOUND));
                  sound.stopAll();
              }),
              "Failed to load sound file: ./sounds/button.wav\n"
              "Sound::stopSound(): Refname not found: button\n");
    SdlAudio audio;
    ASSERT_TRUE(audio.init(44100, 32));
    Sample* tone = audio.loadSample(longTone().c_str(), false);
    audio.stop(12345);  // a channel that does not exist: harmless
    audio.close();
    EXPECT_EQ(audio.play(tone), AudioBackend::NO_CHANNEL) << "closed: nothing plays";
}

// The program's sounds as start-up loads them: the music keeps playing past its length, and
// every effect ends.
TEST(ProgramSounds, TheMusicLoopsAndTheEffectsEnd) {
    useSilentTestSounds();
    Sound& sound = *Sound::instance();
    said([&] {
        for (const SoundFile& file : ALL_SOUNDS) {
            sound.play(file.refname);
        }
    });
    const int music = channelOf(sound, BACKGROUND_SOUND);
    std::vector<int> effects;
    for (const SoundFile& file : ALL_SOUNDS) {
        if (file.refname != BACKGROUND_SOUND) {
            effects.push_back(channelOf(sound, file.refname));
        }
    }
    const auto anyPlaying = [&] {
        return std::any_of(effects.begin(), effects.end(), [](int c) { return Mix_Playing(c); });
    };
    for (int waited = 0; waited < 3000 && anyPlaying(); waited += 10) {
        SDL_Delay(10);
    }
    EXPECT_FALSE(anyPlaying()) << "an effect loops";
    EXPECT_EQ(Mix_Playing(music), 1) << "the music stopped";
    sound.stopAll();
}
