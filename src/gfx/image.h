// An image component: one bitmap and the drawing state of its canvas. The game's four
// images (FloorPicture, Frame, ShownFrame, Backdrop) are of this kind.
#pragma once

#include <stdexcept>
#include <string>

#include "gfx/bitmap.h"
#include "gfx/bmp.h"

namespace gfx {

// A picture that cannot be read. The message names the file and what is wrong with it.
class FileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct Canvas {
  std::string FontName;  // a Windows face name such as "ＭＳ 明朝"; resolved by the text layer
  int FontSize = 10;     // points; 96 dpi
  Color FontColor = kBlack;
  bool BrushClear = false;
};

class TImage {
 public:
  Bitmap Picture;
  Canvas canvas;

  // Reads a bitmap file into Picture (it takes the file's size, which must be the expected
  // one when given). Throws FileError.
  void LoadFromFile(const std::string& path, BmpSize expected = {});

  // Writes text with its top-left corner (the top of the character cell) at (x, y) in the
  // canvas's font, size and colour. The brush is always clear in this game.
  void TextOut(int x, int y, const std::string& utf8);
};

}  // namespace gfx
