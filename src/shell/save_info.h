// The game's own saves in the saves folder (ten slots, the quicksave, three autosaves) and
// what lives beside each: a small text file with the play time and the moment of saving, and
// a small picture of the view. The saved game itself is an ordinary one; the files beside it
// are optional, so a save whose side files are missing or damaged still loads.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "gfx/bitmap.h"

namespace saves {

constexpr int kSlotCount = 10;
constexpr int kAutosaveCount = 3;  // autosave-1.sav is the newest
inline constexpr char kQuickFile[] = "quick.sav";

std::string SlotFileName(int slot);      // 1..10: "slot-01.sav"
std::string AutosaveFileName(int n);     // 1..3: "autosave-1.sav"
bool ValidSlot(int slot);

// foo.sav -> foo.info and foo.png
std::string InfoPathOf(const std::string& savePath);
std::string PicturePathOf(const std::string& savePath);

struct SideInfo {
  int64_t PlayMs = 0;
  std::string SavedAt;  // local time, "2026-12-08 19:30"
};

std::string SideInfoText(const SideInfo& info);
// Nullopt for anything but what SideInfoText writes.
std::optional<SideInfo> ParseSideInfo(const std::string& text);
std::optional<SideInfo> ReadSideInfo(const std::string& savePath);
std::string NowText();  // the local time as SavedAt holds it

// The view at half size, as the slots show it.
gfx::Bitmap Thumbnail(const gfx::Bitmap& view);
// Writes both side files safely; false when either could not be written (the save stands).
bool WriteSideFiles(const std::string& savePath, const SideInfo& info, const gfx::Bitmap& view);

// What a slot screen shows of one save.
struct Summary {
  enum class State { Empty, Damaged, Ready };
  State Kind = State::Empty;
  std::string Problem;  // Damaged: why, in words for the player
  int Hero = 0, Level = 0, Mode = 0, Dungeon = 0, Floor = 0;
  std::optional<int64_t> PlayMs;  // only from the side file
  std::string SavedAt;            // the side file's, else the file's own time
  std::string Picture;            // the picture's path, when there is one
};
Summary Summarize(const std::string& savePath);
std::string WhereText(const Summary& summary);

}  // namespace saves
