// Block transfers, stretching and ellipses of the drawing layer.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <utility>

#include "gfx/bitmap.h"

namespace gfx {
namespace {

// A bitmap whose every pixel names its own position, so a wrong offset shows.
Bitmap Numbered(int w, int h, Color base = 0x100000) {
  Bitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, base + static_cast<Color>(y * w + x));
  return b;
}

TEST(BitBlt, CopyClipsAtEveryEdgeAndSourceSide) {
  const Bitmap src = Numbered(4, 3);
  const Color fill = 0x0A0A0A;
  for (int sx = -2; sx <= 4; ++sx)
    for (int sy = -2; sy <= 3; ++sy)
      for (int dx = -6; dx <= 9; ++dx)
        for (int dy = -5; dy <= 7; ++dy) {
          Bitmap dst(7, 5, fill);
          BitBlt(dst, dx, dy, 4, 3, &src, sx, sy, Rop::Copy);
          for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 7; ++x) {
              int u = sx + x - dx, v = sy + y - dy;
              bool inside = x - dx >= 0 && x - dx < 4 && y - dy >= 0 && y - dy < 3 && u >= 0 &&
                            u < 4 && v >= 0 && v < 3;
              Color want = inside ? src.Pixel(u, v) : fill;
              ASSERT_EQ(dst.Pixel(x, y), want) << "dx " << dx << " dy " << dy << " sx " << sx
                                               << " sy " << sy << " at " << x << "," << y;
            }
        }
}

TEST(BitBlt, RasterOperations) {
  Bitmap dst(3, 1);
  dst.SetPixel(0, 0, 0x00F0F0);
  dst.SetPixel(1, 0, 0x123456);
  dst.SetPixel(2, 0, 0xFFFFFF);
  Bitmap src(3, 1);
  src.SetPixel(0, 0, 0x0F00FF);
  src.SetPixel(1, 0, kBlack);
  src.SetPixel(2, 0, kWhite);

  Bitmap a = dst;
  BitBlt(a, 0, 0, 3, 1, &src, 0, 0, Rop::And);
  EXPECT_EQ(a.Pixel(0, 0), 0x0000F0u);
  EXPECT_EQ(a.Pixel(1, 0), kBlack);
  EXPECT_EQ(a.Pixel(2, 0), kWhite);

  Bitmap o = dst;
  BitBlt(o, 0, 0, 3, 1, &src, 0, 0, Rop::Or);
  EXPECT_EQ(o.Pixel(0, 0), 0x0FF0FFu);
  EXPECT_EQ(o.Pixel(1, 0), 0x123456u);

  Bitmap inv = dst;
  BitBlt(inv, 1, 0, 5, 5, nullptr, 0, 0, Rop::DstInvert);
  EXPECT_EQ(inv.Pixel(0, 0), 0x00F0F0u);
  EXPECT_EQ(inv.Pixel(1, 0), 0xEDCBA9u);  // stays inside 24 bits
  EXPECT_EQ(inv.Pixel(2, 0), kBlack);
  BitBlt(inv, 0, 0, 3, 1, nullptr, 0, 0, Rop::DstInvert);
  BitBlt(inv, 0, 0, 3, 1, nullptr, 0, 0, Rop::DstInvert);
  EXPECT_EQ(inv.Pixel(1, 0), 0xEDCBA9u);

  Bitmap blk = dst;
  BitBlt(blk, -1, 0, 3, 1, nullptr, 0, 0, Rop::Blackness);
  EXPECT_EQ(blk.Pixel(0, 0), kBlack);
  EXPECT_EQ(blk.Pixel(1, 0), kBlack);
  EXPECT_EQ(blk.Pixel(2, 0), kWhite);
}

