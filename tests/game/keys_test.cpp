// The held-key flags and the menu's key dispatch.
#include <gtest/gtest.h>

#include <vector>

#include "state/window_model.h"
#include "state/state.h"
#include "game/keys.h"
#include "support/test_support.h"

namespace {

class Keys : public ::testing::Test {
 protected:
  void SetUp() override { testsupport::StartProgram(1); }
};

TEST_F(Keys, EveryFlagHasItsKeysAndOtherKeysChangeNothing) {
  G.GameMode = kModeEnding;  // no mode action gets in the way
  const struct {
    uint16_t key;
    int flag;
  } table[] = {{VK_UP, kUp},         {VK_NUMPAD8, kUp},      {VK_RIGHT, kRight},
               {VK_NUMPAD6, kRight}, {VK_DOWN, kDown},       {VK_NUMPAD2, kDown},
               {VK_LEFT, kLeft},     {VK_NUMPAD4, kLeft},    {VK_SHIFT, kShift},
               {VK_ESCAPE, kEsc},    {VK_SPACE, kSpace},     {VK_RETURN, kEnter}};
  for (const auto& row : table) {
    OnKeyDown(row.key);
    for (int f = 0; f < 8; ++f) EXPECT_EQ(G.KeyState[f], f == row.flag ? 1 : 0) << row.key;
    OnKeyUp(row.key);
    for (int f = 0; f < 8; ++f) EXPECT_EQ(G.KeyState[f], 0) << row.key;
  }
  OnKeyDown('A');
  OnKeyDown(VK_F1);
  OnKeyDown(VK_NUMPAD5);
  for (int f = 0; f < 8; ++f) EXPECT_EQ(G.KeyState[f], 0);
  // One key's release clears the flag set by its twin.
  OnKeyDown(VK_UP);
  OnKeyUp(VK_NUMPAD8);
  EXPECT_EQ(G.KeyState[kUp], 0);
}

TEST_F(Keys, MenuPageKeysAndTheirToggles) {
  G.GameMode = kModeMenu;
  G.MenuPage = 0;
  OnKeyDown(VK_F2);
  EXPECT_EQ(G.MenuPage, 1);
  OnKeyDown(VK_F3);
  EXPECT_EQ(G.MenuPage, 2);
  OnKeyDown(VK_F1);
  EXPECT_EQ(G.MenuPage, 0);
  OnKeyDown(VK_NUMPAD5);
  EXPECT_EQ(G.MenuPage, 1);
  OnKeyDown(VK_NUMPAD5);
  EXPECT_EQ(G.MenuPage, 0);
  OnKeyDown(VK_NUMPAD0);
  EXPECT_EQ(G.MenuPage, 2);
  OnKeyDown(VK_NUMPAD0);
  EXPECT_EQ(G.MenuPage, 0);
  OnKeyDown(VK_F2);
  OnKeyDown(VK_NUMPAD0);  // from any page but 0 it goes back to 0
  EXPECT_EQ(G.MenuPage, 0);
}

TEST_F(Keys, LeavingTheMenuClearsTheHeldFlagsButEsc) {
  G.GameMode = kModeMenu;
  G.MenuPage = 1;
  for (uint16_t k : {VK_UP, VK_RIGHT, VK_DOWN, VK_LEFT, VK_SHIFT, VK_SPACE, VK_RETURN})
    OnKeyDown(k);
  ASSERT_EQ(G.GameMode, kModeMenu);
  OnKeyDown(VK_ESCAPE);
  EXPECT_EQ(G.GameMode, kModePlay);
  for (int f = 0; f < 8; ++f) EXPECT_EQ(G.KeyState[f], f == kEsc ? 1 : 0) << f;
}

TEST_F(Keys, TheCKeyLeavesFromEveryPageAndPausesTheTimerOnItemPages) {
  for (int page = 0; page < 3; ++page) {
    G.GameMode = kModeMenu;
    G.MenuPage = static_cast<uint8_t>(page);
    OnKeyDown('C');
    EXPECT_EQ(G.GameMode, kModePlay) << page;
    EXPECT_TRUE(Window.TickTimer.Enabled);
  }
}

TEST_F(Keys, EscapeInPlayOpensTheMenuOnItsLastPage) {
  G.GameMode = kModePlay;
  G.MenuPage = 2;
  OnKeyDown(VK_ESCAPE);
  EXPECT_EQ(G.GameMode, kModeMenu);
  EXPECT_EQ(G.MenuPage, 2);
}

TEST_F(Keys, GameOverTakesOnlyEnterAndTheEndingNothing) {
  G.GameMode = kModeGameOver;
  G.MaxHP = 20;
  G.HP = 0;
  G.Experience = 5;
  G.WorldX = 100;
  G.WorldY = 90;
  for (uint16_t k : std::vector<uint16_t>{VK_SPACE, VK_ESCAPE, VK_UP, 'C', VK_F1}) OnKeyDown(k);
  EXPECT_EQ(G.GameMode, kModeGameOver);
  OnKeyDown(VK_RETURN);
  EXPECT_EQ(G.GameMode, kModeWorld);
  EXPECT_EQ(G.HP, 20);
  EXPECT_EQ(G.Experience, 0);
  EXPECT_EQ(G.HeroX, 100);
  EXPECT_EQ(G.HeroY, 90);
  EXPECT_TRUE(Window.SaveCommand.Enabled && Window.LoadCommand.Enabled);

  G.GameMode = kModeEnding;
  for (uint16_t k : std::vector<uint16_t>{VK_SPACE, VK_ESCAPE, VK_RETURN, 'C'}) OnKeyDown(k);
  EXPECT_EQ(G.GameMode, kModeEnding);
}

TEST_F(Keys, SpaceOnTheWorldMapEnablesTheFileCommandsEvenWithNoEntrance) {
  G.GameMode = kModeWorld;
  G.HeroX = 5;
  G.HeroY = 5;
  Window.SaveCommand.Enabled = Window.LoadCommand.Enabled = false;
  OnKeyDown(VK_SPACE);
  EXPECT_EQ(G.GameMode, kModeWorld);
  EXPECT_TRUE(Window.SaveCommand.Enabled && Window.LoadCommand.Enabled);
}

}  // namespace
