// Mode transitions driven by keys, the tick and the exit command, run on the real game.
#include <gtest/gtest.h>

#include "audio/sound.h"
#include "state/form.h"
#include "game/modes.h"
#include "state/state.h"
#include "game/tick.h"
#include "game/keys.h"
#include "game/main_form.h"
#include "support/test_support.h"

namespace {

class Modes : public ::testing::Test {
 protected:
  void SetUp() override { testsupport::StartProgram(1); }
  void Press(uint16_t key) {
    FormKeyDown(key);
    FormKeyUp(key);
  }
  void Tick() { Timer1Timer(); }
  std::vector<int> Music() const { return audio::MusicCalls(); }
};

TEST_F(Modes, StartUpIsTheTitleWithItsMusicAndCommands) {
  EXPECT_EQ(G.GameMode, kModeTitle);
  EXPECT_EQ(Music(), std::vector<int>({10}));
  EXPECT_FALSE(Form1.K1.Enabled);
  EXPECT_TRUE(Form1.K2.Enabled);
  EXPECT_TRUE(Form1.Timer1.Enabled);
  EXPECT_EQ(Form1.Timer1.Interval, 50);
  EXPECT_TRUE(Form1.N3122161.Checked);
  EXPECT_FALSE(Form1.N6244321.Checked || Form1.N1561081.Checked);
  EXPECT_EQ(G.Facing, 2);
  EXPECT_EQ(G.TickInterval, 50);
  EXPECT_EQ(Form1.Caption, "ミロヴァーン");
  Tick();
  EXPECT_EQ(Form1.Caption, "ﾐﾛｳﾞｧｰﾝ");
  EXPECT_EQ(G.TickCount, 1);
}

TEST_F(Modes, AnyKeyLeavesTheTitleEvenALoneShift) {
  FormKeyDown(VK_SHIFT);
  EXPECT_EQ(G.GameMode, kModeSelect);
  EXPECT_EQ(G.HeroIndex, 0);
  EXPECT_FALSE(Form1.K2.Enabled);
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
    FormKeyDown(arrows[i]);
    EXPECT_EQ(G.HeroIndex, expected[i]);
    EXPECT_EQ(audio::EffectCalls(), std::vector<int>({3})) << i;
    audio::ClearCallLog();
    FormKeyDown(arrows[i]);  // auto-repeat finds the hero already chosen
    EXPECT_TRUE(audio::EffectCalls().empty());
    FormKeyUp(arrows[i]);
  }
  FormKeyDown(VK_NUMPAD8);  // the keypad twin chooses too
  EXPECT_EQ(G.HeroIndex, 3);
}

TEST_F(Modes, EscapeFromSelectionRestartsTheTitle) {
  Press(VK_RETURN);
  for (int i = 0; i < 5; ++i) Tick();
  Press(VK_ESCAPE);
  EXPECT_EQ(G.GameMode, kModeTitle);
  EXPECT_EQ(G.TickCount, 0);
  EXPECT_TRUE(Form1.K2.Enabled);
  EXPECT_EQ(Music().back(), 10);
}

TEST_F(Modes, ConfirmingAHeroStartsANewGameOnTheWorldMap) {
  Press(VK_SPACE);
  FormKeyDown(VK_LEFT);
  Press(VK_RETURN);
  EXPECT_EQ(G.GameMode, kModeWorld);
  EXPECT_EQ(G.HeroIndex, 1);
  EXPECT_EQ(G.HeroX, 182);
  EXPECT_EQ(G.HeroY, 64);
  EXPECT_TRUE(Form1.K1.Enabled);
  EXPECT_TRUE(Form1.K2.Enabled);
  EXPECT_EQ(Music().back(), 11);
}

