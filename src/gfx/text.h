// Text drawing with FreeType glyphs, standing in for a Windows canvas's TextOut.
//
// Face names are the Windows names the game uses; "ＭＳ 明朝" is drawn with IPA Mincho and
// "ＭＳ Ｐゴシック" with IPA P Gothic, anything else with fontconfig's best match for the
// name. Sizes are points at 96 dpi: the em is round(points * 96 / 72) pixels (10 pt = 13 px,
// 14 pt = 19 px, 20 pt = 27 px). As with TextOut, (x, y) is the top-left corner of the
// character cell: the baseline lies `Ascent` pixels below y, and the cell is
// `Ascent + Descent` pixels tall. Faces, sizes and rendered glyphs are cached, so
// repeated texts cost only the blending of their pixels.
#pragma once

#include <string>

#include "gfx/bitmap.h"

namespace gfx {

struct FontMetrics {
  int PixelSize = 0;  // the em in pixels
  int Ascent = 0;     // baseline below the cell top
  int Descent = 0;    // cell bottom below the baseline
  int Height() const { return Ascent + Descent; }
};

// The em size in pixels of a point size at 96 dpi (rounded to nearest).
int PointsToPixels(int points);

// The file that draws a face name, after the Windows-name substitutions; empty if no
// font could be found at all.
std::string FontFileFor(const std::string& faceName);

// True when the font that draws a face name has Japanese characters (fontconfig falls back
// on some face for any name, often one without them).
bool DrawsJapanese(const std::string& faceName);

// Cell metrics of a face at a point size (all zero when no font is available).
FontMetrics GetFontMetrics(const std::string& faceName, int points);

// Advance width in pixels of a text, as DrawText would place it. Invalid UTF-8 bytes
// count as the replacement character.
int TextWidth(const std::string& faceName, int points, const std::string& utf8);

// Draws text with the top-left of its cell at (x, y), clear background, clipped to dst.
void DrawText(Bitmap& dst, int x, int y, const std::string& faceName, int points, Color colour,
              const std::string& utf8);

}  // namespace gfx