// The transfers work in steps of several pixels with a separate end of each row; every
// width from a single pixel to well past the widest sprite, at every start within a step,
// must give exactly the pixel rule.
TEST(BitBlt, EveryWidthAndStartGivesThePixelRule) {
  const Bitmap src = Numbered(48, 6, 0x0F3C5A);
  Bitmap base(60, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 60; ++x) base.SetPixel(x, y, (0x9E3779B9u * (y * 60 + x + 1)) >> 4);
  const Rop rops[] = {Rop::Copy, Rop::And, Rop::Or, Rop::DstInvert, Rop::Blackness};
  for (Rop rop : rops)
    for (int w = 1; w <= 41; ++w)
      for (int dx = 0; dx < 9; dx += 3)
        for (int sx = 0; sx < 5; sx += 2) {
          Bitmap dst = base;
          BitBlt(dst, dx, 1, w, 5, &src, sx, 1, rop);
          for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 60; ++x) {
              const Color d = base.Pixel(x, y);
              Color want = d;
              const int u = x - dx + sx, v = y;
              if (x >= dx && x < dx + w && y >= 1 && y < 6 && u < 48) {
                const Color s = src.Pixel(u, v);
                switch (rop) {
                  case Rop::Copy: want = s; break;
                  case Rop::And: want = d & s; break;
                  case Rop::Or: want = d | s; break;
                  case Rop::DstInvert: want = ~d & 0xFFFFFF; break;
                  case Rop::Blackness: want = kBlack; break;
                }
              }
              ASSERT_EQ(dst.Pixel(x, y), want) << "rop " << static_cast<int>(rop) << " width " << w
                                               << " dx " << dx << " sx " << sx << " at " << x
                                               << "," << y;
            }
        }
}

TEST(FillRect, EveryWidthInAnyColour) {
  for (Color c : {kBlack, kWhite, Color{0x12345678}})
    for (int w = 1; w <= 21; ++w) {
      Bitmap b(30, 4, kTeal);
      FillRect(b, 3, 1, w, 2, c);
      for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 30; ++x) {
          const bool inside = x >= 3 && x < 3 + w && y >= 1 && y < 3;
          ASSERT_EQ(b.Pixel(x, y), inside ? c : kTeal) << "width " << w << " at " << x << "," << y;
        }
    }
  Bitmap whole(7, 3, kWhite);  // whole rows: one run
  FillRect(whole, 0, 0, 7, 3, kBlack);
  EXPECT_EQ(whole, Bitmap(7, 3, kBlack));
}

