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
  int bad = 0;
  for (int y = 0; y < 1080; ++y)
    for (int x = 0; x < 1560; ++x)
      bad += view.Pixels()[y * 1560 + x] != Argb(frame.Pixel(x / 5, y / 5));
  EXPECT_EQ(bad, 0);
  EXPECT_TRUE(view.Update(frame).Empty()) << "an unchanged frame repaints nothing";
}

// Over many frames with small changes the kept picture equals one scaled from scratch, and
// every scaled pixel that differs from before lies inside the reported box.
void CheckIncremental(int w, int h) {
  SCOPED_TRACE(testing::Message() << w << " x " << h);
  std::mt19937 rng(w * 7 + h);
  gfx::Bitmap frame = Noise(2);
  gfx::ScaledView kept;
  kept.Configure(312, 216, w, h);
  kept.Update(frame);
  for (int round = 0; round < 40; ++round) {
    std::vector<uint32_t> before(kept.Pixels(), kept.Pixels() + w * h);
    int x = rng() % 312, y = rng() % 216, rw = 1 + rng() % 40, rh = 1 + rng() % 30;
    gfx::FillRect(frame, x, y, rw, rh, rng() & 0xFFFFFF);
    Box box = kept.Update(frame);
    gfx::ScaledView fresh;
    fresh.Configure(312, 216, w, h);
    fresh.Update(frame);
    int wrong = 0, outside = 0;
    for (int py = 0; py < h; ++py)
      for (int px = 0; px < w; ++px) {
        uint32_t now = kept.Pixels()[py * w + px];
        wrong += now != fresh.Pixels()[py * w + px];
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
  EXPECT_EQ(view.Pixels()[0], 0xFFFFFFFFu);
  EXPECT_EQ(view.Pixels()[431 * 624 + 623], 0xFF000000u);
  EXPECT_EQ(view.Pixels()[10 * 624 + 300], 0xFF000000u);
  gfx::Bitmap none;
  EXPECT_FALSE(view.Update(none).Empty()) << "the white corner goes black";
  EXPECT_EQ(view.Pixels()[0], 0xFF000000u);
}

}  // namespace
