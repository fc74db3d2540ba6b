// Shift-JIS byte arithmetic, the off-view test of DrawShadowText, and the byte limits of
// every fixed text of the game.
#include <gtest/gtest.h>

#include "content/heroes.h"
#include "content/items.h"
#include "content/story.h"
#include "platform/language.h"
#include "screen_fixture.h"

namespace {

TEST(SjisLength, CountsHalfWidthAsOneAndEverythingElseAsTwo) {
  EXPECT_EQ(SjisLength(""), 0);
  EXPECT_EQ(SjisLength("HIT ANY KEY"), 11);
  EXPECT_EQ(SjisLength("ﾐﾛｳﾞｧｰﾝ"), 7);
  EXPECT_EQ(SjisLength("剣"), 2);
  EXPECT_EQ(SjisLength("Ｆ・Ｍ"), 6);
  EXPECT_EQ(SjisLength("ﾀｲﾌﾟ：万能安定型"), 16);
  // The long vowel mark: half-width one byte, full-width two.
  EXPECT_EQ(SjisLength("ｰ"), 1);
  EXPECT_EQ(SjisLength("ー"), 2);
  // The edges of the half-width katakana block.
  EXPECT_EQ(SjisLength("\uFF61"), 1);
  EXPECT_EQ(SjisLength("\uFF9F"), 1);
  EXPECT_EQ(SjisLength("\uFF60"), 2);
  EXPECT_EQ(SjisLength("\uFFA0"), 2);
  EXPECT_EQ(SjisLength("é"), 2);
  EXPECT_EQ(SjisLength("\U0001F600"), 2);
}

TEST(SjisLength, InvalidBytesCountOneEachAndNeverReadPastTheEnd) {
  EXPECT_EQ(SjisLength("\xFF"), 1);
  EXPECT_EQ(SjisLength("\x80"), 1);
  EXPECT_EQ(SjisLength("\xE3\x81"), 2);      // a three-byte sequence cut short
  EXPECT_EQ(SjisLength("\xC0\x80"), 2);      // overlong NUL
  EXPECT_EQ(SjisLength("\xED\xA0\x80"), 3);  // a surrogate
  EXPECT_EQ(SjisLength("A\xE3"
                       "B"),
            3);
  EXPECT_EQ(SjisLength(std::string("\xE5\x89\xA3\0", 4)), 3);  // NUL is ASCII
}

TEST(SjisCut, KeepsTheLongestPrefixThatFits) {
  EXPECT_EQ(SjisCut("ABCDEF", 4), "ABCD");
  EXPECT_EQ(SjisCut("剣と盾", 4), "剣と");
  EXPECT_EQ(SjisCut("剣と盾", 5), "剣と");  // half of 盾 would be left over
  EXPECT_EQ(SjisCut("ab剣", 3), "ab");
  EXPECT_EQ(SjisCut("ﾎｰﾘｰｿｰﾄﾞ", 5), "ﾎｰﾘｰｿ");
  EXPECT_EQ(SjisCut("剣", 0), "");
  EXPECT_EQ(SjisCut("剣", -5), "");
  EXPECT_EQ(SjisCut("剣", 100), "剣");
  EXPECT_EQ(SjisCut("\xE3\x81"
                    "A",
                    2),
            "\xE3\x81");  // invalid bytes are kept whole, one by one
}

// The three cuts of the screens: the equipment lines (28), the action line (32) and the
// pick-up line (34), on texts whose boundary falls both between and inside characters.
TEST(SjisCut, TheScreensCutsNeverSplitACharacter) {
  const std::string texts[] = {
      "武器：　ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯ",
      "武器：　ｱＢＣＤＥＦＧＨＩＪＫＬＭＮＯ",
      "ｽﾍﾟｰｽｷｰで[　ちょっとした薬草ちょっとした薬草",
      "ｽﾍﾟｰｽｷｰで[　ｱちょっとした薬草ちょっとした薬草",
      "ﾀﾞﾌﾞﾙｸﾛｽﾎﾞｳﾀﾞﾌﾞﾙを手に入れた！を手に入れた！",
      "ｱﾀﾞﾌﾞﾙ剣剣剣剣剣剣剣剣剣剣剣剣剣剣を手に入れた！",
  };
  for (const std::string& text : texts) {
    for (int limit : {28, 32, 34}) {
      const std::string cut = SjisCut(text, limit);
      SCOPED_TRACE(text + " cut at " + std::to_string(limit));
      EXPECT_TRUE(IsValidUtf8(cut));
      EXPECT_EQ(text.compare(0, cut.size(), cut), 0);
      EXPECT_LE(SjisLength(cut), limit);
      // One more character would not have fitted.
      const std::string more = SjisCut(text, SjisLength(cut) + 2);
      if (more.size() > cut.size()) {
        EXPECT_GT(SjisLength(SjisCut(text, SjisLength(cut) + 2)), limit);
      }
    }
  }
  EXPECT_EQ(SjisLength(SjisCut(texts[0], 28)), 28);
  EXPECT_EQ(SjisLength(SjisCut(texts[1], 28)), 27);
  EXPECT_EQ(SjisLength(SjisCut(texts[2], 32)), 32);
  EXPECT_EQ(SjisLength(SjisCut(texts[3], 32)), 31);
}

using DrawShadowTextTest = ScreenTest;

// A text wholly above or below the view is skipped before the canvas is touched.
TEST_F(DrawShadowTextTest, SkipsTextsOutsideTheViewOnly) {
  for (int size : {10, 14, 20}) {
    SCOPED_TRACE("size " + std::to_string(size));
    drawn.clear();
    Window.Frame.canvas.FontColor = gfx::kBlack;
    DrawShadowText(5, -size - 1, size, gfx::kWhite, "A");
    DrawShadowText(5, 216 + size, size, gfx::kWhite, "A");
    EXPECT_TRUE(drawn.empty());
    EXPECT_EQ(Window.Frame.canvas.FontColor, gfx::kBlack);

    DrawShadowText(5, -size, size, gfx::kWhite, "A");
    DrawShadowText(5, 215 + size, size, gfx::kWhite, "A");
    EXPECT_EQ(drawn.size(), 2u);
  }
  // There is no test on x.
  drawn.clear();
  DrawShadowText(-5000, 100, 10, gfx::kWhite, "A");
  DrawShadowText(5000, 100, 10, gfx::kWhite, "A");
  EXPECT_EQ(drawn.size(), 2u);
}

TEST_F(DrawShadowTextTest, SetsTheCanvasAndWritesAtTheCorner) {
  Window.Frame.canvas = gfx::Canvas{};
  gfx::FillRect(Window.Frame.Picture, 0, 0, 312, 216, gfx::kBlack);
  DrawShadowText(100, 50, 14, gfx::Rgb(255, 0, 0), "剣");
  EXPECT_EQ(Window.Frame.canvas.FontName, "ＭＳ 明朝");
  EXPECT_TRUE(Window.Frame.canvas.BrushClear);
  EXPECT_EQ(Window.Frame.canvas.FontSize, 14);
  EXPECT_EQ(Window.Frame.canvas.FontColor, gfx::Rgb(255, 0, 0));

  // The glyph lands right of and below the corner, within one 14-point cell (19 pixels).
  int inked = 0;
  for (int y = 0; y < 216; ++y) {
    for (int x = 0; x < 312; ++x) {
      if (Window.Frame.Picture.Pixel(x, y) == gfx::kBlack) continue;
      ++inked;
      EXPECT_TRUE(x >= 100 && x < 100 + 19 && y >= 50 && y < 50 + 25) << x << "," << y;
    }
  }
  EXPECT_GT(inked, 10);
}

TEST_F(DrawShadowTextTest, ClippedTextsAtTheEdgesAreSafe) {
  DrawShadowText(-3, -10, 10, gfx::kWhite, "ゲームオーバー");
  DrawShadowText(300, 225, 10, gfx::kWhite, "ゲームオーバー");
  DrawShadowText(10, 10, 10, gfx::kWhite, "\xFF\xE3\x81");
  EXPECT_EQ(drawn.size(), 3u);
}

// A batch drawn through its stamp leaves the view, the canvas and the trace as the same
// texts drawn one by one would, call after call: also once the player switches language
// and the same words come out in the other face, which a picture kept from before would
// still show in the first.
TEST_F(DrawShadowTextTest, StampedTextsDrawWhatTheTextsOneByOneWould) {
  struct Call {
    Language language;
    const char* text;
    int y;
  };
  const std::vector<Call> calls = {
      {Language::kJapanese, "1234", 20}, {Language::kJapanese, "1234", 20},
      {Language::kJapanese, "1234", 20}, {Language::kEnglish, "1234", 20},
      {Language::kEnglish, "1234", 20},  {Language::kEnglish, "1234", 20},
      {Language::kJapanese, "1234", 20}, {Language::kJapanese, "1234", 20},
      {Language::kJapanese, "1234", -40}, {Language::kJapanese, "1234", -40},
      {Language::kJapanese, "1235", 20}, {Language::kJapanese, "1235", 20},
  };
  StampedTexts batch;
  for (size_t i = 0; i < calls.size(); ++i) {
    const Call& c = calls[i];
    SCOPED_TRACE("call " + std::to_string(i));
    SetCurrentLanguage(c.language);
    const auto draw = [&](bool stamped) {
      drawn.clear();
      Window.Frame.canvas = gfx::Canvas{};
      gfx::FillRect(Window.Frame.Picture, 0, 0, 312, 216, gfx::Rgb(10, 20, 30 + static_cast<int>(i)));
      if (stamped) {
        batch.Add(41, c.y, 14, gfx::kBlack, c.text);
        batch.Add(40, c.y, 14, gfx::kWhite, c.text);
        batch.Add(40, 200, 10, gfx::kWhite, "Ab");
        batch.Draw();
      } else {
        DrawShadowText(41, c.y, 14, gfx::kBlack, c.text);
        DrawShadowText(40, c.y, 14, gfx::kWhite, c.text);
        DrawShadowText(40, 200, 10, gfx::kWhite, "Ab");
      }
    };
    draw(false);
    const gfx::Bitmap expected = Window.Frame.Picture;
    const gfx::Canvas canvas = Window.Frame.canvas;
    const std::vector<DrawnText> trace = drawn;
    draw(true);
    EXPECT_TRUE(Window.Frame.Picture == expected);
    EXPECT_EQ(Window.Frame.canvas.FontName, canvas.FontName);
    EXPECT_EQ(Window.Frame.canvas.FontSize, canvas.FontSize);
    EXPECT_EQ(Window.Frame.canvas.FontColor, canvas.FontColor);
    EXPECT_EQ(Window.Frame.canvas.BrushClear, canvas.BrushClear);
    EXPECT_EQ(drawn, trace);
  }
  SetCurrentLanguage(Language::kJapanese);
}

// Every fixed line fits the width its screen allows.
TEST(FixedTexts, StoryAndHeroLinesFitFortySixBytes) {
  for (const StoryLine& line : kStoryLines) {
    ASSERT_NE(line.Text, nullptr);
    EXPECT_LE(SjisLength(line.Text), 46) << line.Text;
    EXPECT_GT(SjisLength(line.Text), 0);
  }
  for (const StoryLine& line : kEndingLines) {
    ASSERT_NE(line.Text, nullptr);
    EXPECT_LE(SjisLength(line.Text), 46) << line.Text;
    EXPECT_GT(SjisLength(line.Text), 0);
  }
  InitHeroTexts();
  for (int hero = 0; hero < 4; ++hero) {
    for (int slot = 0; slot < 12; ++slot) {
      const std::string& line = HeroText(hero, slot);
      EXPECT_FALSE(line.empty()) << "hero " << hero << " slot " << slot;
      EXPECT_LE(SjisLength(line), 46) << line;
      EXPECT_TRUE(IsValidUtf8(line));
    }
  }
}

TEST(FixedTexts, SelectionLabelsAreTheHeroesOwn) {
  InitHeroTexts();
  const char* types[4] = {"ﾀｲﾌﾟ：万能安定型", "ﾀｲﾌﾟ：移動速度重視型", "ﾀｲﾌﾟ：経験値重視型",
                          "ﾀｲﾌﾟ：戦闘力重視型"};
  const char* weapons[4] = {"使用武器：剣", "使用武器：短剣", "使用武器：弓", "使用武器：大剣"};
  const char* armours[4] = {"使用防具：皮鎧", "使用防具：忍者服", "使用防具：ドレス",
                            "使用防具：鎧"};
  for (int hero = 0; hero < 4; ++hero) {
    EXPECT_EQ(HeroText(hero, 6), types[hero]);
    EXPECT_EQ(HeroText(hero, 7), weapons[hero]);
    EXPECT_EQ(HeroText(hero, 8), armours[hero]);
    const std::string& name = HeroText(hero, 9);
    ASSERT_EQ(name.rfind("名前：", 0), 0u) << name;
    // The story's heading of the hero is the same name, indented past the figure.
    constexpr int kHeadingLine[4] = {10, 17, 24, 35};
    const std::string heading = kStoryLines[kHeadingLine[hero]].Text;
    EXPECT_EQ(heading, "　　　" + name.substr(std::string("名前：").size()));
  }
}

// The item names feed three cut lines; each cut keeps whole characters and every name
// fits the 31 bytes a short string holds.
TEST(FixedTexts, ItemNamesSurviveTheirCuts) {
  InitItems();
  for (int i = 0; i < kItemCount; ++i) {
    const std::string& name = Items[i].Name;
    EXPECT_LE(SjisLength(name), 31) << i;
    for (const auto& [line, limit] :
         {std::pair{"武器：　" + name, 28}, std::pair{"ｽﾍﾟｰｽｷｰで[　" + name, 32},
          std::pair{name + "を手に入れた！", 34}}) {
      const std::string cut = SjisCut(line, limit);
      EXPECT_TRUE(IsValidUtf8(cut)) << i;
      EXPECT_LE(SjisLength(cut), limit) << i;
    }
  }
}

}  // namespace
