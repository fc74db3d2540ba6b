// mirovaan-sim as a program: its command line, its scripts, its state report and frames.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "gfx/bmp.h"

namespace fs = std::filesystem;

namespace {

struct Result {
  int status;
  std::string out;
};

class Runner : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("mirovaan-sim-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
            "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  void Write(const std::string& name, const std::string& text) {
    std::ofstream(Path(name)) << text;
  }
  std::string Read(const std::string& name) {
    std::ifstream in(Path(name), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  Result Run(const std::string& args) {
    std::string command = std::string(MIROVAAN_SIM_PATH) + " --data " + MIROVAAN_TEST_DATA_DIR +
                          " " + args + " > " + Path("out.txt") + " 2>&1";
    int raw = std::system(command.c_str());
    return {WEXITSTATUS(raw), Read("out.txt")};
  }
  fs::path dir_;
};

// The value of "name": in the flat part of the report.
std::string Field(const std::string& json, const std::string& name) {
  std::string key = "\"" + name + "\":";
  size_t at = json.find(key);
  if (at == std::string::npos) return "<missing>";
  at += key.size();
  size_t end = at;
  int depth = 0;
  while (end < json.size()) {
    char c = json[end];
    if (c == '[' || c == '{') ++depth;
    if (c == ']' || c == '}') {
      if (depth == 0) break;
      --depth;
      if (depth == 0) {
        ++end;
        break;
      }
    }
    if (c == ',' && depth == 0) break;
    ++end;
  }
  return json.substr(at, end - at);
}

TEST_F(Runner, SpaceOnTheTitleOpensTheSelection) {
  Write("k", "# leave the title\n2 press VK_SPACE\n");
  Result r = Run("--ticks 3 --keys " + Path("k") + " --state " + Path("s.json") + " --shot 3:" +
                 Path("f.png"));
  ASSERT_EQ(r.status, 0) << r.out;
  std::string s = Read("s.json");
  EXPECT_EQ(Field(s, "GameMode"), "4");
  EXPECT_EQ(Field(s, "HeroIndex"), "0");
  EXPECT_EQ(Field(s, "K2Enabled"), "false");
  EXPECT_EQ(Field(s, "music"), "[10,0]");
  EXPECT_EQ(Field(s, "TickCount"), "3");
  EXPECT_EQ(Field(s, "Timer1Interval"), "50");
  std::string png = Read("f.png");
  ASSERT_GT(png.size(), 24u);
  EXPECT_EQ(png.substr(1, 3), "PNG");
  // IHDR: width and height big-endian at 16 and 20.
  auto be32 = [&](size_t at) {
    return (uint8_t(png[at]) << 24) | (uint8_t(png[at + 1]) << 16) | (uint8_t(png[at + 2]) << 8) |
           uint8_t(png[at + 3]);
  };
  EXPECT_EQ(be32(16), 312u);
  EXPECT_EQ(be32(20), 216u);
}

TEST_F(Runner, ExitAnsweredYesOnTheTitleEndsTheRunAtOnce) {
  Write("k", "5 menu exit\n");
  Result r = Run("--ticks 100 --keys " + Path("k") + " --state " + Path("s.json"));
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("msgbox: ゲームの終了 | ゲームを終了してもよろしいでしょうか？"),
            std::string::npos)
      << r.out;
  EXPECT_EQ(Field(Read("s.json"), "TickCount"), "4");
}

TEST_F(Runner, ExitAnsweredNoGoesOn) {
  Write("k", "5 menu exit\n");
  Result r = Run("--answer no --ticks 10 --keys " + Path("k") + " --state " + Path("s.json"));
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(Field(Read("s.json"), "TickCount"), "10");
}

TEST_F(Runner, KeyLinesBeforeTheFirstTickAndBeyondTheLastOne) {
  Write("k", "0 press VK_RETURN\n1 down VK_LEFT\n9 press VK_ESCAPE\n");
  Result r = Run("--ticks 2 --keys " + Path("k") + " --state " + Path("s.json"));
  ASSERT_EQ(r.status, 0) << r.out;
  std::string s = Read("s.json");
  EXPECT_EQ(Field(s, "GameMode"), "4");  // the Esc of tick 9 was never delivered
  EXPECT_EQ(Field(s, "HeroIndex"), "1");
  EXPECT_EQ(Field(s, "KeyState"), "[0,0,0,1,0,0,0,0]");
}

// A line for a later tick written first holds nothing back, and lines of one tick keep
// their order: Enter on the title, then Left chooses the hero.
TEST_F(Runner, KeyLinesAreDeliveredInTickOrderWhateverTheirOrderInTheFile) {
  Write("k", "5 press VK_ESCAPE\n2 press VK_RETURN\n2 down VK_LEFT\n");
  Result r = Run("--ticks 3 --keys " + Path("k") + " --state " + Path("s.json"));
  ASSERT_EQ(r.status, 0) << r.out;
  std::string s = Read("s.json");
  EXPECT_EQ(Field(s, "GameMode"), "4");
  EXPECT_EQ(Field(s, "HeroIndex"), "1");
  r = Run("--ticks 6 --keys " + Path("k") + " --state " + Path("s.json"));
  EXPECT_EQ(Field(Read("s.json"), "GameMode"), "0");  // Esc on the selection: the title again
}

// A content folder with one file missing, and a saved game of a new hero with some of its
// values changed (offset, value pairs of 32-bit fields).
class RunnerWithoutAFile : public Runner {
 protected:
  void Prepare(const std::string& missing, std::vector<std::pair<size_t, int32_t>> changes) {
    fs::create_directories(Path("data"));
    for (const auto& entry : fs::directory_iterator(MIROVAAN_TEST_DATA_DIR))
      if (entry.is_regular_file() && entry.path().filename() != missing)
        fs::copy_file(entry.path(), Path("data") / entry.path().filename());
    Write("new", "1 press VK_RETURN\n2 press VK_RETURN\n3 menu save " + Path("game.sav") + "\n");
    ASSERT_EQ(Run("--ticks 3 --keys " + Path("new")).status, 0);
    std::fstream file(Path("game.sav"), std::ios::in | std::ios::out | std::ios::binary);
    for (auto [offset, value] : changes) {
      file.seekp(static_cast<std::streamoff>(offset));
      file.write(reinterpret_cast<const char*>(&value), sizeof value);
    }
  }
  Result RunHere(const std::string& args) {
    std::string command = std::string(MIROVAAN_SIM_PATH) + " --data " + Path("data") + " " + args +
                          " > " + Path("out.txt") + " 2>&1";
    int raw = std::system(command.c_str());
    return {WEXITSTATUS(raw), Read("out.txt")};
  }
  static size_t Count(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
  }
};

TEST_F(RunnerWithoutAFile, AMissingDungeonLeavesTheHeroWhereItStood) {
  Prepare("M_1.mpt", {{0, 48}, {4, 101}, {48, 500}});  // before the second entrance, its gold
  Write("k", "1 press VK_RETURN\n");
  Result r = RunHere("--load " + Path("game.sav") + " --ticks 20 --keys " + Path("k") +
                     " --state " + Path("s.json"));
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(Count(r.out, "msgbox:"), 1u) << r.out;
  EXPECT_NE(r.out.find("M_1.mpt"), std::string::npos) << r.out;
  std::string s = Read("s.json");
  EXPECT_EQ(Field(s, "HeroX"), "48");
  EXPECT_EQ(Field(s, "HeroY"), "101");
  EXPECT_EQ(Field(s, "GameMode"), "5");
  EXPECT_EQ(Field(s, "DungeonIndex"), "0");
}

TEST_F(RunnerWithoutAFile, GameOverWithoutTheWorldMapStaysOnItsScreen) {
  Prepare("mainmap.bmp", {{68, 3}, {32, 0}});  // the game-over screen, no hit points left
  Write("k", "1 press VK_RETURN\n");
  Result r = RunHere("--load " + Path("game.sav") + " --ticks 100 --keys " + Path("k") +
                     " --state " + Path("s.json"));
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(Count(r.out, "msgbox:"), 1u) << r.out;
  std::string s = Read("s.json");
  EXPECT_EQ(Field(s, "GameMode"), "3");
  EXPECT_EQ(Field(s, "HP"), "0");
  EXPECT_EQ(Field(s, "K1Enabled"), "false");
}

TEST_F(Runner, BadArgumentsAndUnreadableFilesExitWithStatusTwo) {
  EXPECT_EQ(Run("--ticks x").status, 2);
  EXPECT_EQ(Run("--frobnicate").status, 2);
  EXPECT_EQ(Run("--keys " + Path("none.txt")).status, 2);
  EXPECT_EQ(Run("--load " + Path("none.sav")).status, 2);
  EXPECT_EQ(Run("--answer maybe").status, 2);
  EXPECT_EQ(Run("--shot 3").status, 2);
  Write("k", "1 press VK_NOSUCHKEY\n");
  Result r = Run("--keys " + Path("k"));
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.out.find("unknown key"), std::string::npos) << r.out;
  Write("k2", "1 wiggle VK_UP\n");
  EXPECT_EQ(Run("--keys " + Path("k2")).status, 2);
}

