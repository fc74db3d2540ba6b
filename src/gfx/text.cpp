#include "gfx/text.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SIZES_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

#include "gfx/image.h"

namespace gfx {

namespace {

// The Windows faces the game names, and the free faces that draw them.
struct Substitute {
  const char* windows;
  const char* family;
};
constexpr Substitute kSubstitutes[] = {
    {"ＭＳ 明朝", "IPAMincho"},       {"MS Mincho", "IPAMincho"},
    {"ＭＳ Ｐ明朝", "IPAPMincho"},    {"MS PMincho", "IPAPMincho"},
    {"ＭＳ ゴシック", "IPAGothic"},   {"MS Gothic", "IPAGothic"},
    {"ＭＳ Ｐゴシック", "IPAPGothic"}, {"MS PGothic", "IPAPGothic"},
};

// A stretch of one row of a glyph whose pixels all have the same coverage.
struct Run {
  int row = 0, x0 = 0, x1 = 0;  // x1 exclusive
  uint8_t coverage = 0;         // 1..255
};

struct Glyph {
  int width = 0, height = 0;  // coverage bitmap
  int left = 0, top = 0;      // offset of the bitmap from the pen on the baseline
  int advance = 0;
  std::vector<uint8_t> coverage;  // 0..255, width * height
  // The covered pixels as runs, row by row: the hinted one-bit glyphs are a few solid runs
  // a row, so a text draws as a few fills instead of a test per pixel of its box.
  std::vector<Run> runs;
};

void BuildRuns(Glyph& g) {
  g.runs.clear();
  for (int y = 0; y < g.height; ++y) {
    const uint8_t* row = g.coverage.data() + static_cast<size_t>(y) * g.width;
    for (int x = 0; x < g.width;) {
      const uint8_t c = row[x];
      int end = x + 1;
      while (end < g.width && row[end] == c) ++end;
      if (c != 0) g.runs.push_back({y, x, end, c});
      x = end;
    }
  }
}

struct SizedFace {
  FT_Size size = nullptr;
  FontMetrics metrics;
  std::unordered_map<uint32_t, Glyph> glyphs;  // its elements never move
  // The digits and letters of the status panel are found without a lookup.
  const Glyph* ascii[128] = {};
};

struct Face {
  FT_Face face = nullptr;
  std::string file;
  std::map<int, std::unique_ptr<SizedFace>> sizes;
};

class FontSystem {
 public:
  static FontSystem& Get() {
    static FontSystem system;
    return system;
  }

  // The face for a name, or null when no font can be opened.
  Face* FaceFor(const std::string& name) {
    // A tick draws its texts in one face: the last one asked for is kept at hand.
    if (lastFace_.has && name == lastFace_.name) return lastFace_.face;
    Face* face = FindFace(name);
    lastFace_ = {true, name, face};
    return face;
  }

  SizedFace* SizeFor(Face* face, int pixels) {
    if (lastSize_.face == face && lastSize_.pixels == pixels && lastSize_.sized) return lastSize_.sized;
    SizedFace* sized = FindSize(face, pixels);
    if (sized) lastSize_ = {face, pixels, sized};
    return sized;
  }

  const Glyph& GlyphFor(Face* face, SizedFace* sized, uint32_t codepoint) {
    if (codepoint < 128) {
      const Glyph*& slot = sized->ascii[codepoint];
      if (!slot) slot = &FindGlyph(face, sized, codepoint);
      return *slot;
    }
    return FindGlyph(face, sized, codepoint);
  }

 private:
  Face* FindFace(const std::string& name) {
    auto it = byName_.find(name);
    if (it != byName_.end()) return it->second;
    Face* face = nullptr;
    std::string file;
    int index = 0;
    if (Match(name, file, index)) face = OpenFile(file, index);
    if (!face && !warned_) {
      std::fprintf(stderr, "mirovaan: no font found for \"%s\"; text is not drawn\n", name.c_str());
      warned_ = true;
    }
    byName_[name] = face;
    return face;
  }

