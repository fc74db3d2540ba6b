// The play screen's texts: the status panel at the top and the hero's line at the bottom.
#pragma once

#include "gfx/bitmap.h"

void DrawStatusPanel();  // modes 1 and 3
void DrawSpeechLine();   // modes 1 and 3

// The colours of the hit-point number: the text and its shadow, by quarters of MaxHP.
struct HpColours {
  gfx::Color text;
  gfx::Color shadow;
};
HpColours HpColour(int hp, int maxHp);
