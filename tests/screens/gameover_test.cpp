// The remains of a fallen hero, the game-over texts and the ending scroll.
#include "screens/gameover.h"

#include <gtest/gtest.h>

#include "combat/spawn.h"
#include "content/heroes.h"
#include "content/story.h"
#include "screen_fixture.h"

namespace {

using GameOverTest = ScreenTest;

// Three splats around the hero (x drawn before y, a fresh pair each), then the body, all
// into the floor picture.
TEST_F(GameOverTest, RemainsGoIntoTheFloorAtRandomPlaces) {
  G.HeroX = 500;
  G.HeroY = 300;
  gfx::FillRect(Window.FloorPicture.Picture, 0, 0, 1440, 1440, gfx::kBlack);
  const gfx::Bitmap before = Window.FloorPicture.Picture;
  RandSeed = 4242;
  const std::vector<int> r = PeekRandom(6, 30);
  DrawDeathRemains();

  // The same marks drawn by hand at the predicted places.
  gfx::TImage reference;
  reference.Picture = before;
  gfx::TSprite sheet = Window.SplatSheet;
  sheet.Destination = &reference;
  for (int i = 0; i < 3; ++i) DrawCell(sheet, 3, 500 + r[2 * i] - 15, 300 + r[2 * i + 1] - 15);
  DrawCell(sheet, 2, 500, 300);
  EXPECT_TRUE(reference.Picture == Window.FloorPicture.Picture);
  EXPECT_FALSE(before == Window.FloorPicture.Picture);

  RandSeed = 4242;
  for (int i = 0; i < 6; ++i) Random(30);
  const uint32_t afterSix = RandSeed;
  RandSeed = 4242;
  DrawDeathRemains();
  EXPECT_EQ(RandSeed, afterSix);
  EXPECT_TRUE(drawn.empty());
}

TEST_F(GameOverTest, EachTextGetsItsOwnFreshColour) {
  for (uint32_t seed : {0u, 1u, 99u}) {
    drawn.clear();
    RandSeed = seed;
    const std::vector<int> c = PeekRandom(6, 255);
    DrawGameOver();
    const std::vector<DrawnText> expected = {
        {105, 90, 10, gfx::Rgb(c[0], c[1], c[2]), "ゲームオーバー"},
        {100, 110, 10, gfx::Rgb(c[3], c[4], c[5]), "HIT ENTER KEY!!"},
    };
    EXPECT_EQ(drawn, expected) << "seed " << seed;
  }
  // From seed 0 the generator's first draws of 255 are 0, 8, 219, 51, 69, 171.
  drawn.clear();
  RandSeed = 0;
  DrawGameOver();
  EXPECT_EQ(drawn[0].colour, gfx::Rgb(0, 8, 219));
  EXPECT_EQ(drawn[1].colour, gfx::Rgb(51, 69, 171));
}

using EndingTest = ScreenTest;

TEST_F(EndingTest, OnlyTheStillForTheFirstHundredTicks) {
  for (int t : {0, 50, 99}) {
    G.TickCount = t;
    DrawEnding();
  }
  EXPECT_TRUE(drawn.empty());
  G.TickCount = 100;
  DrawEnding();
  const std::vector<DrawnText> expected = {{30, 216, 20, gfx::kWhite, "ﾐﾛｳﾞｧｰﾝ"}};
  EXPECT_EQ(drawn, expected);
}

TEST_F(EndingTest, EveryLineRisesOnePixelATick) {
  for (int t = 100; t < 1600; t += 11) {
    drawn.clear();
    G.TickCount = t;
    DrawEnding();
    std::vector<DrawnText> expected;
    for (const StoryLine& line : kEndingLines) {
      const int y = line.Y0 - t;
      if (y >= -line.Size && y < line.Size + 216) {
        expected.push_back({line.X, y, line.Size, gfx::kWhite, line.Text});
      }
    }
    EXPECT_EQ(drawn, expected) << "T = " << t;
  }
}

TEST_F(EndingTest, TheScrollHasLeftBeforeTheReturn) {
  G.TickCount = 1556;
  DrawEnding();
  ASSERT_EQ(drawn.size(), 1u);
  EXPECT_EQ(drawn[0].y, -10);
  drawn.clear();
  for (int t : {1557, 1599, 1600, 5000}) {
    G.TickCount = t;
    DrawEnding();
  }
  EXPECT_TRUE(drawn.empty());
}

}  // namespace
