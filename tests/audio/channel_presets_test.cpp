// Instruments only where a track plays: the scan of a track's channels, and the synthesizer
// left with exactly those instruments after a new track and after a change of soundfont.
#include <gtest/gtest.h>

#include <fluidsynth.h>

#include <fstream>

#include "audio/channel_presets.h"
#include "installed_soundfonts.h"
#include "support/test_support.h"

namespace {

// A format 1 file: track 1 sets program 48 on channel 0 and then plays it; track 2 plays
// channel 9 (drums) at once and channel 3 before its program change at the second beat.
std::vector<uint8_t> TwoTrackMidi() {
  std::vector<uint8_t> t1 = {0x00, 0xC0, 48, 0x00, 0x90, 60, 100, 0x60, 0x80, 60, 0, 0x00, 0xFF, 0x2F, 0x00};
  std::vector<uint8_t> t2 = {0x00, 0x99, 36, 100, 0x00, 0x93, 64, 90,  // running status below
                             0x10, 64, 0, 0x83, 0x60, 0xC3, 33, 0x00, 0xFF, 0x2F, 0x00};
  std::vector<uint8_t> file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 2, 0x01, 0xE0};
  for (const auto* t : {&t1, &t2}) {
    file.insert(file.end(), {'M', 'T', 'r', 'k', 0, 0, 0, uint8_t(t->size())});
    file.insert(file.end(), t->begin(), t->end());
  }
  return file;
}

TEST(ChannelPresets, TheScanFindsWhichChannelsPlayBeforeChoosingAnInstrument) {
  audio::ChannelUses uses = audio::ScanChannels(TwoTrackMidi());
  EXPECT_FALSE(uses[0].PlaysBeforeProgram);
  EXPECT_EQ(uses[0].FirstProgram, 48);
  EXPECT_TRUE(uses[9].PlaysBeforeProgram);
  EXPECT_EQ(uses[9].FirstProgram, -1);
  // A note-on of velocity 0 under running status is a note-off, not a note.
  EXPECT_TRUE(uses[3].PlaysBeforeProgram);
  EXPECT_EQ(uses[3].FirstProgram, 33);
  for (int c : {1, 2, 4, 10, 15}) EXPECT_FALSE(uses[c].PlaysBeforeProgram || uses[c].FirstProgram >= 0) << c;
  // A track chunk cut short is not read past the file's end.
  std::vector<uint8_t> cut = TwoTrackMidi();
  cut.resize(30);
  for (const audio::ChannelUse& use : audio::ScanChannels(cut)) EXPECT_EQ(use.FirstProgram, -1);
}

class ChannelPresetsSynth : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetGame();  // quiets the synthesizer's messages
    auto fonts = audiotest::InstalledGmSoundFonts();
    if (fonts.empty()) GTEST_SKIP() << "no General MIDI soundfont installed";
    soundFont_ = fonts.front();
    settings_ = new_fluid_settings();
    fluid_settings_setint(settings_, "synth.dynamic-sample-loading", 1);
    synth_ = new_fluid_synth(settings_);
  }
  void TearDown() override {
    if (synth_) delete_fluid_synth(synth_);
    if (settings_) delete_fluid_settings(settings_);
  }
  // The soundfont and program a channel holds; soundfont 0 when it holds none.
  std::pair<int, int> Held(int channel) {
    int sfont = -1, bank = -1, program = -1;
    fluid_synth_get_program(synth_, channel, &sfont, &bank, &program);
    return {sfont, program};
  }
  std::string soundFont_;
  fluid_settings_t* settings_ = nullptr;
  fluid_synth_t* synth_ = nullptr;
};

TEST_F(ChannelPresetsSynth, OnlyTheChannelsATrackPlaysHoldAnInstrument) {
  const audio::ChannelUses uses = audio::ScanChannels(TwoTrackMidi());
  // The first soundfont, with a track already open: its first programs.
  int first = fluid_synth_sfload(synth_, soundFont_.c_str(), 0);
  ASSERT_NE(first, FLUID_FAILED);
  audio::MoveChannelsToSoundFont(synth_, -1, uses);
  EXPECT_EQ(Held(0), std::make_pair(first, 48));
  EXPECT_EQ(Held(3), std::make_pair(first, 33));
  EXPECT_EQ(Held(9).first, first);
  for (int c : {1, 2, 4, 15}) EXPECT_EQ(Held(c).first, 0) << c;

  // A new track: the defaults only where it plays before choosing.
  audio::ResetChannelsFor(synth_, uses);
  EXPECT_EQ(Held(0).first, 0);
  EXPECT_EQ(Held(3), std::make_pair(first, 0));
  EXPECT_EQ(Held(9).first, first);
  fluid_synth_program_change(synth_, 0, 48);  // as the track's player would

  // Another soundfont: the same programs from it, nothing more, the old one gone.
  int second = fluid_synth_sfload(synth_, soundFont_.c_str(), 0);
  ASSERT_NE(second, FLUID_FAILED);
  audio::MoveChannelsToSoundFont(synth_, first, uses);
  EXPECT_EQ(Held(0), std::make_pair(second, 48));
  EXPECT_EQ(Held(3), std::make_pair(second, 0));
  EXPECT_EQ(Held(9).first, second);
  for (int c : {1, 2, 4, 15}) EXPECT_EQ(Held(c).first, 0) << c;
  EXPECT_EQ(fluid_synth_get_sfont_by_id(synth_, first), nullptr);
}

}  // namespace
