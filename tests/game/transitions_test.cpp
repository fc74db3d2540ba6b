// Screen changes that read files: entering a dungeon, the stair out, the return after game
// over and after the ending. Each completes or leaves the whole game as it was, with one
// message, and a failure that the next tick would repeat waits for the player.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "audio/sound.h"
#include "state/window_model.h"
#include "game/modes.h"
#include "state/state.h"
#include "persist/save.h"
#include "world/play_helpers.h"
#include "game/keys.h"
#include "game/window_handlers.h"
#include "support/test_support.h"
#include "modes/mode_changes.h"

namespace {

namespace fs = std::filesystem;

class Transitions : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const auto& entry : fs::directory_iterator(testsupport::DataDir()))
      if (entry.is_regular_file()) fs::copy_file(entry.path(), content_.Slash() + entry.path().filename().string());
    testsupport::StartProgram(7);
    AppDir = content_.Slash();
    Press(VK_RETURN);  // title
    Press(VK_RETURN);  // the first hero
    ASSERT_EQ(G.GameMode, kModeWorld);
    G.MaxHP = G.HP = 9999;
    G.Defence = 999;
    testsupport::Os().lines.clear();
  }

  void Press(uint16_t key) {
    RunHandler([key] { OnKeyDown(key); });
    RunHandler([key] { OnKeyUp(key); });
  }
  void Tick() { RunHandler(OnTickTimer); }
  size_t Messages() const { return testsupport::Os().lines.size(); }
  void Hide(const std::string& name) {
    fs::rename(content_.Slash() + name, content_.Slash() + name + ".away");
  }
  void Bring(const std::string& name) {
    fs::rename(content_.Slash() + name + ".away", content_.Slash() + name);
  }

  // The hero in front of the first dungeon's entrance, then Enter.
  void EnterFirstDungeon() {
    G.HeroX = 142;
    G.HeroY = 75;
    Press(VK_RETURN);
  }

  // Puts the hero on a stair of the current floor that leads out of the dungeon (down from
  // the first floor) or up.
  bool StandOnExitStair() { return StandOnStair(24, 38); }
  bool StandOnStair(int a, int b) {
    const FloorRecord& floor = G.Floors[G.FloorIndex];
    for (int c = 0; c < kFloorTiles; ++c)
      for (int r = 0; r < kFloorTiles; ++r) {
        int t = floor.TileAt(c, r);
        if (t == a || t == b) {
          G.HeroX = c * 24;
          G.HeroY = r * 24;
          return true;
        }
      }
    return false;
  }

  struct Picture {
    std::vector<uint8_t> state;
    bool k1, k2;
    gfx::Bitmap buf, backdrop;
    std::vector<int> music;
  };
  static Picture Now() {
    std::vector<uint8_t> state(sizeof(GameState));
    std::memcpy(state.data(), &G, sizeof(GameState));
    return Picture{state, Window.SaveCommand.Enabled, Window.LoadCommand.Enabled, Window.FloorPicture.Picture,
                   Window.Backdrop.Picture, audio::MusicCalls()};
  }
  static void ExpectSame(const Picture& a, const Picture& b) {
    EXPECT_TRUE(a.state == b.state);
    EXPECT_EQ(a.k1, b.k1);
    EXPECT_EQ(a.k2, b.k2);
    EXPECT_TRUE(a.buf == b.buf);
    EXPECT_TRUE(a.backdrop == b.backdrop);
    EXPECT_EQ(a.music, b.music);  // not even the world map's track was started
  }

  playtest::ScratchDir content_{"transitions"};
};

TEST_F(Transitions, AMissingDungeonFileOrSheetKeepsTheHeroOnTheWorldMap) {
  for (const char* name : {"M_0.mpt", "c_r0.bmp", "c_boss0.bmp"}) {
    SCOPED_TRACE(name);
    G.DungeonIndex = 3;  // another dungeon's, which a failed sheet must not replace
    G.HeroX = 142;
    G.HeroY = 75;
    Hide(name);
    const Picture before = Now();
    const size_t shown = Messages();
    Press(VK_RETURN);
    EXPECT_EQ(Messages(), shown + 1);
    ExpectSame(before, Now());
    Bring(name);
  }
  EnterFirstDungeon();
  EXPECT_EQ(G.GameMode, kModePlay);
  EXPECT_EQ(G.DungeonIndex, 0);
}

