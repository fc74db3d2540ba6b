#include "shell/save_texts.h"

#include <cstdio>
#include <string>

#include "platform/language.h"

namespace savetext {

namespace {

constexpr Bilingual kQuickSaved{"クイックセーブしました", "Quicksaved"};
constexpr Bilingual kQuickLoaded{"クイックロードしました", "Quickloaded"};
constexpr Bilingual kNoQuickSave{"クイックセーブのデータがありません", "There is no quicksave yet"};
constexpr Bilingual kSlotSaved{"スロット{0} にセーブしました", "Saved to slot {0}"};
constexpr Bilingual kSlotLoaded{"スロット{0} をロードしました", "Loaded slot {0}"};
constexpr Bilingual kSlotEmpty{"スロット{0} は空です", "Slot {0} is empty"};
constexpr Bilingual kAutosaved{"オートセーブしました", "Autosaved"};
constexpr Bilingual kCannotSave{"セーブできませんでした：{0}", "Could not save: {0}"};
constexpr Bilingual kQuickLoadCaption{"ロードしますよ！", "Load the quicksave?"};
constexpr Bilingual kQuickLoadQuestion{
    "セーブしてから進んだ分は失われます。クイックセーブをロードしてもよろしいでしょうか？",
    "Everything since your last save will be lost. Load the quicksave?"};
constexpr Bilingual kWorldMap{"ワールドマップ", "World map"};
constexpr Bilingual kDungeonFloor{"ダンジョン{0}  地下{1}階", "Dungeon {0}, floor B{1}"};
constexpr Bilingual kLevel{"レベル {0}", "Level {0}"};
constexpr Bilingual kDamaged{"壊れています", "Damaged"};
constexpr Bilingual kEmpty{"空き", "Empty"};

std::string Number(int n) { return std::to_string(n); }

}  // namespace

std::string QuickSaved() { return Say(kQuickSaved); }
std::string QuickLoaded() { return Say(kQuickLoaded); }
std::string NoQuickSave() { return Say(kNoQuickSave); }
std::string SlotSaved(int slot) { return Say(kSlotSaved, {Number(slot)}); }
std::string SlotLoaded(int slot) { return Say(kSlotLoaded, {Number(slot)}); }
std::string SlotEmpty(int slot) { return Say(kSlotEmpty, {Number(slot)}); }
std::string Autosaved() { return Say(kAutosaved); }
std::string CannotSave(const std::string& why) { return Say(kCannotSave, {why}); }

std::string QuickLoadCaption() { return Say(kQuickLoadCaption); }
std::string QuickLoadQuestion() { return Say(kQuickLoadQuestion); }

std::string WorldMap() { return Say(kWorldMap); }
std::string DungeonFloor(int dungeon, int floor) {
  return Say(kDungeonFloor, {Number(dungeon + 1), Number(floor + 1)});
}
std::string LevelText(int level) { return Say(kLevel, {Number(level)}); }
std::string PlayTime(int64_t ms) {
  const int64_t seconds = ms < 0 ? 0 : ms / 1000;
  char text[64];
  std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
                static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
  return text;
}
std::string Damaged() { return Say(kDamaged); }
std::string Empty() { return Say(kEmpty); }

}  // namespace savetext
