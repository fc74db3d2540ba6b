// The game's own saves: the files beside a save, the autosave's rotation, damaged slots and
// side files, and the question before a quickload throws progress away.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "persist/record_fields.h"
#include "persist/save.h"
#include "shell/feed.h"
#include "shell/own_saves.h"
#include "shell/play_clock.h"
#include "shell/save_info.h"
#include "state/state.h"
#include "state/window_model.h"
#include "support/test_support.h"

namespace fs = std::filesystem;

namespace {

const std::string kWorldSave =
    std::string(MIROVAAN_SOURCE_DIR) + "/tests/replay/corpus/sources/world-d1.sav";

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteAll(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

long long GoldIn(const fs::path& save) {
  const std::string bytes = ReadAll(save);
  auto place = persist::FindField("Gold");
  return persist::ReadElement(reinterpret_cast<const uint8_t*>(bytes.data()) + place->offset,
                              *place->field, 0);
}

class OwnSaves : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("mirovaan-own-saves-" + std::string(::testing::UnitTest::GetInstance()
                                                       ->current_test_info()->name()));
    fs::remove_all(folder_);
    const char* old = std::getenv("XDG_DATA_HOME");
    oldData_ = old ? old : "";
    hadData_ = old != nullptr;
    setenv("XDG_DATA_HOME", folder_.c_str(), 1);
    testsupport::ResetGame();
    ASSERT_TRUE(LoadGameFile(kWorldSave));  // a game on the world map
    testsupport::Os().lines.clear();
  }
  void TearDown() override {
    hadData_ ? setenv("XDG_DATA_HOME", oldData_.c_str(), 1) : unsetenv("XDG_DATA_HOME");
    fs::remove_all(folder_);
  }
  fs::path Saves() const { return folder_ / "mirovaan" / "saves"; }
  std::vector<std::string>& Lines() { return testsupport::Os().lines; }

  fs::path folder_;
  std::string oldData_;
  bool hadData_ = false;
};

TEST(SideInfo, ReadsBackWhatItWritesAndNothingElse) {
  saves::SideInfo info{3723000, "2026-12-08 19:30"};
  auto back = saves::ParseSideInfo(saves::SideInfoText(info));
  ASSERT_TRUE(back);
  EXPECT_EQ(back->PlayMs, 3723000);
  EXPECT_EQ(back->SavedAt, "2026-12-08 19:30");
  for (const char* damaged : {
           "", "\x89PNG\r\n", "mirovaan-save-info 2\nplaytime-ms 5\nsaved x\n",
           "mirovaan-save-info 1\nplaytime-ms -5\nsaved x\n",
           "mirovaan-save-info 1\nplaytime-ms 99999999999999999\nsaved x\n",
           "mirovaan-save-info 1\nplaytime-ms 12x\nsaved x\n",
           "mirovaan-save-info 1\nplaytime-ms 12\n",
           "mirovaan-save-info 1\nplaytime-ms 12\nsaved \x1b[2J\n"}) {
    EXPECT_FALSE(saves::ParseSideInfo(damaged)) << damaged;
  }
}

TEST(Autosave, OnlyOnTheWayIntoADungeonAndBackOut) {
  EXPECT_TRUE(ownsaves::AutosaveDue(kModeWorld, kModePlay));
  EXPECT_TRUE(ownsaves::AutosaveDue(kModePlay, kModeWorld));
  EXPECT_TRUE(ownsaves::AutosaveDue(kModeMenu, kModeWorld));  // the escape item
  EXPECT_FALSE(ownsaves::AutosaveDue(kModeEnding, kModeWorld));
  EXPECT_FALSE(ownsaves::AutosaveDue(kModeSelect, kModeWorld));
  EXPECT_FALSE(ownsaves::AutosaveDue(kModePlay, kModeGameOver));
  EXPECT_FALSE(ownsaves::AutosaveDue(kModePlay, kModeEnding));
  EXPECT_FALSE(ownsaves::AutosaveDue(kModePlay, kModeMenu));
}

TEST_F(OwnSaves, AutosaveKeepsTheTwoBeforeWithTheirSideFiles) {
  for (int gold = 1; gold <= 4; ++gold) {
    G.Gold = gold;
    playclock::Set(gold * 1000);
    ownsaves::OnAutosave();
  }
  EXPECT_EQ(GoldIn(Saves() / "autosave-1.sav"), 4);
  EXPECT_EQ(GoldIn(Saves() / "autosave-2.sav"), 3);
  EXPECT_EQ(GoldIn(Saves() / "autosave-3.sav"), 2);
  EXPECT_FALSE(fs::exists(Saves() / "autosave-4.sav"));
  EXPECT_EQ(saves::ReadSideInfo((Saves() / "autosave-2.sav").string())->PlayMs, 3000);
  EXPECT_TRUE(fs::exists(Saves() / "autosave-3.png"));
  // A picture the moved save lacks does not stay behind to stand beside it.
  fs::remove(Saves() / "autosave-1.png");
  ownsaves::OnAutosave();
  EXPECT_EQ(GoldIn(Saves() / "autosave-2.sav"), 4);
  EXPECT_FALSE(fs::exists(Saves() / "autosave-2.png"));
  EXPECT_TRUE(fs::exists(Saves() / "autosave-2.info"));
}

TEST_F(OwnSaves, NothingIsWrittenWhileNoGameRuns) {
  EnableFileCommands(false, true);  // the title screen
  ownsaves::OnQuickSave();
  ownsaves::OnSlotSave(1);
  ownsaves::OnAutosave();
  EXPECT_FALSE(fs::exists(Saves()));
  EXPECT_TRUE(Lines().empty());
}

