// The File menu's save and load commands: their dialogs, the game timer around them, and
// what a load rebuilds in each mode.
#include <gtest/gtest.h>

#include "audio/sound.h"
#include "gfx/bitmap.h"
#include "persist_fixture.h"

namespace {

using namespace persisttest;

const gfx::Color kSentinel = gfx::Rgb(255, 0, 255);

class SaveLoadCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetGame();
    AppDir = content_.Dir();
    persist::ResetDialogFileNames();
    MakeWorldMapGame();
    G.MusicOn = 0;  // no music file is touched
    Window.SaveCommand.Enabled = true;
    Window.LoadCommand.Enabled = true;
    Window.TickTimer.Enabled = true;
    Window.FloorPicture.Picture.Resize(1440, 1440, kSentinel);
  }
  void TearDown() override { persist::SetFileIoForTesting(nullptr); }

  // Saves the current game in the given mode to a file, then puts a different game in place.
  std::string SavedGameInMode(int mode, const std::string& name) {
    G.GameMode = mode;
    std::string path = dir_.File(name);
    EXPECT_TRUE(SaveGameFile(path));
    G.GameMode = kModeTitle;
    G.HeroIndex = 3;
    G.Gold = 1;
    G.DungeonIndex = 0;
    Window.SaveCommand.Enabled = false;
    return path;
  }

  const std::string& LastLine() const { return testsupport::Os().lines.back(); }

  ContentDir content_{2};
  ScratchDir dir_;
};

TEST_F(SaveLoadCommands, SaveUsesItsDialogAndStopsTheGameMeanwhile) {
  testsupport::Os().saveAnswers.push_back(dir_.File("one.sav"));
  persist::FileIo io;
  bool timerDuringWrite = true;
  io.write = [&](int fd, const void* data, size_t size) -> long {
    timerDuringWrite = Window.TickTimer.Enabled;
    return ::write(fd, data, size);
  };
  persist::SetFileIoForTesting(&io);
  OnSaveCommand();
  EXPECT_FALSE(timerDuringWrite);
  EXPECT_TRUE(Window.TickTimer.Enabled);
  ASSERT_EQ(testsupport::Os().dialogsShown.size(), 1u);
  const platform::FileDialogRequest& request = testsupport::Os().dialogsShown[0];
  EXPECT_EQ(request.Title, "ｹﾞｰﾑﾃﾞｰﾀの保存");
  EXPECT_EQ(request.FilterName, "ｹﾞｰﾑﾌｧｲﾙ (*.sav)");
  EXPECT_EQ(request.FilterPattern, "*.sav");
  EXPECT_EQ(request.DefaultExt, "sav");
  EXPECT_EQ(request.FileName, "*.sav");
  EXPECT_EQ(FirstDifference(ReadBytes(dir_.File("one.sav")), BuildSaveRecord()), "");
}

TEST_F(SaveLoadCommands, EachDialogProposesTheOtherOnesLastFile) {
  testsupport::Os().saveAnswers.push_back(dir_.File("one.sav"));
  OnSaveCommand();
  testsupport::Os().openAnswers.push_back(std::nullopt);
  OnLoadCommand();
  const auto& shown = testsupport::Os().dialogsShown;
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[1].Title, "ｹﾞｰﾑﾃﾞｰﾀの読み込み");
  EXPECT_EQ(shown[1].FilterName, "ｹﾞ-ﾑﾃﾞｰﾀ (*.sav)");
  EXPECT_EQ(shown[1].DefaultExt, "sav");
  EXPECT_EQ(shown[1].FileName, dir_.File("one.sav"));

  std::string two = SavedGameInMode(kModeWorld, "two.sav");
  testsupport::Os().openAnswers.push_back(two);
  OnLoadCommand();
  testsupport::Os().saveAnswers.push_back(std::nullopt);
  Window.SaveCommand.Enabled = true;
  OnSaveCommand();
  EXPECT_EQ(shown.back().FileName, two);
}

TEST_F(SaveLoadCommands, CancelledDialogsChangeNothingButRestartTheTimer) {
  std::vector<uint8_t> before = StateBytes();
  OnSaveCommand();
  EXPECT_TRUE(Window.TickTimer.Enabled);
  OnLoadCommand();
  EXPECT_TRUE(Window.TickTimer.Enabled);
  EXPECT_EQ(StateDifference(StateBytes(), before), "");
  EXPECT_EQ(testsupport::Os().dialogsShown.size(), 2u);
  EXPECT_TRUE(dir_.Names().empty());
}

TEST_F(SaveLoadCommands, DisabledMenuItemsDoNothing) {
  Window.SaveCommand.Enabled = false;
  Window.LoadCommand.Enabled = false;
  Window.TickTimer.Enabled = true;
  testsupport::Os().saveAnswers.push_back(dir_.File("one.sav"));
  testsupport::Os().openAnswers.push_back(dir_.File("one.sav"));
  OnSaveCommand();
  OnLoadCommand();
  EXPECT_TRUE(testsupport::Os().dialogsShown.empty());
  EXPECT_TRUE(dir_.Names().empty());
  EXPECT_TRUE(Window.TickTimer.Enabled);
}

TEST_F(SaveLoadCommands, FailedLoadRestartsTheTimer) {
  testsupport::Os().openAnswers.push_back(dir_.File("missing.sav"));
  OnLoadCommand();
  EXPECT_TRUE(Window.TickTimer.Enabled);
  EXPECT_NE(LastLine().find("ゲームデータを読み込めません："), std::string::npos) << LastLine();
}

