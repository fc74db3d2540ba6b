// One tick of the game. The blocks run in one fixed order, and every block looks at
// GameMode when it is reached, so a mode changed by an earlier block already applies to
// the later ones in the same tick.
#include "core/tick.h"

#include <algorithm>
#include <cstdint>

#include "combat/experience.h"
#include "combat/loot.h"
#include "combat/monsters.h"
#include "combat/shots.h"
#include "core/floor_events.h"
#include "core/form.h"
#include "core/modes.h"
#include "core/movement.h"
#include "core/state.h"
#include "core/world.h"
#include "screens/gameover.h"
#include "screens/menu.h"
#include "screens/status.h"
#include "screens/title.h"

// The 312 x 216 view: black, then the picture's window at (sx, sy) over it. Beyond the
// picture the view stays black, as the transfer clips at its edges. Only the bands the
// transfer leaves uncovered are filled (none at all away from the floor's edges): the
// frame comes out the same as after a whole black fill, at a fraction of the cost.
void CopyViewOverBlack(gfx::Bitmap& frame, const gfx::Bitmap& picture, int sx, int sy) {
  const int64_t w = std::min(312, frame.Width()), h = std::min(216, frame.Height());
  // The part of the view the transfer writes, worked out as BitBlt clips it.
  int64_t x0 = 0, x1 = 0, y0 = 0, y1 = 0;
  if (!picture.Empty()) {
    x0 = std::clamp<int64_t>(-static_cast<int64_t>(sx), 0, w);
    x1 = std::clamp<int64_t>(picture.Width() - static_cast<int64_t>(sx), x0, w);
    y0 = std::clamp<int64_t>(-static_cast<int64_t>(sy), 0, h);
    y1 = std::clamp<int64_t>(picture.Height() - static_cast<int64_t>(sy), y0, h);
  }
  const int left = static_cast<int>(x0), right = static_cast<int>(x1);
  const int top = static_cast<int>(y0), bottom = static_cast<int>(y1);
  gfx::FillRect(frame, 0, 0, 312, top, gfx::kBlack);
  gfx::FillRect(frame, 0, bottom, 312, 216 - bottom, gfx::kBlack);
  gfx::FillRect(frame, 0, top, left, bottom - top, gfx::kBlack);
  gfx::FillRect(frame, right, top, 312 - right, bottom - top, gfx::kBlack);
  gfx::BitBlt(frame, 0, 0, 312, 216, &picture, sx, sy, gfx::Rop::Copy);
}

void DrawFloorWindow(gfx::Bitmap& frame) {
  // The hero's box lies at (144, 96) of the view.
  CopyViewOverBlack(frame, Form1.BUF.Picture, G.HeroX - 144, G.HeroY - 96);
}

namespace {

bool InMode(int a) { return G.GameMode == a; }
bool InMode(int a, int b) { return G.GameMode == a || G.GameMode == b; }
bool SpaceHeld() { return G.KeyState[kSpace] != 0; }

void DrawBackground() {
  gfx::Bitmap& frame = Form1.buf2.Picture;
  if (InMode(kModePlay, kModeGameOver)) {
    DrawFloorWindow(frame);
  } else {
    CopyViewOverBlack(frame, Form1.Image2.Picture, 0, 0);
  }
}

void FloorObjects() {
  if (InMode(kModePlay, kModeGameOver)) DrawSprungTraps();
  if (InMode(kModePlay, kModeGameOver)) MonsterPass();
  // The final opponent's fall switches to the ending inside the monster pass; the loot
  // blocks look at the mode again and stand still from then on.
  if (InMode(kModePlay, kModeGameOver)) CoinBlock();
  if (InMode(kModePlay, kModeGameOver)) ItemBlock();
}

void Screens() {
  if (InMode(kModeTitle)) DrawTitle();
  if (InMode(kModeMenu)) DrawMenu();
  if (InMode(kModeGameOver)) DrawGameOver();
  if (InMode(kModeSelect)) DrawSelection();
  if (InMode(kModeEnding)) {
    // The count reaches 1600 one tick at a time in play; ">=" also ends an ending entered
    // from a saved game while the count already stood past it, which would never end.
    if (G.TickCount >= 1600) {
      if (!EndingReturnHeld()) EndEnding();
    } else {
      DrawEnding();
    }
  }
}

}  // namespace

void GameTick() {
  if (InMode(kModePlay)) {
    G.SpeechIndex = 0;
    MoveHeroOnFloor();
  }
  if (InMode(kModeWorld)) MoveHeroOnWorld();

  DrawBackground();

  if (InMode(kModePlay) && SpaceHeld()) {
    G.SpeechIndex = 1;
    FireHeroShots();
  }
  FloorObjects();
  if (InMode(kModeWorld)) DrawWorldEntrances();
  if (InMode(kModePlay, kModeWorld)) DrawHero();

  if (InMode(kModePlay, kModeGameOver)) MoveShots();
  if (InMode(kModePlay) && SpaceHeld()) DrawHeldWeapon();
  if (InMode(kModePlay, kModeGameOver)) CountExperience();
  if (InMode(kModePlay, kModeGameOver)) TouchTraps();

  if (InMode(kModePlay)) {
    EquipmentEffects();
    // A stair out of the dungeon has shown the world map; this tick presents nothing.
    if (FloorEvents()) return;
  }

  if (InMode(kModePlay, kModeGameOver)) {
    if (IsDarkFloor()) DarknessMask();
    DrawStatusPanel();
  }
  if (InMode(kModePlay) && G.HP < 1) GameOver();
  if (InMode(kModeGameOver)) G.SpeechIndex = 5;
  if (InMode(kModePlay) && G.MessageTimer > 0) DrawPickupMessage();
  if (InMode(kModePlay, kModeGameOver)) DrawSpeechLine();

  Screens();

  PresentFrame();
}
