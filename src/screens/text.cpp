// The one text operation of the game and the Shift-JIS byte arithmetic every layout uses.
//
// The texts live in the source as UTF-8, but every width, cut and centring of the screens
// counts bytes as the Japanese code page would: one byte for ASCII and the half-width
// katakana, two for everything else.
#include "screens/text.h"

#include <cstdint>

#include "gfx/text.h"
#include "platform/language.h"
#include "state/window_model.h"

namespace {

constexpr const char* kJapaneseFace = "ＭＳ 明朝";

std::vector<DrawnText>* textTrace = nullptr;

// One character of a UTF-8 text: how many source bytes it takes and how many Shift-JIS
// bytes it stands for. A byte that does not start a well-formed sequence is taken alone and
// counts one byte, as a code-page conversion would turn it into a single '?'.
struct Glyph {
  int sourceBytes;
  int sjisBytes;
};

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

Glyph NextGlyph(const std::string& s, size_t i) {
  const auto at = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char lead = at(i);
  const size_t left = s.size() - i;
  if (lead < 0x80) return {1, 1};

  int length = 0;
  uint32_t code = 0;
  uint32_t least = 0;  // smallest code point the length may carry (no overlong forms)
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, code = lead & 0x1F, least = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, code = lead & 0x0F, least = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, code = lead & 0x07, least = 0x10000;
  } else {
    return {1, 1};
  }
  if (left < static_cast<size_t>(length)) return {1, 1};
  for (int k = 1; k < length; ++k) {
    if (!IsContinuation(at(i + k))) return {1, 1};
    code = (code << 6) | (at(i + k) & 0x3F);
  }
  if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return {1, 1};

  const bool halfWidthKana = code >= 0xFF61 && code <= 0xFF9F;
  return {length, halfWidthKana ? 1 : 2};
}

}  // namespace

void DrawShadowText(int x, int y, int size, gfx::Color colour, const std::string& text) {
  // Most of the title story lies outside the view on any tick: leave before touching the
  // canvas at all.
  if (y < -size || y >= size + kViewHeight) return;

  gfx::Canvas& canvas = Window.Frame.canvas;
  const char* face = TextFace();
  if (canvas.FontName != face) canvas.FontName = face;
  if (!canvas.BrushClear) canvas.BrushClear = true;
  if (canvas.FontColor != colour) canvas.FontColor = colour;
  if (canvas.FontSize != size) canvas.FontSize = size;
  Window.Frame.TextOut(x, y, text);
  if (textTrace) textTrace->push_back({x, y, size, colour, text});
}

void StampedTexts::Add(int x, int y, int size, gfx::Color colour, const std::string& text) {
  if (y < -size || y >= size + kViewHeight) return;  // as DrawShadowText leaves it out
  if (count_ == texts_.size()) texts_.emplace_back();
  gfx::StampText& t = texts_[count_++];
  t.x = x, t.y = y, t.points = size, t.colour = colour;
  const char* face = TextFace();
  if (t.face != face) t.face = face;
  if (t.utf8 != text) t.utf8 = text;
  if (textTrace) textTrace->push_back({x, y, size, colour, text});
}

void StampedTexts::Draw() {
  if (count_ == 0) return;
  // The canvas is left as the last text would have left it.
  gfx::Canvas& canvas = Window.Frame.canvas;
  const gfx::StampText& last = texts_[count_ - 1];
  if (canvas.FontName != last.face) canvas.FontName = last.face;
  if (!canvas.BrushClear) canvas.BrushClear = true;
  if (canvas.FontColor != last.colour) canvas.FontColor = last.colour;
  if (canvas.FontSize != last.points) canvas.FontSize = last.points;
  stamp_.Draw(Window.Frame.Picture, std::span<const gfx::StampText>(texts_.data(), count_));
  count_ = 0;
}

const char* TextFace() {
  return CurrentLanguage() == Language::kEnglish ? kEnglishFace : kJapaneseFace;
}

int DrawnWidth(int size, const std::string& text) { return gfx::TextWidth(TextFace(), size, text); }

int CentredX(int size, const std::string& text) { return 156 - DrawnWidth(size, text) / 2; }

void SetTextTrace(std::vector<DrawnText>* trace) { textTrace = trace; }

int SjisLength(const std::string& utf8) {
  int bytes = 0;
  for (size_t i = 0; i < utf8.size();) {
    const Glyph g = NextGlyph(utf8, i);
    bytes += g.sjisBytes;
    i += g.sourceBytes;
  }
  return bytes;
}

std::string SjisCut(const std::string& utf8, int maxBytes) {
  int bytes = 0;
  size_t end = 0;
  while (end < utf8.size()) {
    const Glyph g = NextGlyph(utf8, end);
    if (bytes + g.sjisBytes > maxBytes) break;
    bytes += g.sjisBytes;
    end += g.sourceBytes;
  }
  return utf8.substr(0, end);
}
