// The English of the game's picture against the Japanese it stands beside: nothing missing,
// nothing outside printable ASCII (the picture counts one byte a letter), every number and
// name kept, and every text measured with the game's own text width against the place its
// Japanese fills.
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>
#include <vector>

#include "content/heroes.h"
#include "content/items.h"
#include "content/phrases.h"
#include "content/story.h"
#include "gfx/text.h"
#include "platform/language.h"
#include "screens/text.h"
#include "state/window_model.h"
#include "support/test_support.h"

namespace {

constexpr int kSize = 10;  // the points of every text but the title lines and the prompt
constexpr const char* kJapaneseFace = "ＭＳ 明朝";

int EnglishWidth(const std::string& text, int size = kSize) {
  return gfx::TextWidth(kEnglishFace, size, text);
}

bool PrintableAscii(const std::string& text) {
  for (unsigned char c : text)
    if (c < 0x20 || c > 0x7E) return false;
  return true;
}

std::multiset<std::string> Places(const std::string& pattern) {
  std::multiset<std::string> places;
  static const std::regex kPlace(R"(\{[0-9]+\})");
  for (std::sregex_iterator it(pattern.begin(), pattern.end(), kPlace), end; it != end; ++it)
    places.insert(it->str());
  return places;
}

// What every English text must be, whatever its place.
void ExpectWellFormed(const std::string& japanese, const std::string& english) {
  SCOPED_TRACE("\"" + english + "\" for \"" + japanese + "\"");
  EXPECT_EQ(english.empty(), japanese.empty()) << "missing or extra";
  EXPECT_TRUE(PrintableAscii(english)) << "not printable ASCII";
  EXPECT_EQ(english.find("  "), std::string::npos) << "a double space";
  EXPECT_EQ(Places(english), Places(japanese)) << "the numbers and names to fill in differ";
}

// Tell a fallback font from the one chosen: every width below means DejaVu Sans.
TEST(Catalogue, TheEnglishFaceIsDejaVuSans) {
  EXPECT_NE(gfx::FontFileFor(kEnglishFace).find("DejaVuSans.ttf"), std::string::npos)
      << gfx::FontFileFor(kEnglishFace) << " (install fonts-dejavu-core)";
}

// The place of each phrase: where its line starts, how far it may reach, at what size, and
// the widest values it is filled with. Centred texts give their room on either side.
struct Place {
  Phrase phrase;
  int left, right, size;
  std::vector<std::string> values;
};

TEST(Catalogue, EveryPhraseFitsItsPlace) {
  const std::string name(ItemAt(88).EnglishName);  // the longest name of all
  const std::vector<Place> places = {
      {Phrase::kTitlePrompt, 0, kViewWidth, 20, {}},
      {Phrase::kSelectionHeading, 170, 304, kSize, {}},
      {Phrase::kGameOver, 0, kViewWidth, kSize, {}},
      {Phrase::kGameOverPrompt, 0, kViewWidth, kSize, {}},
      // The menu's right-hand panel, inside its frame.
      {Phrase::kHitPoints, 175, 308, kSize, {"9999", "9999"}},
      {Phrase::kWeaponRow, 193, 308, kSize, {name}},
      {Phrase::kArmourRow, 193, 308, kSize, {name}},
      {Phrase::kAttack, 175, 308, kSize, {"999"}},
      {Phrase::kDefence, 175, 308, kSize, {"999"}},
      {Phrase::kShotSpeed, 175, 308, kSize, {"255"}},
      {Phrase::kShotLife, 175, 308, kSize, {"255"}},
      {Phrase::kRapidFire, 175, 308, kSize, {"256"}},
      {Phrase::kCursed, 175, 308, kSize, {}},
      {Phrase::kBlessed, 175, 308, kSize, {}},
      {Phrase::kOpensChests, 175, 308, kSize, {}},
      {Phrase::kNeverUsedUp, 175, 308, kSize, {}},
      {Phrase::kEscapeItem, 175, 308, kSize, {}},
      {Phrase::kItemData, 190, 308, kSize, {}},
      {Phrase::kHeal, 175, 308, kSize, {"9999"}},
      {Phrase::kUsableBy, 175, 308, kSize, {}},
      // The line under the grid, after the item's icon.
      {Phrase::kSpaceEquips, 28, 308, kSize, {name}},
      {Phrase::kSpaceUses, 28, 308, kSize, {name}},
      {Phrase::kSpaceWears, 28, 308, kSize, {name}},
      {Phrase::kItemFound, 0, kViewWidth, kSize, {name}},
  };
  std::set<Phrase> measured;
  for (const Place& p : places) {
    measured.insert(p.phrase);
    const std::string text = Fill(PhraseTexts(p.phrase).english, p.values);
    SCOPED_TRACE(text);
    EXPECT_LE(EnglishWidth(text, p.size), p.right - p.left);
  }
  // The help line crawls across the view and starts over after 1150 pixels: all of it
  // must have crossed by then.
  const std::string help = PhraseTexts(Phrase::kMenuKeyHelp).english;
  EXPECT_LE(EnglishWidth(help), 1150 - kViewWidth) << help;
  measured.insert(Phrase::kMenuKeyHelp);
  EXPECT_EQ(measured.size(), static_cast<size_t>(Phrase::kCount)) << "a phrase with no place";
}

TEST(Catalogue, EveryPhraseIsWellFormed) {
  for (int i = 0; i < static_cast<int>(Phrase::kCount); ++i) {
    const PhraseText& t = PhraseTexts(static_cast<Phrase>(i));
    ExpectWellFormed(t.japanese, t.english);
  }
}

TEST(Catalogue, TheLanguageChoosesThePatternAndFillKeepsEveryPlace) {
  EXPECT_EQ(Fill("{1} of {0}, {2}", {"a", "b"}), "b of a, ");
  EXPECT_EQ(Fill("{x} {} {0", {"a"}), "{x} {} {0");
  SetCurrentLanguage(Language::kEnglish);
  EXPECT_EQ(Say(Phrase::kHitPoints, {"9", "15"}), "HP: 9 / 15");
  SetCurrentLanguage(Language::kJapanese);
  EXPECT_EQ(Say(Phrase::kHitPoints, {"9", "15"}), "体力：9 / 15");
}

// Every item's English name: unique, and fitting each place a name is drawn, which are
// the detail page, the equipment page after the icon, the grid's line and the pick-up
// message (cut at 34 bytes, so a name must leave it whole).
TEST(Catalogue, EveryItemNameFitsWhereNamesAreDrawn) {
  testsupport::ResetGame();
  std::set<std::string> names;
  for (int n = 0; n < kItemCount; ++n) {
    const ItemRecord& item = Items[n];
    ExpectWellFormed(item.Name, item.EnglishName);
    if (item.EnglishName.empty()) continue;
    SCOPED_TRACE(std::to_string(n) + " " + item.EnglishName);
    EXPECT_TRUE(names.insert(item.EnglishName).second) << "a second item of this name";
    EXPECT_LE(205 + EnglishWidth(item.EnglishName), 308);
    const std::string found = Fill(PhraseTexts(Phrase::kItemFound).english, {item.EnglishName});
    EXPECT_LE(SjisLength(found), 34);
    EXPECT_LE(SjisLength(item.EnglishName), 32);
  }
}

// Speech is centred under the view; the four labels stand in the selection screen's panel,
// from x 170 in English.
TEST(Catalogue, EveryHeroLineFitsItsPlace) {
  testsupport::ResetGame();
  for (int hero = 0; hero < 4; ++hero) {
    for (int slot = 0; slot < 12; ++slot) {
      const std::string english = EnglishHeroText(hero, slot);
      ExpectWellFormed(HeroTexts[hero * 12 + slot], english);
      SCOPED_TRACE(english);
      const bool label = slot >= kLineType && slot <= kLineName;
      if (label) {
        EXPECT_LE(170 + EnglishWidth(english), 304);
      } else {
        EXPECT_LE(EnglishWidth(english), kViewWidth - 8) << "no room either side";
      }
    }
  }
}

// The stories wrap at spaces into the Japanese lines' base lines and sizes, so they scroll
// in step with the walking figures; every line fits the view from its x.
void ExpectStoryFits(const StoryLine* japanese, const StoryLine* english, int count) {
  for (int i = 0; i < count; ++i) {
    const StoryLine& ja = japanese[i];
    const StoryLine& en = english[i];
    SCOPED_TRACE("line " + std::to_string(i) + ": " + en.Text);
    ExpectWellFormed(ja.Text, en.Text);
    EXPECT_EQ(en.Y0, ja.Y0);
    EXPECT_EQ(en.Size, ja.Size);
    EXPECT_GE(en.X, 0);
    EXPECT_LE(en.X + EnglishWidth(en.Text, en.Size), kViewWidth);
    // A heading leaves the walking figure its room as the Japanese does.
    if (std::string(ja.Text).rfind("　　　", 0) == 0) {
      EXPECT_GE(en.X, gfx::TextWidth(kJapaneseFace, ja.Size, "　　　"));
    }
  }
}

TEST(Catalogue, TheStoriesFitTheView) {
  ExpectStoryFits(kStoryLines, kStoryLinesEnglish, 46);
  ExpectStoryFits(kEndingLines, kEndingLinesEnglish, 21);
}

TEST(Catalogue, TheStoriesFollowTheLanguage) {
  testsupport::ResetGame();
  SetCurrentLanguage(Language::kEnglish);
  EXPECT_EQ(StoryLines(), kStoryLinesEnglish);
  EXPECT_EQ(EndingLines(), kEndingLinesEnglish);
  EXPECT_EQ(HeroText(2, kLineName), "Name: Lucile");
  SetCurrentLanguage(Language::kJapanese);
  EXPECT_EQ(StoryLines(), kStoryLines);
  EXPECT_EQ(HeroText(2, kLineName), "名前：リュシル");
}

}  // namespace