TEST_F(Modes, ExitAnsweredNoKeepsTheTitleAndYesEndsTheProgram) {
  testsupport::Os().answerYes = false;
  Exit1Click();
  EXPECT_FALSE(Form1.Ended);
  EXPECT_TRUE(Form1.Timer1.Enabled);
  ASSERT_EQ(testsupport::Os().lines.size(), 1u);
  EXPECT_EQ(testsupport::Os().lines[0],
            "msgbox: ゲームの終了 | ゲームを終了してもよろしいでしょうか？");
  testsupport::Os().answerYes = true;
  Exit1Click();
  EXPECT_TRUE(Form1.Ended);
  EXPECT_TRUE(testsupport::Os().quitRequested);
}

TEST_F(Modes, ExitFromTheWorldMapReturnsToTheTitle) {
  Press(VK_SPACE);
  Press(VK_SPACE);
  ASSERT_EQ(G.GameMode, kModeWorld);
  Exit1Click();
  EXPECT_EQ(testsupport::Os().lines.back(),
            "msgbox: ゲームの中断 | タイトル画面に戻ってもよろしいでしょうか？");
  EXPECT_EQ(G.GameMode, kModeTitle);
  EXPECT_FALSE(Form1.K1.Enabled);
  EXPECT_TRUE(Form1.K2.Enabled);
  EXPECT_EQ(Music().back(), 10);
  EXPECT_FALSE(Form1.Ended);
}

TEST_F(Modes, ExitDuringTheEndingDoesNothing) {
  G.GameMode = kModeEnding;
  G.TickCount = 500;
  Exit1Click();
  EXPECT_TRUE(testsupport::Os().lines.empty());
  EXPECT_EQ(G.GameMode, kModeEnding);
  EXPECT_TRUE(Form1.Timer1.Enabled);
}

TEST_F(Modes, TheEndingReturnsToTheBareWorldMapAt1600) {
  G.GameMode = kModeEnding;
  G.TickCount = 1599;
  G.WorldX = 40;
  G.WorldY = 50;
  G.MaxHP = 30;
  G.HP = 3;
  Form1.K1.Enabled = Form1.K2.Enabled = false;
  Tick();
  EXPECT_EQ(G.GameMode, kModeEnding);
  Tick();
  EXPECT_EQ(G.GameMode, kModeWorld);
  EXPECT_EQ(G.HP, 30);
  EXPECT_EQ(G.HeroX, 40);
  EXPECT_EQ(G.HeroY, 50);
  EXPECT_TRUE(Form1.K1.Enabled && Form1.K2.Enabled);
  EXPECT_EQ(Music().back(), 11);
  // That tick's frame is the map picture itself: no hero, no entrances.
  gfx::TImage map;
  map.LoadFromFile(AppDir + "mainmap.bmp");
  for (int y = 0; y < 216; y += 7)
    for (int x = 0; x < 312; x += 7)
      ASSERT_EQ(Form1.Image1.Picture.Pixel(x, y), map.Picture.Pixel(x, y)) << x << "," << y;
}

TEST_F(Modes, TheViewSizeCommandsKeepOneCheckMark) {
  N1561081Click();
  N1561081Click();
  EXPECT_TRUE(Form1.N1561081.Checked);
  EXPECT_FALSE(Form1.N6244321.Checked || Form1.N3122161.Checked);
  EXPECT_EQ(Form1.ClientWidth, 156);
  EXPECT_EQ(Form1.ClientHeight, 108);
  N6244321Click();
  EXPECT_TRUE(Form1.N6244321.Checked);
  EXPECT_FALSE(Form1.N1561081.Checked || Form1.N3122161.Checked);
  EXPECT_EQ(Form1.ClientWidth, 624);
  FormResize(500, 300);
  EXPECT_TRUE(Form1.N6244321.Checked);  // dragging changes no check mark
}

}  // namespace

namespace {

TEST(EndingPastItsLength, ReturnsToTheWorldMapInsteadOfStayingForever) {
  // A game loaded into the ending while the title's count stood at 1800.
  testsupport::StartProgram(1);
  G.GameMode = kModeEnding;
  G.TickCount = 1800;
  Timer1Timer();
  EXPECT_EQ(G.GameMode, kModeWorld);
  EXPECT_TRUE(Form1.K1.Enabled && Form1.K2.Enabled);
}

}  // namespace
