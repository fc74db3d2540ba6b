// The game's pictures as the build writes them: sizes, cell layouts, bit depth, the key
// colour, and that every cell the game can draw holds a picture.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "base/little_endian.h"
#include "support/data_dir.h"

namespace {

// A palette bitmap read back exactly as stored: its header fields, palette and indices.
struct Bmp8 {
  int width = 0, height = 0, bits = 0, compression = -1;
  std::vector<std::array<uint8_t, 3>> palette;  // R, G, B
  std::vector<uint8_t> index;                   // top row first
  uint8_t At(int x, int y) const { return index[static_cast<size_t>(y) * width + x]; }
  bool IsKey(int x, int y) const {
    auto c = palette[At(x, y)];
    return c[0] == 0 && c[1] == 128 && c[2] == 128;
  }
};

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// Reads an 8-bit file (plain or RLE8); fails the test on anything else.
Bmp8 Load(const std::string& name) {
  Bmp8 bmp;
  auto b = ReadFile(testsupport::DataDir() + "/" + name);
  if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') {
    ADD_FAILURE() << name << ": missing or not a bitmap";
    return bmp;
  }
  uint32_t offset = base::ReadLe32(&b[10]);
  bmp.width = base::ReadLeSigned32(&b[18]);
  int h = base::ReadLeSigned32(&b[22]);
  bmp.height = h < 0 ? -h : h;
  bmp.bits = static_cast<int>(base::ReadLe16(&b[28]));
  bmp.compression = static_cast<int>(base::ReadLe32(&b[30]));
  uint32_t colours = base::ReadLe32(&b[46]);
  if (bmp.bits != 8) return bmp;
  if (colours == 0) colours = 256;
  for (uint32_t i = 0; i < colours; ++i) {
    size_t p = 14 + base::ReadLe32(&b[14]) + 4 * i;
    bmp.palette.push_back({b.at(p + 2), b.at(p + 1), b.at(p)});
  }
  bmp.index.assign(static_cast<size_t>(bmp.width) * bmp.height, 0);
  auto put = [&](int x, int row, uint8_t v) {
    int y = h > 0 ? bmp.height - 1 - row : row;
    if (x >= 0 && x < bmp.width && y >= 0 && y < bmp.height) bmp.index[static_cast<size_t>(y) * bmp.width + x] = v;
  };
  size_t p = offset;
  if (bmp.compression == 0) {
    int stride = (bmp.width + 3) / 4 * 4;
    for (int row = 0; row < bmp.height; ++row)
      for (int x = 0; x < bmp.width; ++x) put(x, row, b.at(p + static_cast<size_t>(row) * stride + x));
  } else if (bmp.compression == 1) {
    int x = 0, row = 0;
    while (p + 1 < b.size()) {
      uint8_t n = b[p++], v = b[p++];
      if (n > 0) {
        for (int i = 0; i < n; ++i) put(x++, row, v);
      } else if (v == 0) {
        x = 0, ++row;
      } else if (v == 1) {
        break;
      } else if (v == 2) {
        x += b.at(p), row += b.at(p + 1), p += 2;
      } else {
        for (int i = 0; i < v; ++i) put(x++, row, b.at(p++));
        if (v & 1) ++p;
      }
    }
  }
  for (uint8_t i : bmp.index)
    if (i >= bmp.palette.size()) ADD_FAILURE() << name << ": index " << int(i) << " beyond the palette";
  return bmp;
}

struct Layout {
  int cols, rows, cw, ch;
};

bool CellEmpty(const Bmp8& b, const Layout& l, int cell) {
  int x0 = (cell % l.cols) * l.cw, y0 = (cell / l.cols) * l.ch;
  for (int y = y0; y < y0 + l.ch; ++y)
    for (int x = x0; x < x0 + l.cw; ++x)
      if (!b.IsKey(x, y)) return false;
  return true;
}

// Key pixels that cannot be reached from the cell's border through key pixels: holes that
// would let the floor show through the middle of a body.
int Holes(const Bmp8& b, const Layout& l, int cell) {
  int x0 = (cell % l.cols) * l.cw, y0 = (cell / l.cols) * l.ch;
  std::vector<char> seen(static_cast<size_t>(l.cw) * l.ch, 0);
  std::vector<std::pair<int, int>> stack;
  for (int y = 0; y < l.ch; ++y)
    for (int x = 0; x < l.cw; ++x)
      if ((x == 0 || y == 0 || x == l.cw - 1 || y == l.ch - 1) && b.IsKey(x0 + x, y0 + y)) stack.push_back({x, y});
  while (!stack.empty()) {
    auto [x, y] = stack.back();
    stack.pop_back();
    if (x < 0 || y < 0 || x >= l.cw || y >= l.ch || seen[y * l.cw + x] || !b.IsKey(x0 + x, y0 + y)) continue;
    seen[y * l.cw + x] = 1;
    stack.push_back({x + 1, y}), stack.push_back({x - 1, y}), stack.push_back({x, y + 1}), stack.push_back({x, y - 1});
  }
  int holes = 0;
  for (int y = 0; y < l.ch; ++y)
    for (int x = 0; x < l.cw; ++x)
      if (b.IsKey(x0 + x, y0 + y) && !seen[y * l.cw + x]) ++holes;
  return holes;
}