TEST_F(Runner, TheStateReportNamesRecordFields) {
  Result r = Run("--ticks 1 --state " + Path("s.json"));
  ASSERT_EQ(r.status, 0) << r.out;
  std::string s = Read("s.json");
  for (const char* name : {"HeroX", "MenuPage", "BossDefeated", "MoveTimer", "Lifetime", "Armed",
                           "Present", "SpeechIndex", "MessageTimer", "MessageItem", "StairLatch",
                           "MusicTrack", "K1Enabled", "Timer1Enabled", "effects"})
    EXPECT_NE(s.find(std::string("\"") + name + "\":"), std::string::npos) << name;
  EXPECT_EQ(Field(s, "Timer1Enabled"), "true");
  EXPECT_EQ(Field(s, "GameMode"), "0");
}

// The whole report of a fight in progress (monsters on the move, shots in flight, coins),
// byte for byte as scripts that read it have always had it. After a deliberate change of
// the report, write the new one with MIROVAAN_WRITE_GOLDEN=1.
TEST_F(Runner, TheStateReportOfAFightStaysByteForByte) {
  const std::string sources = std::string(MIROVAAN_TEST_SOURCE_DIR) + "/replay/corpus/sources/";
  const std::string golden = std::string(MIROVAAN_TEST_SOURCE_DIR) + "/sim/golden/crowd-fight.json";
  Result r = Run("--load " + sources + "crowd-d6.sav --seed 61 --keys " + sources +
                 "crowd-fight.keys --ticks 1000 --state " + Path("s.json"));
  ASSERT_EQ(r.status, 0) << r.out;
  const std::string report = Read("s.json");
  if (std::getenv("MIROVAAN_WRITE_GOLDEN")) std::ofstream(golden, std::ios::binary) << report;
  std::ifstream in(golden, std::ios::binary);
  std::stringstream expected;
  expected << in.rdbuf();
  ASSERT_FALSE(expected.str().empty()) << golden;
  EXPECT_EQ(report, expected.str());
  EXPECT_NE(report.find("\"Present\":1"), std::string::npos);  // loot on the floor
  EXPECT_NE(report.find("\"Active\":1"), std::string::npos);   // shots or coins in flight
}

}  // namespace

