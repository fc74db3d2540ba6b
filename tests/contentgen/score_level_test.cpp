// The score compiler's song-wide level: it scales every part's volume controller, and
// refuses what a MIDI controller cannot carry.
#include <gtest/gtest.h>

#include <stdexcept>

#include "music/mml.h"

namespace {

// The values of every volume controller (CC 7) in a MIDI file, in file order.
std::vector<int> Volumes(const std::vector<uint8_t>& midi) {
  std::vector<int> found;
  for (size_t i = 0; i + 2 < midi.size(); ++i)
    if ((midi[i] & 0xF0) == 0xB0 && midi[i + 1] == 7) found.push_back(midi[i + 2]);
  return found;
}

const char* const kTwoParts =
    "tempo 120\n"
    "part a ch=1 prog=0 vol=100\n"
    "c4 d4 e4 f4\n"
    "part b ch=2 prog=0 vol=60\n"
    "c1\n";

TEST(ScoreLevel, ScalesEveryPartsVolumeAndDefaultsToNone) {
  EXPECT_EQ(Volumes(mml::Compile(kTwoParts, "plain").Midi), (std::vector<int>{100, 60}));
  std::string halved = std::string("level 50\n") + kTwoParts;
  EXPECT_EQ(Volumes(mml::Compile(halved, "halved").Midi), (std::vector<int>{50, 30}));
  std::string raised = std::string("level 127\n") + kTwoParts;
  EXPECT_EQ(Volumes(mml::Compile(raised, "raised").Midi), (std::vector<int>{127, 76}));
}

TEST(ScoreLevel, RefusesALevelOutOfRangeOrAVolumePast127) {
  EXPECT_THROW(mml::Compile(std::string("level 128\n") + kTwoParts, "loud"), std::runtime_error);
  EXPECT_THROW(mml::Compile(std::string("level 5\n") + kTwoParts, "low"), std::runtime_error);
  EXPECT_THROW(mml::Compile(std::string("level x\n") + kTwoParts, "word"), std::runtime_error);
}

}  // namespace
