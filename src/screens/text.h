// The one text operation of the game, and Shift-JIS byte counting.
#pragma once

#include <string>
#include <vector>

#include "gfx/bitmap.h"
#include "gfx/text_stamp.h"

void DrawShadowText(int x, int y, int size, gfx::Color colour, const std::string& text);

// Texts drawn as DrawShadowText draws them, one after another, for a screen that draws the
// same few texts every tick (the status panel, the hero's line): while they stay the same
// their pixels are put down ready-made. Each batch keeps a picture of its own.
class StampedTexts {
 public:
  // Adds a text to the batch, as DrawShadowText takes it.
  void Add(int x, int y, int size, gfx::Color colour, const std::string& text);
  // Draws the batch onto the view and empties it.
  void Draw();

 private:
  std::vector<gfx::StampText> texts_;  // the first count_ are the batch; kept to be written over
  size_t count_ = 0;
  gfx::TextStamp stamp_;
};

// English is drawn in DejaVu Sans: its hinting was made for screens, so at the game's 13 to 27
// pixel sizes its one-bit letters keep even stems and open shapes (Il1, O0 apart), where the
// Latin letters of the IPA faces come out uneven and the URW faces blotchy.
constexpr const char* kEnglishFace = "DejaVu Sans";
// The face of the language the player reads: the Windows Mincho name (IPA Mincho) for
// Japanese, kEnglishFace for English.
const char* TextFace();
// The width in pixels DrawShadowText gives a text at a size, in TextFace().
int DrawnWidth(int size, const std::string& text);
// The x that centres a text on the hero's column, the middle of the view (x 156).
int CentredX(int size, const std::string& text);

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
