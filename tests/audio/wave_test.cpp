// The wave reader under the effect channel: what it accepts and what it refuses.
#include <gtest/gtest.h>

#include "audio/wave.h"
#include "base/little_endian.h"
#include "audio_test_util.h"

namespace {

using audio::ParseWave;
using audio::WaveData;

TEST(WaveTest, ReadsMonoStereoAndEightBit) {
  WaveData w;
  ASSERT_TRUE(ParseWave(audiotest::Wave(22050, 2205), w));
  EXPECT_EQ(w.SampleRate, 22050);
  EXPECT_EQ(w.Channels, 1);
  EXPECT_EQ(w.Samples.size(), 2205u);
  EXPECT_EQ(w.LengthMs(), 100);
  ASSERT_TRUE(ParseWave(audiotest::Wave(44100, 441, 2, 16), w));
  EXPECT_EQ(w.Channels, 2);
  EXPECT_EQ(w.LengthMs(), 10);
  ASSERT_TRUE(ParseWave(audiotest::Wave(11025, 1000, 1, 8), w));
  EXPECT_EQ(w.BitsPerSample, 8);
  EXPECT_NEAR(w.Samples[0], 8000, 256);
}

TEST(WaveTest, ConvertsToTheOutputRate) {
  WaveData w;
  ASSERT_TRUE(ParseWave(audiotest::Wave(22050, 2205, 2, 16), w));
  auto out = audio::ToMonoAt(w, 44100);
  EXPECT_EQ(out.size(), 4410u);
  for (float v : out) ASSERT_LE(std::abs(v), 1.0f);
  EXPECT_NEAR(out[0], 8000 / 32768.0, 1e-4);
}

TEST(WaveTest, RefusesWhatIsNoPcmWave) {
  WaveData w;
  w.SampleRate = 1;
  EXPECT_FALSE(ParseWave({}, w));
  EXPECT_FALSE(ParseWave({'R', 'I', 'F', 'F', 0, 0, 0, 0, 'A', 'V', 'I', ' '}, w));
  auto bytes = audiotest::Wave(22050, 100);
  auto compressed = bytes;
  base::PutLe16(&compressed[20], 2);  // ADPCM
  EXPECT_FALSE(ParseWave(compressed, w));
  auto noData = std::vector<uint8_t>(bytes.begin(), bytes.begin() + 36);
  EXPECT_FALSE(ParseWave(noData, w));
  EXPECT_EQ(w.SampleRate, 1);  // untouched on failure
}

TEST(WaveTest, CutFilesKeepWhatIsThereAndNeverReadPast) {
  auto bytes = audiotest::Wave(22050, 1000);
  bytes.resize(bytes.size() - 501);  // the data chunk claims more than the file holds
  WaveData w;
  ASSERT_TRUE(ParseWave(bytes, w));
  EXPECT_EQ(w.Samples.size(), 749u);
  // Every cut of a valid file parses or refuses, without reading past the end.
  auto full = audiotest::Wave(8000, 50, 2, 16);
  for (size_t n = 0; n < full.size(); ++n) {
    std::vector<uint8_t> part(full.begin(), full.begin() + n);
    WaveData any;
    ParseWave(part, any);
  }
}

}  // namespace
