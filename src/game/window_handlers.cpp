// The main window's start-up and handlers, shared by the Qt program and the headless
// runner: only the platform underneath differs.
#include "game/window_handlers.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <new>

#include "audio/sound.h"
#include "screens/pictures.h"
#include "state/window_model.h"
#include "game/modes.h"
#include "state/random.h"
#include "state/state.h"
#include "game/tick.h"
#include "gfx/text.h"
#include "gfx/image.h"
#include "platform/language.h"
#include "platform/platform.h"
#include "state/snapshot.h"
#include "world/floor_setup.h"
#include "start/start_up.h"
#include "content/heroes.h"

namespace {

bool HoldsContent(const std::filesystem::path& dir) {
  std::error_code ec;
  return std::filesystem::is_regular_file(dir / "title.bmp", ec);
}

std::string WithSlash(std::string dir) {
  if (dir.empty() || dir.back() != '/') dir += '/';
  return dir;
}

void SetViewSize(TMenuItem& chosen, int width, int height) {
  Window.View624Command.Checked = &chosen == &Window.View624Command;
  Window.View312Command.Checked = &chosen == &Window.View312Command;
  Window.View156Command.Checked = &chosen == &Window.View156Command;
  Window.ClientWidth = width;
  Window.ClientHeight = height;
  Window.CenterRequested = true;
  platform::Os().WindowChanged();
}

}  // namespace

// The game's own errors (a picture, a dungeon file, an undone change) say in the player's
// language what failed and name the file; a library's error (std::bad_alloc, a stream's
// failure) is English jargon that means nothing to the player, so the box says that the
// operation was abandoned and the detail goes to the terminal.
namespace {

constexpr Bilingual kOutOfMemory = {"メモリが足りないため、この操作を続けられませんでした。",
                                    "There was not enough memory to finish this."};
constexpr Bilingual kUnexpected = {"予期しないエラーのため、この操作を続けられませんでした。",
                                   "An unexpected error stopped this from finishing."};

bool OwnError(const std::exception& e) {
  if (dynamic_cast<const gfx::FileError*>(&e) || dynamic_cast<const DungeonFileError*>(&e) ||
      dynamic_cast<const ChangeUndone*>(&e))
    return true;
  const std::string what = e.what();
  for (unsigned char c : what)
    if (c >= 0xE3) return true;  // kana and kanji start with these bytes in UTF-8
  return false;
}

std::string TextForPlayer(const std::exception& e) {
  if (OwnError(e)) return e.what();
  std::cerr << "mirovaan: " << e.what() << "\n";
  return Pick(dynamic_cast<const std::bad_alloc*>(&e) ? kOutOfMemory : kUnexpected);
}

}  // namespace

// The error box is modal: no tick may run under it, or a fault that repeats every tick would
// stack one box on another.
void ReportUncaught(const std::exception& e) {
  bool running = Window.TickTimer.Enabled;
  SetTimerEnabled(Window.TickTimer, false);
  platform::Os().ShowError(TextForPlayer(e));
  SetTimerEnabled(Window.TickTimer, running);
}

std::vector<std::string> ContentPlaces(const std::string& programDir) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::path cwd = fs::current_path(ec);
  fs::path program(programDir);
  std::vector<std::string> places;
  for (const fs::path& dir : {ec ? fs::path() : cwd, program / "data",
                              program.parent_path() / MIROVAAN_INSTALL_CONTENTDIR,
                              fs::path(MIROVAAN_INSTALL_DATA_DIR)}) {
    if (dir.empty()) continue;
    std::string place = WithSlash(dir.lexically_normal().string());
    if (std::find(places.begin(), places.end(), place) == places.end()) places.push_back(place);
  }
  return places;
}

std::optional<std::string> FindContentDir(const std::vector<std::string>& places) {
  for (const std::string& place : places)
    if (HoldsContent(place)) return place;
  return std::nullopt;
}