// A transfer within one bitmap goes row by row from the top, each row copied as a whole.
TEST(BitBlt, OntoItsOwnBitmap) {
  Bitmap b = Numbered(6, 4);
  const Bitmap before = b;
  BitBlt(b, 1, 0, 5, 4, &b, 0, 0, Rop::Copy);  // one pixel to the right
  for (int y = 0; y < 4; ++y) {
    EXPECT_EQ(b.Pixel(0, y), before.Pixel(0, y));
    for (int x = 1; x < 6; ++x) EXPECT_EQ(b.Pixel(x, y), before.Pixel(x - 1, y)) << x << "," << y;
  }
  Bitmap down = Numbered(3, 4);
  const Bitmap original = down;
  BitBlt(down, 0, 1, 3, 3, &down, 0, 0, Rop::Copy);  // rows written before they are read
  for (int y = 1; y < 4; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(down.Pixel(x, y), original.Pixel(x, 0)) << x << "," << y;
  Bitmap same = Numbered(9, 2);
  const Bitmap kept = same;
  BitBlt(same, 0, 0, 9, 2, &same, 0, 0, Rop::And);  // AND and OR with itself change nothing
  BitBlt(same, 0, 0, 9, 2, &same, 0, 0, Rop::Or);
  EXPECT_EQ(same, kept);
}

TEST(BitBlt, DegenerateTransfersDoNothing) {
  const Bitmap src = Numbered(4, 4);
  Bitmap dst(4, 4, kWhite);
  const Bitmap before = dst;
  BitBlt(dst, 0, 0, 4, 4, nullptr, 0, 0, Rop::Copy);     // no source
  BitBlt(dst, 0, 0, 0, 4, &src, 0, 0, Rop::Copy);        // no width
  BitBlt(dst, 0, 0, -3, -3, &src, 0, 0, Rop::Copy);      // negative size
  BitBlt(dst, INT_MIN, INT_MIN, INT_MAX, INT_MAX, &src, INT_MAX, 0, Rop::Copy);
  BitBlt(dst, INT_MAX, INT_MAX, INT_MAX, INT_MAX, &src, INT_MIN, INT_MIN, Rop::Or);
  Bitmap empty;
  BitBlt(dst, 0, 0, 4, 4, &empty, 0, 0, Rop::And);
  BitBlt(empty, 0, 0, 4, 4, &src, 0, 0, Rop::Copy);
  EXPECT_EQ(dst, before);
  // The whole source from far above-left still lands on its visible part.
  BitBlt(dst, INT_MIN / 2, 0, INT_MAX, 4, &src, INT_MIN / 2, 0, Rop::Copy);
  EXPECT_EQ(dst, src);
}

TEST(FillRect, ClipsToTheBitmap) {
  Bitmap b(4, 3);
  FillRect(b, -2, 1, 4, 10, kWhite);
  EXPECT_EQ(b.Pixel(0, 0), kBlack);
  EXPECT_EQ(b.Pixel(0, 1), kWhite);
  EXPECT_EQ(b.Pixel(1, 2), kWhite);
  EXPECT_EQ(b.Pixel(2, 1), kBlack);
  FillRect(b, INT_MIN, INT_MIN, INT_MAX, INT_MAX, kWhite);  // nothing, no overflow
}

TEST(StretchBlt, ShrinksTheFloorToTheMapSquare) {
  const Bitmap floor = Numbered(1440, 1440, 0);
  Bitmap view(312, 216, kTeal);
  StretchBlt(view, 48, 0, 215, 215, floor, 0, 0, 1440, 1440);
  for (int y = 0; y < 216; ++y)
    for (int x = 0; x < 312; ++x) {
      Color c = view.Pixel(x, y);
      if (x < 48 || x >= 263 || y >= 215) {
        ASSERT_EQ(c, kTeal) << x << "," << y;
        continue;
      }
      // Each target pixel shows a source pixel from its own share of the source.
      int col = static_cast<int>(c % 1440), row = static_cast<int>(c / 1440);
      int tx = x - 48;
      ASSERT_GE(col, tx * 1440 / 215);
      ASSERT_LT(col, (tx + 1) * 1440 / 215 + 1);
      ASSERT_GE(row, y * 1440 / 215);
      ASSERT_LT(row, (y + 1) * 1440 / 215 + 1);
    }
}

TEST(StretchBlt, EnlargesToAnyWindowSize) {
  const Bitmap frame = Numbered(312, 216);
  Bitmap doubled(624, 432);
  StretchBlt(doubled, 0, 0, 624, 432, frame, 0, 0, 312, 216);
  for (int y = 0; y < 432; ++y)
    for (int x = 0; x < 624; ++x) ASSERT_EQ(doubled.Pixel(x, y), frame.Pixel(x / 2, y / 2));

  Bitmap half(156, 108);
  StretchBlt(half, 0, 0, 156, 108, frame, 0, 0, 312, 216);
  EXPECT_EQ(half.Pixel(0, 0), frame.Pixel(1, 1));
  EXPECT_EQ(half.Pixel(155, 107), frame.Pixel(311, 215));

  // An odd size keeps every row and column in order, corner to corner, with no gaps.
  Bitmap odd(500, 300, kTeal);
  StretchBlt(odd, 0, 0, 500, 300, frame, 0, 0, 312, 216);
  EXPECT_EQ(odd.Pixel(0, 0), frame.Pixel(0, 0));
  EXPECT_EQ(odd.Pixel(499, 299), frame.Pixel(311, 215));
  for (int y = 0; y < 300; ++y)
    for (int x = 1; x < 500; ++x) ASSERT_GE(odd.Pixel(x, y), odd.Pixel(x - 1, y));
}

TEST(StretchBlt, ClipsTargetAndSource) {
  const Bitmap src = Numbered(4, 4);
  Bitmap dst(4, 4, kTeal);
  StretchBlt(dst, -4, -4, 8, 8, src, 0, 0, 4, 4);  // top-left quarter off the target
  EXPECT_EQ(dst.Pixel(0, 0), src.Pixel(2, 2));
  EXPECT_EQ(dst.Pixel(3, 3), src.Pixel(3, 3));
  Bitmap dst2(4, 4, kTeal);
  StretchBlt(dst2, 0, 0, 4, 4, src, 2, 2, 4, 4);  // source rectangle half outside
  EXPECT_EQ(dst2.Pixel(0, 0), src.Pixel(2, 2));
  EXPECT_EQ(dst2.Pixel(3, 3), kTeal);
}

TEST(FillEllipse, SmallBoxesAreSymmetricAndTouchTheirSides) {
  Bitmap b(5, 5);
  FillEllipse(b, 0, 0, 5, 5, kWhite);
  const char* want[] = {".###.", "#####", "#####", "#####", ".###."};
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 5; ++x)
      EXPECT_EQ(b.Pixel(x, y) == kWhite, want[y][x] == '#') << x << "," << y;
  Bitmap e(4, 2);
  FillEllipse(e, 0, 0, 4, 2, kWhite);
  for (int x = 0; x < 4; ++x) EXPECT_EQ(e.Pixel(x, 0), e.Pixel(3 - x, 1));
  EXPECT_EQ(e.Pixel(1, 0), kWhite);
}

