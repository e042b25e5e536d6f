#include <SDL2/SDL_mixer.h>
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <utility>

#include "audio/sdl_audio.h"
#include "audio/sound.h"
#include "audio/sound_names.h"
#include "support/files.h"
#include "support/said.h"
#include "support/test_sounds.h"

namespace {

// The mixer channel of a name's latest play: its handle counts starts per channel, and the
// manager opens 32 channels.
int channelOf(Sound& sound, const char* refname) {
    SoundEntry* entry = nullptr;
    const bool played = sound.find(refname, entry) && entry->channel >= 0;
    return played ? entry->channel % 32 : AudioBackend::NO_CHANNEL;
}

// A sound manager over the real SDL2_mixer, mixing into SDL's silent driver in real time,
// with a tone long enough to be still playing when a test looks.
class SoundManager : public ::testing::Test {
  protected:
    TempFolder folder_;
    const std::string tone_ = folder_.file("tone.wav");
    const bool written_ = writeToneWav(tone_, 2.0f);
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
    sound_.reset();
    EXPECT_EQ(Mix_QuerySpec(nullptr, nullptr, nullptr), opensBefore_);
}

TEST_F(SoundManager, ANameLoadsOnceAndABadFileLeavesNoName) {
    const std::string junk = folder_.file("junk.wav");
    std::ofstream(junk) << "RIFF\x10" << std::string(3, '\0') << "WAVEjunkjunkjunk";
    for (const std::string& bad : {std::string("missing.wav"), junk}) {
        EXPECT_EQ(said([&] { sound_->load(bad.c_str(), PLACE_SOUND, false); }),
                  "Failed to load sound file: " + bad + "\n");
    }
    const std::string notFound = "Sound::stopSound(): Refname not found: place\n";
    EXPECT_EQ(said([&] { sound_->play(PLACE_SOUND), sound_->stopSound(PLACE_SOUND); }),
              notFound + notFound);
    EXPECT_EQ(said([&] { EXPECT_TRUE(sound_->load(tone_.c_str(), PLACE_SOUND, false)); }),
              "Loaded Sound place\n");
    // A second load under the name keeps the first sample and says nothing.
    EXPECT_EQ(said([&] { EXPECT_FALSE(sound_->load("missing.wav", PLACE_SOUND, false)); }), "");
    EXPECT_EQ(said([&] { EXPECT_TRUE(sound_->play(PLACE_SOUND)); }), "Playing place\n");
}

TEST_F(SoundManager, StoppingANameStopsItsNewestCopyOnce) {
    said([&] { sound_->load(tone_.c_str(), BUTTON_SOUND, false); });
    EXPECT_FALSE(sound_->stopSound(BUTTON_SOUND)) << "never played";
    said([&] { sound_->play(BUTTON_SOUND); });
    const int first = channelOf(*sound_, BUTTON_SOUND);
    said([&] { sound_->play(BUTTON_SOUND); });
    const int newest = channelOf(*sound_, BUTTON_SOUND);
    EXPECT_TRUE(sound_->stopSound(BUTTON_SOUND));
    EXPECT_FALSE(sound_->stopSound(BUTTON_SOUND));
    EXPECT_TRUE(first != newest && Mix_Playing(first) && !Mix_Playing(newest));
}

TEST_F(SoundManager, WhenEveryChannelIsBusyPlayingFailsAndStopAllFreesThem) {
    said([&] { sound_->load(tone_.c_str(), PLACE_SOUND, false); });
    std::string plays;
    for (int free = 32 - Mix_Playing(-1); free > 0; --free) {
        plays += said([&] { sound_->play(PLACE_SOUND); });
    }
    EXPECT_EQ(plays.find("Could not"), std::string::npos);
    EXPECT_EQ(said([&] { sound_->play(PLACE_SOUND); }),
              "Sound::play(): Could not play sample: place\n");
    EXPECT_FALSE(sound_->stopSound(PLACE_SOUND));
    sound_->stopAll();
    EXPECT_EQ(Mix_Playing(-1), 0);
    EXPECT_EQ(said([&] { sound_->play(PLACE_SOUND); }), "Playing place\n");
    sound_->stopAll();
    EXPECT_FALSE(sound_->stopSound(PLACE_SOUND)) << "stopAll forgets the channels";
}

TEST_F(SoundManager, WithoutAnOutputEveryLoadFailsWithItsLine) {
    struct UnopenedAudio : SdlAudio {
        bool init(int, int) override { return false; }
    };
    Sound sound(std::make_unique<UnopenedAudio>());
    EXPECT_EQ(said([&] { sound.load("./sounds/button.wav", BUTTON_SOUND, false); }),
              "Failed to load sound file: ./sounds/button.wav\n");
    sound.stopAll();
    SdlAudio audio;
    ASSERT_TRUE(audio.init(44100, 32));
    Sample* tone = audio.loadSample(tone_.c_str(), false);
    audio.stop(12345);  // a channel that does not exist: harmless
    audio.close();
    EXPECT_EQ(audio.play(tone), AudioBackend::NO_CHANNEL) << "closed: nothing plays";
}

// The program's sounds as start-up loads them: the music keeps playing past its length, and
// every effect ends.
TEST(ProgramSounds, TheMusicLoopsAndTheEffectsEnd) {
    useSilentTestSounds();
    Sound& sound = *Sound::instance();
    const auto playing = [&](bool music) {
        int count = 0;
        for (const SoundFile& file : ALL_SOUNDS) {
            const bool isMusic = file.refname == BACKGROUND_SOUND;
            count += isMusic == music && Mix_Playing(channelOf(sound, file.refname));
        }
        return count;
    };
    said([&] {
        for (const SoundFile& file : ALL_SOUNDS) {
            sound.play(file.refname);
        }
    });
    for (int waited = 0; waited < 300 && playing(false) > 0; ++waited) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(playing(false), 0) << "an effect loops";
    EXPECT_EQ(playing(true), 1) << "the music stopped";
    sound.stopAll();
}

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
