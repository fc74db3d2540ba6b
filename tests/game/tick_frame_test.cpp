// The frame a dungeon tick presents: the floor's window over black, whatever Frame held
// before, at every distance from the floor's edges; and the darkness kept in Backdrop.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "combat/shots.h"
#include "state/window_model.h"
#include "state/random.h"
#include "state/state.h"
#include "game/tick.h"
#include "support/test_support.h"

namespace {

class TickFrame : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetGame();
    G.GameMode = kModePlay;
    G.DungeonIndex = 0;  // a lit floor
    G.FloorIndex = 0;
    std::memset(&G.Floors[0], 0, sizeof G.Floors[0]);  // open floor, no events
    G.MaxHP = G.HP = 100;
    G.Level = 1;
    PaintFloor();
  }

  // The start of every case, on a dark floor with nothing on it.
  static void StartOnDarkFloor() {
    testsupport::ResetGame();
    G.GameMode = kModePlay;
    G.DungeonIndex = 6;
    G.FloorIndex = 3;
    for (int f = 2; f <= 4; ++f) std::memset(&G.Floors[f], 0, sizeof G.Floors[f]);
    G.MaxHP = G.HP = 100;
    G.Level = 1;
    G.HeroX = G.HeroY = 720;
    PaintFloor();
  }

  static void PaintFloor() {
    gfx::Bitmap& floor = Window.FloorPicture.Picture;
    floor.Resize(kFloorPixels, kFloorPixels);
    for (int y = 0; y < floor.Height(); ++y)
      for (int x = 0; x < floor.Width(); ++x) floor.SetPixel(x, y, gfx::Rgb(x, y, 1 + (x ^ y) % 250));
  }

  // One tick from the state as it is now, with Frame holding `before` everywhere; the state
  // and the generator are put back afterwards, so that ticks can be compared.
  gfx::Bitmap TickOver(gfx::Color before) {
    const auto saved = std::make_unique<GameState>(G);
    const uint32_t seed = RandSeed;
    gfx::Bitmap& view = Window.Frame.Picture;
    for (gfx::Color& p : view.Pixels()) p = before;
    GameTick();
    G = *saved;
    RandSeed = seed;
    return Window.ShownFrame.Picture;
  }
};

// Frame is not cleared as a whole any more, only where the floor's window does not reach:
// any pixel left out would show what the last frame had there.
TEST_F(TickFrame, NothingOfTheLastFrameShowsNearAnyEdge) {
  const int places[][2] = {{720, 720}, {144, 96},   {143, 95},   {1272, 1320}, {1273, 1321},
                           {0, 0},     {1439, 0},   {0, 1439},   {1439, 1439}, {30, 700},
                           {1400, 700}, {700, 40},  {700, 1400}, {-500, 700},  {700, 5000}};
  for (const auto& place : places) {
    G.HeroX = place[0];
    G.HeroY = place[1];
    const gfx::Bitmap clean = TickOver(gfx::kBlack);
    const gfx::Bitmap stale = TickOver(gfx::Rgb(200, 0, 200));
    ASSERT_TRUE(clean == stale) << "hero at " << place[0] << "," << place[1];
  }
}

TEST_F(TickFrame, TheWindowLiesOverBlackAndIsShown) {
  G.HeroX = 24;  // the floor's left edge is 120 pixels into the view
  G.HeroY = 700;
  const int repaints = testsupport::Os().repaints;
  const gfx::Bitmap frame = TickOver(gfx::Rgb(200, 0, 200));
  // Below the status panel and away from the hero's cell.
  EXPECT_EQ(frame.Pixel(60, 150), gfx::kBlack);
  EXPECT_EQ(frame.Pixel(119, 150), gfx::kBlack);
  EXPECT_EQ(frame.Pixel(120, 150), Window.FloorPicture.Picture.Pixel(0, 700 - 96 + 150));
  EXPECT_EQ(frame.Pixel(250, 150), Window.FloorPicture.Picture.Pixel(250 - 120, 700 - 96 + 150));
  EXPECT_EQ(testsupport::Os().repaints, repaints + 1);
  EXPECT_TRUE(testsupport::Os().Shown() == frame);
}