TEST(FillEllipse, DarknessCircleAroundTheHero) {
  Bitmap b(312, 216, kBlack);
  FillEllipse(b, 66, 18, 246, 198, kWhite);
  int area = 0;
  for (int y = 0; y < 216; ++y)
    for (int x = 0; x < 312; ++x) {
      bool lit = b.Pixel(x, y) == kWhite;
      area += lit;
      double d = std::hypot(x + 0.5 - 156.0, y + 0.5 - 108.0);
      if (d < 89.0) {
        ASSERT_TRUE(lit) << x << "," << y;
      }
      if (d > 90.5) {
        ASSERT_FALSE(lit) << x << "," << y;
      }
      // Symmetric about the centre of the box.
      ASSERT_EQ(lit, b.Pixel(311 - x, y) == kWhite) << x << "," << y;
      ASSERT_EQ(lit, b.Pixel(x, 215 - y) == kWhite) << x << "," << y;
    }
  EXPECT_NEAR(area, M_PI * 90 * 90, 0.01 * M_PI * 90 * 90);
  // The figure reaches every side of its box and no further.
  EXPECT_EQ(b.Pixel(156, 18), kWhite);
  EXPECT_EQ(b.Pixel(156, 197), kWhite);
  EXPECT_EQ(b.Pixel(66, 108), kWhite);
  EXPECT_EQ(b.Pixel(245, 108), kWhite);
  EXPECT_EQ(b.Pixel(156, 17), kBlack);
  EXPECT_EQ(b.Pixel(156, 198), kBlack);
  EXPECT_EQ(b.Pixel(65, 108), kBlack);
  EXPECT_EQ(b.Pixel(246, 108), kBlack);
}

TEST(FillEllipse, ClipsAndIgnoresEmptyBoxes) {
  Bitmap b(10, 10);
  FillEllipse(b, -10, -10, 10, 10, kWhite);
  EXPECT_EQ(b.Pixel(0, 0), kWhite);
  EXPECT_EQ(b.Pixel(9, 9), kBlack);
  Bitmap c(10, 10);
  FillEllipse(c, 5, 5, 5, 9, kWhite);
  FillEllipse(c, 5, 5, 3, 3, kWhite);
  FillEllipse(c, INT_MIN, INT_MIN, INT_MAX, INT_MAX, kWhite);
  EXPECT_EQ(c.Pixel(5, 5), kWhite);  // the huge ellipse covers all; the empty ones nothing
}

// A sprite's mask and picture in one pass must leave what the two transfers leave, at every
// width across the eight-pixel steps and wherever the rectangle is clipped (each edge of the
// destination and of the sheet, and wholly outside).
TEST(MaskedBlt, GivesTheAndThenTheOr) {
  const Bitmap mask = Numbered(40, 9, 0xF0F0F0), image = Numbered(40, 9, 0x0A0B0C);
  Bitmap base(30, 12);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 30; ++x) base.SetPixel(x, y, (0x9E3779B9u * (y * 30 + x + 1)) >> 8);
  const int places[][4] = {{2, 1, 0, 0},  {-5, 3, 4, 2}, {20, -4, 1, 0}, {25, 8, 30, 5},
                           {3, 2, -3, -2}, {40, 0, 0, 0}, {0, 0, 38, 7}};
  for (int w = 1; w <= 26; ++w)
    for (const auto& p : places) {
      Bitmap one = base, two = base;
      MaskedBlt(one, p[0], p[1], w, 6, mask, image, p[2], p[3]);
      BitBlt(two, p[0], p[1], w, 6, &mask, p[2], p[3], Rop::And);
      BitBlt(two, p[0], p[1], w, 6, &image, p[2], p[3], Rop::Or);
      ASSERT_TRUE(one == two) << "width " << w << " at " << p[0] << "," << p[1] << " from "
                              << p[2] << "," << p[3];
    }
}