std::string FindAppDir(const std::string& programDir) {
  std::vector<std::string> places = ContentPlaces(programDir);
  if (auto found = FindContentDir(places)) return *found;
  return places.empty() ? std::string("./") : places.front();
}

// Without the Japanese fonts every text is a row of boxes, this message's Japanese half
// included, so it says the same in English; the game goes on either way.
void WarnWithoutJapaneseFont() {
  if (gfx::DrawsJapanese("ＭＳ 明朝") && gfx::DrawsJapanese("ＭＳ Ｐゴシック")) return;
  platform::Os().ShowMessage(
      "Mirovaan",
      "日本語のフォントが見つかりません。文字を表示するには fonts-ipafont-gothic と "
      "fonts-ipafont-mincho を入れてください。\n\n"
      "No Japanese font was found, so the game's text cannot be shown. Install the packages "
      "fonts-ipafont-gothic and fonts-ipafont-mincho "
      "(sudo apt install fonts-ipafont-gothic fonts-ipafont-mincho) and start the game again.");
}

void OnWindowCreate() {
  WarnWithoutJapaneseFont();
  Randomize();
  if (AppDir.empty()) AppDir = FindAppDir(".");
  start::PrepareRecord();
  G.SpeechIndex = kLineIdle;
  G.Reserved3 = 0;
  G.TickCount = 0;
  G.Facing = kFacingDown;
  G.GameMode = kModeTitle;
  Window.ShownFrame.LoadFromFile(AppDir + TitlePicture(), kViewPicture);
  LoadBackdrop(TitlePicture());
  PlayMusic(kTrackTitle);
}

void OnWindowShow() {
  Window.ClientWidth = kViewWidth;
  Window.ClientHeight = kViewHeight;
  OnView312Command();
}

void OnWindowResize(int clientWidth, int clientHeight) {
  Window.ClientWidth = clientWidth;
  Window.ClientHeight = clientHeight;
}

void OnView624Command() { SetViewSize(Window.View624Command, 2 * kViewWidth, 2 * kViewHeight); }
void OnView312Command() { SetViewSize(Window.View312Command, kViewWidth, kViewHeight); }
void OnView156Command() { SetViewSize(Window.View156Command, kViewWidth / 2, kViewHeight / 2); }

namespace {
constexpr Bilingual kCaption = {"ﾐﾛｳﾞｧｰﾝ", "Mirovaan"};  // the window's title, set every tick
}  // namespace

void OnTickTimer() {
  GameTick();
  Window.Caption = Pick(kCaption);
  G.TickCount += 1;
}

bool IsProgramCaption(const std::string& caption) {
  return caption == kCaption.japanese || caption == kCaption.english;
}

namespace {

constexpr Bilingual kQuitCaption = {"ゲームの終了", "Quit"};
constexpr Bilingual kQuitQuestion = {"ゲームを終了してもよろしいでしょうか？",
                                     "Do you really want to quit the game?"};
constexpr Bilingual kToTitleCaption = {"ゲームの中断", "Leave Game"};
constexpr Bilingual kToTitleQuestion = {"タイトル画面に戻ってもよろしいでしょうか？",
                                        "Do you really want to return to the title screen?"};

}  // namespace

void OnExitCommand() {
  // Not a TickPause: once the program is to end, the tick stays stopped.
  SetTimerEnabled(Window.TickTimer, false);
  int mode = G.GameMode;
  if (mode == kModeTitle || mode == kModeGameOver || mode == kModeSelect) {
    if (platform::Os().AskYesNo(Pick(kQuitCaption), Pick(kQuitQuestion))) {
      Window.Ended = true;
      platform::Os().Quit();
      return;
    }
  } else if (mode == kModePlay || mode == kModeMenu || mode == kModeWorld) {
    if (platform::Os().AskYesNo(Pick(kToTitleCaption), Pick(kToTitleQuestion))) {
      ExitToTitle();
    }
  }
  SetTimerEnabled(Window.TickTimer, true);
}
