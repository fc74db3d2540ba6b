// A short game by the scripted player through the headless runner: from the title through the
// first dungeon's boss. Guards against a change that makes the game unplayable.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

TEST(AutoplayShortGame, FirstBossFallsToPlay) {
  fs::path dir = fs::temp_directory_path() / ("mirovaan-autoplay-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  std::string report = (dir / "report.json").string();
  std::string command = std::string(MIROVAAN_SIM_PATH) + " --data " + MIROVAAN_TEST_DATA_DIR +
                        " --autoplay 0 --seed 1 --until-boss 0 --ticks 30000 --report " + report +
                        " > " + (dir / "out.txt").string() + " 2>&1";
  int raw = std::system(command.c_str());
  std::ifstream in(report);
  std::stringstream text;
  text << in.rdbuf();
  std::string json = text.str();
  fs::remove_all(dir);
  ASSERT_EQ(WEXITSTATUS(raw), 0);
  EXPECT_NE(json.find("\"dungeons\":{\"0\":{"), std::string::npos) << json;
  EXPECT_NE(json.find("\"bosses\":{\"0\":{"), std::string::npos) << json;
  EXPECT_NE(json.find("\"ending_tick\":null"), std::string::npos) << json;
}
