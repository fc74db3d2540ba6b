// Tracks and effects that are damaged or out of all proportion: a track is checked before
// the synthesizer sees it and refused as a missing one is; an effect is bounded in size and
// length, and so is the game's wait for the boss's effect.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "audio/midi_check.h"
#include "audio/sound.h"
#include "audio/wave.h"
#include "audio_test_util.h"
#include "state/window_model.h"
#include "state/state.h"
#include "support/test_support.h"

namespace {

namespace fs = std::filesystem;
using audiotest::MidiOfLength;
using audiotest::Wave;
using audiotest::WriteFile;

void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (24 - 8 * i));
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

bool Refused(const std::vector<uint8_t>& b) { return audio::CheckMidi(b.data(), b.size()).has_value(); }

TEST(MidiCheck, GoodTracksPassAndEveryStructuralFaultIsRefused) {
  const std::vector<uint8_t> good = MidiOfLength(4000);
  ASSERT_FALSE(Refused(good)) << *audio::CheckMidi(good.data(), good.size());
  for (const char* shipped : {"MC_0.mid", "MC_9.mid", "MC_14.mid"}) {
    std::vector<uint8_t> b = ReadBytes(testsupport::DataDir() + "/" + shipped);
    EXPECT_FALSE(Refused(b)) << shipped;
  }
  // Every cut of a good track is refused: a chunk then claims more than the file holds.
  for (size_t n = 0; n < good.size(); ++n)
    EXPECT_TRUE(Refused(std::vector<uint8_t>(good.begin(), good.begin() + n))) << n;

  std::vector<uint8_t> b = good;
  Put32(b, 4, 8);  // a header of eight bytes, which the player would read as six
  EXPECT_TRUE(Refused(b));
  b = good;
  b[10] = b[11] = 0;  // no tracks
  EXPECT_TRUE(Refused(b));
  b = good;
  b[11] = 9;  // more tracks announced than there are
  EXPECT_TRUE(Refused(b));
  b = good;
  b[12] = 0x80 | 25;  // frames per second, not ticks per quarter note
  EXPECT_TRUE(Refused(b));
  b = good;
  Put32(b, 18, 0xFFFFFFFC);  // the first track's length
  EXPECT_TRUE(Refused(b));
  b.assign(audio::kMaxMidiBytes + 1, 0);
  std::copy(good.begin(), good.end(), b.begin());
  EXPECT_NE(audio::CheckMidi(b.data(), b.size())->find("大きすぎ"), std::string::npos);
}

TEST(MidiCheck, EventsMustStayInsideTheirTrack) {
  auto track = [](std::vector<uint8_t> events) {
    std::vector<uint8_t> b = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 1, 0xE0,
                              'M', 'T', 'r', 'k', 0, 0, 0, 0};
    Put32(b, 18, uint32_t(events.size()));
    b.insert(b.end(), events.begin(), events.end());
    return b;
  };
  EXPECT_FALSE(Refused(track({0, 0x90, 60, 100, 0x60, 60, 0, 0, 0xFF, 0x2F, 0})));  // running status
  EXPECT_TRUE(Refused(track({0, 0xFF, 0x01, 0x40, 'a'})));        // a text longer than the track
  EXPECT_TRUE(Refused(track({0, 0xF0, 0x7F})));                   // system exclusive past the end
  EXPECT_TRUE(Refused(track({0, 60, 100})));                      // data with no status before it
  EXPECT_TRUE(Refused(track({0, 0x90, 60})));                     // a note cut short
  EXPECT_TRUE(Refused(track({0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0x90})));  // a five-byte time
  EXPECT_TRUE(Refused(track({0, 0xF4})));                         // no such event in a file
}

class ContentLimits : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetGame();
    audio::Init(audio::Backend::Virtual);
    dir_ = audiotest::TempFolder("limits");
    AppDir = dir_.string() + "/";
    G.MusicOn = G.EffectsOn = 1;
  }
  void TearDown() override {
    audio::Init(audio::Backend::Virtual);
    fs::remove_all(dir_);
  }
  fs::path dir_;
};

TEST_F(ContentLimits, ADamagedTrackIsReportedAndNothingPlays) {
  std::vector<uint8_t> b = MidiOfLength(4000);
  Put32(b, 18, 0xFFFFFFFC);
  WriteFile(dir_ / "MC_3.mid", b);
  G.MusicTrack = 7;
  PlayMusic(3);
  ASSERT_EQ(testsupport::Os().lines.size(), 1u);
  EXPECT_NE(testsupport::Os().lines[0].find("MC_3.mid"), std::string::npos);
  EXPECT_FALSE(audio::CurrentStatus().MusicOpen);
  EXPECT_EQ(G.MusicTrack, 7);  // as after a missing track
}

// Ten minutes of sound at 1 kHz in 600 KB: the boss's effect holds the game five seconds
// at most, and the effect keeps no more than that.
TEST_F(ContentLimits, TheBossEffectHoldsTheGameAFewSecondsAtMost) {
  WriteFile(dir_ / "w_4.wav", Wave(1000, 600 * 1000, 1, 8));
  int64_t before = audio::ClockMs();
  PlayEffect(4);
  EXPECT_EQ(audio::ClockMs() - before, audio::kMaxEffectMs);
  audio::WaveData w;
  ASSERT_TRUE(audio::LoadWave((dir_ / "w_4.wav").string(), w));
  EXPECT_EQ(w.LengthMs(), audio::kMaxEffectMs);
  EXPECT_EQ(w.Samples.size(), 5000u);
}

TEST_F(ContentLimits, AnEffectFileOfMegabytesIsNotRead) {
  WriteFile(dir_ / "w_3.wav", Wave(44100, 2 * 1024 * 1024, 1, 16));  // 4 MiB
  PlayEffect(3);
  EXPECT_EQ(audio::CurrentStatus().Effect, -1);
  EXPECT_TRUE(testsupport::Os().lines.empty());  // effects fail without a box
  audio::WaveData w;
  EXPECT_FALSE(audio::LoadWave((dir_ / "w_3.wav").string(), w));
  // A short one in its place plays again: the refusal is not remembered past a change.
  WriteFile(dir_ / "w_3.wav", Wave(44100, 4410));
  PlayEffect(3);
  EXPECT_EQ(audio::CurrentStatus().Effect, 3);
}

}  // namespace
