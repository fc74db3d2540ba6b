// The screens' short texts, Japanese beside English. The Japanese is the game's own and must
// come out byte for byte as it always has; the English is written for the same places, in
// printable ASCII, and no wider than its Japanese fills (tests/screens/catalogue_test.cpp
// measures every one).
#include "content/phrases.h"

#include <iterator>

#include "platform/language.h"

namespace {

// In the order of Phrase.
constexpr PhraseText kPhrases[] = {
    {"HIT ANY KEY", "PRESS ANY KEY"},
    {"キャラクターセレクト", "Choose Your Hero"},
    {"ゲームオーバー", "GAME OVER"},
    {"HIT ENTER KEY!!", "PRESS ENTER"},
    {"体力：{0} / {1}", "HP: {0} / {1}"},
    // English shows the item's icon first and its name beside it: the icon says which is which.
    {"武器：　{0}", "{0}"},
    {"防具：　{0}", "{0}"},
    {"攻撃力：{0}", "Attack: {0}"},
    {"防御力：{0}", "Defense: {0}"},
    {"　飛距離：{0}M /s", "Shot speed: {0}"},
    {"滞空時間：{0}s", "Shot range: {0}"},
    {"  　連射：{0}連射", "Rapid fire: {0}"},
    {"  呪われています。", "It is cursed!"},
    {"祝福を受けています。", "It is blessed."},
    {"宝箱を開ける鍵です。", "Unlocks chests."},
    {"使っても壊れません。", "Never used up."},
    {"迷宮脱出用アイテム。", "Escapes a labyrinth."},
    {"アイテムデータ", "Item Details"},
    {"回復力：{0}", "Heals: {0}"},
    {"使用可能キャラ：", "Usable by:"},
    // English starts with the item, after its icon, at the left of the line.
    {"ｽﾍﾟｰｽｷｰで[　{0}]を装備する", "{0}: press Space to equip"},
    {"ｽﾍﾟｰｽｷｰで[　{0}]を使う", "{0}: press Space to use"},
    {"ｽﾍﾟｰｽｷｰで[　{0}]を着ける", "{0}: press Space to wear"},
    {"ENTERｷｰでｱｲﾃﾑを捨てます。ESCｷｰで戻ります。F1ｷｰでアイテム装備画面、F2ｷｰで全体マップ画面、"
     "F3ｷｰでアイテム詳細画面になります。",
     "Enter: drop the item. Esc: back to the game. F1: equipment. F2: map of the floor. "
     "F3: item details."},
    {"{0}を手に入れた！", "You found: {0}!"},
};
static_assert(std::size(kPhrases) == static_cast<size_t>(Phrase::kCount), "one entry per phrase");

}  // namespace

const PhraseText& PhraseTexts(Phrase phrase) {
  const auto i = static_cast<size_t>(phrase);
  return kPhrases[i < std::size(kPhrases) ? i : 0];
}

const char* PhrasePattern(Phrase phrase) {
  const PhraseText& t = PhraseTexts(phrase);
  return CurrentLanguage() == Language::kEnglish ? t.english : t.japanese;
}

std::string Say(Phrase phrase, const std::vector<std::string>& values) {
  return Fill(PhrasePattern(phrase), values);
}