TEST_F(SaveLoadCommands, LoadOnTheWorldMapReadsNoDungeon) {
  std::vector<uint8_t> dungeonBefore(sizeof G.DungeonImage);
  std::memcpy(dungeonBefore.data(), G.DungeonImage, dungeonBefore.size());
  std::string path = SavedGameInMode(kModeWorld, "world.sav");
  ASSERT_TRUE(LoadGameFile(path)) << LastLine();
  EXPECT_EQ(G.GameMode, kModeWorld);
  EXPECT_EQ(G.HeroIndex, 1);
  EXPECT_EQ(G.DungeonIndex, 2);
  EXPECT_EQ(0, std::memcmp(dungeonBefore.data(), G.DungeonImage, dungeonBefore.size()));
  EXPECT_EQ(Window.FloorPicture.Picture.Pixel(700, 700), kSentinel);
  EXPECT_EQ(Window.Backdrop.Picture.Pixel(10, 10), gfx::Rgb(30, 90, 10));  // mainmap.bmp
  EXPECT_TRUE(Window.SaveCommand.Enabled);
  EXPECT_TRUE(Window.LoadCommand.Enabled);
}

TEST_F(SaveLoadCommands, LoadInADungeonRereadsTheFloorAndShowsTheView) {
  G.HeroX = 600;
  G.HeroY = 500;
  std::string path = SavedGameInMode(kModePlay, "play.sav");
  ASSERT_TRUE(LoadGameFile(path)) << LastLine();
  EXPECT_EQ(G.GameMode, kModePlay);
  EXPECT_EQ(0, std::memcmp(content_.DungeonBytes().data(), G.DungeonImage,
                           content_.DungeonBytes().size()));
  EXPECT_EQ(0, std::memcmp(G.DungeonImage, G.Floors, sizeof G.Floors));
  EXPECT_NE(Window.FloorPicture.Picture.Pixel(700, 700), kSentinel) << "floor not drawn";
  // The view around the hero is in Frame and in Backdrop.
  for (auto [x, y] : {std::pair{0, 0}, {311, 215}, {144, 96}})
    EXPECT_EQ(Window.Frame.Picture.Pixel(x, y), Window.FloorPicture.Picture.Pixel(600 - 144 + x, 500 - 96 + y));
  EXPECT_EQ(Window.Backdrop.Picture, Window.Frame.Picture);
  EXPECT_TRUE(Window.SaveCommand.Enabled);
}

TEST_F(SaveLoadCommands, LoadOnTheMenuKeepsThePageAndDrawsTheFloorBehind) {
  G.MenuPage = 2;
  std::string path = SavedGameInMode(kModeMenu, "menu.sav");
  G.MenuPage = 0;
  ASSERT_TRUE(LoadGameFile(path)) << LastLine();
  EXPECT_EQ(G.GameMode, kModeMenu);
  EXPECT_EQ(G.MenuPage, 2);
  EXPECT_NE(Window.FloorPicture.Picture.Pixel(700, 700), kSentinel);
  EXPECT_EQ(Window.Backdrop.Picture.Pixel(10, 10), gfx::Rgb(10, 20, 30));  // waku.bmp
}

TEST_F(SaveLoadCommands, LoadFromTheTitleGoesStraightIntoTheSavedMode) {
  std::string path = SavedGameInMode(kModeWorld, "world.sav");
  Window.SaveCommand.Enabled = false;
  ASSERT_TRUE(LoadGameFile(path));
  EXPECT_EQ(G.GameMode, kModeWorld);
  EXPECT_TRUE(Window.SaveCommand.Enabled);

  // A record in the title mode rebuilds nothing and enables nothing.
  std::string title = SavedGameInMode(kModeTitle, "title.sav");
  gfx::Bitmap backdrop = Window.Backdrop.Picture;
  ASSERT_TRUE(LoadGameFile(title));
  EXPECT_EQ(G.GameMode, kModeTitle);
  EXPECT_FALSE(Window.SaveCommand.Enabled);
  EXPECT_EQ(Window.Backdrop.Picture, backdrop);
}

TEST_F(SaveLoadCommands, MissingDungeonFileKeepsTheGameAsBeforeTheLoad) {
  std::string path = SavedGameInMode(kModePlay, "play.sav");
  std::filesystem::remove(content_.File("M_2.mpt"));
  G.GameMode = kModeWorld;
  Window.SaveCommand.Enabled = true;
  std::vector<uint8_t> before = StateBytes();
  gfx::Bitmap backdrop = Window.Backdrop.Picture;
  EXPECT_FALSE(LoadGameFile(path));
  EXPECT_EQ(StateDifference(StateBytes(), before), "");
  EXPECT_EQ(Window.Backdrop.Picture, backdrop);
  EXPECT_EQ(Window.FloorPicture.Picture.Pixel(700, 700), kSentinel);
  EXPECT_TRUE(Window.SaveCommand.Enabled);
  EXPECT_NE(LastLine().find("ロードの前のまま"), std::string::npos) << LastLine();
}

TEST_F(SaveLoadCommands, LoadRestoresTheOptionsAndTheMusic) {
  G.MusicOn = 0;
  G.EffectsOn = 0;
  G.TickInterval = 80;
  G.MusicTrack = 3;
  std::string path = SavedGameInMode(kModeWorld, "options.sav");
  G.MusicOn = 1;
  G.EffectsOn = 1;
  G.TickInterval = 50;
  Window.TickTimer.Interval = 50;
  audio::ClearCallLog();
  ASSERT_TRUE(LoadGameFile(path));
  EXPECT_EQ(G.MusicOn, 0);
  EXPECT_EQ(G.EffectsOn, 0);
  EXPECT_EQ(Window.TickTimer.Interval, 80);
  ASSERT_EQ(audio::MusicCalls().size(), 1u);
  EXPECT_EQ(audio::MusicCalls().back(), 3);
}

}  // namespace
