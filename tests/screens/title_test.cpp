// The title screen's timing, the story's places and walking figures, and the selection
// screen.
#include "screens/title.h"

#include <gtest/gtest.h>

#include "content/heroes.h"
#include "content/story.h"
#include "screen_fixture.h"

namespace {

using TitleTest = ScreenTest;

TEST_F(TitleTest, PromptCyclesThroughSixGreys) {
  const gfx::Color greys[6] = {gfx::Rgb(128, 128, 128), gfx::Rgb(192, 192, 192),
                               gfx::Rgb(255, 255, 255), gfx::Rgb(192, 192, 192),
                               gfx::Rgb(128, 128, 128), gfx::Rgb(0, 0, 0)};
  for (int t : {0, 1, 2, 3, 4, 5, 6, 100, 293, 299}) {
    drawn.clear();
    G.TickCount = t;
    DrawTitle();
    const std::vector<DrawnText> expected = {{80, 180, 20, greys[t % 6], "HIT ANY KEY"}};
    EXPECT_EQ(drawn, expected) << "T = " << t;
  }
  EXPECT_EQ(drawn.back().colour, gfx::kBlack);  // T = 299 is a black step
}

TEST_F(TitleTest, StoryEntersAtTheBottomAtTickThreeHundred) {
  G.TickCount = 300;
  DrawTitle();
  const std::vector<DrawnText> expected = {{30, 216, 20, gfx::kWhite, "ﾐﾛｳﾞｧｰﾝ"}};
  EXPECT_EQ(drawn, expected);
  EXPECT_EQ(G.TickCount, 300);
}

TEST_F(TitleTest, LastLineLeavesAtTick1947AndTheCycleRestartsAt2000) {
  G.TickCount = 1946;
  DrawTitle();
  ASSERT_EQ(drawn.size(), 1u);
  EXPECT_EQ(drawn[0].y, -10);
  EXPECT_EQ(drawn[0].text, kStoryLines[45].Text);

  for (int t : {1947, 1999}) {
    drawn.clear();
    G.TickCount = t;
    DrawTitle();
    EXPECT_TRUE(drawn.empty()) << "T = " << t;
    EXPECT_EQ(G.TickCount, t);
  }

  drawn.clear();
  G.TickCount = 2000;
  DrawTitle();
  EXPECT_TRUE(drawn.empty());
  EXPECT_EQ(G.TickCount, 0);
}

TEST_F(TitleTest, EveryStoryLineRisesOnePixelATick) {
  for (int t = 300; t < 2000; t += 7) {
    drawn.clear();
    G.TickCount = t;
    DrawTitle();
    size_t next = 0;
    for (const StoryLine& line : kStoryLines) {
      const int y = line.Y0 - t;
      if (y < -line.Size || y >= line.Size + 216) continue;
      ASSERT_LT(next, drawn.size()) << "T = " << t;
      const DrawnText expected{line.X, y, line.Size, gfx::kWhite, line.Text};
      EXPECT_EQ(drawn[next++], expected) << "T = " << t;
    }
    EXPECT_EQ(next, drawn.size()) << "T = " << t;
  }
}

// The figure of each hero walks in place beside its heading at its own pace.
TEST_F(TitleTest, FiguresWalkAtTheirOwnPace) {
  struct Case {
    int t, y, cell;
  };
  // Hero 0 at y = 913 - T, a step every 3 ticks; hero 1 at 1163 - T every 2; hero 2 at
  // 1409 - T every 3; hero 3 at 1709 - T every 4. WalkCycle is {0, 1, 0, 2}.
  const Case cases[] = {
      {800, 113, 6},   {801, 112, 8},   {804, 109, 6}, {807, 106, 7}, {1000, 163, 18},
      {1002, 161, 19}, {1006, 157, 20}, {1400, 9, 30}, {1401, 8, 32}, {1404, 5, 30},
      {1700, 9, 43},   {1704, 5, 42},   {1708, 1, 44},
  };
  for (const Case& c : cases) {
    Window.HeroSheet.X = Window.HeroSheet.Y = -999;
    G.TickCount = c.t;
    DrawTitle();
    EXPECT_EQ(Window.HeroSheet.X, 8) << "T = " << c.t;
    EXPECT_EQ(Window.HeroSheet.Y, c.y) << "T = " << c.t;
    EXPECT_EQ(Window.HeroSheet.Index(), c.cell) << "T = " << c.t;
  }
  // Between the passages no figure is in view.
  Window.HeroSheet.X = -999;
  G.TickCount = 400;
  DrawTitle();
  EXPECT_EQ(Window.HeroSheet.X, -999);
}

TEST_F(TitleTest, HeroCellsOutsideTheViewAreNotDrawn) {
  struct Case {
    int x, y;
    bool drawn;
  };
  const Case cases[] = {{-25, 0, false},  {-24, 0, true},      {335, 0, true}, {336, 0, false},
                        {0, -25, false},  {0, -24, true},      {0, 239, true}, {0, 240, false},
                        {100, 100, true}, {-1000, 5000, false}};
  for (const Case& c : cases) {
    Window.HeroSheet.X = Window.HeroSheet.Y = 12345;
    DrawHeroCell(c.x, c.y, 7);
    EXPECT_EQ(Window.HeroSheet.X == c.x && Window.HeroSheet.Y == c.y, c.drawn) << c.x << "," << c.y;
  }
}

using SelectionTest = ScreenTest;

TEST_F(SelectionTest, LabelsOfTheChosenHeroAndAFlickeringHeading) {
  for (int hero = 0; hero < 4; ++hero) {
    drawn.clear();
    G.HeroIndex = static_cast<int8_t>(hero);
    RandSeed = 77 + hero;
    const std::vector<int> rgb = PeekRandom(3, 255);
    DrawSelection();
    const gfx::Color w = gfx::kWhite;
    const std::vector<DrawnText> expected = {
        {170, 70, 10, w, HeroText(hero, 9)},
        {175, 90, 10, w, HeroText(hero, 6)},
        {175, 110, 10, w, HeroText(hero, 7)},
        {175, 125, 10, w, HeroText(hero, 8)},
        {170, 195, 10, gfx::Rgb(rgb[0], rgb[1], rgb[2]), "キャラクターセレクト"},
    };
    EXPECT_EQ(drawn, expected) << "hero " << hero;
    // Exactly three draws were taken.
    RandSeed = 77 + hero;
    for (int i = 0; i < 3; ++i) Random(255);
    const uint32_t afterThree = RandSeed;
    RandSeed = 77 + hero;
    DrawSelection();
    EXPECT_EQ(RandSeed, afterThree);
  }
}

}  // namespace
