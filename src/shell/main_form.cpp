// The main window's start-up and handlers, shared by the Qt program and the headless
// runner: only the platform underneath differs.
#include "shell/main_form.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <new>

#include "audio/sound.h"
#include "combat/spawn.h"
#include "content/heroes.h"
#include "content/items.h"
#include "core/form.h"
#include "core/modes.h"
#include "core/random.h"
#include "core/state.h"
#include "core/tick.h"
#include "core/world.h"
#include "gfx/bmp.h"
#include "gfx/text.h"
#include "platform/platform.h"
#include "shell/form_sheets.h"

TForm1 Form1;

namespace {

struct SheetSetup {
  const char* name;
  gfx::TSprite TForm1::*sheet;
  gfx::TImage TForm1::*destination;
  int cx, cy, index;
  bool transparent;
  gfx::Color key;
};

const SheetSetup kSheets[] = {
    {"SP1", &TForm1::SP1, &TForm1::BUF, 8, 8, 0, false, gfx::kBlack},
    {"SP2", &TForm1::SP2, &TForm1::buf2, 12, 5, 0, true, gfx::kTeal},
    {"sp3", &TForm1::sp3, &TForm1::buf2, 4, 1, 0, false, gfx::kTeal},
    {"Sp5", &TForm1::Sp5, &TForm1::buf2, 5, 1, 0, false, gfx::kTeal},
    {"sp6", &TForm1::sp6, &TForm1::buf2, 8, 13, 0, true, gfx::kTeal},
    {"Sp7", &TForm1::Sp7, &TForm1::BUF, 6, 2, 1, true, gfx::kTeal},
    {"sp10", &TForm1::sp10, &TForm1::buf2, 6, 1, 0, true, gfx::kTeal},
    {"Sp8", &TForm1::Sp8, &TForm1::buf2, 8, 2, 1, true, gfx::kTeal},
    {"Sp9", &TForm1::Sp9, &TForm1::buf2, 6, 17, 0, true, gfx::kTeal},
};

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

// The game's own errors say in Japanese what failed and name the file; a library's error
// (std::bad_alloc, a stream's failure) is English and means nothing to the player, so the box
// says in Japanese that the operation was abandoned and the detail goes to the terminal.
namespace {

std::string TextForPlayer(const std::exception& e) {
  std::string what = e.what();
  for (unsigned char c : what)
    if (c >= 0xE3) return what;  // kana and kanji start with these bytes in UTF-8
  std::cerr << "mirovaan: " << what << "\n";
  if (dynamic_cast<const std::bad_alloc*>(&e))
    return "メモリが足りないため、この操作を続けられませんでした。";
  return "予期しないエラーのため、この操作を続けられませんでした。";
}

}  // namespace

// The error box is modal: no tick may run under it, or a fault that repeats every tick would
// stack one box on another.
void ReportUncaught(const std::exception& e) {
  bool running = Form1.Timer1.Enabled;
  Form1.Timer1.Enabled = false;
  platform::Os().FormChanged();
  platform::Os().ShowError(TextForPlayer(e));
  Form1.Timer1.Enabled = running;
  platform::Os().FormChanged();
}

std::vector<std::string> ContentPlaces(const std::string& programDir) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::path cwd = fs::current_path(ec);
  fs::path program(programDir);
  std::vector<std::string> places;
  for (const fs::path& dir : {ec ? fs::path() : cwd, program / "data",
                              program.parent_path() / "share" / "mirovaan",
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

void LoadFormSheets() {
  for (const SheetSetup& s : kSheets) {
    gfx::Bitmap picture;
    const FormSheetData* data = FindFormSheet(s.name);
    std::string error;
    if (!data || !gfx::DecodeBmp(data->Bytes, data->Size, picture, error)) {
      std::cerr << "mirovaan: the built-in sheet " << s.name << " is unusable: " << error << "\n";
      picture = gfx::Bitmap();
    }
    (Form1.*s.sheet).LoadStored(picture, &(Form1.*s.destination), s.cx, s.cy, s.index,
                                s.transparent, s.key);
  }
  // The dungeon's monster and boss sheets are empty until a floor is set up.
  gfx::Bitmap none;
  Form1.Sp4.LoadStored(none, &Form1.buf2, 12, 3, 0, true, gfx::kTeal);
  Form1.Sp11.LoadStored(none, &Form1.buf2, 12, 1, 0, true, gfx::kTeal);
}

void SetUpBuffers() {
  Form1.BUF.Picture.Resize(1440, 1440);
  Form1.buf2.Picture.Resize(312, 216);
  Form1.buf2.canvas.FontName = "ＭＳ 明朝";
  Form1.buf2.canvas.BrushClear = true;
}

void FillConstantTables() {
  const uint8_t walk[4] = {0, 1, 0, 2}, speed[4] = {6, 8, 4, 3};
  for (int i = 0; i < 4; ++i) {
    G.WalkCycle[i] = walk[i];
    G.HeroSpeed[i] = speed[i];
  }
  InitWorldEntrances();
  InitHeroTexts();
  InitItems();
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

void FormCreate() {
  WarnWithoutJapaneseFont();
  Randomize();
  if (AppDir.empty()) AppDir = FindAppDir(".");
  SetUpBuffers();
  G.MusicOn = 1;
  G.EffectsOn = 1;
  G.TickInterval = 50;
  G.SpeechIndex = 0;
  G.Reserved3 = 0;
  G.TickCount = 0;
  FillConstantTables();
  ClearAllMonsters();
  G.Facing = 2;
  G.GameMode = kModeTitle;
  Form1.Image1.LoadFromFile(AppDir + "title.bmp", kViewPicture);
  Form1.Image2.LoadFromFile(AppDir + "title.bmp", kViewPicture);
  PlayMusic(10);
}

void FormShow() {
  Form1.ClientWidth = 312;
  Form1.ClientHeight = 216;
  N3122161Click();
}

void FormResize(int clientWidth, int clientHeight) {
  Form1.ClientWidth = clientWidth;
  Form1.ClientHeight = clientHeight;
}

void N6244321Click() { SetViewSize(Form1.N6244321, 624, 432); }
void N3122161Click() { SetViewSize(Form1.N3122161, 312, 216); }
void N1561081Click() { SetViewSize(Form1.N1561081, 156, 108); }

void Timer1Timer() {
  GameTick();
  Form1.Caption = "ﾐﾛｳﾞｧｰﾝ";
  G.TickCount += 1;
}

void Exit1Click() {
  Form1.Timer1.Enabled = false;
  platform::Os().FormChanged();
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
  Form1.Timer1.Enabled = true;
  platform::Os().FormChanged();
}

void PresentFrame() {
  gfx::Bitmap& shown = Form1.Image1.Picture;
  if (shown.Width() < 312 || shown.Height() < 216) shown.Resize(312, 216);
  gfx::BitBlt(shown, 0, 0, 312, 216, &Form1.buf2.Picture, 0, 0, gfx::Rop::Copy);
  RepaintImage1();
}

void RepaintImage1() { platform::Os().Repaint(Form1.Image1.Picture); }
