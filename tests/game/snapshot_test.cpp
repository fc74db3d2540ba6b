// A change of the whole game that throws part-way leaves nothing of itself behind.
#include "state/snapshot.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "state/random.h"
#include "support/test_support.h"

namespace {

TEST(CompleteOrRestore, AFailedChangeIsUndoneWholeAndSaysSoInJapanese) {
  testsupport::ResetGame();
  G.HeroX = 48;
  G.DungeonIndex = 2;
  RandSeed = 99;
  Window.SaveCommand.Enabled = false;
  const gfx::Bitmap buf = Window.FloorPicture.Picture;
  auto halfWay = [](auto failure) {
    return [failure] {
      G.HeroX = 672;
      G.DungeonIndex = 5;
      Random(10);
      Window.SaveCommand.Enabled = true;
      gfx::FillRect(Window.FloorPicture.Picture, 0, 0, 10, 10, gfx::kWhite);
      throw failure;
    };
  };
  try {
    CompleteOrRestore(halfWay(std::runtime_error("ダンジョンファイルが見つかりません：M_5.mpt")));
    FAIL() << "no exception";
  } catch (const ChangeUndone& e) {
    EXPECT_NE(std::string(e.what()).find("M_5.mpt"), std::string::npos);
    EXPECT_NE(std::string(e.what()).find("前のまま"), std::string::npos);
  }
  EXPECT_EQ(G.HeroX, 48);
  EXPECT_EQ(G.DungeonIndex, 2);
  EXPECT_EQ(RandSeed, 99u);
  EXPECT_FALSE(Window.SaveCommand.Enabled);
  EXPECT_TRUE(Window.FloorPicture.Picture == buf);

  try {
    CompleteOrRestore(halfWay(std::bad_alloc()));
    FAIL() << "no exception";
  } catch (const ChangeUndone& e) {
    EXPECT_EQ(std::string(e.what()).find("bad_alloc"), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find("メモリが足りません"), std::string::npos) << e.what();
  }
  EXPECT_EQ(G.HeroX, 48);

  CompleteOrRestore([] { G.HeroX = 7; });
  EXPECT_EQ(G.HeroX, 7);
}

}  // namespace
