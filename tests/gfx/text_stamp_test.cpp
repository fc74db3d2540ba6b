// The ready-made texts: what a stamp puts down is what drawing the texts anew would, over
// any background; it is made again whenever a text changes in any way and then stands
// still for a second call, and never while nothing changes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gfx/text.h"
#include "gfx/text_stamp.h"

namespace gfx {
namespace {

const std::string kMincho = "ＭＳ 明朝";
const std::string kSans = "DejaVu Sans";

// A background that differs from call to call, with bits above the colour in some pixels:
// the stamp must keep every bit of a pixel it does not cover.
Bitmap Background(int width, int height, uint32_t seed) {
  Bitmap b(width, height);
  uint32_t v = seed * 2654435761u + 1;
  for (Color& c : b.Pixels()) {
    v = v * 1664525u + 1013904223u;
    c = (v & 0x10000u) ? v : v & 0x00FFFFFFu;
  }
  return b;
}

// A number and its shadow, as the status panel draws them.
std::vector<StampText> Number(int x, int y, const std::string& face, int points,
                              const std::string& digits, Color text, Color shadow) {
  return {{x + 1, y, face, points, shadow, digits}, {x, y, face, points, text, digits}};
}

struct Step {
  const char* what;
  int width, height;
  std::vector<StampText> texts;
};

TEST(TextStamp, PutsDownWhatTheTextsDrawnAnewWouldAndIsMadeAgainOnAnyChange) {
  const Color white = kWhite, black = kBlack, green = Rgb(0, 255, 0), darkGreen = Rgb(0, 128, 0);
  const std::vector<Step> steps = {
      {"first", 312, 216, Number(40, 20, kMincho, 14, "1234", white, black)},
      {"a digit", 312, 216, Number(40, 20, kMincho, 14, "1235", white, black)},
      {"a digit more", 312, 216, Number(40, 20, kMincho, 14, "12350", white, black)},
      {"the colour", 312, 216, Number(40, 20, kMincho, 14, "12350", green, black)},
      {"the shadow's colour", 312, 216, Number(40, 20, kMincho, 14, "12350", green, darkGreen)},
      {"the place", 312, 216, Number(41, 20, kMincho, 14, "12350", green, darkGreen)},
      {"the row", 312, 216, Number(41, 3, kMincho, 14, "12350", green, darkGreen)},
      {"the size", 312, 216, Number(41, 3, kMincho, 10, "12350", green, darkGreen)},
      {"the face", 312, 216, Number(41, 3, kSans, 10, "12350", green, darkGreen)},
      {"cut by the right edge", 312, 216, Number(290, 3, kSans, 14, "999999", white, black)},
      {"and the top", 312, 216, Number(290, -6, kSans, 14, "999999", white, black)},
      {"a smaller picture", 156, 108, Number(290, -6, kSans, 14, "999999", white, black)},
      {"Japanese", 312, 216, Number(60, 195, kMincho, 10, "宝箱を開けた！ﾐﾛｳﾞｧｰﾝ", white, black)},
      {"one text fewer", 312, 216, {{60, 195, kMincho, 10, white, "宝箱を開けた！ﾐﾛｳﾞｧｰﾝ"}}},
      {"none", 312, 216, {}},
      {"back to the first", 312, 216, Number(40, 20, kMincho, 14, "1234", white, black)},
  };
  TextStamp stamp;
  int made = 0;
  // Each step three times: drawn glyph by glyph, then made into a picture, then put down.
  for (size_t call = 0; call < 3 * steps.size(); ++call) {
    const size_t i = call / 3;
    const Step& step = steps[i];
    SCOPED_TRACE(std::string(step.what) + ", call " + std::to_string(call % 3 + 1));
    Bitmap expected = Background(step.width, step.height, static_cast<uint32_t>(call));
    for (const StampText& t : step.texts) DrawText(expected, t.x, t.y, t.face, t.points, t.colour, t.utf8);
    Bitmap stamped = Background(step.width, step.height, static_cast<uint32_t>(call));
    const Bitmap before = stamped;
    stamped.ClearDamage();
    stamp.Draw(stamped, step.texts);
    ASSERT_TRUE(stamped == expected);
    made += call % 3 == 1 ? 1 : 0;
    EXPECT_EQ(stamp.Made(), made);

    // Every pixel it changed lies in a rectangle it noted: a picture mended where it was
    // written loses no stroke.
    ASSERT_FALSE(stamped.Damage().all);
    for (int y = 0; y < step.height; ++y)
      for (int x = 0; x < step.width; ++x) {
        if (stamped.Pixel(x, y) == before.Pixel(x, y)) continue;
        bool noted = false;
        for (const Rect& r : stamped.Damage().rects)
          noted = noted || (x >= r.x0 && x < r.x1 && y >= r.y0 && y < r.y1);
        ASSERT_TRUE(noted) << x << "," << y;
      }
  }
}

}  // namespace
}  // namespace gfx