TEST_F(TickFrame, WithoutAFloorPictureTheViewIsBlack) {
  Window.FloorPicture.Picture = gfx::Bitmap();
  G.HeroX = G.HeroY = 720;
  const gfx::Bitmap frame = TickOver(gfx::Rgb(200, 0, 200));
  EXPECT_EQ(frame.Pixel(60, 150), gfx::kBlack);
  EXPECT_EQ(frame.Pixel(250, 120), gfx::kBlack);
}

// Under darkness the floor is copied only where the light falls, which is right only while
// the mask is sure to clear the rest: a stair onto a lit floor ends the tick without it, and
// that frame must not show what Frame held before either.
TEST_F(TickFrame, DarkFloorsShowNothingOfTheLastFrame) {
  struct Case {
    int dungeon, floor, tile;
    bool dark;  // the frame shown is darkened
    const char* what;
  };
  const Case cases[] = {
      {6, 3, 0, true, "dark floor"},
      {4, 5, 25, true, "stair up onto a dark floor"},
      {4, 6, 25, false, "stair up onto a lit floor"},
      {5, 4, 24, false, "stair down onto a lit floor"},
      {5, 7, 0, true, "dark floor between lit ones"},
      {4, 6, 24, true, "stair down onto a dark floor"},
  };
  for (const Case& c : cases) {
    G.DungeonIndex = c.dungeon;
    G.FloorIndex = c.floor;
    G.StairLatch = 0;
    for (int f = c.floor - 1; f <= c.floor + 1; ++f) std::memset(&G.Floors[f], 0, sizeof G.Floors[f]);
    G.HeroX = G.HeroY = 720;
    G.Floors[c.floor].Tiles[30 * kFloorTiles + 30] = static_cast<uint8_t>(c.tile);
    PaintFloor();
    const gfx::Bitmap clean = TickOver(gfx::kBlack);
    PaintFloor();
    const gfx::Bitmap stale = TickOver(gfx::Rgb(200, 0, 200));
    EXPECT_TRUE(clean == stale) << c.what;
    // Far outside the light, below the status panel.
    EXPECT_EQ(clean.Pixel(10, 150) == gfx::kBlack, c.dark) << c.what;
  }
}

// Sprites wholly in the dark are left out while the mask is still to come; the status
// panel's, drawn after it in the dark corner, must show all the same, and so must the
// next frame's after a tick that ended early.
TEST_F(TickFrame, SpritesAfterTheMaskShowInTheDark) {
  const gfx::Color face = gfx::Rgb(10, 200, 30);
  Window.FaceSheet.LoadStored(gfx::Bitmap(4 * 24, 24, face), &Window.Frame, 4, 1, 0, true,
                              gfx::kTeal);
  G.DungeonIndex = 6;
  G.FloorIndex = 3;
  std::memset(&G.Floors[3], 0, sizeof G.Floors[3]);
  G.HeroX = G.HeroY = 720;
  const gfx::Bitmap dark = TickOver(gfx::kBlack);
  EXPECT_EQ(dark.Pixel(10, 10), face);
  EXPECT_EQ(dark.Pixel(10, 150), gfx::kBlack);
  G.DungeonIndex = 0;  // a lit floor next
  const gfx::Bitmap lit = TickOver(gfx::kBlack);
  EXPECT_EQ(lit.Pixel(10, 10), face);
}

