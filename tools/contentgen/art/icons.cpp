// The launcher's icons in every size of the icon theme. The 32-pixel window icon scales by
// whole factors to 64, 128 and 256; at 16 and 24 pixels its details would blur into noise,
// so those are drawn on their own grid: the hero's head, headband and sword, bolder.
#include <stdexcept>

#include "art/sheets.h"

namespace art {

namespace {

// One character per pixel, in the icon's sixteen colours.
uint8_t IconIndex(char c) {
  switch (c) {
    case '.': return 2;   // night blue ground
    case 'o': return 3;   // ring
    case 'k': return 1;   // ink outline
    case 'h': return 9;   // hair
    case 'r': return 12;  // headband
    case 's': return 7;   // skin
    case 'S': return 8;   // skin in shadow
    case 'g': return 11;  // tunic
    case 'G': return 10;  // tunic in shadow
    case 't': return 14;  // blade
    case 'y': return 5;   // hilt
    case 'w': return 13;  // glint
    default: throw std::logic_error(std::string("icon map: unknown colour ") + c);
  }
}

Pic FromRows(const std::vector<const char*>& rows) {
  const int size = static_cast<int>(rows.size());
  Pic p(size, size);
  for (int y = 0; y < size; ++y) {
    if (static_cast<int>(std::string(rows[y]).size()) != size)
      throw std::logic_error("icon map: row " + std::to_string(y) + " is not " + std::to_string(size) + " wide");
    for (int x = 0; x < size; ++x) p.Set(x, y, IconIndex(rows[y][x]));
  }
  return p;
}

Pic MakeIcon16() {
  return FromRows({
      "..............w.",
      ".............tt.",
      ".....kkkkkk.tt..",
      "....khhhhhhktk..",
      "...khhhhhhhhk...",
      "...krrrrrrrrk...",
      "...khsssssshk...",
      "...kskssssksk...",
      "...kskssssksk...",
      "...kssssssssk...",
      "..yykssSSssk....",
      "..yyykssssk.....",
      "...kkgkkkkgkk...",
      "..kgggGggGgggk..",
      ".kggggGggGggggk.",
      ".kgggggGGgggggk.",
  });
}

Pic MakeIcon24() {
  return FromRows({
      "........................",
      "....................ww..",
      "...................wtt..",
      "........kkkkkkkk..ttt...",
      ".......khhhhhhhhk.tt....",
      "......khhhhhhhhhhktk....",
      ".....khhhhhhhhhhhhk.....",
      ".....krrrrrrrrrrrrk.....",
      ".....krrrrrrrrrrrrk.....",
      ".....khhssssssssshk.....",
      ".....khsskssssksshk.....",
      ".....ksssksssskssSk.....",
      ".....ksssksssskssSk.....",
      ".....kssssssssssSSk.....",
      "...yyykssssSSsssSk......",
      "..yyyy.kssssssssk.......",
      "..yyy...kkssssSkk.......",
      "...t.kkkkgkkkkkgkkkk....",
      "....kggggGggggggGgggk...",
      "...kgggggGggggggGggggk..",
      "..kggggggGggggggGgggggk.",
      "..kgggggggGGGGGGggggggk.",
      "..kggggggggggggggggggggk",
      "..kggggggggggggggggggggk",
  });
}

}  // namespace

std::vector<std::pair<int, Pic>> MakeThemeIcons() {
  Pic icon32 = MakeIcon();
  Pic icon24 = MakeIcon24();
  return {{16, MakeIcon16()},       {24, icon24},           {32, icon32},
          {48, icon24.Scaled(2)},   {64, icon32.Scaled(2)}, {128, icon32.Scaled(4)},
          {256, icon32.Scaled(8)}};
}

}  // namespace art
