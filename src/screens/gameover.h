#pragma once

void DrawDeathRemains();  // the splats where the hero fell, into BUF
void DrawGameOver();      // mode 3 texts
void DrawEnding();        // mode 6 scroll
