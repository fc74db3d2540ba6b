// Mode transitions shared by the key handlers, the tick and the menu commands.
#include "core/modes.h"

#include "audio/sound.h"
#include "content/heroes.h"
#include "core/form.h"
#include "core/snapshot.h"
#include "core/state.h"
#include "platform/platform.h"
#include "screens/gameover.h"

namespace {

void EnableFileCommands(bool save, bool load) {
  Form1.K1.Enabled = save;
  Form1.K2.Enabled = load;
}

// The window's pictures are 312 x 216; buf2 keeps that size whatever a file holds, so a
// wrong-sized picture can never shrink the frame.
void CopyIntoBuf2(const gfx::TImage& loaded) {
  gfx::Bitmap& frame = Form1.buf2.Picture;
  if (frame.Width() != 312 || frame.Height() != 216) frame.Resize(312, 216);
  gfx::FillRect(frame, 0, 0, 312, 216, gfx::kBlack);
  gfx::BitBlt(frame, 0, 0, 312, 216, &loaded.Picture, 0, 0, gfx::Rop::Copy);
}

void EnsureImage2() {
  gfx::Bitmap& image2 = Form1.Image2.Picture;
  if (image2.Width() < 312 || image2.Height() < 216) image2.Resize(312, 216);
}

void ClearHeldFlag(int flag) { G.KeyState[flag] = 0; }

// Set when the ending's return to the world map failed: the ending then waits on its last
// picture for Enter instead of failing again on every tick.
bool endingReturnHeld = false;

}  // namespace

void LoadIntoImage2(const char* name) { Form1.Image2.LoadFromFile(AppDir + name, kViewPicture); }

void ShowWorldMap() {
  // The picture is read before the music changes, so that a missing map changes nothing.
  gfx::TImage map;
  map.LoadFromFile(AppDir + "mainmap.bmp", kViewPicture);
  PlayMusic(11);
  CopyIntoBuf2(map);
  EnsureImage2();
  gfx::BitBlt(Form1.Image2.Picture, 0, 0, 312, 216, &Form1.buf2.Picture, 0, 0, gfx::Rop::Copy);
  RepaintImage1();
  G.HeroX = G.WorldX;
  G.HeroY = G.WorldY;
}

void LeaveTitle() {
  Form1.K2.Enabled = false;
  G.GameMode = kModeSelect;
  G.HeroIndex = 0;
  LoadIntoImage2("charas_0.bmp");
  PlayMusic(0);
}

void ChooseHero(int hero) {
  if (hero == G.HeroIndex) return;
  G.HeroIndex = static_cast<int8_t>(hero);
  std::string name = "charas_" + std::to_string(hero) + ".bmp";
  LoadIntoImage2(name.c_str());
  PlayEffect(3);
}

void ReturnToTitleFromSelection() {
  Form1.K2.Enabled = true;
  G.TickCount = 0;
  G.GameMode = kModeTitle;
  LoadIntoImage2("title.bmp");
  PlayMusic(10);
}

void StartGameFromSelection() {
  StartNewGame();
  G.GameMode = kModeWorld;
  LoadIntoImage2("mainmap.bmp");
  PlayMusic(11);
  EnableFileCommands(true, true);
}

void OpenMenu() {
  G.GameMode = kModeMenu;
  LoadIntoImage2("waku.bmp");
}

void LeaveMenu() {
  G.GameMode = kModePlay;
  for (int flag : {kUp, kRight, kDown, kLeft, kShift, kSpace, kEnter}) ClearHeldFlag(flag);
}

void GameOver() {
  DrawDeathRemains();
  G.GameMode = kModeGameOver;
  EnableFileCommands(false, false);
  PlayMusic(4);
}

void ContinueAfterGameOver() {
  CompleteOrRestore([] {
    G.GameMode = kModeWorld;
    ShowWorldMap();
    G.HP = G.MaxHP;
    G.Experience = 0;
    EnableFileCommands(true, true);
  });
}

void StartEnding() {
  endingReturnHeld = false;
  G.GameMode = kModeEnding;
  G.TickCount = 0;
  EnableFileCommands(false, false);
  EnsureImage2();
  gfx::BitBlt(Form1.Image2.Picture, 0, 0, 312, 216, &Form1.Image1.Picture, 0, 0, gfx::Rop::Copy);
}

void EndEnding() {
  try {
    CompleteOrRestore([] {
      G.GameMode = kModeWorld;
      ShowWorldMap();
      G.HP = G.MaxHP;
      EnableFileCommands(true, true);
    });
  } catch (const ChangeUndone& e) {
    endingReturnHeld = true;
    throw ChangeUndone(std::string(e.what()) + "\nEnter キーを押すと、もう一度試します。");
  }
}

bool EndingReturnHeld() { return endingReturnHeld; }
void ReleaseEndingReturn() { endingReturnHeld = false; }

void ExitToTitle() {
  G.GameMode = kModeTitle;
  G.TickCount = 0;
  PlayMusic(10);
  LoadIntoImage2("title.bmp");
  EnableFileCommands(false, true);
}
