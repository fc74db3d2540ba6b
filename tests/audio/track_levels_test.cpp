// Levels that follow the soundfont: the loudness cache (used, measured again when the
// soundfont changes, a damaged or foreign file ignored and rebuilt), the worker that learns
// a playing track's level, and the engine's glide to it.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>

#include "audio/engine.h"
#include "audio/loudness_cache.h"
#include "audio/track_levels.h"
#include "audio_test_util.h"
#include "installed_soundfonts.h"
#include "support/test_support.h"

namespace fs = std::filesystem;

namespace {

// Two seconds of a track are plenty to tell whether it was measured or found.
constexpr int kSeconds = 2;
constexpr int kWaitMs = 120000;
// The cache keeps a thousandth of a LU: a level read back differs by less than this.
constexpr float kKeptPrecision = 1e-3f;

std::vector<uint8_t> Track(int n) {
  std::vector<uint8_t> bytes;
  std::ifstream in(testsupport::DataDir() + "/MC_" + std::to_string(n) + ".mid", std::ios::binary);
  bytes.assign(std::istreambuf_iterator<char>(in), {});
  return bytes;
}

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class TrackLevelsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetGame();
    auto fonts = audiotest::InstalledGmSoundFonts();
    if (fonts.empty()) GTEST_SKIP() << "no General MIDI soundfont installed";
    dir_ = audiotest::TempFolder("levels");
    // A soundfont of our own, so that the test may change it.
    soundFont_ = (dir_ / "font.sf2").string();
    fs::copy_file(fonts.front(), soundFont_);
    cacheFile_ = (dir_ / "cache" / "loudness").string();
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path dir_;
  std::string soundFont_, cacheFile_;
};

TEST_F(TrackLevelsTest, AMeasuredLevelIsKeptAndFoundByTheNextRun) {
  float first;
  {
    audio::TrackLevels levels(cacheFile_, kSeconds);
    EXPECT_FALSE(levels.CacheWasDamaged());  // no file yet is no damage
    first = levels.LevelNow(soundFont_, Track(10));
    EXPECT_EQ(levels.Measured(), 1);
    EXPECT_NE(first, 1.0f);
  }
  audio::TrackLevels again(cacheFile_, kSeconds);
  EXPECT_NEAR(again.LevelNow(soundFont_, Track(10)), first, kKeptPrecision);
  EXPECT_EQ(again.Measured(), 0);
  // Another track, or another stretch of the same one, is not the same entry.
  again.LevelNow(soundFont_, Track(11));
  EXPECT_EQ(again.Measured(), 1);
  audio::TrackLevels longer(cacheFile_, kSeconds + 1);
  longer.LevelNow(soundFont_, Track(10));
  EXPECT_EQ(longer.Measured(), 1);
}

TEST_F(TrackLevelsTest, ASoundFontChangedOnDiskIsMeasuredAgain) {
  {
    audio::TrackLevels levels(cacheFile_, kSeconds);
    levels.LevelNow(soundFont_, Track(10));
  }
  // The same path with another time: an updated package, another file in its place.
  fs::last_write_time(soundFont_, fs::last_write_time(soundFont_) - std::chrono::hours(24));
  audio::TrackLevels levels(cacheFile_, kSeconds);
  levels.LevelNow(soundFont_, Track(10));
  EXPECT_EQ(levels.Measured(), 1);
  // Both identities are now known.
  const std::string text = ReadText(cacheFile_);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3);
}

TEST_F(TrackLevelsTest, ADamagedOrForeignCacheIsIgnoredAndRebuilt) {
  float good;
  {
    audio::TrackLevels levels(cacheFile_, kSeconds);
    good = levels.LevelNow(soundFont_, Track(10));
  }
  const std::string whole = ReadText(cacheFile_);
  std::string wrongNumber = whole;
  wrongNumber.replace(wrongNumber.find('\n') + 1, 1, "x");
  for (const std::string& bad : {std::string("\x89PNG\r\n\x1a\n garbage"), std::string("mirovaan-loudness 9\n"),
                                 whole.substr(0, whole.size() - 5), wrongNumber}) {
    SCOPED_TRACE(bad);
    { std::ofstream(cacheFile_, std::ios::binary | std::ios::trunc) << bad; }
    audio::TrackLevels levels(cacheFile_, kSeconds);
    EXPECT_TRUE(levels.CacheWasDamaged());
    EXPECT_NEAR(levels.LevelNow(soundFont_, Track(10)), good, kKeptPrecision);
    EXPECT_EQ(levels.Measured(), 1);
    EXPECT_EQ(ReadText(cacheFile_), whole);  // rebuilt whole
  }
}