  SizedFace* FindSize(Face* face, int pixels) {
    if (!face || pixels <= 0 || pixels > 2000) return nullptr;
    auto& slot = face->sizes[pixels];
    if (!slot) {
      auto sized = std::make_unique<SizedFace>();
      if (FT_New_Size(face->face, &sized->size) != 0) return nullptr;
      FT_Activate_Size(sized->size);
      if (FT_Set_Pixel_Sizes(face->face, 0, static_cast<FT_UInt>(pixels)) != 0) return nullptr;
      sized->metrics = MetricsOf(face->face, pixels);
      slot = std::move(sized);
    }
    return slot.get();
  }

  const Glyph& FindGlyph(Face* face, SizedFace* sized, uint32_t codepoint) {
    auto it = sized->glyphs.find(codepoint);
    if (it != sized->glyphs.end()) return it->second;
    Glyph& g = sized->glyphs[codepoint];
    FT_Activate_Size(sized->size);
    FT_Face f = face->face;
    FT_UInt index = FT_Get_Char_Index(f, codepoint);
    if (index == 0 && codepoint == 0xFFFD) index = FT_Get_Char_Index(f, '?');
    // Hinted one-bit glyphs: at 13 to 19 pixels they come out as sharp as the bitmap
    // strikes of the Windows faces, where grey edges look blurred.
    if (FT_Load_Glyph(f, index, FT_LOAD_DEFAULT | FT_LOAD_TARGET_MONO) != 0) return g;
    g.advance = static_cast<int>((f->glyph->advance.x + 32) >> 6);
    if (FT_Render_Glyph(f->glyph, FT_RENDER_MODE_MONO) != 0) return g;
    const FT_Bitmap& bm = f->glyph->bitmap;
    g.width = static_cast<int>(bm.width);
    g.height = static_cast<int>(bm.rows);
    g.left = f->glyph->bitmap_left;
    g.top = f->glyph->bitmap_top;
    g.coverage.assign(static_cast<size_t>(g.width) * g.height, 0);
    for (int y = 0; y < g.height; ++y) {
      const uint8_t* row = bm.buffer + static_cast<ptrdiff_t>(y) * bm.pitch;
      uint8_t* out = g.coverage.data() + static_cast<size_t>(y) * g.width;
      for (int x = 0; x < g.width; ++x) {
        if (bm.pixel_mode == FT_PIXEL_MODE_MONO)
          out[x] = (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
        else
          out[x] = row[x];
      }
    }
    // The half-width handakuten is a ring of hairline strokes smaller than three pixels at
    // the small sizes: one-bit rendering keeps only a tick of it, and "ﾍﾟ" reads as "ﾍ'".
    // Below 17 pixels it is drawn as the smallest ring there is, where the outline stands.
    if (codepoint == 0xFF9F && sized->metrics.PixelSize < 17 && g.width > 0 && g.height > 0) {
      g.width = g.height = 3;
      g.coverage = {0, 255, 0, 255, 0, 255, 0, 255, 0};
    }
    BuildRuns(g);
    return g;
  }

  FontSystem() {
    if (FT_Init_FreeType(&library_) != 0) library_ = nullptr;
  }
  ~FontSystem() {
    for (auto& [key, face] : faces_) FT_Done_Face(face->face);  // frees its sizes too
    if (library_) FT_Done_FreeType(library_);
  }

  static bool Match(const std::string& name, std::string& file, int& index) {
    std::string family = name;
    for (const auto& s : kSubstitutes)
      if (name == s.windows) family = s.family;
    FcPattern* pattern = FcPatternCreate();
    if (!family.empty())
      FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    // The game's texts are Japanese: among equal matches, prefer a face that covers them.
    FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>("ja"));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    bool found = false;
    if (match) {
      FcChar8* path = nullptr;
      if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path) {
        file = reinterpret_cast<const char*>(path);
        if (FcPatternGetInteger(match, FC_INDEX, 0, &index) != FcResultMatch) index = 0;
        found = true;
      }
      FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return found;
  }

