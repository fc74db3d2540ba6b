// The status panel and the speech line of the play and game-over screens. Both are drawn
// after the floor, the sprites and the darkness mask, so they stay readable on any floor:
// every text here has a dark copy one pixel to the right (and, at the bottom, one down).
#include "screens/status.h"

#include <string>

#include "content/heroes.h"
#include "content/items.h"
#include "platform/language.h"
#include "state/window_model.h"
#include "state/state.h"
#include "screens/text.h"

namespace {

constexpr int kNumberSize = 14;
constexpr int kSpeechSize = 10;

// The panel's numbers are drawn every tick and change now and then, each on its own (the
// experience may climb every tick of a fight while the rest stand still): each keeps its
// own ready-made picture.
enum Number { kMaxHp, kHp, kAttack, kDefence, kLevel, kExperience, kGold, kNumbers };
StampedTexts numbers[kNumbers];
StampedTexts speech;

void ShadowedNumber(Number n, int x, int y, long long value, gfx::Color text, gfx::Color shadow) {
  const std::string s = std::to_string(value);
  numbers[n].Add(x + 1, y, kNumberSize, shadow, s);
  numbers[n].Add(x, y, kNumberSize, text, s);
  numbers[n].Draw();
}

void WhiteNumber(Number n, int x, int y, long long value) {
  ShadowedNumber(n, x, y, value, gfx::kWhite, gfx::kBlack);
}

}  // namespace

HpColours HpColour(int hp, int maxHp) {
  const int q = maxHp / 4;
  if (hp >= 3 * q) return {gfx::kWhite, gfx::kBlack};
  if (hp >= 2 * q) return {gfx::Rgb(0, 255, 0), gfx::Rgb(0, 128, 0)};
  if (hp >= q) return {gfx::Rgb(255, 255, 0), gfx::Rgb(128, 128, 0)};
  return {gfx::Rgb(255, 0, 0), gfx::Rgb(128, 0, 0)};
}

void DrawStatusPanel() {
  DrawCell(Window.FaceSheet, G.HeroIndex, 5, 5);
  DrawCell(Window.StatusIconSheet, 0, 105, 5);   // sword: attack
  DrawCell(Window.StatusIconSheet, 1, 105, 22);  // armour: defence
  DrawCell(Window.StatusIconSheet, 3, 265, 5);   // face: level
  DrawCell(Window.StatusIconSheet, 2, 165, 22);  // coin: gold
  DrawCell(Window.StatusIconSheet, 4, 165, 5);   // cup: experience

  const HpColours hp = HpColour(G.HP, G.MaxHP);
  // The panel shows the hero's whole strength: the item's value plus the hero's own.
  const long long attack = static_cast<long long>(ItemAt(G.WeaponItem).Attack) + G.Strength;
  const long long defence = static_cast<long long>(ItemAt(G.ArmourItem).Defence) + G.Defence;

  WhiteNumber(kMaxHp, 40, 3, G.MaxHP);
  ShadowedNumber(kHp, 40, 20, G.HP, hp.text, hp.shadow);
  WhiteNumber(kAttack, 122, 3, attack);
  WhiteNumber(kDefence, 122, 20, defence);
  WhiteNumber(kLevel, 282, 3, G.Level);
  WhiteNumber(kExperience, 182, 3, G.Experience);
  WhiteNumber(kGold, 182, 20, G.Gold);
}

void DrawSpeechLine() {
  const std::string& line = HeroText(G.HeroIndex, G.SpeechIndex);
  // Four pixels per byte to the left: about half the width of the line, so it sits near
  // the middle of the view whatever its length. English letters are narrower than two
  // per full-width character, so English is centred on its measured width instead.
  const int x = CurrentLanguage() == Language::kEnglish ? CentredX(kSpeechSize, line)
                                                        : 189 - 4 * SjisLength(line);
  speech.Add(x + 1, 196, kSpeechSize, gfx::kBlack, line);
  speech.Add(x, 195, kSpeechSize, gfx::kWhite, line);
  speech.Draw();
}
