// The sprite sheet's cell rules, colour key and draws.
#include <gtest/gtest.h>

#include <cmath>

#include "gfx/bmp.h"
#include "gfx/sprite.h"

namespace gfx {
namespace {

const Color kRed = Rgb(255, 0, 0), kBlue = Rgb(0, 0, 255);

// A sheet whose cells have distinct colours, with a teal key pixel in each cell's corner.
Bitmap Sheet(int cols, int rows, int cw, int ch) {
  Bitmap b(cols * cw, rows * ch);
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) {
      int cell = (y / ch) * cols + x / cw;
      b.SetPixel(x, y, x % cw == 0 && y % ch == 0 ? kTeal : Rgb(10 + cell, 100, 200));
    }
  return b;
}

struct SpriteTest : ::testing::Test {
  TImage target;
  TSprite sp;
  void SetUp() override { target.Picture.Resize(40, 30, kBlue); }
  void Prepare(const Bitmap& pic, int cx, int cy, bool transparent) {
    sp.LoadStored(pic, &target, cx, cy, 0, transparent, kTeal);
  }
};

TEST(Sprite, ConstructionState) {
  TSprite sp;
  EXPECT_TRUE(sp.Transparent);
  EXPECT_FALSE(sp.Centering);
  EXPECT_EQ(sp.CX, 1);
  EXPECT_EQ(sp.CY, 1);
  EXPECT_EQ(sp.Index(), 0);
  EXPECT_EQ(sp.ColorKey(), kBlack);
  EXPECT_EQ(sp.Width(), 0);
  EXPECT_EQ(sp.Height(), 0);
  EXPECT_EQ(sp.Destination, nullptr);
  sp.Draw();  // no destination: nothing happens
}

TEST_F(SpriteTest, IndexIsClamped) {
  Prepare(Sheet(12, 5, 2, 2), 12, 5, true);
  sp.SetIndex(-5);
  EXPECT_EQ(sp.Index(), 0);
  sp.SetIndex(1000);
  EXPECT_EQ(sp.Index(), 59);
  sp.SetIndex(37);
  EXPECT_EQ(sp.Index(), 37);
  // The stored index is clamped against the stored cells too.
  sp.LoadStored(Sheet(4, 1, 2, 2), &target, 4, 1, 9, true, kTeal);
  EXPECT_EQ(sp.Index(), 3);
  // Cell counts written directly as nonsense still give a usable index.
  sp.CX = 0;
  sp.CY = -3;
  sp.SetIndex(5);
  EXPECT_EQ(sp.Index(), 0);
  sp.CX = 100000;
  sp.CY = 100000;
  sp.SetIndex(2000000000);
  EXPECT_EQ(sp.Index(), 2000000000);
}

TEST_F(SpriteTest, CellSizesDropTheRemainder) {
  Prepare(Bitmap(90, 255), 6, 17, false);
  EXPECT_EQ(sp.Width(), 15);
  EXPECT_EQ(sp.Height(), 15);
  Bitmap wide(100, 8, kRed);
  for (int y = 0; y < 8; ++y)
    for (int x = 88; x < 100; ++x) wide.SetPixel(x, y, x < 96 ? kBlue : kWhite);
  Prepare(wide, 12, 1, false);
  EXPECT_EQ(sp.Width(), 8);
  target.Picture.Resize(40, 30, kBlack);
  sp.SetIndex(11);
  sp.X = 0;
  sp.Draw();
  for (int x = 0; x < 40; ++x) EXPECT_EQ(target.Picture.Pixel(x, 0), x < 8 ? kBlue : kBlack) << x;
  // Zero and negative cell counts become one.
  Prepare(Bitmap(10, 6), 0, -4, false);
  EXPECT_EQ(sp.CX, 1);
  EXPECT_EQ(sp.CY, 1);
  EXPECT_EQ(sp.Width(), 10);
}

TEST_F(SpriteTest, CenteringTruncatesHalfTheCell) {
  target.Picture.Resize(200, 200, kBlack);
  Prepare(Bitmap(15, 15, kRed), 1, 1, false);
  sp.Centering = true;
  sp.X = 100;
  sp.Y = 100;
  sp.Draw();
  EXPECT_EQ(target.Picture.Pixel(93, 93), kRed);
  EXPECT_EQ(target.Picture.Pixel(107, 107), kRed);
  EXPECT_EQ(target.Picture.Pixel(92, 100), kBlack);
  EXPECT_EQ(target.Picture.Pixel(108, 100), kBlack);
  EXPECT_EQ(target.Picture.Pixel(100, 92), kBlack);
}

TEST_F(SpriteTest, MaskAndKeyedImage) {
  Bitmap pic(3, 1);
  pic.SetPixel(0, 0, kTeal);
  pic.SetPixel(1, 0, kRed);
  pic.SetPixel(2, 0, Rgb(0, 128, 129));  // near the key is not the key
  Prepare(pic, 1, 1, true);
  EXPECT_EQ(sp.MaskBitmap().Pixel(0, 0), kWhite);
  EXPECT_EQ(sp.MaskBitmap().Pixel(1, 0), kBlack);
  EXPECT_EQ(sp.MaskBitmap().Pixel(2, 0), kBlack);
  EXPECT_EQ(sp.KeyedImage().Pixel(0, 0), kBlack);
  EXPECT_EQ(sp.KeyedImage().Pixel(1, 0), kRed);
  EXPECT_EQ(sp.KeyedImage().Pixel(2, 0), Rgb(0, 128, 129));
}

TEST_F(SpriteTest, TransparentDrawKeepsKeyPixelsOfTheDestination) {
  Prepare(Sheet(2, 2, 4, 4), 2, 2, true);
  sp.SetIndex(3);
  sp.X = 10;
  sp.Y = 5;
  sp.Draw();
  const Bitmap& t = target.Picture;
  EXPECT_EQ(t.Pixel(10, 5), kBlue);  // the key corner shows the background
  EXPECT_EQ(t.Pixel(11, 5), Rgb(13, 100, 200));
  EXPECT_EQ(t.Pixel(13, 8), Rgb(13, 100, 200));
  EXPECT_EQ(t.Pixel(14, 8), kBlue);

  // A cell made only of the key colour changes nothing when transparent...
  target.Picture.Resize(40, 30, kRed);
  Prepare(Bitmap(8, 8, kTeal), 1, 1, true);
  sp.X = 3;
  sp.Y = 0;
  sp.Draw();
  EXPECT_EQ(target.Picture, Bitmap(40, 30, kRed));
  // ...and paints the key colour when opaque.
  sp.Transparent = false;
  sp.Draw();
  EXPECT_EQ(target.Picture.Pixel(3, 0), kTeal);
  EXPECT_EQ(target.Picture.Pixel(10, 7), kTeal);
}

TEST_F(SpriteTest, DrawClipsAtTheDestinationEdges) {
  Prepare(Bitmap(24, 24, kRed), 1, 1, true);
  for (int x : {-30, -23, -1, 39, 40, 1000})
    for (int y : {-30, -23, -1, 29, 30, -1000}) {
      target.Picture.Resize(40, 30, kBlue);
      sp.X = x;
      sp.Y = y;
      sp.Draw();
      int count = 0;
      for (Color c : target.Picture.Pixels()) count += c == kRed;
      int w = std::max(0, std::min(40, x + 24) - std::max(0, x));
      int h = std::max(0, std::min(30, y + 24) - std::max(0, y));
      EXPECT_EQ(count, w * h) << x << "," << y;
    }
}

TEST_F(SpriteTest, ChangingTheKeyRebuildsTheMask) {
  Bitmap pic(2, 1);
  pic.SetPixel(0, 0, kTeal);
  pic.SetPixel(1, 0, kRed);
  Prepare(pic, 1, 1, true);
  sp.SetColorKey(kRed);
  target.Picture.Resize(2, 1, kBlue);
  sp.Draw();
  EXPECT_EQ(target.Picture.Pixel(0, 0), kTeal);
  EXPECT_EQ(target.Picture.Pixel(1, 0), kBlue);
}

TEST_F(SpriteTest, WritingCellCountsNeedsRefresh) {
  Prepare(Sheet(4, 1, 3, 3), 4, 1, false);
  ASSERT_EQ(sp.Width(), 3);
  sp.CX = 2;  // no recomputation yet
  EXPECT_EQ(sp.Width(), 3);
  sp.SetIndex(1);
  sp.Draw();
  EXPECT_EQ(target.Picture.Pixel(1, 1), Rgb(11, 100, 200));  // still a 3-pixel cell
  EXPECT_EQ(target.Picture.Pixel(3, 1), kBlue);
  sp.Refresh();
  EXPECT_EQ(sp.Width(), 6);
  // A column count of zero written directly must not bring the draw down.
  sp.CX = 0;
  sp.Draw();
}

TEST_F(SpriteTest, RefreshAfterChangingThePictureInPlace) {
  Prepare(Bitmap(4, 4, kRed), 2, 2, true);
  ASSERT_EQ(sp.Width(), 2);
  sp.MutablePicture()->Resize(8, 6, kTeal);
  sp.Refresh();
  EXPECT_EQ(sp.Width(), 4);
  EXPECT_EQ(sp.Height(), 3);
  EXPECT_EQ(sp.MaskBitmap().Width(), 8);
  EXPECT_EQ(sp.MaskBitmap().Pixel(7, 5), kWhite);
}

TEST_F(SpriteTest, NoPictureDrawsNothingAndCanBeSetAgain) {
  Prepare(Bitmap(4, 4, kRed), 1, 1, false);
  sp.SetPicture(nullptr);
  EXPECT_EQ(sp.Picture(), nullptr);
  EXPECT_EQ(sp.MutablePicture(), nullptr);
  sp.Draw();
  sp.Refresh();
  sp.SetColorKey(kRed);
  EXPECT_EQ(target.Picture, Bitmap(40, 30, kBlue));
  Bitmap again(2, 2, kRed);
  sp.SetColorKey(kTeal);
  sp.SetPicture(&again);
  ASSERT_NE(sp.Picture(), nullptr);
  sp.Draw();
  EXPECT_EQ(target.Picture.Pixel(1, 1), kRed);
  // Setting the sheet's own picture works on a copy.
  sp.SetPicture(sp.Picture());
  EXPECT_EQ(*sp.Picture(), again);
}

TEST_F(SpriteTest, FailedLoadKeepsTheOldPicture) {
  Prepare(Bitmap(4, 4, kRed), 1, 1, true);
  EXPECT_THROW(sp.LoadPicture(::testing::TempDir() + "/c_r99.bmp"), FileError);
  EXPECT_EQ(*sp.Picture(), Bitmap(4, 4, kRed));
  const std::string path = ::testing::TempDir() + "/sprite-sheet.bmp";
  std::string error;
  ASSERT_TRUE(WriteFile(path, EncodeBmp24(Bitmap(24, 12, kTeal)), error));
  sp.LoadPicture(path);
  sp.CX = 2;
  sp.Refresh();
  EXPECT_EQ(sp.Width(), 12);
  EXPECT_EQ(sp.MaskBitmap().Pixel(0, 0), kWhite);
  std::remove(path.c_str());
}

// Under lit stretches a sprite is drawn as the mask that follows will leave it, and its
// writes reach the damage record only when the stretches end. What a player sees must not
// change: the drawn-then-masked picture equals the plainly-drawn-then-masked one, for
// sprites within the light, across its edge, wholly dark and cut by the picture's edge;
// with the quick tests of nested stretches, without them, and for stretches that are not
// nested at all. Nothing outside the light is written (the mask will not go over it), and
// every pixel the sprites changed is in the record once they end, or a frame mended from
// the record would keep a stale sprite.
TEST(LitSprites, DrawnAsTheMaskLeavesThemAndRecordedWhenTheLightEnds) {
  constexpr int kW = 64, kH = 48;
  // A disc of light (nested rows), and a light whose rows zigzag (not nested).
  int discStart[kH], discEnd[kH], zigStart[kH], zigEnd[kH];
  int widest = 0;
  for (int y = 0; y < kH; ++y) {
    const int dy = y - 22, half = dy * dy < 400 ? static_cast<int>(std::sqrt(400.0 - dy * dy)) : -1;
    discStart[y] = half < 0 ? 0 : 30 - half;
    discEnd[y] = half < 0 ? 0 : 30 + half;
    if (discEnd[y] - discStart[y] > discEnd[widest] - discStart[widest]) widest = y;
    zigStart[y] = y % 3 == 0 ? 0 : 5 + (y * 7) % 20;
    zigEnd[y] = y % 3 == 0 ? 0 : zigStart[y] + 10 + (y * 5) % 25;
  }
  const auto masked = [&](Bitmap b, const int* start, const int* end) {
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x)
        b.SetPixel(x, y, x >= start[y] && x < end[y] ? b.Pixel(x, y) & kWhite : kBlack);
    return b;
  };
  Bitmap sheet(24 * 2, 17);  // cells 24 x 17, some pixels with bits above the colour
  for (int y = 0; y < sheet.Height(); ++y)
    for (int x = 0; x < sheet.Width(); ++x)
      sheet.SetPixel(x, y, (x + y) % 5 == 0 ? kTeal : Rgb(x * 5, y * 9, 77) | ((x & 1) << 24));
  struct Light {
    const int* start;
    const int* end;
    int widest;
  };
  for (const Light& light : {Light{discStart, discEnd, widest}, Light{discStart, discEnd, -1},
                             Light{zigStart, zigEnd, -1}}) {
    TImage lit, plain;
    lit.Picture.Resize(kW, kH);
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x) lit.Picture.SetPixel(x, y, 0xAB000000u | Rgb(x * 3, y * 5, 9));
    plain.Picture = lit.Picture;
    const Bitmap before = lit.Picture;
    lit.Picture.ClearDamage();
    TSprite onLit, onPlain;
    onLit.LoadStored(sheet, &lit, 2, 1, 0, true, kTeal);
    onPlain.LoadStored(sheet, &plain, 2, 1, 0, true, kTeal);
    LitStretches stretches;
    stretches.target = &lit.Picture;
    stretches.start = light.start, stretches.end = light.end, stretches.rows = kH;
    stretches.widest = light.widest;
    SetLitStretches(&stretches);
    int i = 0;
    for (int x : {-20, -5, 3, 18, 25, 40, 55})
      for (int y : {-12, -3, 2, 14, 20, 35, 44}) {
        onLit.SetIndex(i % 2), onPlain.SetIndex(i % 2), ++i;
        onLit.X = onPlain.X = x, onLit.Y = onPlain.Y = y;
        onLit.Draw();
        onPlain.Draw();
      }
    EXPECT_TRUE(lit.Picture.Damage().rects.empty());
    SetLitStretches(nullptr);
    EXPECT_TRUE(masked(lit.Picture, light.start, light.end) ==
                masked(plain.Picture, light.start, light.end))
        << "light " << light.widest;
    ASSERT_FALSE(lit.Picture.Damage().all);
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x) {
        if (lit.Picture.Pixel(x, y) == before.Pixel(x, y)) continue;
        EXPECT_TRUE(x >= light.start[y] && x < light.end[y]) << "dark pixel written at " << x << "," << y;
        bool recorded = false;
        for (const Rect& r : lit.Picture.Damage().rects)
          recorded = recorded || (x >= r.x0 && x < r.x1 && y >= r.y0 && y < r.y1);
        EXPECT_TRUE(recorded) << x << "," << y;
      }
  }
}

}  // namespace
}  // namespace gfx
