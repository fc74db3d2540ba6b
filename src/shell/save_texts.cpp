#include "shell/save_texts.h"

#include <cstdio>

namespace savetext {

namespace {
std::string Numbered(const char* format, int n) {
  char text[128];
  std::snprintf(text, sizeof text, format, n);
  return text;
}
}  // namespace

std::string QuickSaved() { return "クイックセーブしました"; }
std::string QuickLoaded() { return "クイックロードしました"; }
std::string NoQuickSave() { return "クイックセーブのデータがありません"; }
std::string SlotSaved(int slot) { return Numbered("スロット%d にセーブしました", slot); }
std::string SlotLoaded(int slot) { return Numbered("スロット%d をロードしました", slot); }
std::string SlotEmpty(int slot) { return Numbered("スロット%d は空です", slot); }
std::string Autosaved() { return "オートセーブしました"; }
std::string CannotSave(const std::string& why) { return "セーブできませんでした：" + why; }

std::string QuickLoadCaption() { return "ロードしますよ！"; }
std::string QuickLoadQuestion() {
  return "セーブしてから進んだ分は失われます。クイックセーブをロードしてもよろしいでしょうか？";
}

std::string WorldMap() { return "ワールドマップ"; }
std::string DungeonFloor(int dungeon, int floor) {
  char text[128];
  std::snprintf(text, sizeof text, "ダンジョン%d  地下%d階", dungeon + 1, floor + 1);
  return text;
}
std::string LevelText(int level) { return Numbered("レベル %d", level); }
std::string PlayTime(int64_t ms) {
  const int64_t seconds = ms < 0 ? 0 : ms / 1000;
  char text[64];
  std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
                static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
  return text;
}
std::string Damaged() { return "壊れています"; }
std::string Empty() { return "空き"; }

}  // namespace savetext
