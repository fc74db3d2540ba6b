// PlayMusic / PlayEffect / OnMusicTimer on the virtual clock.
#include <gtest/gtest.h>

#include "audio/sound.h"
#include "audio_test_util.h"
#include "state/window_model.h"
#include "state/state.h"
#include "support/test_support.h"

namespace {

namespace fs = std::filesystem;
using audiotest::MidiOfLength;
using audiotest::Wave;
using audiotest::WriteFile;

class SoundTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetGame();
    audio::Init(audio::Backend::Virtual);
    dir_ = audiotest::TempFolder("sound");
    AppDir = dir_.string() + "/";
    WriteFile(dir_ / "MC_5.mid", MidiOfLength(10500));
    WriteFile(dir_ / "MC_7.mid", MidiOfLength(4000));
    WriteFile(dir_ / "w_0.wav", Wave(22050, 22050 / 2));         // 500 ms
    WriteFile(dir_ / "w_1.wav", Wave(44100, 4410));              // 100 ms
    WriteFile(dir_ / "w_4.wav", Wave(22050, 22050 * 1234 / 1000));  // 1234 ms
  }
  void TearDown() override {
    audio::Init(audio::Backend::Virtual);  // nothing of ours keeps playing
    fs::remove_all(dir_);
  }
  // The runner's way of passing time: the clock, and MusicTimer once a virtual second.
  void RunSeconds(int seconds) {
    for (int i = 0; i < seconds; ++i) {
      audio::AdvanceClock(1000);
      if (Window.MusicTimer.Enabled) OnMusicTimer();
    }
  }
  // Every message box the headless platform was asked for.
  std::vector<std::string> Errors() { return testsupport::Os().lines; }
  fs::path dir_;
};

TEST_F(SoundTest, PlayMusicStartsTheTrackAndItsTimer) {
  PlayMusic(5);
  EXPECT_EQ(G.MusicTrack, 5);
  EXPECT_TRUE(Window.MusicTimer.Enabled);
  audio::AdvanceClock(2000);
  auto s = audio::CurrentStatus();
  EXPECT_TRUE(s.MusicPlaying);
  EXPECT_EQ(s.MusicElapsedMs, 2000);
  EXPECT_GT(s.MusicLengthTicks, 0);
  EXPECT_EQ(audio::MusicCalls(), std::vector<int>{5});
}

TEST_F(SoundTest, PlayingThePlayingTrackAgainRestartsIt) {
  PlayMusic(5);
  audio::AdvanceClock(3000);
  PlayMusic(5);
  auto s = audio::CurrentStatus();
  EXPECT_EQ(s.MusicElapsedMs, 0);
  EXPECT_EQ(s.MusicStarts, 2);
  audio::AdvanceClock(500);
  EXPECT_EQ(audio::CurrentStatus().MusicElapsedMs, 500);
}

TEST_F(SoundTest, TrackOfTenAndAHalfSecondsRestartsWithinTheFollowingSecond) {
  PlayMusic(5);
  RunSeconds(10);  // 10 s: not over yet
  EXPECT_EQ(audio::CurrentStatus().MusicStarts, 1);
  EXPECT_EQ(audio::CurrentStatus().MusicElapsedMs, 10000);
  RunSeconds(1);   // the check at 11 s finds it at its end
  auto s = audio::CurrentStatus();
  EXPECT_EQ(s.MusicStarts, 2);
  EXPECT_EQ(s.MusicElapsedMs, 0);
  EXPECT_TRUE(s.MusicPlaying);
  RunSeconds(11);  // and again 11 s later
  EXPECT_EQ(audio::CurrentStatus().MusicStarts, 3);
  EXPECT_EQ(G.MusicTrack, 5);
}

TEST_F(SoundTest, JustOpenedTrackIsNotTakenForEnded) {
  // Until audio has run the player reads 0 of 0; the check must not restart it then.
  PlayMusic(5);
  OnMusicTimer();
  OnMusicTimer();
  auto s = audio::CurrentStatus();
  EXPECT_EQ(s.MusicStarts, 1);
  EXPECT_TRUE(s.MusicPlaying);
}

TEST_F(SoundTest, SilenceNumbersStopMusicAndItsTimer) {
  PlayMusic(5);
  audio::AdvanceClock(100);
  PlayMusic(99);
  EXPECT_EQ(G.MusicTrack, 99);
  EXPECT_FALSE(Window.MusicTimer.Enabled);
  EXPECT_FALSE(audio::CurrentStatus().MusicOpen);
  PlayMusic(5);
  PlayMusic(255);
  EXPECT_EQ(G.MusicTrack, 255);
  EXPECT_FALSE(Window.MusicTimer.Enabled);
  EXPECT_FALSE(audio::CurrentStatus().MusicPlaying);
  EXPECT_EQ(audio::MusicCalls(), (std::vector<int>{5, 99, 5, 255}));
}

TEST_F(SoundTest, MusicOffRemembersTheTrackAndTouchesNoFile) {
  G.MusicOn = 0;
  PlayMusic(3);  // no MC_3.mid in the folder: with music off that does not matter
  EXPECT_EQ(G.MusicTrack, 3);
  EXPECT_FALSE(Window.MusicTimer.Enabled);
  EXPECT_FALSE(audio::CurrentStatus().MusicOpen);
  EXPECT_TRUE(Errors().empty());
  // Switching music on plays the remembered track, as the options dialog does.
  G.MusicOn = 1;
  G.MusicTrack = 5;
  PlayMusic(G.MusicTrack);
  EXPECT_TRUE(audio::CurrentStatus().MusicPlaying);
  EXPECT_TRUE(Window.MusicTimer.Enabled);
  EXPECT_EQ(audio::MusicCalls(), (std::vector<int>{3, 5}));
}

