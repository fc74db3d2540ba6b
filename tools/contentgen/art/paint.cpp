#include "art/paint.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <stdexcept>

namespace art {

namespace {

struct Rgb3 {
  double r, g, b;
};

Rgb3 Mix(Rgb3 a, Rgb3 b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// Each ramp's own colour (shade 2).
const Rgb3 kBase[kRampCount] = {
    {226, 170, 126}, {170, 112, 74},  {200, 40, 44},   {232, 122, 36},  {240, 210, 70},
    {206, 158, 40},  {70, 170, 60},   {38, 102, 52},   {156, 210, 64},  {80, 196, 222},
    {60, 100, 212},  {44, 52, 128},   {130, 62, 170},  {86, 40, 108},   {232, 122, 170},
    {126, 80, 44},   {196, 160, 102}, {128, 128, 138}, {160, 174, 192}, {74, 74, 88},
    {228, 218, 188}, {168, 216, 248}, {150, 96, 52},   {220, 194, 128}, {42, 86, 164},
    {22, 44, 104},   {84, 150, 64},   {34, 92, 46},    {84, 102, 64},   {112, 102, 98},
    {228, 234, 246}, {56, 34, 76},    {150, 14, 24},   {44, 44, 50},    {190, 50, 150},
    {120, 140, 200}, {52, 46, 62},    {232, 192, 92},  {182, 62, 40},   {112, 72, 42},
    {26, 30, 60},    {66, 44, 96},    {150, 20, 60},   {128, 130, 52},
};

}  // namespace

const std::vector<gfx::Color>& Palette() {
  static const std::vector<gfx::Color> pal = [] {
    std::vector<gfx::Color> p(256, gfx::Rgb(0, 0, 0));
    p[kKey] = gfx::kTeal;
    p[kInk] = gfx::Rgb(24, 16, 30);
    p[kBlackIx] = gfx::Rgb(0, 0, 0);
    p[kWhiteIx] = gfx::Rgb(255, 255, 255);
    const Rgb3 dark{34, 14, 52}, light{255, 250, 226};
    const double t[5] = {0.62, 0.32, 0.0, 0.34, 0.68};
    for (int r = 0; r < kRampCount; ++r) {
      for (int s = 0; s < 5; ++s) {
        Rgb3 c = s < 2 ? Mix(kBase[r], dark, t[s]) : Mix(kBase[r], light, t[s]);
        gfx::Color col = gfx::Rgb(static_cast<int>(std::lround(c.r)), static_cast<int>(std::lround(c.g)),
                                  static_cast<int>(std::lround(c.b)));
        if (col == gfx::kTeal) col = gfx::Rgb(0, 128, 130);  // the key colour is never a shade
        p[C(r, s)] = col;
      }
    }
    // The rest: a grey scale for the contact sheets and anything plain.
    for (int i = 16 + kRampCount * 5, k = 0; i < 256; ++i, ++k) {
      int v = std::min(255, k * 8);
      p[i] = gfx::Rgb(v, v, v);
    }
    return p;
  }();
  return pal;
}

void Pic::Rect(int x, int y, int w, int h, uint8_t c) {
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) Set(i, j, c);
}

void Pic::Frame(int x, int y, int w, int h, uint8_t c) {
  Rect(x, y, w, 1, c);
  Rect(x, y + h - 1, w, 1, c);
  Rect(x, y, 1, h, c);
  Rect(x + w - 1, y, 1, h, c);
}

void Pic::Line(int x0, int y0, int x1, int y1, uint8_t c) {
  int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
  int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    Set(x0, y0, c);
    if (x0 == x1 && y0 == y1) break;
    int e2 = 2 * err;
    if (e2 >= dy) err += dy, x0 += sx;
    if (e2 <= dx) err += dx, y0 += sy;
  }
}