// A picture kept in step with another skips its copy while the revision stands still, so
// every way of writing pixels must move it on, and reading must not (or the skip never
// happens).
TEST(Bitmap, RevisionMovesOnWithEveryWriteAndOnlyThen) {
  Bitmap b(8, 4, kBlack);
  const Bitmap& reader = b;
  uint64_t r = b.Revision();
  const auto movedOn = [&](const char* what) {
    const bool moved = b.Revision() != r;
    r = b.Revision();
    EXPECT_TRUE(moved) << what;
  };
  (void)reader.Row(1);
  (void)reader.Pixels();
  (void)b.Pixel(2, 2);
  EXPECT_EQ(b.Revision(), r) << "reading";
  b.SetPixel(1, 1, kWhite);
  movedOn("SetPixel");
  b.Pixels()[3] = kWhite;
  movedOn("Pixels");
  BitBlt(b, 0, 0, 2, 2, nullptr, 0, 0, Rop::DstInvert);
  movedOn("BitBlt");
  FillRect(b, 0, 0, 1, 1, kTeal);
  movedOn("FillRect");
  b.Resize(8, 4);
  movedOn("Resize to the same size");
  const Bitmap other(8, 4, kWhite);
  b = other;
  movedOn("copy assignment");
  b = Bitmap(8, 4, kTeal);
  movedOn("move assignment");
  Bitmap taken = std::move(b);
  movedOn("moved away");
  std::swap(b, taken);
  movedOn("swap");
}


// A damage record lets a picture be mended where it was written and left alone elsewhere:
// a write it misses shows as a stale pixel. Every operation notes what it wrote, clipped;
// handing out rows or pixels for writing, resizing and assigning count as anywhere.
TEST(Bitmap, DamageRecordNotesEveryWrite) {
  Bitmap b(8, 6, kBlack);
  EXPECT_TRUE(b.Damage().all) << "no record before the first clear";
  const Bitmap sheet = Numbered(4, 4);
  const auto notes = [&](const char* what, const auto& write, Rect want) {
    b.ClearDamage();
    write();
    ASSERT_FALSE(b.Damage().all) << what;
    ASSERT_EQ(b.Damage().rects.size(), 1u) << what;
    const Rect got = b.Damage().rects[0];
    EXPECT_EQ(got.x0, want.x0) << what;
    EXPECT_EQ(got.y0, want.y0) << what;
    EXPECT_EQ(got.x1, want.x1) << what;
    EXPECT_EQ(got.y1, want.y1) << what;
  };
  notes("copy clipped", [&] { BitBlt(b, 6, -1, 4, 4, &sheet, 0, 0, Rop::Copy); }, {6, 0, 8, 3});
  notes("invert", [&] { BitBlt(b, 1, 1, 2, 2, nullptr, 0, 0, Rop::DstInvert); }, {1, 1, 3, 3});
  notes("masked", [&] { MaskedBlt(b, -2, 4, 4, 4, sheet, sheet, 0, 0); }, {0, 4, 2, 6});
  notes("fill", [&] { FillRect(b, 3, 2, 9, 1, kTeal); }, {3, 2, 8, 3});

  const auto anywhere = [&](const char* what, const auto& write) {
    b.ClearDamage();
    write();
    EXPECT_TRUE(b.Damage().all) << what;
  };
  anywhere("row", [&] { b.Row(2)[0] = kWhite; });
  anywhere("pixel", [&] { b.SetPixel(0, 0, kWhite); });
  anywhere("pixels", [&] { b.Pixels()[1] = kWhite; });
  anywhere("resize", [&] { b.Resize(8, 6); });
  anywhere("copy assignment", [&] { b = sheet; });
  anywhere("stretch", [&] { StretchBlt(b, 0, 0, 2, 2, sheet, 0, 0, 4, 4); });
  anywhere("too many to list", [&] {
    for (int i = 0; i < 1000; ++i) FillRect(b, 0, 0, 1, 1, kWhite);
  });

  // Nothing written outside the bitmap, nothing noted.
  b.ClearDamage();
  BitBlt(b, 20, 20, 4, 4, &sheet, 0, 0, Rop::Copy);
  FillRect(b, -5, 0, 5, 5, kWhite);
  EXPECT_FALSE(b.Damage().all);
  EXPECT_TRUE(b.Damage().rects.empty());

  // Buffers that trade places take their records along; what is left behind knows nothing.
  b.ClearDamage();
  FillRect(b, 1, 1, 1, 1, kWhite);
  Bitmap other(8, 6);
  std::swap(b, other);
  EXPECT_TRUE(b.Damage().all);
  ASSERT_FALSE(other.Damage().all);
  EXPECT_EQ(other.Damage().rects.size(), 1u);
  const Bitmap taken = std::move(other);
  EXPECT_FALSE(taken.Damage().all);
  EXPECT_TRUE(other.Damage().all);
}

}  // namespace
}  // namespace gfx
