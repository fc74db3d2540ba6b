// The hero's movement: on a floor against the solid tiles, on the world map inside the
// picture; and the hero's picture with its walking animation.
#include "world/movement.h"

#include "state/window_model.h"
#include "state/state.h"

namespace {

// Set by any held direction key in this tick, blocked or not; read by DrawHero.
bool moved = false;

int BaseSpeed() {
  int hero = G.HeroIndex;
  return hero >= 0 && hero <= 3 ? G.HeroSpeed[hero] : 0;
}

}  // namespace

bool HeroMoved() { return moved; }

void MoveHeroOnFloor() {
  moved = false;
  int s = BaseSpeed();
  if (G.KeyState[kShift]) s *= 2;

  // The leading edge is probed at offsets 4 and 20 across the box; a blocked hero is put
  // flush against the tile that stopped it, computed from the probed position alone.
  // Division truncates toward zero, so a hero near the floor's top or left edge, stopped
  // by the outside (which counts as solid), lands at 24 rather than 0.
  if (G.KeyState[kUp]) {
    moved = true;
    int py = G.HeroY - s;
    if (SolidAt(G.HeroX + 4, py) || SolidAt(G.HeroX + 20, py)) {
      G.HeroY = (py / kTileSize + 1) * kTileSize;
    } else {
      G.HeroY = py;
    }
    G.Facing = kFacingUp;
  }
  if (G.KeyState[kRight]) {
    moved = true;
    int px = G.HeroX + s + kTileSize;
    if (SolidAt(px, G.HeroY + 4) || SolidAt(px, G.HeroY + 20)) {
      G.HeroX = (G.HeroX + s) / kTileSize * kTileSize;
    } else {
      G.HeroX += s;
    }
    G.Facing = kFacingRight;
  }
  if (G.KeyState[kDown]) {
    moved = true;
    int py = G.HeroY + s + kTileSize;
    if (SolidAt(G.HeroX + 4, py) || SolidAt(G.HeroX + 20, py)) {
      G.HeroY = (G.HeroY + s) / kTileSize * kTileSize;
    } else {
      G.HeroY += s;
    }
    G.Facing = kFacingDown;
  }
  if (G.KeyState[kLeft]) {
    moved = true;
    int px = G.HeroX - s;
    if (SolidAt(px, G.HeroY + 4) || SolidAt(px, G.HeroY + 20)) {
      G.HeroX = (px / kTileSize + 1) * kTileSize;
    } else {
      G.HeroX = px;
    }
    G.Facing = kFacingLeft;
  }
}

void MoveHeroOnWorld() {
  moved = false;
  int s = BaseSpeed();  // running has no effect on the map
  if (G.KeyState[kUp]) {
    moved = true;
    if (G.HeroY - s > 0) G.HeroY -= s;
    G.Facing = kFacingUp;
  }
  if (G.KeyState[kRight]) {
    moved = true;
    if (G.HeroX + s < 290) G.HeroX += s;
    G.Facing = kFacingRight;
  }
  if (G.KeyState[kDown]) {
    moved = true;
    if (G.HeroY + s < 196) G.HeroY += s;
    G.Facing = kFacingDown;
  }
  if (G.KeyState[kLeft]) {
    moved = true;
    if (G.HeroX - s > 0) G.HeroX -= s;
    G.Facing = kFacingLeft;
  }
}

void DrawHero() {
  // A loaded game may carry any byte in WalkFrame; outside 0..15 it shows the first pose
  // and wraps to 0 with the next step.
  int step = G.WalkFrame / 4;
  int pose = step < 4 ? G.WalkCycle[step] : 0;
  int cell = pose + G.Facing * 3 + G.HeroIndex * 12;
  if (G.GameMode == kModeWorld) {
    DrawCell(Window.HeroSheet, cell, G.HeroX, G.HeroY);
  } else {
    DrawCell(Window.HeroSheet, cell, 144, 96);  // the view's centre box
  }
  if (moved) {
    G.WalkFrame += 1;
    if (G.WalkFrame > 15) G.WalkFrame = 0;
  }
}
