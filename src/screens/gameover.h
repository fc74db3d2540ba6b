#pragma once

// The ending lasts this many ticks (80 s at the usual speed); then the world map returns.
constexpr int kEndingLength = 1600;

void DrawDeathRemains();  // the splats where the hero fell, into FloorPicture
void DrawGameOver();      // mode 3 texts
void DrawEnding();        // mode 6 scroll
