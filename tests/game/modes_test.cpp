// Mode transitions driven by keys, the tick and the exit command, run on the real game.
#include <gtest/gtest.h>

#include "audio/sound.h"
#include "state/window_model.h"
#include "game/modes.h"
#include "state/state.h"
#include "game/tick.h"
#include "game/keys.h"
#include "game/window_handlers.h"
#include "support/test_support.h"

namespace {

class Modes : public ::testing::Test {
 protected:
  void SetUp() override { testsupport::StartProgram(1); }
  void Press(uint16_t key) {
    OnKeyDown(key);
    OnKeyUp(key);
  }
  void Tick() { OnTickTimer(); }
  std::vector<int> Music() const { return audio::MusicCalls(); }
};

TEST_F(Modes, StartUpIsTheTitleWithItsMusicAndCommands) {
  EXPECT_EQ(G.GameMode, kModeTitle);
  EXPECT_EQ(Music(), std::vector<int>({10}));
  EXPECT_FALSE(Window.SaveCommand.Enabled);
  EXPECT_TRUE(Window.LoadCommand.Enabled);
  EXPECT_TRUE(Window.TickTimer.Enabled);
  EXPECT_EQ(Window.TickTimer.Interval, 50);
  EXPECT_TRUE(Window.View312Command.Checked);
  EXPECT_FALSE(Window.View624Command.Checked || Window.View156Command.Checked);
  EXPECT_EQ(G.Facing, 2);
  EXPECT_EQ(G.TickInterval, 50);
  EXPECT_EQ(Window.Caption, "ミロヴァーン");
  Tick();
  EXPECT_EQ(Window.Caption, "ﾐﾛｳﾞｧｰﾝ");
  EXPECT_EQ(G.TickCount, 1);
}

TEST_F(Modes, AnyKeyLeavesTheTitleEvenALoneShift) {
  OnKeyDown(VK_SHIFT);
  EXPECT_EQ(G.GameMode, kModeSelect);
  EXPECT_EQ(G.HeroIndex, 0);
  EXPECT_FALSE(Window.LoadCommand.Enabled);
  EXPECT_EQ(Music(), std::vector<int>({10, 0}));
  EXPECT_EQ(G.KeyState[kShift], 1);  // the flag is still kept
}

TEST_F(Modes, SelectionArrowsChooseHeroesAndRepeatsDoNothing) {
  Press(VK_SPACE);
  ASSERT_EQ(G.GameMode, kModeSelect);
  const int expected[4] = {3, 2, 0, 1};
  const uint16_t arrows[4] = {VK_UP, VK_RIGHT, VK_DOWN, VK_LEFT};
  for (int i = 0; i < 4; ++i) {
    audio::ClearCallLog();
    OnKeyDown(arrows[i]);
    EXPECT_EQ(G.HeroIndex, expected[i]);
    EXPECT_EQ(audio::EffectCalls(), std::vector<int>({3})) << i;
    audio::ClearCallLog();
    OnKeyDown(arrows[i]);  // auto-repeat finds the hero already chosen
    EXPECT_TRUE(audio::EffectCalls().empty());
    OnKeyUp(arrows[i]);
  }
  OnKeyDown(VK_NUMPAD8);  // the keypad twin chooses too
  EXPECT_EQ(G.HeroIndex, 3);
}

TEST_F(Modes, EscapeFromSelectionRestartsTheTitle) {
  Press(VK_RETURN);
  for (int i = 0; i < 5; ++i) Tick();
  Press(VK_ESCAPE);
  EXPECT_EQ(G.GameMode, kModeTitle);
  EXPECT_EQ(G.TickCount, 0);
  EXPECT_TRUE(Window.LoadCommand.Enabled);
  EXPECT_EQ(Music().back(), 10);
}

TEST_F(Modes, ConfirmingAHeroStartsANewGameOnTheWorldMap) {
  Press(VK_SPACE);
  OnKeyDown(VK_LEFT);
  Press(VK_RETURN);
  EXPECT_EQ(G.GameMode, kModeWorld);
  EXPECT_EQ(G.HeroIndex, 1);
  EXPECT_EQ(G.HeroX, 182);
  EXPECT_EQ(G.HeroY, 64);
  EXPECT_TRUE(Window.SaveCommand.Enabled);
  EXPECT_TRUE(Window.LoadCommand.Enabled);
  EXPECT_EQ(Music().back(), 11);
}

TEST_F(Modes, ExitAnsweredNoKeepsTheTitleAndYesEndsTheProgram) {
  testsupport::Os().answerYes = false;
  OnExitCommand();
  EXPECT_FALSE(Window.Ended);
  EXPECT_TRUE(Window.TickTimer.Enabled);
  ASSERT_EQ(testsupport::Os().lines.size(), 1u);
  EXPECT_EQ(testsupport::Os().lines[0],
            "msgbox: ゲームの終了 | ゲームを終了してもよろしいでしょうか？");
  testsupport::Os().answerYes = true;
  OnExitCommand();
  EXPECT_TRUE(Window.Ended);
  EXPECT_TRUE(testsupport::Os().quitRequested);
}

TEST_F(Modes, ExitFromTheWorldMapReturnsToTheTitle) {
  Press(VK_SPACE);
  Press(VK_SPACE);
  ASSERT_EQ(G.GameMode, kModeWorld);
  OnExitCommand();
  EXPECT_EQ(testsupport::Os().lines.back(),
            "msgbox: ゲームの中断 | タイトル画面に戻ってもよろしいでしょうか？");
  EXPECT_EQ(G.GameMode, kModeTitle);
  EXPECT_FALSE(Window.SaveCommand.Enabled);
  EXPECT_TRUE(Window.LoadCommand.Enabled);
  EXPECT_EQ(Music().back(), 10);
  EXPECT_FALSE(Window.Ended);
}

TEST_F(Modes, ExitDuringTheEndingDoesNothing) {
  G.GameMode = kModeEnding;
  G.TickCount = 500;
  OnExitCommand();
  EXPECT_TRUE(testsupport::Os().lines.empty());
  EXPECT_EQ(G.GameMode, kModeEnding);
  EXPECT_TRUE(Window.TickTimer.Enabled);
}

TEST_F(Modes, TheEndingReturnsToTheBareWorldMapAt1600) {
  G.GameMode = kModeEnding;
  G.TickCount = 1599;
  G.WorldX = 40;
  G.WorldY = 50;
  G.MaxHP = 30;
  G.HP = 3;
  Window.SaveCommand.Enabled = Window.LoadCommand.Enabled = false;
  Tick();
  EXPECT_EQ(G.GameMode, kModeEnding);
  Tick();
  EXPECT_EQ(G.GameMode, kModeWorld);
  EXPECT_EQ(G.HP, 30);
  EXPECT_EQ(G.HeroX, 40);
  EXPECT_EQ(G.HeroY, 50);
  EXPECT_TRUE(Window.SaveCommand.Enabled && Window.LoadCommand.Enabled);
  EXPECT_EQ(Music().back(), 11);
  // That tick's frame is the map picture itself: no hero, no entrances.
  gfx::TImage map;
  map.LoadFromFile(AppDir + "mainmap.bmp");
  for (int y = 0; y < 216; y += 7)
    for (int x = 0; x < 312; x += 7)
      ASSERT_EQ(Window.ShownFrame.Picture.Pixel(x, y), map.Picture.Pixel(x, y)) << x << "," << y;
}

TEST_F(Modes, TheViewSizeCommandsKeepOneCheckMark) {
  OnView156Command();
  OnView156Command();
  EXPECT_TRUE(Window.View156Command.Checked);
  EXPECT_FALSE(Window.View624Command.Checked || Window.View312Command.Checked);
  EXPECT_EQ(Window.ClientWidth, 156);
  EXPECT_EQ(Window.ClientHeight, 108);
  OnView624Command();
  EXPECT_TRUE(Window.View624Command.Checked);
  EXPECT_FALSE(Window.View156Command.Checked || Window.View312Command.Checked);
  EXPECT_EQ(Window.ClientWidth, 624);
  OnWindowResize(500, 300);
  EXPECT_TRUE(Window.View624Command.Checked);  // dragging changes no check mark
}

}  // namespace

namespace {

TEST(EndingPastItsLength, ReturnsToTheWorldMapInsteadOfStayingForever) {
  // A game loaded into the ending while the title's count stood at 1800.
  testsupport::StartProgram(1);
  G.GameMode = kModeEnding;
  G.TickCount = 1800;
  OnTickTimer();
  EXPECT_EQ(G.GameMode, kModeWorld);
  EXPECT_TRUE(Window.SaveCommand.Enabled && Window.LoadCommand.Enabled);
}

}  // namespace
