// The main window's start-up and handlers, shared by the Qt program and the headless
// runner: only the platform underneath differs.
#include "game/main_form.h"

#include <filesystem>
#include <iostream>

#include "audio/sound.h"
#include "content/heroes.h"
#include "content/items.h"
#include "state/form.h"
#include "game/modes.h"
#include "state/random.h"
#include "state/state.h"
#include "game/tick.h"
#include "platform/platform.h"

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
  Form1.N6244321.Checked = &chosen == &Form1.N6244321;
  Form1.N3122161.Checked = &chosen == &Form1.N3122161;
  Form1.N1561081.Checked = &chosen == &Form1.N1561081;
  Form1.ClientWidth = width;
  Form1.ClientHeight = height;
  Form1.CenterRequested = true;
  platform::Os().FormChanged();
}

}  // namespace

// The error box is modal: no tick may run under it, or a fault that repeats every tick would
// stack one box on another.
void ReportUncaught(const std::exception& e) {
  bool running = Form1.Timer1.Enabled;
  SetTimerEnabled(Form1.Timer1, false);
  platform::Os().ShowError(e.what());
  SetTimerEnabled(Form1.Timer1, running);
}

std::string FindAppDir(const std::string& programDir) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::path cwd = fs::current_path(ec);
  if (!ec && HoldsContent(cwd)) return WithSlash(cwd.string());
  fs::path program(programDir);
  for (const fs::path& dir : {program / "data", program.parent_path() / "share" / "mirovaan",
                              fs::path(MIROVAAN_INSTALL_DATA_DIR)}) {
    if (HoldsContent(dir)) return WithSlash(dir.string());
  }
  return WithSlash(ec ? std::string(".") : cwd.string());
}

void FillContentTables() {
  InitHeroTexts();
  InitItems();
}

void PrepareProgram(platform::Platform& os, std::string appDir, audio::Backend backend) {
  platform::SetPlatform(&os);
  if (appDir.empty() || appDir.back() != '/') appDir += '/';
  AppDir = appDir;
  audio::Init(backend);
  LoadFormSheets();
}

void FormCreate() {
  Randomize();
  if (AppDir.empty()) AppDir = FindAppDir(".");
  SetUpBuffers();
  SetStartValues();
  G.SpeechIndex = 0;
  G.Reserved3 = 0;
  G.TickCount = 0;
  FillContentTables();
  G.Facing = 2;
  G.GameMode = kModeTitle;
  Form1.Image1.LoadFromFile(AppDir + "title.bmp");
  Form1.Image2.LoadFromFile(AppDir + "title.bmp");
  PlayMusic(kTrackTitle);
}

void FormShow() {
  Form1.ClientWidth = kViewWidth;
  Form1.ClientHeight = kViewHeight;
  N3122161Click();
}

void FormResize(int clientWidth, int clientHeight) {
  Form1.ClientWidth = clientWidth;
  Form1.ClientHeight = clientHeight;
}

void N6244321Click() { SetViewSize(Form1.N6244321, 624, 432); }
void N3122161Click() { SetViewSize(Form1.N3122161, kViewWidth, kViewHeight); }
void N1561081Click() { SetViewSize(Form1.N1561081, 156, 108); }

void Timer1Timer() {
  GameTick();
  Form1.Caption = "ﾐﾛｳﾞｧｰﾝ";
  G.TickCount += 1;
}

void Exit1Click() {
  // Not a TickPause: once the program is to end, the tick stays stopped.
  SetTimerEnabled(Form1.Timer1, false);
  int mode = G.GameMode;
  if (mode == kModeTitle || mode == kModeGameOver || mode == kModeSelect) {
    if (platform::Os().AskYesNo("ゲームの終了", "ゲームを終了してもよろしいでしょうか？")) {
      Form1.Ended = true;
      platform::Os().Quit();
      return;
    }
  } else if (mode == kModePlay || mode == kModeMenu || mode == kModeWorld) {
    if (platform::Os().AskYesNo("ゲームの中断", "タイトル画面に戻ってもよろしいでしょうか？")) {
      ExitToTitle();
    }
  }
  SetTimerEnabled(Form1.Timer1, true);
}
