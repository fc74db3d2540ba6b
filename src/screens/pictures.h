// The pictures behind the screens.
#pragma once

namespace gfx {
class Bitmap;
}

// A picture of the content folder into the backdrop of the title, selection, menu and
// world-map screens.
void LoadBackdrop(const char* name);

// The title picture for the language the player reads: title_en.bmp, whose name is in Latin
// letters, for English when the content folder holds it; title.bmp otherwise.
const char* TitlePicture();
// While the title shows: after a change of language, its picture is swapped for the other
// language's from the next frame on. A picture that cannot be read leaves the one shown.
void FollowTitleLanguage();

// The 312 x 216 view: black, then the picture's window at (sx, sy) over it.
void CopyViewOverBlack(gfx::Bitmap& frame, const gfx::Bitmap& picture, int sx, int sy);
// The view of the floor picture around the hero, as the dungeon modes show it.
void DrawFloorWindow(gfx::Bitmap& frame);
// The same pixels as DrawFloorWindow, drawn only in the stretch [start[y], end[y]) of each
// row of the view; the rest of the frame is left as it was. For a frame whose other pixels
// are all cleared before it is shown.
void DrawFloorWindowWithin(gfx::Bitmap& frame, const int* start, const int* end);
