// Writes the tile sheet sheets/floor_tiles.bmp, the dungeon files M_0.mpt .. M_8.mpt and, for the
// people who design them, contact sheets of every floor under contact/.
#include <filesystem>
#include <stdexcept>

#include "../generators.h"
#include "gfx/bmp.h"
#include "gfx/png.h"
#include "layout.h"
#include "tileset.h"

namespace {

namespace fs = std::filesystem;

void Write(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::string error;
  if (!gfx::WriteFile(path, bytes, error)) throw std::runtime_error(error);
}

void WritePicture(const std::string& path, const gfx::Bitmap& bitmap) {
  std::string error;
  if (!gfx::WritePng(path, bitmap, error)) throw std::runtime_error(error);
}

// The colour of floor pixel (px, py) as the game draws the floor into FloorPicture; black off the floor.
gfx::Color FloorPixel(const gfx::Bitmap& sheet, const uint8_t* tiles, int px, int py) {
  constexpr int T = floors::kTilePixels, kSide = floors::kGrid * T;
  if (px < 0 || py < 0 || px >= kSide || py >= kSide) return gfx::kBlack;
  int v = tiles[(px / T) * floors::kGrid + py / T];
  return sheet.Pixel((v % 8) * T + px % T, (v / 8) * T + py % T);
}

// Ten floors shrunk as the whole-map page shows them (215 x 215 by a nearest-pixel stretch,
// floors 0..4 above, 5..9 below), and under them the first view of the dungeon centred on
// the start tile, 1:1 and doubled.
gfx::Bitmap ContactSheet(const gfx::Bitmap& sheet, const std::vector<uint8_t>& file, int dungeon) {
  constexpr int kSmall = 215, kGap = 4, kViewW = 312, kViewH = 216, kSide = floors::kGrid * 24;
  gfx::Bitmap out(5 * kSmall + 6 * kGap, 2 * kSmall + 2 * kViewH + 4 * kGap, gfx::Rgb(60, 60, 70));
  for (int f = 0; f < floors::kFloorCount; ++f) {
    const uint8_t* tiles = file.data() + f * floors::kFloorBytes;
    int x0 = kGap + (f % 5) * (kSmall + kGap), y0 = kGap + (f / 5) * (kSmall + kGap);
    for (int y = 0; y < kSmall; ++y)
      for (int x = 0; x < kSmall; ++x)
        out.SetPixel(x0 + x, y0 + y,
                     FloorPixel(sheet, tiles, (2 * x + 1) * kSide / (2 * kSmall), (2 * y + 1) * kSide / (2 * kSmall)));
  }
  const uint8_t* entry = file.data() + floors::EntryFloor(dungeon) * floors::kFloorBytes;
  floors::TilePos s = floors::kStartTiles[dungeon];
  int y0 = 3 * kGap + 2 * kSmall;
  for (int y = 0; y < kViewH; ++y)
    for (int x = 0; x < kViewW; ++x) {
      gfx::Color c = FloorPixel(sheet, entry, s.col * 24 - 144 + x, s.row * 24 - 96 + y);
      out.SetPixel(kGap + x, y0 + y, c);
      gfx::FillRect(out, 2 * kGap + kViewW + 2 * x, y0 + 2 * y, 2, 2, c);
    }
  return out;
}

}  // namespace

void GenerateFloors(const std::string& assetsDir, const std::string& outDir) {
  fs::create_directories(fs::path(outDir) / "sheets");
  fs::create_directories(fs::path(outDir) / "contact");

  gfx::Bitmap sheet = floors::DrawTileSheet();
  std::vector<gfx::Color> palette;
  std::vector<uint8_t> indices;
  floors::IndexBitmap(sheet, palette, indices);
  Write(outDir + "/sheets/floor_tiles.bmp", gfx::EncodeBmp8(sheet.Width(), sheet.Height(), palette, indices, true));

  gfx::Bitmap big(sheet.Width() * 4, sheet.Height() * 4);
  gfx::StretchBlt(big, 0, 0, big.Width(), big.Height(), sheet, 0, 0, sheet.Width(), sheet.Height());
  WritePicture(outDir + "/contact/floor_tiles_x4.png", big);

  for (int d = 0; d < floors::kDungeonCount; ++d) {
    std::vector<uint8_t> file = floors::BuildDungeon(d, assetsDir + "/floors");
    Write(outDir + "/M_" + std::to_string(d) + ".mpt", file);
    WritePicture(outDir + "/contact/floors_M" + std::to_string(d) + ".png", ContactSheet(sheet, file, d));
  }
}