TEST_F(OwnSaves, QuickloadAsksOnlyWhenTheGameChanged) {
  ownsaves::OnQuickSave();
  ASSERT_TRUE(fs::exists(Saves() / "quick.sav"));
  testsupport::Os().answerYes = false;
  // Nothing happened since: no question, the load goes ahead.
  ownsaves::OnQuickLoad();
  ASSERT_EQ(Lines().back(), "notice: クイックロードしました");
  EXPECT_EQ(Lines().size(), 2u);
  // Gold found since: the question, and No keeps it.
  G.Gold += 50;
  const int gold = G.Gold;
  ownsaves::OnQuickLoad();
  EXPECT_EQ(Lines().back().rfind("msgbox: ロードしますよ！", 0), 0u) << Lines().back();
  EXPECT_EQ(G.Gold, gold);
  testsupport::Os().answerYes = true;
  ownsaves::OnQuickLoad();
  EXPECT_EQ(G.Gold, gold - 50);
}

TEST_F(OwnSaves, AMissingQuicksaveOrEmptySlotSaysSo) {
  const int gold = G.Gold;
  ownsaves::OnQuickLoad();
  ownsaves::OnSlotLoad(4);
  ASSERT_EQ(Lines().size(), 2u);
  EXPECT_EQ(Lines()[0], "notice: クイックセーブのデータがありません");
  EXPECT_EQ(Lines()[1], "notice: スロット4 は空です");
  EXPECT_EQ(G.Gold, gold);
}

TEST_F(OwnSaves, ASlotWithDamagedSideFilesStillLoads) {
  playclock::Set(65000);
  ownsaves::OnSlotSave(1);
  saves::Summary saved = saves::Summarize((Saves() / "slot-01.sav").string());
  ASSERT_EQ(saved.Kind, saves::Summary::State::Ready);
  EXPECT_EQ(saved.PlayMs, 65000);
  EXPECT_EQ(saved.Level, G.Level);
  EXPECT_FALSE(saved.Picture.empty());

  WriteAll(Saves() / "slot-01.info", "mirovaan-save-info 1\nplaytime-ms banana\n");
  WriteAll(Saves() / "slot-01.png", "not a picture");
  saves::Summary damaged = saves::Summarize((Saves() / "slot-01.sav").string());
  EXPECT_EQ(damaged.Kind, saves::Summary::State::Ready);
  EXPECT_FALSE(damaged.PlayMs);
  EXPECT_FALSE(damaged.SavedAt.empty());  // the file's own time instead
  G.Gold += 7;
  playclock::Set(99000);
  ownsaves::OnSlotLoad(1);
  EXPECT_EQ(Lines().back(), "notice: スロット1 をロードしました");
  EXPECT_EQ(playclock::Milliseconds(), 0);  // unknown, so counted afresh
}

TEST_F(OwnSaves, ADamagedSlotShowsAsDamagedAndLoadsNothing) {
  fs::create_directories(Saves());
  WriteAll(Saves() / "slot-02.sav", std::string(100, 'x'));
  std::string record = ReadAll(kWorldSave);
  record[persist::FindField("GameMode")->offset] = 9;  // no such mode
  WriteAll(Saves() / "slot-03.sav", record);
  EXPECT_EQ(saves::Summarize((Saves() / "slot-02.sav").string()).Kind,
            saves::Summary::State::Damaged);
  saves::Summary refused = saves::Summarize((Saves() / "slot-03.sav").string());
  EXPECT_EQ(refused.Kind, saves::Summary::State::Damaged);
  EXPECT_NE(refused.Problem.find("GameMode"), std::string::npos) << refused.Problem;

  const std::vector<uint8_t> before = BuildSaveRecord();
  ownsaves::OnSlotLoad(2);
  ownsaves::OnSlotLoad(3);
  EXPECT_EQ(BuildSaveRecord(), before);
  ASSERT_EQ(Lines().size(), 2u);
  for (const std::string& line : Lines()) EXPECT_EQ(line.rfind("msgbox: ", 0), 0u) << line;
}

TEST_F(OwnSaves, ASaveThatCannotBeWrittenSaysWhy) {
  fs::create_directories(folder_ / "mirovaan");
  WriteAll(Saves(), "a file where the folder should be");
  ownsaves::OnQuickSave();
  ASSERT_EQ(Lines().size(), 1u);
  EXPECT_EQ(Lines()[0].rfind("notice: セーブできませんでした：", 0), 0u) << Lines()[0];
}

TEST_F(OwnSaves, TheAutosaveGoesThroughTheDoorOnlyWhenItIsOn) {
  struct Heard : feed::Listener {
    std::vector<std::string> commands;
    void OnKey(bool, uint16_t) override {}
    void OnCommand(feed::Command c, int slot) override {
      commands.push_back(std::string(feed::NameOf(c)) + " " + std::to_string(slot));
    }
    void AfterTick() override {}
  } heard;
  feed::SetListener(&heard);
  G.GameMode = kModeWorld;
  feed::SetAutosave(false);
  feed::Tick();
  feed::RunSlot(feed::Command::SlotSave, 5);
  feed::SetListener(nullptr);
  ASSERT_EQ(heard.commands.size(), 1u);
  EXPECT_EQ(heard.commands[0], "slot-save 5");
  EXPECT_FALSE(fs::exists(Saves() / "autosave-1.sav"));
  EXPECT_TRUE(fs::exists(Saves() / "slot-05.sav"));
}

}  // namespace