TEST_F(TrackLevelsTest, APlayingTrackStartsAtAnEstimateAndLearnsItsLevelInTheBackground) {
  float direct9, direct10;
  {
    audio::TrackLevels apart("", kSeconds);
    direct9 = apart.LevelNow(soundFont_, Track(9));
    direct10 = apart.LevelNow(soundFont_, Track(10));
  }
  audio::TrackLevels levels(cacheFile_, kSeconds);
  struct Applied {
    int track, phase;
    float level;
  };
  std::mutex mutex;
  std::vector<Applied> applied;
  std::atomic<int> phase{0};  // moves on once each call below has returned
  auto record = [&](int track) {
    return [&, track](float level) {
      std::lock_guard<std::mutex> lock(mutex);
      applied.push_back({track, phase, level});
    };
  };
  // Nothing known of this soundfont: the track starts as made.
  EXPECT_EQ(levels.Begin(soundFont_, Track(10), record(10)), 1.0f);
  // The game moves on to another track: from then on only that one gets its level.
  levels.Begin(soundFont_, Track(9), record(9));
  phase = 1;
  ASSERT_TRUE(levels.WaitIdle(kWaitMs));
  ASSERT_FALSE(applied.empty());
  EXPECT_EQ(applied.back().track, 9);
  EXPECT_EQ(applied.back().phase, 1);
  EXPECT_FLOAT_EQ(applied.back().level, direct9);
  for (const Applied& a : applied) {
    if (a.track != 10) continue;
    EXPECT_EQ(a.phase, 0) << "the level of a track no longer playing was applied";
    EXPECT_FLOAT_EQ(a.level, direct10);
  }
  // Known now: its own level at once, nothing more to learn.
  size_t before = applied.size();
  EXPECT_NEAR(levels.Begin(soundFont_, Track(9), record(9)), direct9, kKeptPrecision);
  ASSERT_TRUE(levels.WaitIdle(kWaitMs));
  EXPECT_EQ(applied.size(), before);
  // The tracks known make the estimate of the next unknown one their median.
  levels.LevelNow(soundFont_, Track(11));
  audio::LoudnessCache cache(cacheFile_);
  ASSERT_TRUE(cache.Load());
  std::vector<double> known = cache.KnownFor(*audio::IdentifySoundFont(soundFont_), kSeconds);
  ASSERT_EQ(known.size(), 3u);  // MC_10, MC_9, MC_11
  std::sort(known.begin(), known.end());
  EXPECT_NEAR(levels.Begin(soundFont_, Track(12), record(12)), audio::LevelForLoudness(known[1]), kKeptPrecision);
  // The music stops before the level is learnt: it is kept, not applied.
  levels.End();
  phase = 2;
  ASSERT_TRUE(levels.WaitIdle(kWaitMs));
  for (const Applied& a : applied) EXPECT_NE(a.phase, 2) << "MC_" << a.track << " applied after the music stopped";
  EXPECT_EQ(levels.Measured(), 4);
}

TEST(TrackLevel, TheEngineGlidesToALevelLearntWhilePlayingAndJumpsForANewTrack) {
  audio::Engine engine(audio::EngineMode::Virtual);
  std::vector<float> left(441), right(441);
  engine.SetTrackLevel(2.0f, true);  // +6 dB
  float previous = engine.TrackLevel();
  for (int step = 0; step < 300; ++step) {  // 3 s in 10 ms buffers
    engine.RenderInto(441, left.data(), right.data());
    float now = engine.TrackLevel();
    // Never more than a tenth of a decibel in 10 ms, never back.
    EXPECT_LE(20 * std::log10(now / previous), 0.1f);
    EXPECT_GE(now, previous);
    previous = now;
  }
  EXPECT_FLOAT_EQ(engine.TrackLevel(), 2.0f);
  engine.SetTrackLevel(0.5f, false);
  EXPECT_FLOAT_EQ(engine.TrackLevel(), 0.5f);
}

TEST(TrackLevel, TheLevelBringsATrackToTheTargetWithinLimits) {
  EXPECT_NEAR(20 * std::log10(audio::LevelForLoudness(audio::kTargetLufs - 6)), 6.0, 1e-4);
  EXPECT_NEAR(20 * std::log10(audio::LevelForLoudness(audio::kTargetLufs + 3)), -3.0, 1e-4);
  // A silent track is not pushed up; a wild reading does not deafen the player.
  EXPECT_EQ(audio::LevelForLoudness(-70), 1.0f);
  EXPECT_NEAR(20 * std::log10(audio::LevelForLoudness(-59)), 24.0, 1e-4);
  EXPECT_NEAR(20 * std::log10(audio::LevelForLoudness(10)), -24.0, 1e-4);
}

}  // namespace
