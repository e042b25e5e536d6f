#include <SDL2/SDL_mixer.h>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "audio/sound.h"
#include "audio/sound_names.h"
#include "audio/system_audio.h"
#include "support/files.h"
#include "support/said.h"
#include "support/test_sounds.h"

// The mixer channel of a name's latest play: its handle counts starts per channel, and the
// manager opens 32 channels.
static int channelOf(Sound& sound, const char* refname) {
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
    const int opensBefore_ = (silenceSystemAudio(), Mix_QuerySpec(nullptr, nullptr, nullptr));
    std::unique_ptr<Sound> sound_ = std::make_unique<Sound>(std::make_unique<SystemAudio>());
};

TEST_F(SoundManager, ANameLoadsOnceAndPlaysOnAFreeChannelAndStopsItsNewestCopyOnce) {
    EXPECT_EQ(said([&] { sound_->load("missing.wav", PLACE_SOUND, false); }),
              "Failed to load sound file: missing.wav\n");
    const std::string notFound = "Sound::stopSound(): Refname not found: place\n";
    EXPECT_EQ(said([&] { sound_->play(PLACE_SOUND), sound_->stopSound(PLACE_SOUND); }),
              notFound + notFound);
    EXPECT_EQ(said([&] { sound_->load(tone_.c_str(), PLACE_SOUND, false); }),
              "Loaded Sound place\n");
    // A second load under the name keeps the first sample and says nothing.
    EXPECT_EQ(said([&] { EXPECT_FALSE(sound_->load("missing.wav", PLACE_SOUND, false)); }), "");
    EXPECT_FALSE(sound_->stopSound(PLACE_SOUND)) << "never played";
    EXPECT_EQ(said([&] { sound_->play(PLACE_SOUND); }), "Playing place\n");
    const int first = channelOf(*sound_, PLACE_SOUND);
    said([&] { sound_->play(PLACE_SOUND); });
    const int newest = channelOf(*sound_, PLACE_SOUND);
    EXPECT_TRUE(sound_->stopSound(PLACE_SOUND));
    EXPECT_FALSE(sound_->stopSound(PLACE_SOUND));
    EXPECT_TRUE(first != newest && Mix_Playing(first) && !Mix_Playing(newest));
    // 32 channels: when every one is busy, playing fails, and stopAll frees them all.
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
    sound_.reset();
    EXPECT_EQ(Mix_QuerySpec(nullptr, nullptr, nullptr), opensBefore_) << "the mixer stays open";
}

// Without an output device nothing loads or plays, and nothing breaks.
TEST_F(SoundManager, AClosedOutputLoadsAndPlaysNothing) {
    SystemAudio audio;
    ASSERT_TRUE(audio.init(44100, 32));
    Sample* tone = audio.loadSample(tone_.c_str(), false);
    audio.close();
    EXPECT_EQ(audio.loadSample(tone_.c_str(), false), nullptr);
    EXPECT_EQ(audio.play(tone), AudioBackend::NO_CHANNEL);
}

// The program's sounds as start-up loads them: the music keeps playing past its length, and
// every effect ends.
TEST(ProgramSounds, TheMusicLoopsAndTheEffectsEnd) {
    useSilentTestSounds();
    Sound& sound = *Sound::instance();
    const auto playing = [&] {
        std::string names;
        for (const SoundFile& file : ALL_SOUNDS) {
            names += Mix_Playing(channelOf(sound, file.refname)) ? file.refname : "";
        }
        return names;
    };
    said([&] {
        for (const SoundFile& file : ALL_SOUNDS)
            sound.play(file.refname);
    });
    for (int waited = 0; waited < 300 && playing() != "bg"; ++waited) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(playing(), "bg");
    sound.stopAll();
}

// SDL2_mixer gives the lowest free channel out again as soon as a sound ends. The power
// switch stops both motor sounds on every click, long after the last one has ended: that late
// stop must not halt the sound that has since taken its channel.
TEST_F(SoundManager, ALateStopNeverSilencesTheSoundNowOnItsChannel) {
    const std::string shortTone = folder_.file("short.wav");
    ASSERT_TRUE(writeToneWav(shortTone, 0.3f));
    said([&] {
        for (const char* name : {BUTTON_SOUND, MOTOR_STOP_SOUND})
            sound_->load(shortTone.c_str(), name, false);
        for (const char* name : {MOTOR_START_SOUND, PLACE_SOUND})
            sound_->load(tone_.c_str(), name, false);
    });
    // A switch click: its click, both motor sounds stopped, and the motor sound it starts.
    const auto switchClick = [&](const char* motorSound) {
        said([&] {
            sound_->play(BUTTON_SOUND);
            sound_->stopSound(MOTOR_START_SOUND);
            sound_->stopSound(MOTOR_STOP_SOUND);
            sound_->play(motorSound);
        });
    };
    switchClick(MOTOR_STOP_SOUND);
    std::this_thread::sleep_for(std::chrono::milliseconds(800));  // both have ended
    const int playingBefore = Mix_Playing(-1);  // another test's music may still play
    said([&] { sound_->play(PLACE_SOUND); });
    switchClick(MOTOR_START_SOUND);
    EXPECT_EQ(Mix_Playing(-1) - playingBefore, 3) << "place, the new click and motorStart";
}
