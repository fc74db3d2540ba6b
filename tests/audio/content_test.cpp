// The game's own tracks and effects, as the build wrote them.
#include <gtest/gtest.h>

#include <fstream>

#include "audio/wave.h"
#include "audio_test_util.h"
#include "support/test_support.h"

namespace {

std::vector<uint8_t> ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

struct TrackCase {
  int Number;
  int MinSeconds, MaxSeconds;
};

TEST(ContentTest, EveryTrackIsAFormatOneFileOfTheRightLength) {
  testsupport::ResetGame();  // quiets the synthesizer's messages
  const TrackCase tracks[] = {{0, 40, 120}, {1, 40, 120}, {3, 40, 120}, {4, 15, 120}, {6, 40, 120},
                              {9, 40, 120}, {10, 40, 120}, {11, 40, 120}, {12, 40, 120}, {14, 40, 120}};
  for (const TrackCase& t : tracks) {
    std::string path = testsupport::DataDir() + "/MC_" + std::to_string(t.Number) + ".mid";
    SCOPED_TRACE(path);
    auto bytes = ReadAll(path);
    ASSERT_GE(bytes.size(), 14u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "MThd");
    EXPECT_EQ(bytes[9], 1) << "format";
    EXPECT_GE(bytes[11], 3) << "tracks";
    int ms = audiotest::PlayerLengthMs(path, 130000);
    EXPECT_GE(ms, t.MinSeconds * 1000);
    EXPECT_LE(ms, t.MaxSeconds * 1000);
  }
}

TEST(ContentTest, EveryEffectIsAShortMonoPcmWave) {
  const int maxMs[] = {600, 600, 800, 100, 2500};
  for (int i = 0; i < 5; ++i) {
    std::string path = testsupport::DataDir() + "/w_" + std::to_string(i) + ".wav";
    SCOPED_TRACE(path);
    audio::WaveData w;
    ASSERT_TRUE(audio::LoadWave(path, w));
    EXPECT_EQ(w.Channels, 1);
    EXPECT_EQ(w.BitsPerSample, 16);
    EXPECT_EQ(w.SampleRate, 44100) << "the rate the sound engine mixes at";
    // At that rate the engine takes the samples as they are, one for one.
    std::vector<float> played = audio::ToMonoAt(w, 44100);
    ASSERT_EQ(played.size(), w.Samples.size());
    for (size_t k = 0; k < played.size(); k += 97) EXPECT_FLOAT_EQ(played[k], w.Samples[k] / 32768.0f);
    EXPECT_LE(w.LengthMs(), maxMs[i]);
    EXPECT_GE(w.LengthMs(), i == 4 ? 1500 : 20);
    int peak = 0;
    for (int16_t s : w.Samples) peak = std::max(peak, std::abs(int(s)));
    EXPECT_GT(peak, 3000) << "audible";
    EXPECT_LT(peak, 32767) << "not clipped";
  }
}

}  // namespace
