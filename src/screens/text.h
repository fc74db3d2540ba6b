// The one text operation of the game, and Shift-JIS byte counting.
#pragma once

#include <string>
#include <vector>

#include "gfx/bitmap.h"

void DrawShadowText(int x, int y, int size, gfx::Color colour, const std::string& text);

// Length of a UTF-8 text in Shift-JIS bytes: ASCII and half-width katakana 1, others 2.
// A byte that starts no well-formed UTF-8 sequence counts as one character of 1 byte.
int SjisLength(const std::string& utf8);
// The longest prefix of at most maxBytes Shift-JIS bytes that does not split a character.
std::string SjisCut(const std::string& utf8, int maxBytes);

// A text that DrawShadowText put on the canvas (it passed the off-view test).
struct DrawnText {
  int x, y, size;
  gfx::Color colour;
  std::string text;
  bool operator==(const DrawnText&) const = default;
};
// While a trace is set, every drawn text is also appended to it: the screens' layouts can
// then be checked line by line. Null (the default) records nothing.
void SetTextTrace(std::vector<DrawnText>* trace);
