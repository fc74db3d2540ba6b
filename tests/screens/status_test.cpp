// The status panel, its hit-point colours and the speech line.
#include "screens/status.h"

#include <gtest/gtest.h>

#include "content/heroes.h"
#include "content/items.h"
#include "screen_fixture.h"

namespace {

const gfx::Color kGreen = gfx::Rgb(0, 255, 0), kDarkGreen = gfx::Rgb(0, 128, 0);
const gfx::Color kYellow = gfx::Rgb(255, 255, 0), kOlive = gfx::Rgb(128, 128, 0);
const gfx::Color kRed = gfx::Rgb(255, 0, 0), kDarkRed = gfx::Rgb(128, 0, 0);

TEST(HpColour, QuartersOfMaxHp) {
  // MaxHP 15: q = 3.
  for (int hp = 0; hp <= 15; ++hp) {
    const HpColours c = HpColour(hp, 15);
    SCOPED_TRACE("HP " + std::to_string(hp));
    if (hp >= 9) {
      EXPECT_EQ(c.text, gfx::kWhite);
      EXPECT_EQ(c.shadow, gfx::kBlack);
    } else if (hp >= 6) {
      EXPECT_EQ(c.text, kGreen);
      EXPECT_EQ(c.shadow, kDarkGreen);
    } else if (hp >= 3) {
      EXPECT_EQ(c.text, kYellow);
      EXPECT_EQ(c.shadow, kOlive);
    } else {
      EXPECT_EQ(c.text, kRed);
      EXPECT_EQ(c.shadow, kDarkRed);
    }
  }
  EXPECT_EQ(HpColour(0, 4).text, kRed);
  EXPECT_EQ(HpColour(1, 4).text, kYellow);
  EXPECT_EQ(HpColour(2, 4).text, kGreen);
  EXPECT_EQ(HpColour(3, 4).text, gfx::kWhite);
}

TEST(HpColour, BelowFourMaxHpEverythingIsWhite) {
  for (int maxHp = 0; maxHp < 4; ++maxHp) {
    for (int hp = 0; hp <= maxHp; ++hp) {
      EXPECT_EQ(HpColour(hp, maxHp).text, gfx::kWhite) << hp << "/" << maxHp;
      EXPECT_EQ(HpColour(hp, maxHp).shadow, gfx::kBlack);
    }
  }
}

using StatusPanelTest = ScreenTest;

TEST_F(StatusPanelTest, NumbersInOrderWithShadowsToTheRight) {
  G.HeroIndex = 1;
  G.MaxHP = 20;
  G.HP = 4;  // q = 5: red
  G.Strength = 7;
  G.Defence = 9;
  G.WeaponItem = 11;  // attack 4
  G.ArmourItem = 71;  // defence 3
  G.Level = 12;
  G.Experience = 345;
  G.Gold = 999999;
  DrawStatusPanel();

  const gfx::Color w = gfx::kWhite, b = gfx::kBlack;
  const std::vector<DrawnText> expected = {
      {41, 3, 14, b, "20"},       {40, 3, 14, w, "20"},       {41, 20, 14, kDarkRed, "4"},
      {40, 20, 14, kRed, "4"},    {123, 3, 14, b, "11"},      {122, 3, 14, w, "11"},
      {123, 20, 14, b, "12"},     {122, 20, 14, w, "12"},     {283, 3, 14, b, "12"},
      {282, 3, 14, w, "12"},      {183, 3, 14, b, "345"},     {182, 3, 14, w, "345"},
      {183, 20, 14, b, "999999"}, {182, 20, 14, w, "999999"},
  };
  EXPECT_EQ(drawn, expected);
  // The face of the hero is the last cell taken from FaceSheet.
  EXPECT_EQ(Window.FaceSheet.Index(), 1);
  EXPECT_EQ(Window.FaceSheet.X, 5);
  EXPECT_EQ(Window.FaceSheet.Y, 5);
}

TEST_F(StatusPanelTest, DamagedEquipmentNumbersReadAsEmptyItems) {
  G.WeaponItem = 200;
  G.ArmourItem = 255;
  G.Strength = 3;
  G.Defence = 2;
  DrawStatusPanel();
  ASSERT_EQ(drawn.size(), 14u);
  EXPECT_EQ(drawn[5].text, "3");
  EXPECT_EQ(drawn[7].text, "2");
}

using SpeechLineTest = ScreenTest;

// Four pixels left per byte: full-width text moves twice as far as half-width text.
TEST_F(SpeechLineTest, CentredByShiftJisBytes) {
  G.HeroIndex = 0;
  for (int slot = 0; slot < 12; ++slot) {
    drawn.clear();
    G.SpeechIndex = static_cast<uint8_t>(slot);
    DrawSpeechLine();
    const std::string& t = HeroText(0, slot);
    const int x = 189 - 4 * SjisLength(t);
    const std::vector<DrawnText> expected = {{x + 1, 196, 10, gfx::kBlack, t},
                                             {x, 195, 10, gfx::kWhite, t}};
    EXPECT_EQ(drawn, expected) << "slot " << slot;
  }
  G.SpeechIndex = 6;  // "ﾀｲﾌﾟ：万能安定型": 4 half-width + 6 full-width = 16 bytes
  drawn.clear();
  DrawSpeechLine();
  EXPECT_EQ(drawn.back().x, 189 - 64);
}

TEST_F(SpeechLineTest, ADamagedIndexShowsNothingReadable) {
  G.HeroIndex = 9;
  G.SpeechIndex = 200;
  DrawSpeechLine();
  ASSERT_EQ(drawn.size(), 2u);
  EXPECT_EQ(drawn[1].text, "");
  EXPECT_EQ(drawn[1].x, 189);
}

}  // namespace