TEST_F(SoundTest, MissingMusicFileIsReportedAndChangesNothingElse) {
  PlayMusic(5);
  audio::AdvanceClock(1000);
  PlayMusic(8);
  auto errors = Errors();
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_NE(errors[0].find("MC_8.mid"), std::string::npos) << errors[0];
  EXPECT_EQ(G.MusicTrack, 5);            // the old value stays
  EXPECT_TRUE(Window.MusicTimer.Enabled);     // and so does MusicTimer
  EXPECT_FALSE(audio::CurrentStatus().MusicPlaying);  // nothing plays
  RunSeconds(20);                        // MusicTimer keeps ticking harmlessly
  EXPECT_FALSE(audio::CurrentStatus().MusicPlaying);

  // From silence, MusicTimer stays off.
  PlayMusic(99);
  PlayMusic(8);
  EXPECT_FALSE(Window.MusicTimer.Enabled);
  EXPECT_EQ(G.MusicTrack, 99);
  EXPECT_EQ(audio::MusicCalls(), (std::vector<int>{5, 8, 99, 8}));
}

TEST_F(SoundTest, FileThatIsNoMidiIsReportedToo) {
  WriteFile(dir_ / "MC_6.mid", {'R', 'I', 'F', 'F', 0, 0, 0, 0});
  G.MusicTrack = 42;
  PlayMusic(6);
  ASSERT_EQ(Errors().size(), 1u);
  EXPECT_EQ(G.MusicTrack, 42);
  EXPECT_FALSE(Window.MusicTimer.Enabled);
}

TEST_F(SoundTest, EffectsSoundAtOnceAndANewOneCutsTheOld) {
  PlayEffect(0);
  audio::AdvanceClock(200);
  EXPECT_EQ(audio::CurrentStatus().Effect, 0);
  EXPECT_EQ(audio::CurrentStatus().EffectElapsedMs, 200);
  PlayEffect(1);
  auto s = audio::CurrentStatus();
  EXPECT_EQ(s.Effect, 1);
  EXPECT_EQ(s.EffectElapsedMs, 0);
  audio::AdvanceClock(100);
  EXPECT_EQ(audio::CurrentStatus().Effect, -1);  // w_1 lasts 100 ms
  // The same effect twice: the second restarts it.
  PlayEffect(0);
  audio::AdvanceClock(300);
  PlayEffect(0);
  EXPECT_EQ(audio::CurrentStatus().EffectElapsedMs, 0);
  EXPECT_EQ(audio::ClockMs(), 600);  // asynchronous: none of them held the clock
}

TEST_F(SoundTest, EffectAndMusicSoundTogether) {
  PlayMusic(5);
  PlayEffect(0);
  audio::AdvanceClock(250);
  auto s = audio::CurrentStatus();
  EXPECT_TRUE(s.MusicPlaying);
  EXPECT_EQ(s.Effect, 0);
  EXPECT_EQ(s.MusicElapsedMs, 250);
}

TEST_F(SoundTest, BossEffectHoldsTheGameForItsLength) {
  PlayMusic(5);
  int64_t before = audio::ClockMs();
  PlayEffect(4);
  EXPECT_EQ(audio::ClockMs() - before, 1234);
  auto s = audio::CurrentStatus();
  EXPECT_EQ(s.Effect, -1);                 // it has ended when the call returns
  EXPECT_EQ(s.MusicElapsedMs, 1234);       // the music went on meanwhile
}

TEST_F(SoundTest, EffectsOffUnknownNumbersAndMissingWavesAreSilent) {
  G.EffectsOn = 0;
  PlayEffect(0);
  PlayEffect(4);
  EXPECT_EQ(audio::CurrentStatus().Effect, -1);
  EXPECT_EQ(audio::ClockMs(), 0);  // effect 4 does not hold the game when effects are off
  G.EffectsOn = 1;
  PlayEffect(5);
  PlayEffect(255);
  EXPECT_EQ(audio::CurrentStatus().Effect, -1);
  PlayEffect(2);  // no w_2.wav here
  PlayEffect(3);  // nor w_3.wav
  EXPECT_EQ(audio::CurrentStatus().Effect, -1);
  EXPECT_TRUE(Errors().empty());
  EXPECT_EQ(audio::EffectCalls(), (std::vector<int>{0, 4, 5, 255, 2, 3}));
  audio::ClearCallLog();
  EXPECT_TRUE(audio::EffectCalls().empty());
  EXPECT_TRUE(audio::MusicCalls().empty());
}

TEST_F(SoundTest, ChangedWaveFileIsReadAgain) {
  PlayEffect(4);
  EXPECT_EQ(audio::ClockMs(), 1234);
  WriteFile(dir_ / "w_4.wav", Wave(22050, 22050 * 2));
  PlayEffect(4);
  EXPECT_EQ(audio::ClockMs(), 1234 + 2000);
}

}  // namespace
