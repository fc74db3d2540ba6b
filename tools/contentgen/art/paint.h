// The art's drawing kit: one shared 256-colour palette made of shading ramps, and an
// indexed picture with the few primitives every sheet is drawn with. Index 0 is the key
// colour (teal) everywhere, so a cell is transparent wherever nothing was painted.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gfx/bitmap.h"

namespace art {

constexpr uint8_t kKey = 0;      // teal, the sprite sheets' transparent colour
constexpr uint8_t kInk = 1;      // the dark outline every sprite wears
constexpr uint8_t kBlackIx = 2;  // pure black
constexpr uint8_t kWhiteIx = 3;  // pure white

// The colour ramps. Each holds five shades, 0 darkest .. 4 highlight; shade 2 is the
// ramp's own colour. Shadows lean to violet and highlights to warm white, so that every
// sheet shares one light.
enum Ramp : int {
  Skin, SkinDark, Red, Orange, Yellow, Gold, Green, DkGreen, Lime, Cyan, Blue, Navy,
  Purple, Violet, Pink, Brown, Tan, Grey, Steel, DkGrey, Bone, Ice, Wood, Sand, Sea,
  Deep, Grass, Forest, Swamp, Rock, Snow, Shade, Blood, Oil, Magenta, Cloth, HairBlack,
  HairBlond, HairRed, HairBrown, Night, Dusk, Crimson, Olive, kRampCount
};

// Palette index of shade s (0..4, clamped) of ramp r.
inline uint8_t C(int r, int s) {
  if (s < 0) s = 0;
  if (s > 4) s = 4;
  return static_cast<uint8_t>(16 + r * 5 + s);
}
inline int RampOf(uint8_t ix) { return ix >= 16 && ix < 16 + kRampCount * 5 ? (ix - 16) / 5 : -1; }
inline int ShadeOf(uint8_t ix) { return ix >= 16 ? (ix - 16) % 5 : 2; }

// The 256 colours of every file the art writes.
const std::vector<gfx::Color>& Palette();

class Pic {
 public:
  Pic() = default;
  Pic(int w, int h, uint8_t fill = kKey) : w_(w), h_(h), px_(static_cast<size_t>(w) * h, fill) {}

  int W() const { return w_; }
  int H() const { return h_; }
  bool In(int x, int y) const { return x >= 0 && y >= 0 && x < w_ && y < h_; }
  uint8_t At(int x, int y) const { return In(x, y) ? px_[static_cast<size_t>(y) * w_ + x] : kKey; }
  void Set(int x, int y, uint8_t c) {
    if (In(x, y)) px_[static_cast<size_t>(y) * w_ + x] = c;
  }
  const std::vector<uint8_t>& Pixels() const { return px_; }

  void Fill(uint8_t c) { px_.assign(px_.size(), c); }
  void Rect(int x, int y, int w, int h, uint8_t c);
  void Frame(int x, int y, int w, int h, uint8_t c);
  void Line(int x0, int y0, int x1, int y1, uint8_t c);
  void Ellipse(double cx, double cy, double rx, double ry, uint8_t c);
  // An ellipse lit from the upper left in shades lo..hi of ramp r.
  void Ball(double cx, double cy, double rx, double ry, int r, int lo = 0, int hi = 4);
  // A box lit from the upper left: top and left edges light, bottom and right dark.
  void Block(int x, int y, int w, int h, int r);
  // A thick line made of round dabs.
  void Stroke(double x0, double y0, double x1, double y1, double width, uint8_t c);
  void Polygon(const std::vector<std::pair<double, double>>& pts, uint8_t c);

  // Every key pixel touching a painted pixel (4-neighbourhood) becomes ink.
  void Outline(uint8_t ink = kInk);
  // Key pixels walled in by the figure (not reachable from the edge) become c, so the
  // floor never shows through a gap between an arm and a body.
  void FillHoles(uint8_t c = kInk);
  // Replace colour a with b.
  void Swap(uint8_t a, uint8_t b);
  // Replace whole ramps: every shade of from[i] becomes the same shade of to[i].
  void Recolour(const std::vector<std::pair<int, int>>& map);

  Pic MirrorX() const;
  Pic RotateCW() const;   // square pictures: a quarter turn clockwise
  Pic RotateCCW() const;
  Pic Scaled(int k) const;
  // Paint src onto this picture at (dx, dy); key pixels of src are skipped when keyed.
  void Paste(const Pic& src, int dx, int dy, bool keyed = true);
  Pic Crop(int x, int y, int w, int h) const;
  bool Blank() const;

 private:
  int w_ = 0, h_ = 0;
  std::vector<uint8_t> px_;
};

// A sheet of equal cells, filled cell by cell.
struct Sheet {
  std::string name;
  int cols, rows, cw, ch;
  Pic pic;
  Sheet(std::string n, int c, int r, int w, int h)
      : name(std::move(n)), cols(c), rows(r), cw(w), ch(h), pic(c * w, r * h) {}
  void Put(int cell, const Pic& p) { pic.Paste(p, (cell % cols) * cw, (cell / cols) * ch, false); }
  Pic Cell(int cell) const { return pic.Crop((cell % cols) * cw, (cell / cols) * ch, cw, ch); }
};

// A deterministic hash noise in 0..1, for textures that must not change between builds.
double Noise(int x, int y, int seed);
double SmoothNoise(double x, double y, int seed);

// Pixel maps kept as text in assets/art: a legend line maps characters to palette indices.
struct PixMap {
  int w = 0, h = 0;
  std::vector<std::string> rows;
  char At(int x, int y) const { return y >= 0 && y < h && x >= 0 && x < (int)rows[y].size() ? rows[y][x] : '.'; }
};
// Reads the named maps of one text file ("= name" starts a map; '.' is empty).
std::vector<std::pair<std::string, PixMap>> ReadPixMaps(const std::string& path);

}  // namespace art
