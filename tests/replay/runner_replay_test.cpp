// The runner's replay options as a program: --record and --play give the same state report,
// a desync stops with status 3 naming the tick, a foreign replay is refused before play.
#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>

#include "replay_fixture.h"

namespace replaytest {
namespace {

struct Result {
  int status;
  std::string out;
};

class RunnerReplay : public ::testing::Test {
 protected:
  Result Run(const std::string& args) {
    std::string command = std::string(MIROVAAN_SIM_PATH) + " --data " + MIROVAAN_TEST_DATA_DIR +
                          " " + args + " > " + dir_.File("out.txt") + " 2>&1";
    int raw = std::system(command.c_str());
    return {WEXITSTATUS(raw), ReadText(dir_.File("out.txt"))};
  }
  std::string File(const std::string& name) { return dir_.File(name); }

  // A short game: a hero chosen, a save, the first dungeon, a walk with the fire key held.
  void RecordGame() {
    WriteText(File("keys.txt"),
              "2 press VK_SPACE\n5 press VK_DOWN\n8 press VK_SPACE\n9 menu save " + File("g.sav") +
                  "\n10 down VK_LEFT\n18 up VK_LEFT\n20 press VK_SPACE\n25 down VK_SPACE\n"
                  "30 down VK_RIGHT\n90 up VK_RIGHT\n95 down VK_DOWN\n150 up VK_DOWN\n"
                  "160 menu load " + File("g.sav") + "\n");
    Result r = Run("--seed 5 --ticks 320 --keys " + File("keys.txt") + " --record " +
                   File("game.mvr") + " --state " + File("recorded.json"));
    ASSERT_EQ(r.status, 0) << r.out;
  }

  ScratchDir dir_;
};

TEST_F(RunnerReplay, PlaybackWritesTheSameStateAsTheRecordedRun) {
  RecordGame();
  Result r = Run("--play " + File("game.mvr") + " --state " + File("played.json") +
                 " --shot 320:" + File("last.png"));
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(ReadText(File("played.json")), ReadText(File("recorded.json")));
  EXPECT_TRUE(fs::exists(File("last.png")));
}

TEST_F(RunnerReplay, ADesyncStopsWithStatusThreeNamingTheTick) {
  RecordGame();
  std::string text = ReadText(File("game.mvr"));
  // The key-up of the walk right made a key-up of another key: the hero walks on.
  size_t at = text.find("\n60 u 39\n");
  ASSERT_NE(at, std::string::npos) << text.substr(0, 600);
  text.replace(at, 9, "\n60 u 37\n");
  WriteText(File("game.mvr"), text);
  Result r = Run("--play " + File("game.mvr"));
  EXPECT_EQ(r.status, 3);
  EXPECT_NE(r.out.find("replay does not match: tick 100"), std::string::npos) << r.out;
}

TEST_F(RunnerReplay, ForeignOrDamagedReplaysAreRefusedBeforeAnythingRuns) {
  RecordGame();
  std::string text = ReadText(File("game.mvr"));
  std::string foreign = std::regex_replace(text, std::regex("content [0-9a-f]{16}"),
                                           "content 0000000000000000");
  WriteText(File("foreign.mvr"), foreign);
  Result r = Run("--play " + File("foreign.mvr") + " --state " + File("s.json"));
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.out.find("other dungeon files"), std::string::npos) << r.out;
  EXPECT_FALSE(fs::exists(File("s.json")));

  WriteText(File("cut.mvr"), text.substr(0, text.size() / 3));
  r = Run("--play " + File("cut.mvr"));
  EXPECT_EQ(r.status, 2);
  EXPECT_TRUE(std::regex_search(r.out, std::regex("line [0-9]+: "))) << r.out;
}

TEST_F(RunnerReplay, TimedemoReportsTicksSecondsAndSpeed) {
  RecordGame();
  Result r = Run("--timedemo " + File("game.mvr"));
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_TRUE(std::regex_search(
      r.out, std::regex("^320 ticks, [0-9.]+ seconds, [0-9]+ ticks per second \\(processor time "
                        "[0-9.]+ seconds, [0-9]+ ticks per second\\)\n$")))
      << r.out;
}

// Each run starts where the replay starts, also after a run that ended deep in a game: a
// run that began where the last one stopped would no longer match the stored hashes.
TEST_F(RunnerReplay, TimedemoRepeatsPlayEachRunFromTheStartAndPrintTheMedian) {
  RecordGame();
  Result r = Run("--timedemo " + File("game.mvr") + " --timedemo-repeat 3");
  ASSERT_EQ(r.status, 0) << r.out;
  const std::string run = "320 ticks, [0-9.]+ seconds, [0-9]+ ticks per second \\(processor time "
                          "[0-9.]+ seconds, [0-9]+ ticks per second\\)\n";
  EXPECT_TRUE(std::regex_search(
      r.out, std::regex("^" + run + run + run +
                        "median of 3 runs: 320 ticks, processor time [0-9.]+ seconds, [0-9]+ "
                        "ticks per second\n$")))
      << r.out;

  for (const char* bad : {"0", "-2", "three", "2x", "1001"}) {
    r = Run("--timedemo " + File("game.mvr") + " --timedemo-repeat " + bad);
    EXPECT_EQ(r.status, 2) << bad;
    EXPECT_NE(r.out.find("--timedemo-repeat takes a count from 1 to 1000"), std::string::npos) << r.out;
  }
  r = Run("--play " + File("game.mvr") + " --timedemo-repeat 2");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.out.find("--timedemo-repeat belongs to --timedemo"), std::string::npos) << r.out;
}

}  // namespace
}  // namespace replaytest