TEST_F(Transitions, AnExitStairWithoutWorldMapAsksOnceUntilTheHeroStepsOffAndOn) {
  EnterFirstDungeon();
  ASSERT_EQ(G.GameMode, kModePlay);
  ASSERT_TRUE(StandOnExitStair());
  const int stairX = G.HeroX, stairY = G.HeroY;
  G.StairLatch = 0;
  Hide("mainmap.bmp");
  for (int i = 0; i < 100; ++i) Tick();
  ASSERT_EQ(Messages(), 1u);
  const std::string& message = testsupport::Os().lines[0];
  EXPECT_NE(message.find("mainmap.bmp"), std::string::npos) << message;
  EXPECT_NE(message.find("前のまま"), std::string::npos) << message;
  EXPECT_EQ(G.GameMode, kModePlay);
  EXPECT_EQ(G.HeroX, stairX);
  EXPECT_EQ(G.DungeonIndex, 0);
  EXPECT_TRUE(Window.SaveCommand.Enabled);
  EXPECT_TRUE(Window.LoadCommand.Enabled);

  // Off the stair (no tile at all) and back on: one more try, one more message.
  G.HeroX = -500;
  Tick();
  G.HeroX = stairX;
  G.HeroY = stairY;
  for (int i = 0; i < 10; ++i) Tick();
  EXPECT_EQ(Messages(), 2u);

  Bring("mainmap.bmp");
  G.HeroX = -500;
  Tick();
  G.HeroX = stairX;
  G.HeroY = stairY;
  Tick();
  EXPECT_EQ(G.GameMode, kModeWorld);
  EXPECT_EQ(Messages(), 2u);
}

TEST_F(Transitions, ContinuingAfterGameOverWithoutWorldMapKeepsTheGameOverScreen) {
  EnterFirstDungeon();
  G.HP = 0;
  Tick();
  ASSERT_EQ(G.GameMode, kModeGameOver);
  Hide("mainmap.bmp");
  const Picture before = Now();
  Press(VK_RETURN);
  EXPECT_EQ(Messages(), 1u);
  ExpectSame(before, Now());
  EXPECT_EQ(G.HP, 0);

  Bring("mainmap.bmp");
  Press(VK_RETURN);
  EXPECT_EQ(G.GameMode, kModeWorld);
  EXPECT_EQ(G.HP, G.MaxHP);
  EXPECT_TRUE(Window.SaveCommand.Enabled);
  EXPECT_TRUE(Window.LoadCommand.Enabled);
}

TEST_F(Transitions, TheEndingWaitsForEnterAfterAFailedReturn) {
  StartEnding();
  G.TickCount = 1599;
  Hide("mainmap.bmp");
  for (int i = 0; i < 50; ++i) Tick();
  ASSERT_EQ(Messages(), 1u);
  EXPECT_NE(testsupport::Os().lines[0].find("Enter キー"), std::string::npos);
  EXPECT_EQ(G.GameMode, kModeEnding);
  EXPECT_FALSE(Window.SaveCommand.Enabled);

  Press(VK_SPACE);  // only Enter asks for another try
  Tick();
  EXPECT_EQ(Messages(), 1u);
  Press(VK_RETURN);
  Tick();
  Tick();
  EXPECT_EQ(Messages(), 2u);

  Bring("mainmap.bmp");
  Press(VK_RETURN);
  Tick();
  EXPECT_EQ(G.GameMode, kModeWorld);
  EXPECT_EQ(G.HP, G.MaxHP);
  EXPECT_EQ(Messages(), 2u);
}

TEST_F(Transitions, AGameSavedOnAStairStaysOnItsFloorAfterLoading) {
  EnterFirstDungeon();
  ASSERT_TRUE(StandOnStair(25, 39));
  const std::string saved = content_.Slash() + "stair.sav";
  for (int mode : {kModePlay, kModeMenu}) {
    SCOPED_TRACE(mode);
    G.GameMode = mode;
    ASSERT_TRUE(SaveGameFile(saved));
    G.StairLatch = 0;  // as on any tick away from a stair
    ASSERT_TRUE(LoadGameFile(saved));
    if (mode == kModeMenu) Press(VK_ESCAPE);
    Tick();
    EXPECT_EQ(G.FloorIndex, 0);
    EXPECT_EQ(G.GameMode, kModePlay);
  }
  // Off the stair and back on: now it is taken.
  const int x = G.HeroX;
  G.HeroX = -500;
  Tick();
  G.HeroX = x;
  Tick();
  EXPECT_EQ(G.FloorIndex, 1);
  EXPECT_EQ(Messages(), 0u);
}

}  // namespace
