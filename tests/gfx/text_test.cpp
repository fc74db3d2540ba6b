// Text drawing: sizes, the cell-top placement, Japanese glyphs, clipping and bad input.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <climits>

#include "gfx/image.h"
#include "gfx/text.h"

namespace gfx {
namespace {

const std::string kMincho = "ＭＳ 明朝";
const Color kBack = Rgb(20, 40, 60);

struct Ink {
  int count = 0, left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;  // inclusive
};

Ink InkOf(const Bitmap& b, Color back = kBack) {
  Ink ink;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      if (b.Pixel(x, y) != back) {
        ++ink.count;
        ink.left = std::min(ink.left, x);
        ink.right = std::max(ink.right, x);
        ink.top = std::min(ink.top, y);
        ink.bottom = std::max(ink.bottom, y);
      }
  return ink;
}

std::string Lower(std::string s) {
  for (auto& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

TEST(Text, PointsBecomePixelsAtNinetySixDpi) {
  EXPECT_EQ(PointsToPixels(10), 13);
  EXPECT_EQ(PointsToPixels(14), 19);
  EXPECT_EQ(PointsToPixels(20), 27);
  EXPECT_EQ(PointsToPixels(9), 12);
  EXPECT_EQ(PointsToPixels(0), 0);
  FontMetrics m = GetFontMetrics(kMincho, 10);
  EXPECT_EQ(m.PixelSize, 13);
  EXPECT_GE(m.Height(), 13);
  EXPECT_LE(m.Height(), 16);
  EXPECT_GT(m.Ascent, m.Descent);
}

TEST(Text, WindowsFacesResolveToTheIpaFonts) {
  EXPECT_NE(Lower(FontFileFor(kMincho)).find("mincho"), std::string::npos) << FontFileFor(kMincho);
  EXPECT_NE(Lower(FontFileFor("ＭＳ Ｐゴシック")).find("ipagp"), std::string::npos)
      << FontFileFor("ＭＳ Ｐゴシック");
  EXPECT_FALSE(FontFileFor("No Such Face At All").empty());  // best match, never nothing
}

TEST(Text, CapitalStartsBelowTheCellTop) {
  Bitmap b(40, 40, kBack);
  DrawText(b, 0, 0, kMincho, 10, kWhite, "H");
  Ink ink = InkOf(b);
  ASSERT_GT(ink.count, 10);
  FontMetrics m = GetFontMetrics(kMincho, 10);
  EXPECT_GE(ink.top, 1);
  EXPECT_LE(ink.top, 4);
  EXPECT_LT(ink.bottom, m.Ascent);  // sits on the baseline
  EXPECT_GE(ink.bottom, m.Ascent - 2);
  EXPECT_LE(ink.left, 2);

  // Moving the text moves the ink by exactly as much.
  Bitmap c(40, 40, kBack);
  DrawText(c, 7, 11, kMincho, 10, kWhite, "H");
  Ink moved = InkOf(c);
  EXPECT_EQ(moved.left, ink.left + 7);
  EXPECT_EQ(moved.top, ink.top + 11);
  EXPECT_EQ(moved.count, ink.count);
}

TEST(Text, AsciiKanaAndKanjiDrawInsideTheirCells) {
  for (int points : {10, 14, 20})
    for (std::string text : {"HP 1234", "ﾐﾛｳﾞｧｰﾝ", "ｽﾍﾟｰｽｷｰ", "宝箱を開けた！", "ひらがな"}) {
      Bitmap b(312, 60, kBack);
      DrawText(b, 10, 20, kMincho, points, kWhite, text);
      Ink ink = InkOf(b);
      FontMetrics m = GetFontMetrics(kMincho, points);
      int width = TextWidth(kMincho, points, text);
      SCOPED_TRACE(text + " at " + std::to_string(points));
      EXPECT_GT(ink.count, 20);
      EXPECT_GE(ink.left, 10);
      EXPECT_LT(ink.right, 10 + width + 1);
      EXPECT_GE(ink.top, 20);
      EXPECT_LT(ink.bottom, 20 + m.Height());
      // Every drawn pixel is the text colour: no background box, crisp one-bit glyphs.
      for (Color c : b.Pixels()) ASSERT_TRUE(c == kBack || c == kWhite);
    }
}

TEST(Text, HalfWidthKatakanaIsHalfAsWideAsFullWidth) {
  int half = TextWidth(kMincho, 10, "ｱｲｳｴｵ");
  int full = TextWidth(kMincho, 10, "アイウエオ");
  EXPECT_GT(half, 0);
  EXPECT_NEAR(full, 2 * half, 5);
  EXPECT_NEAR(full, 5 * 13, 5);  // full-width glyphs are one em wide
  EXPECT_EQ(TextWidth(kMincho, 10, ""), 0);
}

TEST(Text, ClipsAtEveryEdgeWithoutFault) {
  const std::string text = "端ﾃｷｽﾄ edge";
  for (int x : {INT_MIN, -1000, -20, -3, 0, 250, 305, 311, 312, INT_MAX})
    for (int y : {INT_MIN, -30, -14, -5, 0, 205, 215, 216, INT_MAX}) {
      Bitmap b(312, 216, kBack);
      DrawText(b, x, y, kMincho, 14, kWhite, text);
    }
  Bitmap b(312, 216, kBack);
  DrawText(b, -6, -6, kMincho, 14, kWhite, "HHHH");
  Ink ink = InkOf(b);
  EXPECT_GT(ink.count, 0);
  EXPECT_EQ(ink.left, 0);
  EXPECT_EQ(ink.top, 0);
  Bitmap tiny(1, 1, kBack);
  DrawText(tiny, -4, -5, kMincho, 10, kWhite, "■");
  EXPECT_EQ(tiny.Pixel(0, 0), kWhite);
  Bitmap none;
  DrawText(none, 0, 0, kMincho, 10, kWhite, "abc");
  DrawText(b, 0, 0, kMincho, 0, kWhite, "abc");
  DrawText(b, 0, 0, kMincho, -10, kWhite, "abc");
}

// A text notes one rectangle holding every pixel it drew, so that a picture mended where
// it was written loses no stroke of it; clipped at the bitmap's edges, and nothing at all
// where it drew nothing.
TEST(Text, NotesTheBoxOfWhatItDrew) {
  for (const char* text : {"1234", "ﾚﾍﾞﾙ", "宝箱を手に入れた"}) {
    for (const int x : {-9, 0, 40, 90}) {
      Bitmap b(100, 30, kBlack);
      b.ClearDamage();
      DrawText(b, x, 2, kMincho, 14, kWhite, text);
      ASSERT_FALSE(b.Damage().all) << text;
      Rect box{b.Width(), b.Height(), 0, 0};
      for (int y = 0; y < b.Height(); ++y)
        for (int px = 0; px < b.Width(); ++px)
          if (b.Pixel(px, y) != kBlack) {
            box.x0 = std::min(box.x0, px), box.y0 = std::min(box.y0, y);
            box.x1 = std::max(box.x1, px + 1), box.y1 = std::max(box.y1, y + 1);
          }
      bool covered = box.x0 >= box.x1;  // nothing drawn: nothing to cover
      for (const Rect& r : b.Damage().rects)
        covered = covered || (r.x0 <= box.x0 && r.y0 <= box.y0 && r.x1 >= box.x1 && r.y1 >= box.y1 &&
                              r.x0 >= 0 && r.y0 >= 0 && r.x1 <= b.Width() && r.y1 <= b.Height());
      EXPECT_TRUE(covered) << text << " at " << x;
    }
  }
  Bitmap b(100, 30, kBlack);
  b.ClearDamage();
  DrawText(b, 200, 2, kMincho, 14, kWhite, "1234");
  EXPECT_TRUE(b.Damage().rects.empty());
}

TEST(Text, InvalidUtf8IsReplacedNotFatal) {
  const std::string bad[] = {"\xff", "\xe3\x81", "A\xc0\xafZ", "\xed\xa0\x80", "\xf4\x90\x80\x80",
                             std::string("x\0y", 3), "\xe3"};
  for (const auto& s : bad) {
    Bitmap b(100, 30, kBack);
    DrawText(b, 0, 0, kMincho, 10, kWhite, s);
    EXPECT_GE(TextWidth(kMincho, 10, s), 0);
  }
  // The good characters around a bad byte still draw in their places.
  Bitmap b(100, 30, kBack);
  DrawText(b, 0, 0, kMincho, 10, kWhite, "A\xff" "B");
  EXPECT_GT(InkOf(b).right, TextWidth(kMincho, 10, "AB") - 4);
}

TEST(Text, TextOutUsesTheCanvasFontSizeAndColour) {
  TImage image;
  image.Picture.Resize(120, 40, kBack);
  image.canvas.FontName = kMincho;
  image.canvas.FontSize = 14;
  image.canvas.FontColor = Rgb(255, 255, 0);
  image.canvas.BrushClear = true;
  image.TextOut(3, 4, "ﾚﾍﾞﾙ 99");
  Bitmap want(120, 40, kBack);
  DrawText(want, 3, 4, kMincho, 14, Rgb(255, 255, 0), "ﾚﾍﾞﾙ 99");
  EXPECT_EQ(image.Picture, want);
  EXPECT_GT(InkOf(want).count, 30);
  // A second text over the first leaves the first one's pixels where it does not draw.
  image.canvas.FontColor = kBlack;
  image.TextOut(3, 25, "x");
  EXPECT_EQ(image.Picture.Pixel(InkOf(want).left, InkOf(want).top),
            want.Pixel(InkOf(want).left, InkOf(want).top));
}

}  // namespace
}  // namespace gfx

namespace {

// At the play screen's 13 pixels the half-width handakuten must still be a ring with a
// hole, not a tick, or "ｽﾍﾟｰｽ" reads as "ｽﾍ'ｰｽ".
TEST(Text, SmallHandakutenIsARing) {
  gfx::Bitmap b(20, 20, gfx::kBlack);
  gfx::DrawText(b, 2, 2, "ＭＳ 明朝", 10, gfx::kWhite, "ﾟ");
  int minX = 20, minY = 20, maxX = -1, maxY = -1, lit = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x)
      if (b.Pixel(x, y) != gfx::kBlack) {
        ++lit;
        minX = std::min(minX, x), maxX = std::max(maxX, x);
        minY = std::min(minY, y), maxY = std::max(maxY, y);
      }
  ASSERT_GT(lit, 0);
  EXPECT_GE(maxX - minX, 2);
  EXPECT_GE(maxY - minY, 2);
  EXPECT_EQ(b.Pixel((minX + maxX) / 2, (minY + maxY) / 2), gfx::kBlack);  // the hole
}

}  // namespace
