#pragma once

namespace gfx {
class Bitmap;
}

void GameTick();

// The 312 x 216 view: black, then the picture's window at (sx, sy) over it.
void CopyViewOverBlack(gfx::Bitmap& frame, const gfx::Bitmap& picture, int sx, int sy);
// The view of the floor picture BUF around the hero, as the dungeon modes show it.
void DrawFloorWindow(gfx::Bitmap& frame);
