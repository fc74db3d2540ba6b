// The player's sound set-up: volumes, the soundfont changed while music plays, the outputs
// offered, and the quiet end.
#include <gtest/gtest.h>

#include <cmath>

#include "audio/engine.h"
#include "audio/sound.h"
#include "audio_test_util.h"
#include "state/window_model.h"
#include "state/state.h"
#include "support/test_support.h"

namespace {

namespace fs = std::filesystem;

// The loudest sample of frames rendered now.
float Peak(audio::Engine& engine, int frames) {
  std::vector<float> left(frames), right(frames);
  engine.RenderInto(frames, left.data(), right.data());
  float peak = 0;
  for (int i = 0; i < frames; ++i) peak = std::max({peak, std::fabs(left[i]), std::fabs(right[i])});
  return peak;
}

std::vector<float> Tone(int frames) {
  std::vector<float> samples(frames);
  for (int i = 0; i < frames; ++i) samples[i] = 0.5f * std::sin(i * 0.05f);
  return samples;
}

std::string SystemSoundFont() {
  auto found = audio::DefaultSoundFonts();
  return found.empty() ? std::string() : found.front();
}

TEST(SoundSetup, EffectVolumeScalesTheEffectAndZeroSilencesIt) {
  audio::Engine engine(audio::EngineMode::Virtual);
  engine.StartEffect(1, Tone(20000));
  float full = Peak(engine, 2000);
  ASSERT_GT(full, 0.1f);
  engine.SetEffectGain(0.5f);
  EXPECT_NEAR(Peak(engine, 2000), full / 2, full * 0.05f);
  engine.SetEffectGain(0.0f);
  EXPECT_EQ(Peak(engine, 2000), 0.0f);
  engine.SetEffectGain(7.0f);  // clamped to full
  EXPECT_NEAR(Peak(engine, 2000), full, full * 0.05f);
}

TEST(SoundSetup, MusicVolumeAndASoundFontChangeKeepTheMusicsPlace) {
  std::string soundFont = SystemSoundFont();
  if (soundFont.empty()) GTEST_SKIP() << "no General MIDI soundfont on this machine";
  audio::Engine engine(audio::EngineMode::Virtual);
  std::string error;
  ASSERT_TRUE(engine.ChangeSoundFont(soundFont, error)) << error;
  fs::path dir = audiotest::TempFolder("setup");
  // A long note so that there is music to hear throughout.
  engine.OpenMusic(audiotest::MidiOfLength(8000));
  engine.PlayMusic();
  engine.Advance(300);
  float loud = Peak(engine, 4410);
  ASSERT_GT(loud, 0.001f);
  engine.SetMusicGain(0.0f);
  engine.Advance(200);  // the synthesizer ramps its gain over a few buffers
  EXPECT_LT(Peak(engine, 4410), loud * 0.05f);
  engine.SetMusicGain(1.0f);

  int64_t before = engine.MusicElapsedMs();
  int ticksBefore = engine.MusicPositionTicks();
  ASSERT_TRUE(engine.ChangeSoundFont(soundFont, error)) << error;
  EXPECT_EQ(engine.SoundFont(), soundFont);
  EXPECT_TRUE(engine.MusicPlaying());
  EXPECT_GE(engine.MusicPositionTicks(), ticksBefore);
  engine.Advance(500);
  EXPECT_GE(engine.MusicElapsedMs(), before + 500);
  EXPECT_EQ(engine.MusicStarts(), 1) << "the track must go on, not start again";
  fs::remove_all(dir);
}

TEST(SoundSetup, AnUnusableSoundFontIsRefusedAndTheOldOneStays) {
  audio::Engine engine(audio::EngineMode::Virtual);
  fs::path dir = audiotest::TempFolder("badfont");
  audiotest::WriteFile(dir / "broken.sf2", {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'j', 'u', 'n', 'k'});
  std::string before = engine.SoundFont();
  std::string error;
  EXPECT_FALSE(engine.ChangeSoundFont((dir / "broken.sf2").string(), error));
  EXPECT_NE(error.find("broken.sf2"), std::string::npos) << error;
  EXPECT_FALSE(engine.ChangeSoundFont((dir / "missing.sf2").string(), error));
  EXPECT_NE(error.find("no such soundfont"), std::string::npos) << error;
  EXPECT_EQ(engine.SoundFont(), before);
  fs::remove_all(dir);
}

TEST(SoundSetup, TheGameLevelCallsClampAndRememberTheSetUp) {
  testsupport::ResetGame();
  audio::Init(audio::Backend::Virtual, audio::Setup{40, 70, "", ""});
  EXPECT_EQ(audio::CurrentSetup().MusicVolume, 40);
  EXPECT_EQ(audio::CurrentSetup().EffectVolume, 70);
  audio::SetMusicVolume(-5);
  audio::SetEffectVolume(250);
  EXPECT_EQ(audio::CurrentSetup().MusicVolume, 0);
  EXPECT_EQ(audio::CurrentSetup().EffectVolume, 100);
  std::string error;
  EXPECT_FALSE(audio::SetSoundFont("/nonexistent/font.sf2", error));
  EXPECT_EQ(audio::CurrentSetup().SoundFont, "") << "a refused soundfont is not remembered";
  // The virtual backend has no output to change, and never claims a soundfont is missing.
  EXPECT_FALSE(audio::SetOutput("alsa"));
  EXPECT_FALSE(audio::Output().SoundFontMissing);
  audio::Init(audio::Backend::Virtual);
}

TEST(SoundSetup, TheTestSoundIsHeardWithTheGamesEffectsOff) {
  testsupport::ResetGame();
  audio::Init(audio::Backend::Virtual);
  fs::path dir = audiotest::TempFolder("testsound");
  AppDir = dir.string() + "/";
  audiotest::WriteFile(dir / "w_3.wav", audiotest::Wave(22050, 11025));
  G.EffectsOn = 0;
  audio::PlayTestSound();
  EXPECT_EQ(audio::CurrentStatus().Effect, 3);
  EXPECT_TRUE(audio::EffectCalls().empty()) << "the test sound is not one of the game's effects";
  audio::Init(audio::Backend::Virtual);
  fs::remove_all(dir);
}

TEST(SoundSetup, OutputsOfferedAreInTheAutomaticOrder) {
  std::vector<std::string> drivers = audio::OutputDrivers();
  const std::vector<std::string> order = {"pulseaudio", "pipewire", "alsa", "jack", "oss"};
  size_t last = 0;
  for (const std::string& d : drivers) {
    auto at = std::find(order.begin(), order.end(), d);
    ASSERT_NE(at, order.end()) << d;
    size_t index = static_cast<size_t>(at - order.begin());
    EXPECT_GE(index, last);
    last = index;
  }
}

TEST(SoundSetup, FadeOutEndsInSilenceWithoutAJump) {
  audio::Engine engine(audio::EngineMode::Virtual);
  std::vector<float> loud(44100, 0.8f);
  engine.StartEffect(1, loud);
  engine.FadeOut();
  engine.WaitFadedOut(1000);  // the virtual mode has no output to wait for
  std::vector<float> left(2000), right(2000);
  engine.RenderInto(2000, left.data(), right.data());
  for (int i = 1; i < 2000; ++i) EXPECT_LE(left[i], left[i - 1] + 1e-6f) << "at " << i;
  EXPECT_EQ(left.back(), 0.0f);
  EXPECT_EQ(Peak(engine, 1000), 0.0f);
}

}  // namespace
