#pragma once

void DrawStatusPanel();  // modes 1 and 3
void DrawSpeechLine();   // modes 1 and 3