// The game's own saves from a key file: quicksave, quickload, the slots and the autosave, in
// the saves folder under XDG_DATA_HOME, and a replay of them that needs none of the files.
class RunnerSaves : public Runner {
 protected:
  std::string Sources() const {
    return std::string(MIROVAAN_SOURCE_DIR) + "/tests/replay/corpus/sources/";
  }
  fs::path Saves() const { return dir_ / "data" / "mirovaan" / "saves"; }
  Result RunSaving(const std::string& args, const std::string& data = "data") {
    return Run("--load " + Sources() + "world-d1.sav --seed 21 " + args, data);
  }
  Result Run(const std::string& args, const std::string& data) {
    std::string command = "XDG_DATA_HOME=" + Path(data) + " " + MIROVAAN_SIM_PATH + " --data " +
                          MIROVAAN_TEST_DATA_DIR + " " + args + " > " + Path("out.txt") + " 2>&1";
    int raw = std::system(command.c_str());
    return {WEXITSTATUS(raw), Read("out.txt")};
  }
  // The first lines of the corpus's dungeon 1 walk: into the dungeon and about its floor.
  std::string WalkIntoDungeon() {
    std::ifstream in(Sources() + "dungeon1.keys");
    std::string line, keys;
    for (int i = 0; i < 30 && std::getline(in, line); ++i) keys += line + "\n";
    return keys;
  }
};

