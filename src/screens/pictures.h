// The pictures behind the screens.
#pragma once

namespace gfx {
class Bitmap;
}

// A picture of the content folder into the backdrop of the title, selection, menu and
// world-map screens.
void LoadBackdrop(const char* name);

// The 312 x 216 view: black, then the picture's window at (sx, sy) over it.
void CopyViewOverBlack(gfx::Bitmap& frame, const gfx::Bitmap& picture, int sx, int sy);
// The view of the floor picture around the hero, as the dungeon modes show it.
void DrawFloorWindow(gfx::Bitmap& frame);