// Backdrop keeps the mask from one dark tick to the next; a single pixel changed in between
// (another screen drew there) must be mended, and the view darkened all the same.
TEST_F(TickFrame, TheDarknessMaskIsMendedInTheBackdrop) {
  gfx::Bitmap mask(312, 216, gfx::kBlack);
  gfx::FillEllipse(mask, 66, 18, 246, 198, gfx::kWhite);
  gfx::Bitmap& view = Window.Frame.Picture;
  const gfx::Bitmap lit(312, 216, gfx::Rgb(90, 80, 70));
  gfx::Bitmap expected = lit;
  gfx::BitBlt(expected, 0, 0, 312, 216, &mask, 0, 0, gfx::Rop::And);

  DarknessMask();
  ASSERT_TRUE(Window.Backdrop.Picture == mask);
  const int spots[][2] = {{0, 0}, {156, 108}, {311, 215}, {66, 108}, {245, 108}, {155, 18}};
  for (const auto& spot : spots) {
    gfx::Color& p = Window.Backdrop.Picture.Pixels()[spot[1] * 312 + spot[0]];
    p ^= 0x000100;
    view = lit;
    DarknessMask();
    EXPECT_TRUE(Window.Backdrop.Picture == mask) << spot[0] << "," << spot[1];
    EXPECT_TRUE(view == expected) << spot[0] << "," << spot[1];
  }
  Window.Backdrop.Picture.Resize(100, 50);  // another size altogether
  view = lit;
  DarknessMask();
  EXPECT_TRUE(Window.Backdrop.Picture == mask);
  EXPECT_TRUE(view == expected);
  // Whole pictures put in its place: another screen's of the same size, a transfer onto it,
  // and a saved one brought back.
  const gfx::Bitmap saved = Window.Backdrop.Picture;
  Window.Backdrop.Picture = lit;
  DarknessMask();
  EXPECT_TRUE(Window.Backdrop.Picture == mask) << "assigned";
  gfx::BitBlt(Window.Backdrop.Picture, 100, 100, 3, 3, nullptr, 0, 0, gfx::Rop::DstInvert);
  DarknessMask();
  EXPECT_TRUE(Window.Backdrop.Picture == mask) << "transfer";
  Window.Backdrop.Picture = lit;
  Window.Backdrop.Picture = saved;  // the mask again, by a way that changed it in between
  Window.Backdrop.Picture.Pixels()[0] = gfx::kWhite;
  DarknessMask();
  EXPECT_TRUE(Window.Backdrop.Picture == mask) << "restored and changed";
}

// A dark frame is mended only where it was written since the same buffer was last shown
// (the two buffers trade places every tick), and where the floor picture was written
// meanwhile. Whatever changes in between must show as in a frame drawn anew: the hero
// standing and stepping, splats on the floor within the light and beyond it, the status
// numbers and their colour in the dark corner.
TEST_F(TickFrame, AMendedDarkFrameEqualsOneDrawnAnew) {
  const auto run = [](bool anew) {
    StartOnDarkFloor();
    std::vector<gfx::Bitmap> shown;
    gfx::Bitmap& floor = Window.FloorPicture.Picture;
    const gfx::Bitmap splat(6, 6, gfx::Rgb(250, 10, 10));
    const gfx::Bitmap keep(6, 6, gfx::kWhite);
    for (int t = 0; t < 16; ++t) {
      if (t == 3) gfx::FillRect(floor, G.HeroX - 30, G.HeroY - 20, 5, 5, gfx::Rgb(0, 0, 250));
      if (t == 4) gfx::MaskedBlt(floor, G.HeroX + 40, G.HeroY, 6, 6, keep, splat, 0, 0);
      if (t == 5) gfx::FillRect(floor, G.HeroX - 150, G.HeroY - 100, 9, 9, gfx::kWhite);
      if (t == 6) G.HP = 20;  // other digits in another colour
      if (t == 8 || t == 9) G.HeroX += 6;
      if (t == 11) G.HeroY -= 6;
      if (t == 13) G.HP = 100;
      if (anew) (void)Window.Frame.Picture.Pixels();  // its record says "written anywhere"
      GameTick();
      shown.push_back(Window.ShownFrame.Picture);
    }
    return shown;
  };
  const std::vector<gfx::Bitmap> mended = run(false), drawn = run(true);
  ASSERT_EQ(mended.size(), drawn.size());
  for (size_t t = 0; t < drawn.size(); ++t) EXPECT_TRUE(mended[t] == drawn[t]) << "tick " << t;
}

}  // namespace
