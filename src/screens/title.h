// The title screen with its story (mode 0) and the hero selection screen (mode 4).
#pragma once

void DrawTitle();      // mode 0
void DrawSelection();  // mode 4

// Draws HeroSheet cell at (x, y) unless the 24 x 24 figure lies wholly outside the view.
void DrawHeroCell(int x, int y, int cell);
