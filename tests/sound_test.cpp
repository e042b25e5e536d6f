#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "audio/sdl_audio.h"
#include "audio/sound.h"
#include "audio/sound_names.h"
#include "support/pictures.h"
#include "support/wav_file.h"

namespace {

// An audio backend that records what the sound manager asks of it.
class RecordingAudio : public AudioBackend {
  public:
    explicit RecordingAudio(std::vector<std::string>& log) : log_(log) {}
    bool init(int rate, int channels) override {
        log_.push_back("init " + std::to_string(rate) + " " + std::to_string(channels));
        return true;
    }
    Sample* loadSample(const char* path, bool loop) override {
        log_.push_back(std::string("load ") + path + (loop ? " loop" : " once"));
        if (std::string(path).find("missing") != std::string::npos) {
            return nullptr;
        }
        return reinterpret_cast<Sample*>(++nextHandle_);
    }
    int play(Sample* sample) override {
        log_.push_back("play " + std::to_string(reinterpret_cast<std::intptr_t>(sample)));
        return channelsBusy ? NO_CHANNEL : nextChannel_++;
    }
    void stop(int channel) override { log_.push_back("stop " + std::to_string(channel)); }
    void close() override { log_.push_back("close"); }

    bool channelsBusy = false;

  private:
    std::vector<std::string>& log_;
    std::intptr_t nextHandle_ = 0;
    int nextChannel_ = 0;
};

class SoundManager : public ::testing::Test {
  protected:
    SoundManager() {
        auto backend = std::make_unique<RecordingAudio>(log_);
        audio_ = backend.get();
        sound_ = std::make_unique<Sound>(std::move(backend));
    }
    std::string output(const std::function<void()>& action) {
        testing::internal::CaptureStdout();
        action();
        return testing::internal::GetCapturedStdout();
    }
    std::vector<std::string> log_;
    RecordingAudio* audio_;
    std::unique_ptr<Sound> sound_;
};

TEST_F(SoundManager, OpensAt44100HzWith32Channels) {
    EXPECT_EQ(log_.front(), "init 44100 32");
}

TEST_F(SoundManager, LoadsOnceUnderEachName) {
    EXPECT_EQ(output([&] { EXPECT_TRUE(sound_->load("a.wav", BUTTON_SOUND, false)); }),
              "Loaded Sound button\n");
    // A second load under the same name keeps the first sample and says nothing.
    EXPECT_EQ(output([&] { EXPECT_FALSE(sound_->load("b.wav", BUTTON_SOUND, true)); }), "");
    EXPECT_EQ(log_.back(), "load a.wav once");
    EXPECT_EQ(output([&] { sound_->load("bg.mp3", BACKGROUND_SOUND, true); }), "Loaded Sound bg\n");
    EXPECT_EQ(log_.back(), "load bg.mp3 loop");
}

TEST_F(SoundManager, AMissingFileLeavesNoEntry) {
    EXPECT_EQ(output([&] { EXPECT_FALSE(sound_->load("missing.wav", PLACE_SOUND, false)); }),
              "Failed to load sound file: missing.wav\n");
    EXPECT_EQ(output([&] { EXPECT_FALSE(sound_->play(PLACE_SOUND)); }),
              "Sound::stopSound(): Refname not found: place\n");
    EXPECT_EQ(output([&] { EXPECT_FALSE(sound_->stopSound(PLACE_SOUND)); }),
              "Sound::stopSound(): Refname not found: place\n");
}

TEST_F(SoundManager, PlaysAndStopsTheNewestChannel) {
    output([&] { sound_->load("a.wav", BUTTON_SOUND, false); });
    EXPECT_EQ(output([&] { EXPECT_TRUE(sound_->play(BUTTON_SOUND)); }), "Playing button\n");
    output([&] { sound_->play(BUTTON_SOUND); });  // a second copy on another channel
    EXPECT_TRUE(sound_->stopSound(BUTTON_SOUND));
    EXPECT_EQ(log_.back(), "stop 1");
    EXPECT_FALSE(sound_->stopSound(BUTTON_SOUND));  // already stopped: the backend is not asked
    EXPECT_EQ(log_.back(), "stop 1");
}

TEST_F(SoundManager, NeverPlayedSoundIsNotStopped) {
    output([&] { sound_->load("a.wav", MOTOR_STOP_SOUND, false); });
    const std::size_t calls = log_.size();
    EXPECT_FALSE(sound_->stopSound(MOTOR_STOP_SOUND));
    EXPECT_EQ(log_.size(), calls);
}

TEST_F(SoundManager, NoFreeChannelIsReported) {
    output([&] { sound_->load("a.wav", PLACE_SOUND, false); });
    audio_->channelsBusy = true;
    EXPECT_EQ(output([&] { EXPECT_FALSE(sound_->play(PLACE_SOUND)); }),
              "Sound::play(): Could not play sample: place\n");
    EXPECT_FALSE(sound_->stopSound(PLACE_SOUND));
}

TEST_F(SoundManager, StopAllForgetsEveryChannel) {
    output([&] {
        sound_->load("a.wav", MOTOR_START_SOUND, false);
        sound_->load("b.wav", MOTOR_STOP_SOUND, false);
        sound_->play(MOTOR_START_SOUND);
        sound_->play(MOTOR_STOP_SOUND);
    });
    sound_->stopAll();
    EXPECT_EQ(log_.back(), "stop -3");
    EXPECT_FALSE(sound_->stopSound(MOTOR_START_SOUND));
    EXPECT_FALSE(sound_->stopSound(MOTOR_STOP_SOUND));
}

TEST_F(SoundManager, DestructionStopsEverythingAndCloses) {
    sound_.reset();
    ASSERT_GE(log_.size(), 2u);
    EXPECT_EQ(log_[log_.size() - 2], "stop -3");
    EXPECT_EQ(log_.back(), "close");
}

// The real layer, mixing into SDL's silent driver.
class SilentAudio : public ::testing::Test {
  protected:
    void SetUp() override { SdlAudio::selectOutput(SdlAudio::Output::Silent); }
    void TearDown() override { SdlAudio::selectOutput(SdlAudio::Output::Device); }
    TempFolder folder_;
};

TEST_F(SilentAudio, LoadsAndPlaysRealWavAndMp3Files) {
    const std::string wav = folder_.file("click.wav");
    ASSERT_TRUE(writeToneWav(wav, 0.2f));
    const std::string mp3 =
        std::string(std::getenv("BRINDLECOG_SOURCE_DIR")) + "/tests/data/tone.mp3";
    SdlAudio audio;
    ASSERT_TRUE(audio.init(44100, 32));
    Sample* click = audio.loadSample(wav.c_str(), false);
    Sample* music = audio.loadSample(mp3.c_str(), true);
    ASSERT_NE(click, nullptr);
    ASSERT_NE(music, nullptr);
    const int first = audio.play(click);
    const int second = audio.play(music);
    EXPECT_GE(first, 0);
    EXPECT_GE(second, 0);
    EXPECT_NE(first, second);  // each start takes a free channel
    audio.stop(first);
    audio.stop(first);  // stopping an idle channel is harmless
    audio.stop(AudioBackend::ALL_CHANNELS);
    audio.stop(12345);  // and so is a channel that does not exist
    audio.close();
    EXPECT_EQ(audio.play(click), AudioBackend::NO_CHANNEL);  // closed: nothing plays
}

TEST_F(SilentAudio, BadFilesFailToLoad) {
    SdlAudio audio;
    ASSERT_TRUE(audio.init(44100, 32));
    EXPECT_EQ(audio.loadSample(folder_.file("absent.wav").c_str(), false), nullptr);
    const std::string junk = folder_.file("junk.wav");
    std::FILE* out = std::fopen(junk.c_str(), "wb");
    std::fputs("RIFF\x10\0\0\0WAVEjunkjunkjunk", out);
    std::fclose(out);
    EXPECT_EQ(audio.loadSample(junk.c_str(), false), nullptr);
}

TEST_F(SilentAudio, TheSoundManagerReportsSuccessOnTheSilentOutput) {
    const std::string wav = folder_.file("place.wav");
    ASSERT_TRUE(writeToneWav(wav, 0.1f));
    Sound sound(std::make_unique<SdlAudio>());
    testing::internal::CaptureStdout();
    sound.load(wav.c_str(), PLACE_SOUND, false);
    sound.play(PLACE_SOUND);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Loaded Sound place\nPlaying place\n");
}

TEST(NoAudioDevice, EveryLoadFailsWithItsLineAndNothingCrashes) {
    // An output that cannot open stands for a machine without sound.
    struct UnopenedAudio : SdlAudio {
        bool init(int, int) override { return false; }
    };
    Sound sound(std::make_unique<UnopenedAudio>());
    testing::internal::CaptureStdout();
    EXPECT_FALSE(sound.load("./sounds/button.wav", BUTTON_SOUND, false));
    EXPECT_FALSE(sound.play(BUTTON_SOUND));
    sound.stopAll();
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Failed to load sound file: ./sounds/button.wav\n"
              "Sound::stopSound(): Refname not found: button\n");
}

}  // namespace
