// Bringing the frame to the window's size: where it lands in each mode, square pixels at a
// whole factor, and the kept picture matching a fresh one however the frames change.
#include <gtest/gtest.h>

#include <random>

#include "gfx/view_scale.h"

namespace {

using gfx::Box;
using gfx::ScaleMode;

gfx::Bitmap Noise(uint32_t seed) {
  gfx::Bitmap b(312, 216);
  std::mt19937 rng(seed);
  for (auto& p : b.Pixels()) p = rng() & 0xFFFFFF;
  return b;
}

std::vector<uint32_t> Rendered(const gfx::ScaledView& view) {
  std::vector<uint32_t> out(static_cast<size_t>(view.Width()) * view.Height(), 0);
  view.Render({0, 0, view.Width(), view.Height()}, out.data(), view.Width());
  return out;
}

uint32_t Argb(gfx::Color c) {
  return 0xFF000000u | ((c & 255) << 16) | (c & 0xFF00) | ((c >> 16) & 255);
}

TEST(ViewScale, PlacementOfTheThreeModes) {
  // Whole factor: the largest integer scale, centred on black.
  EXPECT_EQ(gfx::PlacePicture(ScaleMode::Whole, 312, 216, 1920, 1080), (Box{180, 0, 1560, 1080}));
  EXPECT_EQ(gfx::PlacePicture(ScaleMode::Whole, 312, 216, 3840, 2160), (Box{360, 0, 3120, 2160}));
  EXPECT_EQ(gfx::PlacePicture(ScaleMode::Whole, 312, 216, 1000, 700), (Box{32, 26, 936, 648}));
  // Smaller than the picture: a whole factor cannot fit, so the shape is kept instead.
  EXPECT_EQ(gfx::PlacePicture(ScaleMode::Whole, 312, 216, 156, 200), (Box{0, 46, 156, 108}));
  // Keep aspect: bars on two sides only.
  EXPECT_EQ(gfx::PlacePicture(ScaleMode::Aspect, 312, 216, 1920, 1080), (Box{180, 0, 1560, 1080}));
  EXPECT_EQ(gfx::PlacePicture(ScaleMode::Aspect, 312, 216, 1000, 1000), (Box{0, 154, 1000, 692}));
  // Fill: the whole area, shape or not.
  EXPECT_EQ(gfx::PlacePicture(ScaleMode::Fill, 312, 216, 500, 300), (Box{0, 0, 500, 300}));
  EXPECT_TRUE(gfx::PlacePicture(ScaleMode::Whole, 312, 216, 0, 100).Empty());
  EXPECT_EQ(gfx::WholeFactor(312, 216, 311, 1000), 0);
}

TEST(ViewScale, WholeFactorMakesEverySourcePixelAKByKSquare) {
  gfx::Bitmap frame = Noise(1);
  gfx::ScaledView view;
  view.Configure(312, 216, 1560, 1080);
  Box changed = view.Update(frame);
  EXPECT_EQ(changed, (Box{0, 0, 1560, 1080}));
  std::vector<uint32_t> pixels = Rendered(view);
  int bad = 0;
  for (int y = 0; y < 1080; ++y)
    for (int x = 0; x < 1560; ++x) bad += pixels[y * 1560 + x] != Argb(frame.Pixel(x / 5, y / 5));
  EXPECT_EQ(bad, 0);
  // A part rendered on its own is the same part of the whole.
  std::vector<uint32_t> part(7 * 11);
  view.Render({333, 444, 7, 11}, part.data(), 7);
  for (int y = 0; y < 11; ++y)
    for (int x = 0; x < 7; ++x) bad += part[y * 7 + x] != pixels[(444 + y) * 1560 + 333 + x];
  EXPECT_EQ(bad, 0);
  EXPECT_TRUE(view.Update(frame).Empty()) << "an unchanged frame repaints nothing";
}

// Over many frames with small changes, every scaled pixel that differs from the last
// frame's lies inside the reported box, and the picture equals one scaled from scratch.
void CheckIncremental(int w, int h) {
  SCOPED_TRACE(testing::Message() << w << " x " << h);
  std::mt19937 rng(w * 7 + h);
  gfx::Bitmap frame = Noise(2);
  gfx::ScaledView kept;
  kept.Configure(312, 216, w, h);
  kept.Update(frame);
  for (int round = 0; round < 40; ++round) {
    std::vector<uint32_t> before = Rendered(kept);
    std::vector<gfx::Color> shownBefore(kept.Shown(), kept.Shown() + 312 * 216);
    int x = rng() % 312, y = rng() % 216, rw = 1 + rng() % 40, rh = 1 + rng() % 30;
    gfx::FillRect(frame, x, y, rw, rh, rng() & 0xFFFFFF);
    Box box = kept.Update(frame);
    // The source pixels kept are the frame's, and every one that changed lies in the
    // source box (what is sent on when the picture is scaled elsewhere).
    Box source = kept.SourceChange();
    int stale = 0, missed = 0;
    for (int sy = 0; sy < 216; ++sy)
      for (int sx = 0; sx < 312; ++sx) {
        gfx::Color now = kept.Shown()[sy * 312 + sx];
        stale += now != frame.Pixel(sx, sy);
        bool inSource = sx >= source.x && sx < source.x + source.w && sy >= source.y &&
                        sy < source.y + source.h;
        missed += !inSource && now != shownBefore[sy * 312 + sx];
      }
    ASSERT_EQ(stale, 0) << "round " << round;
    ASSERT_EQ(missed, 0) << "round " << round;
    gfx::ScaledView fresh;
    fresh.Configure(312, 216, w, h);
    fresh.Update(frame);
    std::vector<uint32_t> after = Rendered(kept), scratch = Rendered(fresh);
    int wrong = 0, outside = 0;
    for (int py = 0; py < h; ++py)
      for (int px = 0; px < w; ++px) {
        uint32_t now = after[py * w + px];
        wrong += now != scratch[py * w + px];
        bool inBox = px >= box.x && px < box.x + box.w && py >= box.y && py < box.y + box.h;
        outside += !inBox && now != before[py * w + px];
      }
    ASSERT_EQ(wrong, 0) << "round " << round;
    ASSERT_EQ(outside, 0) << "round " << round;
  }
}

TEST(ViewScale, KeptPictureFollowsChangedFramesAtAnySize) {
  CheckIncremental(1560, 1080);  // whole factor
  CheckIncremental(500, 333);    // stretched by a fraction
  CheckIncremental(156, 108);    // shrunk: some source pixels are not shown at all
}

TEST(ViewScale, ASmallOrMissingFrameShowsBlack) {
  gfx::ScaledView view;
  view.Configure(312, 216, 624, 432);
  gfx::Bitmap small(100, 50, gfx::kWhite);
  view.Update(small);
  std::vector<uint32_t> pixels = Rendered(view);
  EXPECT_EQ(pixels[0], 0xFFFFFFFFu);
  EXPECT_EQ(pixels[431 * 624 + 623], 0xFF000000u);
  EXPECT_EQ(pixels[10 * 624 + 300], 0xFF000000u);
  gfx::Bitmap none;
  EXPECT_FALSE(view.Update(none).Empty()) << "the white corner goes black";
  EXPECT_EQ(Rendered(view)[0], 0xFF000000u);
  // A box reaching past the picture writes only the part inside it.
  std::vector<uint32_t> edge(4 * 4, 7);
  view.Render({622, 430, 4, 4}, edge.data(), 4);
  EXPECT_EQ(edge[0], 0xFF000000u);
  EXPECT_EQ(edge[3], 7u);
  EXPECT_EQ(edge[15], 7u);
}

}  // namespace
