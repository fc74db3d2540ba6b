// Even loudness: every track, rendered through FluidSynth with the system's General MIDI
// soundfont the way the game plays it, stays within 1.5 LU (EBU R 128 integrated loudness)
// of the median of the ten, so that no screen's music is much louder than another's.
#include <gtest/gtest.h>

#include <fluidsynth.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <iomanip>
#include <iostream>
#include <numbers>

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

std::string SoundFont() {
  for (const char* path : {"/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf2/TimGM6mb.sf2"})
    if (std::filesystem::is_regular_file(path)) return path;
  return "";
}

// One pass of a track as the game's synthesizer renders it: same rate, same gain, reverb
// and chorus on; the reverb's tail after the last note is kept.
void Render(const std::string& midi, const std::string& soundFont, std::vector<float>& left,
            std::vector<float>& right) {
  fluid_settings_t* settings = new_fluid_settings();
  fluid_settings_setnum(settings, "synth.sample-rate", kRate);
  fluid_settings_setnum(settings, "synth.gain", 0.45);
  fluid_settings_setint(settings, "synth.lock-memory", 0);
  fluid_settings_setstr(settings, "player.timing-source", "sample");
  fluid_synth_t* synth = new_fluid_synth(settings);
  fluid_synth_sfload(synth, soundFont.c_str(), 1);
  fluid_player_t* player = new_fluid_player(synth);
  fluid_player_add(player, midi.c_str());
  fluid_player_play(player);
  constexpr int kChunk = 4410;
  std::vector<float> l(kChunk), r(kChunk);
  int tail = 20;  // two seconds after the end
  while (tail > 0 && left.size() < size_t(kRate) * 300) {
    if (fluid_player_get_status(player) != FLUID_PLAYER_PLAYING) --tail;
    fluid_synth_write_float(synth, kChunk, l.data(), 0, 1, r.data(), 0, 1);
    left.insert(left.end(), l.begin(), l.end());
    right.insert(right.end(), r.begin(), r.end());
  }
  delete_fluid_player(player);
  delete_fluid_synth(synth);
  delete_fluid_settings(settings);
}

TEST(Loudness, EveryTrackIsWithinOneAndAHalfLuOfTheMedian) {
  testsupport::ResetGame();  // quiets the synthesizer's messages
  const std::string soundFont = SoundFont();
  if (soundFont.empty()) GTEST_SKIP() << "no General MIDI soundfont installed";
  std::vector<std::pair<int, double>> measured;
  for (int n : kTracks) {
    std::vector<float> left, right;
    Render(testsupport::DataDir() + "/MC_" + std::to_string(n) + ".mid", soundFont, left, right);
    ASSERT_GT(left.size(), size_t(kRate) * 10) << "track " << n << " is too short to measure";
    measured.push_back({n, audiotest::IntegratedLoudness(left, right, kRate)});
  }
  std::vector<double> values;
  for (auto [n, lufs] : measured) values.push_back(lufs);
  std::sort(values.begin(), values.end());
  const double median = (values[4] + values[5]) / 2;
  std::cout << std::fixed << std::setprecision(1) << "integrated loudness (LUFS), median " << median << ":";
  for (auto [n, lufs] : measured) std::cout << " MC_" << n << " " << lufs;
  std::cout << "\n";
  for (auto [n, lufs] : measured)
    EXPECT_LE(std::abs(lufs - median), 1.5) << "MC_" << n << " at " << lufs << " LUFS, the median " << median;
}

}  // namespace
