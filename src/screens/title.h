#pragma once

void DrawTitle();      // mode 0
void DrawSelection();  // mode 4