  Face* OpenFile(const std::string& file, int index) {
    if (!library_) return nullptr;
    std::string key = file + "#" + std::to_string(index);
    auto it = faces_.find(key);
    if (it != faces_.end()) return it->second.get();
    auto face = std::make_unique<Face>();
    if (FT_New_Face(library_, file.c_str(), index, &face->face) != 0) return nullptr;
    if (!FT_IS_SCALABLE(face->face)) {
      FT_Done_Face(face->face);
      return nullptr;
    }
    FT_Select_Charmap(face->face, FT_ENCODING_UNICODE);
    face->file = file;
    Face* raw = face.get();
    faces_[key] = std::move(face);
    return raw;
  }

  // Windows builds a TrueType font's cell from the OS/2 table's Windows ascent and
  // descent; other faces fall back to FreeType's scaled metrics.
  static FontMetrics MetricsOf(FT_Face f, int pixels) {
    FontMetrics m;
    m.PixelSize = pixels;
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(f, FT_SFNT_OS2));
    if (os2 && os2->version != 0xFFFF && f->units_per_EM > 0 &&
        (os2->usWinAscent != 0 || os2->usWinDescent != 0)) {
      double scale = static_cast<double>(pixels) / f->units_per_EM;
      m.Ascent = static_cast<int>(std::lround(os2->usWinAscent * scale));
      m.Descent = static_cast<int>(std::lround(os2->usWinDescent * scale));
    } else {
      m.Ascent = static_cast<int>((f->size->metrics.ascender + 63) >> 6);
      m.Descent = static_cast<int>((-f->size->metrics.descender + 63) >> 6);
    }
    return m;
  }

  FT_Library library_ = nullptr;
  std::map<std::string, std::unique_ptr<Face>> faces_;
  std::map<std::string, Face*> byName_;
  bool warned_ = false;
  struct {
    bool has = false;
    std::string name;
    Face* face = nullptr;
  } lastFace_;
  struct {
    Face* face = nullptr;
    int pixels = 0;
    SizedFace* sized = nullptr;
  } lastSize_;
};

// Decodes one code point and advances i; a malformed sequence yields U+FFFD and
// consumes one byte, so the rest of the text still draws.
uint32_t NextCodePoint(const std::string& s, size_t& i) {
  const auto b0 = static_cast<uint8_t>(s[i]);
  if (b0 < 0x80) {
    ++i;
    return b0;
  }
  int extra = 0;
  uint32_t cp = 0, min = 0;
  if ((b0 & 0xE0) == 0xC0) { extra = 1; cp = b0 & 0x1F; min = 0x80; }
  else if ((b0 & 0xF0) == 0xE0) { extra = 2; cp = b0 & 0x0F; min = 0x800; }
  else if ((b0 & 0xF8) == 0xF0) { extra = 3; cp = b0 & 0x07; min = 0x10000; }
  else { ++i; return 0xFFFD; }
  if (i + extra >= s.size()) { ++i; return 0xFFFD; }
  for (int k = 1; k <= extra; ++k) {
    const auto b = static_cast<uint8_t>(s[i + k]);
    if ((b & 0xC0) != 0x80) { ++i; return 0xFFFD; }
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) { ++i; return 0xFFFD; }
  i += static_cast<size_t>(extra) + 1;
  return cp;
}

void Blend(Color& d, Color c, unsigned a) {
  if (a == 0) return;
  if (a == 255) {
    d = c;
    return;
  }
  Color out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    unsigned s = (c >> shift) & 255, t = (d >> shift) & 255;
    out |= ((s * a + t * (255 - a) + 127) / 255) << shift;
  }
  d = out;
}

}  // namespace

int PointsToPixels(int points) {
  // MulDiv(points, 96, 72), rounding halves away from zero.
  int64_t n = static_cast<int64_t>(points) * 96;
  return static_cast<int>(n >= 0 ? (n + 36) / 72 : -((-n + 36) / 72));
}

std::string FontFileFor(const std::string& faceName) {
  Face* face = FontSystem::Get().FaceFor(faceName);
  return face ? face->file : std::string();
}

bool DrawsJapanese(const std::string& faceName) {
  Face* face = FontSystem::Get().FaceFor(faceName);
  // Hiragana, katakana and a kanji: a face without them draws the game's texts as boxes.
  for (uint32_t c : {0x3042u, 0x30A2u, 0x65E5u})
    if (!face || FT_Get_Char_Index(face->face, c) == 0) return false;
  return true;
}

