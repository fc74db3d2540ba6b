// The loudness meter, and even music: every track, rendered the way the game plays it with
// each General MIDI soundfont installed here, stays within 1.5 LU (EBU R 128 integrated
// loudness) of the median of the ten, and that median sits at the game's target, so that no
// screen's music is much louder than another's and the effects keep their place against
// the music whatever the soundfont.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <iomanip>
#include <iostream>
#include <numbers>

#include "audio/music_render.h"
#include "audio/track_levels.h"
#include "audio_test_util.h"
#include "installed_soundfonts.h"
#include "loudness.h"
#include "support/test_support.h"

namespace {

constexpr int kRate = 44100;
const int kTracks[] = {0, 1, 3, 4, 6, 9, 10, 11, 12, 14};

std::vector<float> Sine(double hz, double peak, double seconds) {
  std::vector<float> s(static_cast<size_t>(seconds * kRate));
  for (size_t i = 0; i < s.size(); ++i)
    s[i] = static_cast<float>(peak * std::sin(2 * std::numbers::pi * hz * i / kRate));
  return s;
}

TEST(LoudnessMeter, AFullScaleSineInBothChannelsReadsItsPeakInDecibels) {
  // A 997 Hz sine of peak 0.1 in both channels is -20 LUFS by the standard's definition.
  std::vector<float> s = Sine(997, 0.1, 5);
  EXPECT_NEAR(audiotest::IntegratedLoudness(s, s, kRate), -20.0, 0.1);
  // Half the amplitude is 6 dB less; one channel alone 3 dB less.
  std::vector<float> half = Sine(997, 0.05, 5), silent(s.size(), 0.0f);
  EXPECT_NEAR(audiotest::IntegratedLoudness(half, half, kRate), -26.02, 0.1);
  EXPECT_NEAR(audiotest::IntegratedLoudness(s, silent, kRate), -23.01, 0.1);
}

TEST(LoudnessMeter, SilenceAndQuietPassagesAreGatedOut) {
  std::vector<float> s = Sine(997, 0.1, 5), gap(kRate * 5, 0.0f);
  std::vector<float> withGap = s;
  withGap.insert(withGap.end(), gap.begin(), gap.end());
  // Silence falls under the absolute gate: the reading does not change.
  // (The few blocks that straddle the edge count at part of their power.)
  EXPECT_NEAR(audiotest::IntegratedLoudness(withGap, withGap, kRate), -20.0, 0.2);
  // A passage 30 dB down falls under the relative gate.
  std::vector<float> quiet = Sine(997, 0.1 * std::pow(10.0, -30.0 / 20), 5);
  std::vector<float> mixed = s;
  mixed.insert(mixed.end(), quiet.begin(), quiet.end());
  EXPECT_NEAR(audiotest::IntegratedLoudness(mixed, mixed, kRate), -20.0, 0.2);
  EXPECT_LE(audiotest::IntegratedLoudness(gap, gap, kRate), -70.0);
  // The high-pass stage weighs a deep hum far below a mid tone of the same level.
  std::vector<float> hum = Sine(20, 0.1, 5);
  EXPECT_LT(audiotest::IntegratedLoudness(hum, hum, kRate), -30.0);
}

TEST(LoudnessMeter, ReadsTheSameWhetherFedAtOnceOrInOddPieces) {
  // The game feeds its meter a synthesizer buffer at a time; pieces that do not line up
  // with the 100 ms steps must not change the reading.
  std::vector<float> loud = Sine(440, 0.3, 3), soft = Sine(440, 0.03, 4);
  loud.insert(loud.end(), soft.begin(), soft.end());
  audio::LoudnessMeter meter(kRate);
  for (size_t at = 0; at < loud.size();) {
    size_t n = std::min<size_t>(loud.size() - at, 1 + (at * 7919) % 3001);
    meter.Add(loud.data() + at, loud.data() + at, n);
    at += n;
  }
  EXPECT_NEAR(meter.Integrated(), audiotest::IntegratedLoudness(loud, loud, kRate), 1e-9);
}

// A short stretch of each track keeps the whole test within seconds per soundfont; the game
// measures the same stretch it is asked to, so the check is as strict as a whole track's.
constexpr int kSeconds = 6;

class EvenMusic : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    testsupport::ResetGame();  // quiets the synthesizer's messages
    cache_ = audiotest::TempFolder("even-music");
    const char* old = std::getenv("XDG_CACHE_HOME");
    if (old) oldCache_ = old;
    hadCache_ = old != nullptr;
    setenv("XDG_CACHE_HOME", cache_.c_str(), 1);
  }
  void TearDown() override {
    if (hadCache_) setenv("XDG_CACHE_HOME", oldCache_.c_str(), 1);
    else unsetenv("XDG_CACHE_HOME");
    std::filesystem::remove_all(cache_);
  }
  std::filesystem::path cache_;
  std::string oldCache_;
  bool hadCache_ = false;
};

TEST_P(EvenMusic, EveryTrackIsWithinOneAndAHalfLuOfTheMedian) {
  const std::string soundFont = GetParam();
  std::vector<std::pair<int, double>> measured;
  for (int n : kTracks) {
    audio::RenderedMusic music;
    std::string error;
    std::string track = testsupport::DataDir() + "/MC_" + std::to_string(n) + ".mid";
    ASSERT_TRUE(audio::RenderMusic(track, soundFont, kSeconds, 100, music, error, kSeconds)) << error;
    measured.push_back({n, audiotest::IntegratedLoudness(music.Left, music.Right, music.Rate)});
  }
  std::vector<double> values;
  for (auto [n, lufs] : measured) values.push_back(lufs);
  std::sort(values.begin(), values.end());
  const double median = (values[4] + values[5]) / 2;
  std::cout << std::fixed << std::setprecision(1) << soundFont << ": median " << median << " LUFS:";
  for (auto [n, lufs] : measured) std::cout << " MC_" << n << " " << lufs;
  std::cout << "\n";
  for (auto [n, lufs] : measured)
    EXPECT_LE(std::abs(lufs - median), 1.5) << "MC_" << n << " at " << lufs << " LUFS, the median " << median;
  // The effects do not change with the soundfont; the music keeps its place beside them
  // when its median stays at the target.
  EXPECT_NEAR(median, audio::kTargetLufs, 1.0);
}

// One test per soundfont found, named after its file.
INSTANTIATE_TEST_SUITE_P(InstalledSoundFonts, EvenMusic, ::testing::ValuesIn(audiotest::InstalledGmSoundFonts()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                           std::string name = std::filesystem::path(info.param).filename().string();
                           for (char& c : name)
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name;
                         });
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(EvenMusic);

}  // namespace
