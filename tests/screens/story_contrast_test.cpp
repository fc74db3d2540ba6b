// The story is readable over the title picture: at every step of its scroll, at least 90 %
// of the pixels of every white story glyph stand at a contrast ratio of 3:1 or more (WCAG
// relative luminance) against the picture under them.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "content/story.h"
#include "state/window_model.h"
#include "gfx/bmp.h"
#include "screen_fixture.h"

namespace {

constexpr gfx::Color kUntouched = gfx::Rgb(1, 254, 3);
constexpr int kW = 312, kH = 216;
constexpr int kDrawY = 40;  // where the glyphs are drawn to be picked apart

double Linear(int channel) {
  const double c = channel / 255.0;
  return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(gfx::Color c) {
  return 0.2126 * Linear(c & 255) + 0.7152 * Linear((c >> 8) & 255) + 0.0722 * Linear((c >> 16) & 255);
}

double ContrastWithWhite(gfx::Color c) { return 1.05 / (Luminance(c) + 0.05); }

struct Pixel {
  int dx, dy;  // from the line's place (x, Y0 - T)
};
struct StoryGlyph {
  int line;
  std::string text;
  std::vector<Pixel> pixels;
};

// The pixels the line's prefix of `bytes` source bytes sets on an untouched canvas.
std::vector<bool> Drawn(const StoryLine& line, size_t bytes) {
  Window.Frame.Picture.Resize(kW, kH, kUntouched);
  DrawShadowText(line.X, kDrawY, line.Size, gfx::kWhite, std::string(line.Text).substr(0, bytes));
  std::vector<bool> set(kW * kH);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) set[y * kW + x] = Window.Frame.Picture.Pixel(x, y) != kUntouched;
  return set;
}

size_t NextCharacter(const std::string& s, size_t i) {
  ++i;
  while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) ++i;
  return i;
}

// Every glyph of the story as the pixels it adds to its line, found by drawing the line
// one character longer each time.
std::vector<StoryGlyph> StoryGlyphs() {
  std::vector<StoryGlyph> glyphs;
  for (int l = 0; l < 46; ++l) {
    const StoryLine& line = kStoryLines[l];
    const std::string text = line.Text ? line.Text : "";
    std::vector<bool> before = Drawn(line, 0);
    for (size_t i = 0; i < text.size();) {
      const size_t next = NextCharacter(text, i);
      std::vector<bool> after = Drawn(line, next);
      StoryGlyph g{l, text.substr(i, next - i), {}};
      for (int k = 0; k < kW * kH; ++k)
        if (after[k] && !before[k]) g.pixels.push_back({k % kW - line.X, k / kW - kDrawY});
      if (!g.pixels.empty()) glyphs.push_back(std::move(g));
      before = std::move(after);
      i = next;
    }
  }
  return glyphs;
}

class StoryContrast : public ScreenTest {};

TEST_F(StoryContrast, EveryGlyphReadsOverThePictureAtEveryScrollStep) {
  const gfx::Bitmap title = gfx::LoadBmpFile(testsupport::DataDir() + "/title.bmp");
  ASSERT_GE(title.Width(), kW);
  ASSERT_GE(title.Height(), kH);
  std::vector<bool> readable(kW * kH);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) readable[y * kW + x] = ContrastWithWhite(title.Pixel(x, y)) >= 3.0;

  const std::vector<StoryGlyph> glyphs = StoryGlyphs();
  ASSERT_GT(glyphs.size(), 400u) << "the story's glyphs were not drawn";
  int failures = 0;
  long checked = 0;
  for (int t = 300; t < 2000; ++t) {
    for (const StoryGlyph& g : glyphs) {
      const StoryLine& line = kStoryLines[g.line];
      int seen = 0, good = 0;
      for (const Pixel& p : g.pixels) {
        const int x = line.X + p.dx, y = line.Y0 - t + p.dy;
        if (x < 0 || y < 0 || x >= kW || y >= kH) continue;
        ++seen;
        good += readable[y * kW + x];
      }
      if (seen == 0) continue;
      ++checked;
      if (good * 10 < seen * 9 && failures++ < 10) {
        ADD_FAILURE() << "tick " << t << ", line " << g.line << ", glyph \"" << g.text << "\": "
                      << good << " of " << seen << " pixels readable";
      }
    }
  }
  EXPECT_GT(checked, 100000) << "the scroll was not walked";
}

}  // namespace