FontMetrics GetFontMetrics(const std::string& faceName, int points) {
  auto& fs = FontSystem::Get();
  SizedFace* sized = fs.SizeFor(fs.FaceFor(faceName), PointsToPixels(points));
  return sized ? sized->metrics : FontMetrics{};
}

int TextWidth(const std::string& faceName, int points, const std::string& utf8) {
  auto& fs = FontSystem::Get();
  Face* face = fs.FaceFor(faceName);
  SizedFace* sized = fs.SizeFor(face, PointsToPixels(points));
  if (!sized) return 0;
  int width = 0;
  for (size_t i = 0; i < utf8.size();) width += fs.GlyphFor(face, sized, NextCodePoint(utf8, i)).advance;
  return width;
}

void DrawText(Bitmap& dst, int x, int y, const std::string& faceName, int points, Color colour,
              const std::string& utf8) {
  if (dst.Empty() || utf8.empty()) return;
  auto& fs = FontSystem::Get();
  Face* face = fs.FaceFor(faceName);
  SizedFace* sized = fs.SizeFor(face, PointsToPixels(points));
  if (!sized) return;
  colour &= 0xFFFFFF;
  const int64_t baseline = static_cast<int64_t>(y) + sized->metrics.Ascent;
  int64_t pen = x;
  // What the glyphs cover, noted once for the whole text.
  int64_t left = dst.Width(), top = dst.Height(), right = 0, bottom = 0;
  for (size_t i = 0; i < utf8.size();) {
    if (pen >= dst.Width()) break;  // everything further right is clipped
    const Glyph& g = fs.GlyphFor(face, sized, NextCodePoint(utf8, i));
    const int64_t gx = pen + g.left, gy = baseline - g.top;
    pen += g.advance;
    if (gx + g.width <= 0 || gy + g.height <= 0 || gy >= dst.Height()) continue;
    // The glyph's box clipped to the bitmap, in the glyph's own coordinates.
    const int x0 = static_cast<int>(std::max<int64_t>(0, -gx));
    const int x1 = static_cast<int>(std::min<int64_t>(g.width, dst.Width() - gx));
    const int y0 = static_cast<int>(std::max<int64_t>(0, -gy));
    const int y1 = static_cast<int>(std::min<int64_t>(g.height, dst.Height() - gy));
    if (x0 >= x1 || y0 >= y1) continue;
    left = std::min(left, gx + x0), right = std::max(right, gx + x1);
    top = std::min(top, gy + y0), bottom = std::max(bottom, gy + y1);
    if (x0 == 0 && y0 == 0 && x1 == g.width && y1 == g.height) {
      // The whole glyph inside the bitmap, as nearly every one is: its runs need no clipping.
      Color* first = dst.WriteRow(static_cast<int>(gy)) + gx;
      const size_t stride = static_cast<size_t>(dst.Width());
      for (const Run& run : g.runs) {
        Color* row = first + static_cast<size_t>(run.row) * stride;
        if (run.coverage == 255) {
          std::fill(row + run.x0, row + run.x1, colour);
        } else {
          for (int c = run.x0; c < run.x1; ++c) Blend(row[c], colour, run.coverage);
        }
      }
      continue;
    }
    for (const Run& run : g.runs) {
      if (run.row < y0 || run.row >= y1) continue;
      const int c0 = std::max(run.x0, x0), c1 = std::min(run.x1, x1);
      if (c0 >= c1) continue;
      Color* row = dst.WriteRow(static_cast<int>(gy + run.row)) + gx;
      if (run.coverage == 255) {
        std::fill(row + c0, row + c1, colour);
      } else {
        for (int c = c0; c < c1; ++c) Blend(row[c], colour, run.coverage);
      }
    }
  }
  if (left < right && top < bottom)
    dst.NoteDamage(static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
                   static_cast<int>(bottom - top));
}

void TImage::TextOut(int x, int y, const std::string& utf8) {
  DrawText(Picture, x, y, canvas.FontName, canvas.FontSize, canvas.FontColor, utf8);
}

}  // namespace gfx