bool CellsEqual(const Bmp8& b, const Layout& l, int c1, int c2) {
  for (int y = 0; y < l.ch; ++y)
    for (int x = 0; x < l.cw; ++x)
      if (b.At((c1 % l.cols) * l.cw + x, (c1 / l.cols) * l.ch + y) != b.At((c2 % l.cols) * l.cw + x, (c2 / l.cols) * l.ch + y))
        return false;
  return true;
}

void ExpectSheet(const Bmp8& b, const std::string& name, const Layout& l, bool rle) {
  EXPECT_EQ(b.bits, 8) << name;
  EXPECT_EQ(b.width, l.cols * l.cw) << name;
  EXPECT_EQ(b.height, l.rows * l.ch) << name;
  if (rle) {
    EXPECT_EQ(b.compression, 1) << name << " is stored RLE8";
  }
}

const Layout kHeroes{12, 5, 24, 24}, kFaces{4, 1, 34, 34}, kStatusIcons{5, 1, 15, 15},
    kShots{8, 13, 24, 24}, kSplats{6, 2, 24, 24}, kMarkers{8, 2, 24, 24},
    kItemIconLayout{6, 17, 15, 15}, kCoins{6, 1, 16, 16},
    kMonsters{12, 3, 24, 24}, kBoss{12, 1, 44, 44};

// The Icon column of the item table, row by row.
const int kItemIcons[] = {2,  6,  10, 14, 18, 22, 26, 30, 34, 38, 3,  7,  11, 15, 19, 23, 27, 31, 35, 39,
                          4,  8,  12, 16, 20, 24, 28, 32, 36, 40, 5,  9,  13, 17, 21, 25, 29, 33, 37, 37,
                          0,  1,  0,  82, 83, 84, 85, 86, 85, 42, 46, 50, 54, 58, 62, 66, 70, 74, 43, 47,
                          51, 55, 59, 63, 67, 71, 75, 44, 48, 52, 56, 60, 64, 68, 72, 76, 45, 49, 53, 57,
                          61, 65, 69, 73, 77, 87, 88, 89, 90, 91, 92, 93, 94, 95, 96, 96};
// The looks a weapon shows in the hand (14 shows nothing) and on its shots.
const int kHeldLooks[] = {0, 1, 2, 3, 4, 6, 8, 10, 19};
const int kShotLooks[] = {1, 2, 5, 7, 9, 11, 12, 13, 14, 15, 16, 17, 18, 20, 21, 22, 23};
// Monsters' and bosses' shots, and the trap arrow.
const int kMonsterLooks[] = {5, 7, 9, 13, 18, 22, 23};

TEST(ArtFiles, WindowSheetsHaveTheirSizesAndKeyColour) {
  struct S {
    const char* name;
    Layout l;
    bool transparent;
  };
  const S sheets[] = {{"heroes", kHeroes, true},         {"faces", kFaces, false},
                      {"status_icons", kStatusIcons, false}, {"shots", kShots, true},
                      {"splats", kSplats, true},         {"markers", kMarkers, true},
                      {"item_icons", kItemIconLayout, true}, {"coins", kCoins, true}};
  for (const S& s : sheets) {
    Bmp8 b = Load(std::string("sheets/") + s.name + ".bmp");
    ExpectSheet(b, s.name, s.l, true);
    if (b.index.empty()) continue;
    bool key = false;
    for (int y = 0; y < b.height && !key; ++y)
      for (int x = 0; x < b.width && !key; ++x) key = b.IsKey(x, y);
    // Opaque sheets are copied as they are, so teal there would show on screen.
    EXPECT_EQ(key, s.transparent) << s.name;
  }
}

