// The art generator: writes every picture of the game as an 8-bit palette bitmap, and a
// contact sheet of each (3x, with the cell grid and cell numbers) for looking them over.
#include <filesystem>
#include <functional>
#include <stdexcept>

#include "art/paint.h"
#include "art/sheets.h"
#include "generators.h"
#include "gfx/bmp.h"
#include "gfx/png.h"

namespace fs = std::filesystem;

namespace art {
namespace {

void WriteBmp(const fs::path& path, const Pic& pic, bool rle,
              const std::vector<gfx::Color>& palette = Palette()) {
  std::string error;
  auto bytes = gfx::EncodeBmp8(pic.W(), pic.H(), palette, pic.Pixels(), rle);
  if (!gfx::WriteFile(path.string(), bytes, error)) throw std::runtime_error(error);
}

// Digits 0..9 in a 3 x 5 font, one row of three bits per entry.
const uint8_t kDigits[10][5] = {{7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 7, 1, 7},
                                {5, 5, 7, 1, 1}, {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 1, 2, 2},
                                {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7}};

void DrawNumber(gfx::Bitmap& b, int x, int y, int n) {
  std::string s = std::to_string(n);
  gfx::FillRect(b, x - 1, y - 1, static_cast<int>(s.size()) * 4 + 1, 7, gfx::kBlack);
  for (char ch : s) {
    const uint8_t* g = kDigits[ch - '0'];
    for (int r = 0; r < 5; ++r)
      for (int c = 0; c < 3; ++c)
        if (g[r] & (4 >> c)) b.SetPixel(x + c, y + r, gfx::Rgb(255, 255, 0));
    x += 4;
  }
}

void WriteContact(const fs::path& path, const Pic& pic, int cw, int ch,
                  const std::vector<gfx::Color>& palette = Palette()) {
  const int k = 3;
  gfx::Bitmap b(pic.W() * k, pic.H() * k);
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) b.SetPixel(x, y, palette[pic.At(x / k, y / k)]);
  if (cw > 0 && ch > 0 && (cw < pic.W() || ch < pic.H())) {
    const gfx::Color grid = gfx::Rgb(255, 255, 255);
    for (int x = 0; x <= pic.W(); x += cw) gfx::FillRect(b, x * k - (x ? 1 : 0), 0, 1, b.Height(), grid);
    for (int y = 0; y <= pic.H(); y += ch) gfx::FillRect(b, 0, y * k - (y ? 1 : 0), b.Width(), 1, grid);
    int cols = pic.W() / cw;
    for (int cy = 0; cy * ch < pic.H(); ++cy)
      for (int cx = 0; cx < cols; ++cx) DrawNumber(b, cx * cw * k + 2, cy * ch * k + 2, cy * cols + cx);
  }
  std::string error;
  if (!gfx::WritePng(path.string(), b, error)) throw std::runtime_error(error);
}

void WriteIconPng(const fs::path& path, const Pic& pic) {
  gfx::Bitmap png(pic.W(), pic.H());
  for (int y = 0; y < pic.H(); ++y)
    for (int x = 0; x < pic.W(); ++x) png.SetPixel(x, y, IconPalette()[pic.At(x, y)]);
  std::string error;
  if (!gfx::WritePng(path.string(), png, error)) throw std::runtime_error(error);
}

}  // namespace
}  // namespace art

void GenerateArt(const std::string& assetsDir, const std::string& outDir) {
  using namespace art;
  fs::path out(outDir), sheetDir = out / "sheets", contact = out / "contact";
  fs::create_directories(sheetDir);
  fs::create_directories(contact);

  auto sheet = [&](const Sheet& s, const fs::path& dir) {
    WriteBmp(dir / (s.name + ".bmp"), s.pic, true);
    WriteContact(contact / (s.name + ".png"), s.pic, s.cw, s.ch);
  };
  auto picture = [&](const std::string& name, const Pic& p) {
    WriteBmp(out / (name + ".bmp"), p, false);
    WriteContact(contact / (name + ".png"), p, 0, 0);
  };

  for (auto make : {MakeHeroSheet, MakeFaces, MakeStatusIcons, MakeShots, MakeSplats, MakeMarkers,
                    MakeItemIcons, MakeCoins})
    sheet(make(), sheetDir);
  for (int d = 0; d < 8; ++d) sheet(MakeMonsterSheet(d), out);
  for (int h = 0; h < 4; ++h) sheet(MakeShadowSheet(h), out);
  for (int b = 0; b <= 8; ++b) sheet(MakeBossSheet(b), out);

  picture("title", MakeTitle(assetsDir, false));
  picture("title_en", MakeTitle(assetsDir, true));
  for (int h = 0; h < 4; ++h) picture("charas_" + std::to_string(h), MakeCharas(h));
  picture("waku", MakeWaku());
  picture("mainmap", MakeMainMap());

  Pic icon = MakeIcon();
  WriteBmp(out / "icon.bmp", icon, false, IconPalette());
  WriteContact(contact / "icon.png", icon, 0, 0, IconPalette());
  // The launcher's icons, one per size of the icon theme; the 128 one also beside the content.
  for (const auto& [size, pic] : MakeThemeIcons()) {
    fs::path dir = out / "icons" / (std::to_string(size) + "x" + std::to_string(size));
    fs::create_directories(dir);
    WriteIconPng(dir / "mirovaan.png", pic);
    if (size == 128) WriteIconPng(out / "mirovaan.png", pic);
  }
}
