// One tick of the game. The blocks run in one fixed order, and every block looks at
// GameMode when it is reached, so a mode changed by an earlier block already applies to
// the later ones in the same tick.
#include "game/tick.h"

#include "combat/experience.h"
#include "combat/loot.h"
#include "combat/monsters.h"
#include "combat/shots.h"
#include "world/floor_events.h"
#include "state/window_model.h"
#include "game/modes.h"
#include "world/movement.h"
#include "state/state.h"
#include "world/world.h"
#include "screens/gameover.h"
#include "screens/menu.h"
#include "screens/pictures.h"
#include "modes/mode_changes.h"
#include "screens/status.h"
#include "screens/title.h"
#include "content/heroes.h"
#include "gfx/sprite.h"

namespace {

bool InMode(int a) { return G.GameMode == a; }
bool InMode(int a, int b) { return G.GameMode == a || G.GameMode == b; }
bool SpaceHeld() { return G.KeyState[kSpace] != 0; }

void DrawBackground() {
  gfx::Bitmap& frame = Window.Frame.Picture;
  if (InMode(kModePlay, kModeGameOver)) {
    // Under darkness the pixels outside its light are cleared anyway: the floor is copied
    // only where it will be seen.
    if (DarknessCoversTheTick()) DrawLitFloorWindow(frame);
    else DrawFloorWindow(frame);
  } else {
    CopyViewOverBlack(frame, Window.Backdrop.Picture, 0, 0);
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
    // The count reaches the ending's length one tick at a time in play; ">=" also ends an ending entered
    // from a saved game while the count already stood past it, which would never end.
    if (G.TickCount >= kEndingLength) {
      if (!EndingReturnHeld()) EndEnding();
    } else {
      DrawEnding();
    }
  }
}

// Sprites in the dark are left out only between the floor and the darkness mask of one
// tick; a tick that ends sooner (a stair to the world map, a failure) must not leave the
// next drawing without them.
struct LitStretchesEnd {
  ~LitStretchesEnd() { gfx::SetLitStretches(nullptr); }
};

}  // namespace

void GameTick() {
  const LitStretchesEnd litEnd;
  if (InMode(kModePlay)) {
    G.SpeechIndex = kLineIdle;
    MoveHeroOnFloor();
  }
  if (InMode(kModeWorld)) MoveHeroOnWorld();

  DrawBackground();

  if (InMode(kModePlay) && SpaceHeld()) {
    G.SpeechIndex = kLineAttacking;
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
  if (InMode(kModeGameOver)) G.SpeechIndex = kLineLastWords;
  if (InMode(kModePlay) && G.MessageTimer > 0) DrawPickupMessage();
  if (InMode(kModePlay, kModeGameOver)) DrawSpeechLine();

  Screens();

  PresentFrame();
}
