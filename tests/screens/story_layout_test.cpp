// The places of the title story and of the ending: whatever the words and the spacing, every
// line is read in order, none covers another, each fits the view, and the scroll has left
// the screen before its screen moves on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "content/story.h"
#include "gfx/text.h"
#include "screens/gameover.h"
#include "state/window_model.h"

namespace {

constexpr const char* kStoryFace = "ＭＳ 明朝";  // the face of the view's texts

void ExpectReadable(const std::vector<StoryLine>& lines, const char* what) {
  ASSERT_GE(lines.size(), 2u);
  EXPECT_STREQ(lines[0].Text, "ﾐﾛｳﾞｧｰﾝ") << what << ": the title line comes first";
  for (size_t i = 0; i < lines.size(); ++i) {
    const StoryLine& line = lines[i];
    SCOPED_TRACE(std::string(what) + " line " + std::to_string(i) + ": " + line.Text);
    if (i > 0) {
      EXPECT_LT(line.Size, lines[0].Size) << "only the title line is large";
      // Lines rise together, so one that starts below the end of the one before never
      // overlaps it and is read after it.
      EXPECT_GE(line.Y0, lines[i - 1].Y0 + lines[i - 1].Size);
    }
    const int width = gfx::TextWidth(kStoryFace, line.Size, line.Text);
    EXPECT_GT(width, 0) << "no font draws the story";
    EXPECT_GE(line.X, 0);
    EXPECT_LE(line.X + width, kViewWidth);
  }
}

std::vector<StoryLine> Lines(const StoryLine* first, size_t count) {
  return std::vector<StoryLine>(first, first + count);
}

TEST(StoryLayout, LinesComeInOrderWithoutOverlapAndFitTheView) {
  ExpectReadable(Lines(kStoryLines, std::size(kStoryLines)), "story");
}

TEST(EndingLayout, LinesComeInOrderWithoutOverlapAndFitTheView) {
  ExpectReadable(Lines(kEndingLines, std::size(kEndingLines)), "ending");
}

// A line is drawn until it has risen its own height above the view (Y0 - T >= -Size).
TEST(EndingLayout, EveryLineHasLeftBeforeTheWorldMapReturns) {
  for (const StoryLine& line : kEndingLines)
    EXPECT_LT(line.Y0 + line.Size, kEndingLength) << line.Text;
}

}  // namespace
