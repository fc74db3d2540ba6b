#include "shell/own_saves.h"

#include <cstdio>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "persist/save.h"
#include "platform/platform.h"
#include "shell/play_clock.h"
#include "shell/save_info.h"
#include "shell/save_texts.h"
#include "state/state.h"
#include "state/window_model.h"

namespace ownsaves {

namespace {

bool autosaveOn = false;

bool Exists(const std::string& path) {
  struct stat st {};
  return lstat(path.c_str(), &st) == 0;
}

// Writes the game in hand to the save called name and the side files beside it; the
// reason of a failure in why.
bool WriteOwnSave(const std::string& name, std::string& why) {
  std::string reason;
  std::optional<std::string> path = platform::Os().OwnSavePath(name, false, reason);
  if (!path) {
    why = reason;
    return false;
  }
  std::vector<uint8_t> record = BuildSaveRecord();
  if (auto failure = persist::WriteFileReplacing(*path, record)) {
    why = *path + "\n" + *failure;
    return false;
  }
  persist::KeepRecord(std::move(record));
  // The side files are a convenience: the save stands without them.
  saves::WriteSideFiles(*path, {playclock::Milliseconds(), saves::NowText()},
                        Window.ShownFrame.Picture);
  return true;
}

void Save(const std::string& name, const std::string& done) {
  if (!Window.SaveCommand.Enabled) return;
  std::string why;
  platform::Os().ShowNotice(WriteOwnSave(name, why) ? done : savetext::CannotSave(why));
}

// Loads the save called name; missing: the notice when there is none.
void Load(const std::string& name, bool askFirst, const std::string& missing,
          const std::string& done) {
  if (!Window.LoadCommand.Enabled) return;
  std::string reason;
  std::optional<std::string> path = platform::Os().OwnSavePath(name, true, reason);
  if (!path || !Exists(*path)) {
    platform::Os().ShowNotice(missing);
    return;
  }
  if (askFirst && persist::GameChangedSinceKept()) {
    TickPause pause;
    if (!platform::Os().AskYesNo(savetext::QuickLoadCaption(), savetext::QuickLoadQuestion()))
      return;
  }
  if (!LoadGameFile(*path)) return;  // the error has been shown; the game is as it was
  std::optional<saves::SideInfo> info = saves::ReadSideInfo(*path);
  playclock::Set(info ? info->PlayMs : 0);
  platform::Os().ShowNotice(done);
}

// Moves a save and its side files one place down; what stood there before goes, side files
// included, so an old picture never shows beside another game.
void MoveDown(const std::string& from, const std::string& to) {
  const std::string froms[] = {from, saves::InfoPathOf(from), saves::PicturePathOf(from)};
  const std::string tos[] = {to, saves::InfoPathOf(to), saves::PicturePathOf(to)};
  for (int i = 0; i < 3; ++i) {
    if (Exists(froms[i])) {
      std::rename(froms[i].c_str(), tos[i].c_str());
    } else {
      std::remove(tos[i].c_str());
    }
  }
}

bool RotateAutosaves(std::string& why) {
  std::string paths[saves::kAutosaveCount];
  for (int n = 1; n <= saves::kAutosaveCount; ++n) {
    auto path = platform::Os().OwnSavePath(saves::AutosaveFileName(n), false, why);
    if (!path) return false;
    paths[n - 1] = *path;
  }
  for (int n = saves::kAutosaveCount - 1; n >= 1; --n) {
    if (Exists(paths[n - 1])) MoveDown(paths[n - 1], paths[n]);
  }
  return true;
}

}  // namespace

void OnQuickSave() { Save(saves::kQuickFile, savetext::QuickSaved()); }

void OnQuickLoad() {
  Load(saves::kQuickFile, true, savetext::NoQuickSave(), savetext::QuickLoaded());
}

void OnSlotSave(int slot) {
  if (!saves::ValidSlot(slot)) return;
  Save(saves::SlotFileName(slot), savetext::SlotSaved(slot));
}

void OnSlotLoad(int slot) {
  if (!saves::ValidSlot(slot)) return;
  Load(saves::SlotFileName(slot), false, savetext::SlotEmpty(slot), savetext::SlotLoaded(slot));
}

void OnAutosave() {
  if (!Window.SaveCommand.Enabled) return;
  std::string why;
  if (!RotateAutosaves(why)) {
    platform::Os().ShowNotice(savetext::CannotSave(why));
    return;
  }
  Save(saves::AutosaveFileName(1), savetext::Autosaved());
}

void SetAutosaveEnabled(bool on) { autosaveOn = on; }
bool AutosaveEnabled() { return autosaveOn; }

bool AutosaveDue(int modeBefore, int modeAfter) {
  const bool inDungeon = [](int mode) { return mode == kModePlay || mode == kModeMenu; }(modeBefore);
  if (modeBefore == kModeWorld) return modeAfter == kModePlay;
  return inDungeon && modeAfter == kModeWorld;
}

}  // namespace ownsaves
