// A few texts kept ready-made. The status panel draws the same seven numbers, each with its
// shadow, every tick, and they change only now and then; drawn glyph by glyph they come to
// thousands of fills of a few pixels. A stamp draws them once into a transparent picture of
// its own and then puts that picture down in a few wide masked copies, for as long as the
// texts stay what they were.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "gfx/bitmap.h"

namespace gfx {

// One text as DrawText takes it.
struct StampText {
  int x = 0, y = 0;
  std::string face;
  int points = 0;
  Color colour = kBlack;
  std::string utf8;

  bool operator==(const StampText& o) const {
    return x == o.x && y == o.y && points == o.points && colour == o.colour && utf8 == o.utf8 &&
           face == o.face;
  }
};

class TextStamp {
 public:
  // Writes onto dst exactly the pixels that DrawText would for each text in turn, and notes
  // at least the rectangles it would note. Texts that differ from those of the last call
  // (or a dst of another size) are drawn glyph by glyph: a number that changes every tick
  // is not worth a picture. Once they come again unchanged, the picture is made of them and
  // put down from then on. Texts whose glyphs blend with the pixels below them (grey
  // edges) are drawn glyph by glyph every time.
  void Draw(Bitmap& dst, std::span<const StampText> texts);

  // How many times the picture has been made: for the tests of when it is made again.
  int Made() const { return made_; }

 private:
  void Make(int width, int height, std::span<const StampText> texts);

  std::vector<StampText> texts_;  // those the picture was made of
  int width_ = 0, height_ = 0;    // of the bitmap it was made for
  bool valid_ = false;
  std::vector<StampText> last_;   // those of the last call, while no picture is made of them
  int lastWidth_ = 0, lastHeight_ = 0;
  bool exact_ = false;  // every pixel the texts write, they write whole
  int made_ = 0;
  // The boxes the texts lie in (in the bitmap's coordinates), each with which of its pixels
  // they cover (0) or leave (all ones), and the colours they leave there (0 elsewhere).
  // Small pictures of their own: the stamps of a screen stay together in the cache.
  struct Box {
    Rect at;
    Bitmap mask, picture;
  };
  std::vector<Box> boxes_;
};

}  // namespace gfx
