// The File menu's save and load commands.

#include <cstring>
#include <exception>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <variant>

#include "audio/sound.h"
#include "screens/pictures.h"
#include "modes/mode_changes.h"
#include "state/window_model.h"
#include "state/snapshot.h"
#include "state/state.h"
#include "world/floor_setup.h"
#include "gfx/bitmap.h"
#include "persist/save.h"
#include "platform/platform.h"
#include "platform/language.h"


namespace {

// What the save and load commands tell the player.
constexpr Bilingual kCannotRead = {"ゲームデータを読み込めません：{0}\n{1}",
                                   "Cannot load the saved game {0}\n{1}"};
constexpr Bilingual kTooShort = {"ファイルは {0} バイトです。セーブデータは {1} バイトです。",
                                 "The file has {0} bytes; a saved game has {1}."};
constexpr Bilingual kOutOfMemory = {"メモリが足りません", "Not enough memory"};
constexpr Bilingual kCannotSave = {"ゲームデータを保存できませんでした：{0}\n{1}",
                                   "The game could not be saved to {0}\n{1}"};
constexpr Bilingual kNotASave = {"このファイルはセーブデータとして読み込めません：{0}\n{1}",
                                 "This file cannot be loaded as a saved game: {0}\n{1}"};
constexpr Bilingual kGameAsBefore = {"\nゲームはロードの前のままです。",
                                     "\nThe game is as it was before loading."};
constexpr Bilingual kSaveTitle = {"ｹﾞｰﾑﾃﾞｰﾀの保存", "Save Game"};
constexpr Bilingual kSaveFilter = {"ｹﾞｰﾑﾌｧｲﾙ (*.sav)", "Saved games (*.sav)"};
constexpr Bilingual kLoadTitle = {"ｹﾞｰﾑﾃﾞｰﾀの読み込み", "Load Game"};
constexpr Bilingual kLoadFilter = {"ｹﾞ-ﾑﾃﾞｰﾀ (*.sav)", "Saved games (*.sav)"};

}  // namespace

namespace {

const char kProposedName[] = "*.sav";
std::string saveDialogName = kProposedName;
std::vector<uint8_t> keptRecord;
std::string openDialogName = kProposedName;

std::string CannotRead(const std::string& path, const std::string& reason) {
  return Say(kCannotRead, {path, reason});
}

// The first record of the file, or the message saying why there is none.
std::variant<std::vector<uint8_t>, std::string> ReadRecord(const std::string& path) {
  std::string reason;
  std::optional<std::vector<uint8_t>> bytes = persist::ReadSaveBytes(path, &reason);
  if (!bytes) return CannotRead(path, reason);
  if (bytes->size() < kSaveRecordSize)
    return CannotRead(path, Say(kTooShort, {std::to_string(bytes->size()),
                                            std::to_string(kSaveRecordSize)}));
  return std::move(*bytes);
}

std::string ReasonOf(const std::exception& e) {
  if (dynamic_cast<const std::bad_alloc*>(&e)) return Pick(kOutOfMemory);
  return e.what();
}

// What the file does not hold: the dungeon and the pictures of the loaded mode.
void RebuildAfterLoad() {
  const int mode = G.GameMode;
  // A game saved on the stair the hero just arrived by stays on that floor: the stair
  // waits until the hero steps off it, as after taking it.
  if (mode == kModePlay || mode == kModeMenu) G.StairLatch = 1;
  if (mode == kModePlay || mode == kModeMenu) SetUpFloor(G.DungeonIndex, true, false);
  if (mode == kModeMenu) LoadBackdrop("waku.bmp");
  if (mode == kModePlay) {
    DrawFloorWindow(Window.Frame.Picture);
    Window.Backdrop.Picture = Window.Frame.Picture;
  }
  if (mode == kModeWorld) LoadBackdrop("mainmap.bmp");
  if (mode == kModePlay || mode == kModeMenu || mode == kModeWorld) {
    Window.SaveCommand.Enabled = true;
    Window.LoadCommand.Enabled = true;
  }
}

}  // namespace

namespace persist {

const std::string& SaveDialogFileName() { return saveDialogName; }
const std::string& OpenDialogFileName() { return openDialogName; }
void ResetDialogFileNames() { saveDialogName = openDialogName = kProposedName; }

const std::vector<uint8_t>& LastKeptRecord() { return keptRecord; }
void KeepRecord(std::vector<uint8_t> record) { keptRecord = std::move(record); }
bool GameChangedSinceKept() {
  return Window.SaveCommand.Enabled && BuildSaveRecord() != keptRecord;
}

}  // namespace persist

bool SaveGameFile(const std::string& path) {
  std::vector<uint8_t> record = BuildSaveRecord();
  if (auto failure = persist::WriteFileReplacing(path, record)) {
    platform::Os().ShowError(Say(kCannotSave, {path, *failure}));
    return false;
  }
  keptRecord = std::move(record);
  openDialogName = path;
  return true;
}

namespace {

bool LoadRecord(const std::vector<uint8_t>& record, const std::string& path, bool remember) {
  if (record.size() < kSaveRecordSize) return false;
  if (auto problem = persist::CheckSaveRecord(record.data())) {
    platform::Os().ShowError(Say(kNotASave, {path, *problem}));
    return false;
  }
  if (remember) saveDialogName = path;

  GameSnapshot before;
  try {
    persist::ApplySaveRecord(record.data());
    RebuildAfterLoad();
  } catch (const std::exception& e) {
    before.Restore();
    platform::Os().ShowError(CannotRead(path, ReasonOf(e)) + Pick(kGameAsBefore));
    return false;
  }
  ReleaseEndingReturn();
  keptRecord = BuildSaveRecord();  // as it is saved again: padding bytes come back zero
  platform::Os().WindowChanged();

  // The game is loaded by now; a missing track only costs the music.
  try {
    PlayMusic(G.MusicTrack);
  } catch (const std::exception& e) {
    platform::Os().ShowError(e.what());
  }
  Window.TickTimer.Interval = G.TickInterval;
  platform::Os().WindowChanged();
  return true;
}

}  // namespace

bool LoadGameFile(const std::string& path) {
  auto read = ReadRecord(path);
  if (auto* message = std::get_if<std::string>(&read)) {
    platform::Os().ShowError(*message);
    return false;
  }
  return LoadRecord(std::get<std::vector<uint8_t>>(read), path, true);
}

bool LoadGameRecord(const std::vector<uint8_t>& record, const std::string& name) {
  return LoadRecord(record, name, false);
}

void OnSaveCommand() {
  if (!Window.SaveCommand.Enabled) return;
  TickPause pause;
  platform::FileDialogRequest request{Pick(kSaveTitle), Pick(kSaveFilter), "*.sav", "sav",
                                      saveDialogName};
  auto chosen = platform::Os().SaveFileDialog(request);
  if (!chosen || chosen->empty()) return;
  saveDialogName = *chosen;
  SaveGameFile(*chosen);
}

void OnLoadCommand() {
  if (!Window.LoadCommand.Enabled) return;
  TickPause pause;
  platform::FileDialogRequest request{Pick(kLoadTitle), Pick(kLoadFilter), "*.sav", "sav",
                                      openDialogName};
  auto chosen = platform::Os().OpenFileDialog(request);
  if (!chosen || chosen->empty()) return;
  openDialogName = *chosen;
  LoadGameFile(*chosen);
}
