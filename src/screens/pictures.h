// The pictures behind the screens, and the screen changes that rules below the game loop
// make in the middle of a tick.
#pragma once

namespace gfx {
class Bitmap;
}

// A picture of the content folder into Image2, the backdrop of the title, selection, menu
// and world-map screens.
void LoadIntoImage2(const char* name);
// "World map shown": music 11, the map picture through buf2 into Image2, Image1 repainted,
// the hero back at WorldX, WorldY.
void ShowWorldMap();
// After a failed return from the ending the ending holds still until the player presses
// Enter, which releases the hold so that the next tick tries again. A new ending or a load
// releases it too.
bool EndingReturnHeld();
void HoldEndingReturn();
void ReleaseEndingReturn();
// The final opponent has fallen: the last frame shown stays as the ending's backdrop.
void StartEnding();

// The 312 x 216 view: black, then the picture's window at (sx, sy) over it.
void CopyViewOverBlack(gfx::Bitmap& frame, const gfx::Bitmap& picture, int sx, int sy);
// The view of the floor picture BUF around the hero, as the dungeon modes show it.
void DrawFloorWindow(gfx::Bitmap& frame);
