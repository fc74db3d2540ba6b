// The one text operation of the game, and Shift-JIS byte counting.
#pragma once

#include <string>

#include "gfx/bitmap.h"

void DrawShadowText(int x, int y, int size, gfx::Color colour, const std::string& text);

// Length of a UTF-8 text in Shift-JIS bytes: ASCII and half-width katakana 1, others 2.
int SjisLength(const std::string& utf8);
// The longest prefix of at most maxBytes Shift-JIS bytes that does not split a character.
std::string SjisCut(const std::string& utf8, int maxBytes);
