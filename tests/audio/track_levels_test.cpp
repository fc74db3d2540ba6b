// Levels that follow the soundfont: the loudness cache (used, measured again when the
// soundfont changes, a damaged or foreign file ignored and rebuilt), the game learning a
// playing track's level by listening to it, and the engine's glide to it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "audio/engine.h"
#include "audio/sound.h"
#include "audio/loudness_cache.h"
#include "audio/track_levels.h"
#include "audio_test_util.h"
#include "installed_soundfonts.h"
#include "state/window_model.h"
#include "state/state.h"
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

// The game itself, on an offline output that renders what a device would hear.
class ListeningTest : public TrackLevelsTest {
 protected:
  void SetUp() override {
    TrackLevelsTest::SetUp();
    if (IsSkipped()) return;
    const char* old = std::getenv("XDG_CACHE_HOME");
    hadCache_ = old != nullptr;
    if (old) oldCache_ = old;
    setenv("XDG_CACHE_HOME", (dir_ / "xdg-cache").c_str(), 1);
    AppDir = testsupport::DataDir() + "/";
    G.MusicOn = 1;
  }
  void TearDown() override {
    audio::Init(audio::Backend::Virtual);
    if (hadCache_) setenv("XDG_CACHE_HOME", oldCache_.c_str(), 1);
    else unsetenv("XDG_CACHE_HOME");
    TrackLevelsTest::TearDown();
  }
  void Start() { audio::Init(audio::Backend::Offline, audio::Setup{100, 100, soundFont_, ""}); }
  // The runner's way of passing time: the clock, and MusicTimer once a second.
  void RunSeconds(int seconds) {
    for (int i = 0; i < seconds; ++i) {
      audio::AdvanceClock(1000);
      if (Window.MusicTimer.Enabled) OnMusicTimer();
    }
  }
  float Level() { return audio::CurrentStatus().TrackLevel; }
  bool hadCache_ = false;
  std::string oldCache_;
};

TEST_F(ListeningTest, ATrackLearnsItsLevelFromItsFirstPassAndStartsAtItNextTime) {
  // MC_4 (game over) is the shortest track, about 29 s.
  const float own = audio::TrackLevels("", audio::kMeasureSeconds).LevelNow(soundFont_, Track(4));
  Start();
  PlayMusic(4);
  EXPECT_EQ(Level(), 1.0f) << "nothing is known of this soundfont yet: the track starts as made";
  RunSeconds(40);
  // Heard through, it sounds at the level measured apart.
  EXPECT_NEAR(Level(), own, kKeptPrecision);
  // The next run starts it there at once, and the other tracks at what is known so far.
  Start();
  PlayMusic(4);
  EXPECT_NEAR(Level(), own, kKeptPrecision);
  PlayMusic(10);
  EXPECT_NEAR(Level(), own, kKeptPrecision) << "the estimate is the median of the tracks known";
  // Music stopped before the pass was heard through: nothing is kept of it.
  RunSeconds(5);
  PlayMusic(kTrackSilence);
  RunSeconds(70);
  audio::LoudnessCache cache(audio::LoudnessCache::DefaultFile());
  ASSERT_TRUE(cache.Load());
  EXPECT_EQ(cache.KnownFor(*audio::IdentifySoundFont(soundFont_), audio::kMeasureSeconds).size(), 1u);
}

TEST_F(ListeningTest, APassSpoiltByAVolumeChangeIsNotKept) {
  Start();
  PlayMusic(4);
  RunSeconds(5);
  audio::SetMusicVolume(50);
  RunSeconds(35);
  audio::LoudnessCache cache(audio::LoudnessCache::DefaultFile());
  ASSERT_TRUE(cache.Load());
  EXPECT_TRUE(cache.KnownFor(*audio::IdentifySoundFont(soundFont_), audio::kMeasureSeconds).empty());
  // The loop starts a new pass, at the new volume, which is heard through and kept at full
  // volume's loudness.
  RunSeconds(35);
  ASSERT_TRUE(cache.Load());
  EXPECT_EQ(cache.KnownFor(*audio::IdentifySoundFont(soundFont_), audio::kMeasureSeconds).size(), 1u);
  const float own = audio::TrackLevels("", audio::kMeasureSeconds).LevelNow(soundFont_, Track(4));
  EXPECT_NEAR(Level(), own, 0.01f);
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