TEST(ArtFiles, HeroSheetHoldsFourHeroesAndFourChests) {
  Bmp8 b = Load("sheets/heroes.bmp");
  ASSERT_FALSE(b.index.empty());
  for (int cell = 0; cell < 48; ++cell) {
    EXPECT_FALSE(CellEmpty(b, kHeroes, cell)) << "hero cell " << cell;
    EXPECT_EQ(Holes(b, kHeroes, cell), 0) << "hero cell " << cell;
  }
  for (int cell = 48; cell < 60; ++cell) EXPECT_FALSE(CellEmpty(b, kHeroes, cell)) << "chest cell " << cell;
  for (int look = 0; look < 4; ++look) EXPECT_EQ(Holes(b, kHeroes, 48 + 3 * look), 0) << "chest " << look;
  // The steps of the walk must show: each step pose differs from standing.
  for (int hero = 0; hero < 4; ++hero)
    for (int f = 0; f < 4; ++f) {
      int c = hero * 12 + f * 3;
      EXPECT_FALSE(CellsEqual(b, kHeroes, c, c + 1)) << "hero " << hero << " facing " << f;
      EXPECT_FALSE(CellsEqual(b, kHeroes, c, c + 2)) << "hero " << hero << " facing " << f;
    }
  // The four looks of a chest are four different chests.
  for (int a = 0; a < 4; ++a)
    for (int c = a + 1; c < 4; ++c) EXPECT_FALSE(CellsEqual(b, kHeroes, 48 + 3 * a, 48 + 3 * c));
}

TEST(ArtFiles, HeroesReadApartByColour) {
  Bmp8 b = Load("sheets/heroes.bmp");
  ASSERT_FALSE(b.index.empty());
  std::array<std::array<double, 3>, 4> mean{};
  for (int hero = 0; hero < 4; ++hero) {
    int cell = hero * 12 + 6, n = 0;
    for (int y = 0; y < 24; ++y)
      for (int x = 0; x < 24; ++x) {
        int px = (cell % 12) * 24 + x, py = (cell / 12) * 24 + y;
        if (b.IsKey(px, py)) continue;
        auto c = b.palette[b.At(px, py)];
        for (int k = 0; k < 3; ++k) mean[hero][k] += c[k];
        ++n;
      }
    ASSERT_GT(n, 100) << "hero " << hero << " is too small to see";
    for (int k = 0; k < 3; ++k) mean[hero][k] /= n;
  }
  for (int a = 0; a < 4; ++a)
    for (int c = a + 1; c < 4; ++c) {
      double d = 0;
      for (int k = 0; k < 3; ++k) d += (mean[a][k] - mean[c][k]) * (mean[a][k] - mean[c][k]);
      EXPECT_GT(d, 30.0 * 30.0) << "heroes " << a << " and " << c << " look alike";
    }
}

TEST(ArtFiles, EveryItemIconIsDrawn) {
  Bmp8 b = Load("sheets/item_icons.bmp");
  ASSERT_FALSE(b.index.empty());
  std::set<int> used(std::begin(kItemIcons), std::end(kItemIcons));
  for (int icon : used) {
    ASSERT_LT(icon, 102);
    EXPECT_FALSE(CellEmpty(b, kItemIconLayout, icon)) << "icon " << icon;
  }
  // Tiers of one class must not share a picture: the sword column, the keys.
  for (int t = 0; t + 1 < 10; ++t) EXPECT_FALSE(CellsEqual(b, kItemIconLayout, 2 + 4 * t, 6 + 4 * t)) << "sword tier " << t;
  for (int k = 88; k < 96; ++k) EXPECT_FALSE(CellsEqual(b, kItemIconLayout, k, k + 1)) << "key " << k;
}

TEST(ArtFiles, EveryWeaponAndShotLookIsDrawnInAllDirections) {
  Bmp8 b = Load("sheets/shots.bmp");
  ASSERT_FALSE(b.index.empty());
  std::set<int> looks(std::begin(kHeldLooks), std::end(kHeldLooks));
  looks.insert(std::begin(kShotLooks), std::end(kShotLooks));
  looks.insert(std::begin(kMonsterLooks), std::end(kMonsterLooks));
  for (int look : looks)
    for (int dir = 0; dir < 4; ++dir) EXPECT_FALSE(CellEmpty(b, kShots, look * 4 + dir)) << "look " << look << " dir " << dir;
  // A shot that is not round points the way it flies, so its four cells differ.
  for (int look : {0, 2, 5, 6, 9, 14, 15, 21})
    for (int d = 1; d < 4; ++d) EXPECT_FALSE(CellsEqual(b, kShots, look * 4, look * 4 + d)) << "look " << look;
}

TEST(ArtFiles, MarkersSplatsAndCoins) {
  Bmp8 m = Load("sheets/markers.bmp");
  ASSERT_FALSE(m.index.empty());
  for (int cell = 0; cell < 16; ++cell) EXPECT_FALSE(CellEmpty(m, kMarkers, cell)) << "marker " << cell;
  // The cursor is a frame: solid at its rim, see-through inside, around an item icon.
  int cx = (10 % 8) * 24, cy = (10 / 8) * 24;
  EXPECT_FALSE(m.IsKey(cx, cy + 12));
  EXPECT_FALSE(m.IsKey(cx + 23, cy + 12));
  for (int y = 5; y < 19; ++y)
    for (int x = 5; x < 19; ++x) EXPECT_TRUE(m.IsKey(cx + x, cy + y)) << x << "," << y;

  Bmp8 s = Load("sheets/splats.bmp");
  ASSERT_FALSE(s.index.empty());
  for (int cell = 0; cell < 12; ++cell) EXPECT_FALSE(CellEmpty(s, kSplats, cell)) << "splat " << cell;

  Bmp8 c = Load("sheets/coins.bmp");
  ASSERT_FALSE(c.index.empty());
  for (int f = 0; f < 6; ++f) EXPECT_FALSE(CellEmpty(c, kCoins, f)) << "coin frame " << f;
  for (int f = 1; f < 6; ++f) EXPECT_FALSE(CellsEqual(c, kCoins, 0, f)) << "coin frame " << f << " does not turn";
}