TEST_F(RunnerSaves, QuicksaveAndQuickloadPutTheGameBack) {
  // The File menu's save beside each: the same record, byte for byte.
  Write("k", WalkIntoDungeon() + "20 menu quicksave\n20 menu save " + Path("at20.sav") +
                 "\n100 menu slot-save 10\n150 menu quickload\n150 menu save " +
                 Path("back.sav") + "\n160 menu slot-load 10\n160 menu save " +
                 Path("slot.sav") + "\n");
  Result r = RunSaving("--ticks 160 --keys " + Path("k"));
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("notice: クイックセーブしました"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("msgbox: ロードしますよ！"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("notice: クイックロードしました"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("notice: スロット10 をロードしました"), std::string::npos) << r.out;
  for (const char* name : {"quick.sav", "quick.info", "quick.png", "slot-10.sav", "slot-10.info"})
    EXPECT_TRUE(fs::exists(Saves() / name)) << name;
  const std::string quick = Read("data/mirovaan/saves/quick.sav");
  EXPECT_EQ(quick.size(), 13532u);
  EXPECT_TRUE(quick == Read("at20.sav")) << "the quicksave is an ordinary saved game";
  EXPECT_TRUE(Read("back.sav") == quick) << "the quickload put the game back";
  EXPECT_TRUE(Read("slot.sav") == Read("data/mirovaan/saves/slot-10.sav"));
  EXPECT_FALSE(Read("slot.sav") == quick);  // the game had moved on by tick 100
}

TEST_F(RunnerSaves, AutosaveOnlyWhenAskedAndReplaysWithoutTheFiles) {
  Write("k", WalkIntoDungeon());
  ASSERT_EQ(RunSaving("--ticks 60 --keys " + Path("k")).status, 0);
  EXPECT_FALSE(fs::exists(dir_ / "data")) << "the runner wrote what it was not asked to";

  Write("k2", WalkIntoDungeon() + "30 menu slot-save 2\n40 menu slot-load 2\n50 menu quickload\n");
  Result r = RunSaving("--ticks 60 --autosave --keys " + Path("k2") + " --record " +
                       Path("r.mvr") + " --state " + Path("s.json"));
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("notice: オートセーブしました"), std::string::npos) << r.out;
  EXPECT_TRUE(fs::exists(Saves() / "autosave-1.sav"));
  const std::string replay = Read("r.mvr");
  for (const char* line : {" c autosave\n", " c slot-save 2\n", " c slot-load 2\n", " c quickload\n",
                           " o unreadable\n"})
    EXPECT_NE(replay.find(line), std::string::npos) << line;

  // Played back with an empty data folder, from the record alone, touching no saves folder.
  r = Run("--play " + Path("r.mvr") + " --state " + Path("p.json"), "empty");
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_FALSE(fs::exists(dir_ / "empty"));
  EXPECT_EQ(Field(Read("p.json"), "X"), Field(Read("s.json"), "X"));
}

TEST_F(RunnerSaves, ASlotOutsideOneToTenIsRefused) {
  for (const char* line : {"5 menu slot-save 11\n", "5 menu slot-load 0\n", "5 menu slot-load\n",
                           "5 menu autosave\n"}) {
    Write("k", line);
    Result r = RunSaving("--ticks 5 --keys " + Path("k"));
    EXPECT_EQ(r.status, 2) << line << r.out;
  }
}

namespace {

// English words the picture and the questions; the game itself, its state and what the
// runner reports of it, stay exactly as in Japanese.
TEST_F(Runner, EnglishChangesTheWordsAndNothingOfTheGame) {
  Write("k", "850 menu exit\n900 press VK_SPACE\n902 press VK_RIGHT\n");
  const std::string common = "--ticks 903 --answer no --keys " + Path("k");
  Result ja = Run(common + " --state " + Path("ja.json") + " --shot 850:" + Path("ja.png"));
  Result en = Run(common + " --language en --state " + Path("en.json") + " --shot 850:" +
                  Path("en.png"));
  ASSERT_EQ(ja.status, 0) << ja.out;
  ASSERT_EQ(en.status, 0) << en.out;
  EXPECT_EQ(Read("ja.json"), Read("en.json"));
  EXPECT_NE(Read("ja.png"), Read("en.png")) << "the story is drawn in the same words";
  EXPECT_NE(ja.out.find("msgbox: ゲームの終了 | ゲームを終了してもよろしいでしょうか？"),
            std::string::npos) << ja.out;
  EXPECT_NE(en.out.find("msgbox: Quit | Do you really want to quit the game?"), std::string::npos)
      << en.out;

  Result bad = Run("--language fr");
  EXPECT_EQ(bad.status, 2);
  EXPECT_NE(bad.out.find("--language takes ja or en"), std::string::npos) << bad.out;
}

}  // namespace