void Pic::Ellipse(double cx, double cy, double rx, double ry, uint8_t c) {
  if (rx <= 0 || ry <= 0) return;
  for (int y = static_cast<int>(std::floor(cy - ry)); y <= static_cast<int>(std::ceil(cy + ry)); ++y)
    for (int x = static_cast<int>(std::floor(cx - rx)); x <= static_cast<int>(std::ceil(cx + rx)); ++x) {
      double nx = (x + 0.5 - cx) / rx, ny = (y + 0.5 - cy) / ry;
      if (nx * nx + ny * ny <= 1.0) Set(x, y, c);
    }
}

void Pic::Ball(double cx, double cy, double rx, double ry, int r, int lo, int hi) {
  if (rx <= 0 || ry <= 0) return;
  for (int y = static_cast<int>(std::floor(cy - ry)); y <= static_cast<int>(std::ceil(cy + ry)); ++y)
    for (int x = static_cast<int>(std::floor(cx - rx)); x <= static_cast<int>(std::ceil(cx + rx)); ++x) {
      double nx = (x + 0.5 - cx) / rx, ny = (y + 0.5 - cy) / ry;
      double d = nx * nx + ny * ny;
      if (d > 1.0) continue;
      // Light from the upper left; the rim falls off into the shadow side.
      double v = 0.5 - 0.42 * nx - 0.55 * ny - 0.25 * d;
      int s = v > 0.95 ? 4 : v > 0.55 ? 3 : v > 0.15 ? 2 : v > -0.2 ? 1 : 0;
      s = std::clamp(s, lo, hi);
      Set(x, y, C(r, s));
    }
}

void Pic::Block(int x, int y, int w, int h, int r) {
  Rect(x, y, w, h, C(r, 2));
  Rect(x, y, w, 1, C(r, 3));
  Rect(x, y, 1, h, C(r, 3));
  Rect(x, y + h - 1, w, 1, C(r, 1));
  Rect(x + w - 1, y, 1, h, C(r, 1));
}

void Pic::Stroke(double x0, double y0, double x1, double y1, double width, uint8_t c) {
  double len = std::hypot(x1 - x0, y1 - y0);
  int n = std::max(1, static_cast<int>(len * 2));
  for (int i = 0; i <= n; ++i) {
    double t = static_cast<double>(i) / n;
    Ellipse(x0 + (x1 - x0) * t, y0 + (y1 - y0) * t, width / 2, width / 2, c);
  }
}

void Pic::Polygon(const std::vector<std::pair<double, double>>& pts, uint8_t c) {
  if (pts.size() < 3) return;
  double top = 1e9, bot = -1e9;
  for (auto& p : pts) top = std::min(top, p.second), bot = std::max(bot, p.second);
  for (int y = static_cast<int>(std::floor(top)); y <= static_cast<int>(std::ceil(bot)); ++y) {
    double sy = y + 0.5;
    std::vector<double> xs;
    for (size_t i = 0; i < pts.size(); ++i) {
      auto a = pts[i], b = pts[(i + 1) % pts.size()];
      if ((a.second <= sy && b.second > sy) || (b.second <= sy && a.second > sy))
        xs.push_back(a.first + (sy - a.second) / (b.second - a.second) * (b.first - a.first));
    }
    std::sort(xs.begin(), xs.end());
    for (size_t i = 0; i + 1 < xs.size(); i += 2)
      for (int x = static_cast<int>(std::ceil(xs[i] - 0.5)); x <= static_cast<int>(std::floor(xs[i + 1] - 0.5)); ++x)
        Set(x, y, c);
  }
}

void Pic::Outline(uint8_t ink) {
  std::vector<uint8_t> out = px_;
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x) {
      if (At(x, y) != kKey) continue;
      auto painted = [&](int i, int j) { return In(i, j) && At(i, j) != kKey && At(i, j) != ink; };
      if (painted(x - 1, y) || painted(x + 1, y) || painted(x, y - 1) || painted(x, y + 1))
        out[static_cast<size_t>(y) * w_ + x] = ink;
    }
  px_ = out;
}