TEST(ArtFiles, MonsterAndBossSheets) {
  std::vector<std::string> names;
  for (int d = 0; d < 8; ++d) names.push_back("c_r" + std::to_string(d));
  for (int h = 0; h < 4; ++h) names.push_back("c_r8" + std::to_string(h));
  for (const auto& name : names) {
    Bmp8 b = Load(name + ".bmp");
    ExpectSheet(b, name, kMonsters, false);
    if (b.index.empty()) continue;
    // Dungeon 8 draws only its first row; the others all three.
    int rows = name.size() == 5 ? 1 : 3;
    for (int cell = 0; cell < rows * 12; ++cell) {
      EXPECT_FALSE(CellEmpty(b, kMonsters, cell)) << name << " cell " << cell;
      EXPECT_EQ(Holes(b, kMonsters, cell), 0) << name << " cell " << cell;
    }
    if (rows == 3)
      for (int a = 0; a < 3; ++a)
        for (int c = a + 1; c < 3; ++c) {
          EXPECT_FALSE(CellsEqual(b, kMonsters, a * 12 + 6, c * 12 + 6))
              << name << " rows " << a << ", " << c;
        }
  }
  for (int d = 0; d <= 8; ++d) {
    std::string name = "c_boss" + std::to_string(d);
    Bmp8 b = Load(name + ".bmp");
    ExpectSheet(b, name, kBoss, false);
    if (b.index.empty()) continue;
    for (int cell = 0; cell < 12; ++cell) EXPECT_FALSE(CellEmpty(b, kBoss, cell)) << name << " cell " << cell;
  }
}

TEST(ArtFiles, ShadowDoublesAreDarkerThanTheirHeroes) {
  Bmp8 heroes = Load("sheets/heroes.bmp");
  ASSERT_FALSE(heroes.index.empty());
  auto brightness = [](const Bmp8& b, int x0, int y0) {
    double sum = 0;
    int n = 0;
    for (int y = 0; y < 24; ++y)
      for (int x = 0; x < 24; ++x)
        if (!b.IsKey(x0 + x, y0 + y)) {
          auto c = b.palette[b.At(x0 + x, y0 + y)];
          sum += c[0] + c[1] + c[2], ++n;
        }
    return n ? sum / n : 0.0;
  };
  for (int h = 0; h < 4; ++h) {
    Bmp8 s = Load("c_r8" + std::to_string(h) + ".bmp");
    ASSERT_FALSE(s.index.empty());
    EXPECT_LT(brightness(s, 6 * 24, 0), brightness(heroes, 6 * 24, h * 24) * 0.7) << "hero " << h;
  }
}

TEST(ArtFiles, FullViewPicturesAndIcon) {
  for (std::string name : {"title", "charas_0", "charas_1", "charas_2", "charas_3", "waku", "mainmap"}) {
    Bmp8 b = Load(name + ".bmp");
    EXPECT_EQ(b.bits, 8) << name;
    EXPECT_EQ(b.width, 312) << name;
    EXPECT_EQ(b.height, 216) << name;
  }
  // The prompt's band of the title stays dark so the blinking letters read.
  Bmp8 t = Load("title.bmp");
  ASSERT_FALSE(t.index.empty());
  for (int y = 176; y < 210; ++y)
    for (int x = 70; x < 260; ++x) {
      auto c = t.palette[t.At(x, y)];
      ASSERT_LT(c[0] + c[1] + c[2], 200) << "title at " << x << "," << y;
    }

  Bmp8 icon = Load("icon.bmp");
  EXPECT_EQ(icon.width, 32);
  EXPECT_EQ(icon.height, 32);
  std::set<uint8_t> colours(icon.index.begin(), icon.index.end());
  EXPECT_LE(colours.size(), 16u);
  auto png = ReadFile(testsupport::DataDir() + "/mirovaan.png");
  ASSERT_GE(png.size(), 24u);
  EXPECT_EQ(png[1], 'P');
  // The width, which PNG stores big-endian.
  EXPECT_EQ(uint32_t{png[16]} << 24 | uint32_t{png[17]} << 16 | uint32_t{png[18]} << 8 | png[19], 128u);
}

}  // namespace