void Pic::FillHoles(uint8_t c) {
  std::vector<char> outside(px_.size(), 0);
  std::vector<std::pair<int, int>> stack;
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x)
      if (x == 0 || y == 0 || x == w_ - 1 || y == h_ - 1) stack.push_back({x, y});
  while (!stack.empty()) {
    auto [x, y] = stack.back();
    stack.pop_back();
    if (!In(x, y) || outside[static_cast<size_t>(y) * w_ + x] || At(x, y) != kKey) continue;
    outside[static_cast<size_t>(y) * w_ + x] = 1;
    stack.push_back({x + 1, y}), stack.push_back({x - 1, y}), stack.push_back({x, y + 1}), stack.push_back({x, y - 1});
  }
  for (size_t i = 0; i < px_.size(); ++i)
    if (px_[i] == kKey && !outside[i]) px_[i] = c;
}

void Pic::Swap(uint8_t a, uint8_t b) {
  for (auto& p : px_)
    if (p == a) p = b;
}

void Pic::Recolour(const std::vector<std::pair<int, int>>& map) {
  for (auto& p : px_) {
    int r = RampOf(p);
    for (auto& m : map)
      if (r == m.first) {
        p = C(m.second, ShadeOf(p));
        break;
      }
  }
}

Pic Pic::MirrorX() const {
  Pic o(w_, h_);
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x) o.Set(w_ - 1 - x, y, At(x, y));
  return o;
}

Pic Pic::RotateCW() const {
  Pic o(h_, w_);
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x) o.Set(h_ - 1 - y, x, At(x, y));
  return o;
}

Pic Pic::RotateCCW() const {
  Pic o(h_, w_);
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x) o.Set(y, w_ - 1 - x, At(x, y));
  return o;
}

Pic Pic::Scaled(int k) const {
  Pic o(w_ * k, h_ * k);
  for (int y = 0; y < o.h_; ++y)
    for (int x = 0; x < o.w_; ++x) o.Set(x, y, At(x / k, y / k));
  return o;
}

void Pic::Paste(const Pic& src, int dx, int dy, bool keyed) {
  for (int y = 0; y < src.h_; ++y)
    for (int x = 0; x < src.w_; ++x) {
      uint8_t c = src.At(x, y);
      if (keyed && c == kKey) continue;
      Set(dx + x, dy + y, c);
    }
}

Pic Pic::Crop(int x, int y, int w, int h) const {
  Pic o(w, h);
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) o.Set(i, j, At(x + i, y + j));
  return o;
}

bool Pic::Blank() const {
  return std::all_of(px_.begin(), px_.end(), [](uint8_t p) { return p == kKey; });
}

double Noise(int x, int y, int seed) {
  uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
               static_cast<uint32_t>(seed) * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return (h & 0xFFFFFF) / static_cast<double>(0x1000000);
}

double SmoothNoise(double x, double y, int seed) {
  int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
  double fx = x - ix, fy = y - iy;
  fx = fx * fx * (3 - 2 * fx);
  fy = fy * fy * (3 - 2 * fy);
  double a = Noise(ix, iy, seed), b = Noise(ix + 1, iy, seed);
  double c = Noise(ix, iy + 1, seed), d = Noise(ix + 1, iy + 1, seed);
  return (a + (b - a) * fx) + ((c + (d - c) * fx) - (a + (b - a) * fx)) * fy;
}

std::vector<std::pair<std::string, PixMap>> ReadPixMaps(const std::string& path) {
  std::ifstream in(path);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::vector<std::pair<std::string, PixMap>> maps;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind("= ", 0) == 0) {
      maps.push_back({line.substr(2), PixMap{}});
      continue;
    }
    if (line.empty() || maps.empty()) continue;  // text before the first map is commentary
    PixMap& m = maps.back().second;
    m.rows.push_back(line);
    m.h = static_cast<int>(m.rows.size());
    m.w = std::max(m.w, static_cast<int>(line.size()));
  }
  return maps;
}

}  // namespace art
