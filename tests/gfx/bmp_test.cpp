// The bitmap reader against files of every kind built by hand here, damaged files, and
// round trips through the game's own encoders; the PNG writer's file structure.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdio>
#include <fstream>
#include <random>

#include "base/little_endian.h"
#include "gfx/bmp.h"
#include "gfx/image.h"
#include "gfx/png.h"
#include "gfx/sprite.h"

namespace gfx {
namespace {

using base::AppendLe16;
using base::AppendLe32;

// Assembles a bitmap file field by field, so that each test states only what it varies.
struct BmpFile {
  uint32_t headerSize = 40;
  int32_t width = 1;
  int32_t height = 1;  // negative: top-down
  uint16_t bits = 24;
  uint32_t compression = 0;
  uint32_t imageSize = 0;
  uint32_t coloursUsed = 0;
  std::vector<uint32_t> masks;  // after a 40-byte header, inside the later ones
  std::vector<Color> palette;
  std::vector<uint8_t> pixels;
  int64_t pixelOffset = -1;  // -1: right after the palette

  std::vector<uint8_t> Build() const {
    std::vector<uint8_t> h;
    AppendLe32(h, headerSize);
    if (headerSize == 12) {
      AppendLe16(h, static_cast<uint32_t>(width));
      AppendLe16(h, static_cast<uint32_t>(height));
      AppendLe16(h, 1);
      AppendLe16(h, bits);
    } else {
      AppendLe32(h, static_cast<uint32_t>(width));
      AppendLe32(h, static_cast<uint32_t>(height));
      AppendLe16(h, 1);
      AppendLe16(h, bits);
      AppendLe32(h, compression);
      AppendLe32(h, imageSize);
      AppendLe32(h, 2835);
      AppendLe32(h, 2835);
      AppendLe32(h, coloursUsed);
      AppendLe32(h, 0);
      if (headerSize > 40)
        for (size_t i = 0; i < 4; ++i) AppendLe32(h, i < masks.size() ? masks[i] : 0);
      h.resize(headerSize, 0);
      if (headerSize == 40)
        for (uint32_t m : masks) AppendLe32(h, m);
    }
    for (Color c : palette) {
      h.push_back((c >> 16) & 255);
      h.push_back((c >> 8) & 255);
      h.push_back(c & 255);
      if (headerSize != 12) h.push_back(0);
    }
    std::vector<uint8_t> f = {'B', 'M'};
    uint32_t offset = pixelOffset >= 0 ? static_cast<uint32_t>(pixelOffset)
                                       : static_cast<uint32_t>(14 + h.size());
    AppendLe32(f, static_cast<uint32_t>(14 + h.size() + pixels.size()));
    AppendLe32(f, 0);
    AppendLe32(f, offset);
    f.insert(f.end(), h.begin(), h.end());
    f.insert(f.end(), pixels.begin(), pixels.end());
    return f;
  }
};

Bitmap Decode(const std::vector<uint8_t>& bytes) {
  Bitmap out;
  std::string error;
  EXPECT_TRUE(DecodeBmp(bytes.data(), bytes.size(), out, error)) << error;
  return out;
}

std::string Refusal(const std::vector<uint8_t>& bytes) {
  Bitmap out(2, 2, kTeal);
  std::string error;
  EXPECT_FALSE(DecodeBmp(bytes.data(), bytes.size(), out, error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(out, Bitmap(2, 2, kTeal)) << "a refused file must leave the output alone";
  return error;
}

const Color kRed = Rgb(255, 0, 0), kBlue = Rgb(0, 0, 255), kGreen = Rgb(0, 255, 0);

// Each row as a string of palette letters, top row first.
void ExpectRows(const Bitmap& b, const std::vector<Color>& key, const std::vector<std::string>& rows) {
  ASSERT_EQ(b.Height(), static_cast<int>(rows.size()));
  for (int y = 0; y < b.Height(); ++y) {
    ASSERT_EQ(b.Width(), static_cast<int>(rows[y].size()));
    for (int x = 0; x < b.Width(); ++x)
      EXPECT_EQ(b.Pixel(x, y), key[rows[y][x] - 'a']) << "pixel " << x << "," << y;
  }
}

TEST(BmpRead, OneBitRowsArePaddedAndStoredBottomUp) {
  BmpFile f;
  f.width = 10;
  f.height = 2;
  f.bits = 1;
  f.palette = {kRed, kBlue};
  // bottom row: 1010101010, top row: 1100000011
  f.pixels = {0xAA, 0x80, 0, 0, 0xC0, 0xC0, 0, 0};
  ExpectRows(Decode(f.Build()), {kRed, kBlue}, {"bbaaaaaabb", "babababab" "a"});
}

TEST(BmpRead, FourBitWithShortPaletteAndIndexOutside) {
  BmpFile f;
  f.width = 3;
  f.height = 1;
  f.bits = 4;
  f.coloursUsed = 3;
  f.palette = {kRed, kGreen, kBlue};
  f.pixels = {0x21, 0x90, 0, 0};  // 2, 1, 9: index 9 has no entry and reads as black
  ExpectRows(Decode(f.Build()), {kRed, kGreen, kBlue, kBlack}, {"cbd"});
}

TEST(BmpRead, PaletteCutShortByThePixelOffset) {
  // Claims the full 256 colours but stores two: the pixel offset marks the table's end.
  BmpFile f;
  f.width = 2;
  f.height = 1;
  f.bits = 8;
  f.palette = {kRed, kBlue};
  f.pixels = {1, 0, 0, 0};
  ExpectRows(Decode(f.Build()), {kRed, kBlue}, {"ba"});
}

TEST(BmpRead, EightBitTopDown) {
  BmpFile f;
  f.width = 2;
  f.height = -3;
  f.bits = 8;
  f.coloursUsed = 3;
  f.palette = {kRed, kGreen, kBlue};
  f.pixels = {0, 1, 0, 0, 1, 2, 0, 0, 2, 2, 0, 0};
  ExpectRows(Decode(f.Build()), {kRed, kGreen, kBlue}, {"ab", "bc", "cc"});
}

TEST(BmpRead, SixteenBitFiveFiveFiveAndBitFieldsFiveSixFive) {
  BmpFile f;
  f.width = 2;
  f.height = 1;
  f.bits = 16;
  f.pixels = {0x00, 0x7C, 0x1F, 0x00};  // pure red, pure blue in 5-5-5
  Bitmap b = Decode(f.Build());
  EXPECT_EQ(b.Pixel(0, 0), kRed);
  EXPECT_EQ(b.Pixel(1, 0), kBlue);

  f.compression = 3;
  f.masks = {0xF800, 0x07E0, 0x001F};
  f.pixels = {0xE0, 0x07, 0x10, 0x84};  // pure green; (16, 32, 16) of (31, 63, 31)
  b = Decode(f.Build());
  EXPECT_EQ(b.Pixel(0, 0), kGreen);
  EXPECT_EQ(b.Pixel(1, 0), Rgb(132, 130, 132));
}

TEST(BmpRead, TwentyFourBitWithRowPadding) {
  BmpFile f;
  f.width = 3;
  f.height = 2;
  f.pixels = {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0,           // bottom row, BGR
              10, 20, 30, 40, 50, 60, 70, 80, 90, 0, 0, 0};  // top row
  Bitmap b = Decode(f.Build());
  EXPECT_EQ(b.Pixel(0, 1), Rgb(3, 2, 1));
  EXPECT_EQ(b.Pixel(2, 1), Rgb(9, 8, 7));
  EXPECT_EQ(b.Pixel(1, 0), Rgb(60, 50, 40));
}

TEST(BmpRead, ThirtyTwoBitPlainAndInVFiveHeaderWithMasks) {
  BmpFile f;
  f.width = 1;
  f.height = 1;
  f.bits = 32;
  f.pixels = {0x30, 0x20, 0x10, 0xFF};  // BGRA; alpha is ignored
  EXPECT_EQ(Decode(f.Build()).Pixel(0, 0), Rgb(0x10, 0x20, 0x30));

  for (uint32_t header : {108u, 124u}) {
    BmpFile v;
    v.headerSize = header;
    v.width = 2;
    v.height = -1;
    v.bits = 32;
    v.compression = 3;
    v.masks = {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000};  // RGBA byte order
    v.pixels = {0x10, 0x20, 0x30, 0x00, 0xFF, 0x00, 0x00, 0x80};
    Bitmap b = Decode(v.Build());
    EXPECT_EQ(b.Pixel(0, 0), Rgb(0x10, 0x20, 0x30)) << header;
    EXPECT_EQ(b.Pixel(1, 0), kRed) << header;
  }
}

TEST(BmpRead, CoreHeaderWithThreeBytePalette) {
  BmpFile f;
  f.headerSize = 12;
  f.width = 4;
  f.height = 1;
  f.bits = 8;
  f.palette = {kRed, kGreen, kBlue};
  f.pixels = {2, 1, 0, 2};
  ExpectRows(Decode(f.Build()), {kRed, kGreen, kBlue}, {"cbac"});

  BmpFile t;
  t.headerSize = 12;
  t.width = 1;
  t.height = 1;
  t.pixels = {0, 0, 255, 0};
  EXPECT_EQ(Decode(t.Build()).Pixel(0, 0), kRed);
}

TEST(BmpRead, RleEightRunsLiteralsAndMoves) {
  BmpFile f;
  f.width = 6;
  f.height = 4;
  f.bits = 8;
  f.compression = 1;
  f.coloursUsed = 4;
  f.palette = {kBlack, kRed, kGreen, kBlue};
  f.pixels = {
      3, 1, 0, 3, 2, 3, 2, 0,  // bottom row: run of three 1s, literal 2 3 2 (padded)
      0, 0,                    // end of line
      0, 2, 2, 1,              // move right 2, up 1: skips the rest of row 1 and row 2's start
      2, 3, 0, 0,              // two 3s at x 2..3 of the third row from the bottom
      6, 2,                    // the top row all 2s
      0, 1,                    // end of bitmap
  };
  ExpectRows(Decode(f.Build()), {kBlack, kRed, kGreen, kBlue},
             {"cccccc", "aaddaa", "aaaaaa", "bbbcdc"});
}

TEST(BmpRead, RleFourNibblesLiteralsAndMoves) {
  BmpFile f;
  f.width = 7;
  f.height = 2;
  f.bits = 4;
  f.compression = 2;
  f.coloursUsed = 4;
  f.palette = {kBlack, kRed, kGreen, kBlue};
  f.pixels = {
      5, 0x12,              // 1 2 1 2 1
      0, 2, 1, 0,           // move right 1
      1, 0x30,              // 3
      0, 0,                 // end of line
      0, 5, 0x32, 0x10, 0x20, 0,  // literal 3 2 1 0 2 (three bytes, padded to four)
      2, 0x33,                    // 3 3
      0, 1,
  };
  ExpectRows(Decode(f.Build()), {kBlack, kRed, kGreen, kBlue}, {"dcbacdd", "bcbcbad"});
}

// ImageMagick, for one, runs a row's last pixels on into the row's padding.
TEST(BmpRead, RleRunIntoTheRowPaddingIsCut) {
  BmpFile f;
  f.width = 6;
  f.height = 2;
  f.bits = 8;
  f.compression = 1;
  f.palette = {kBlack, kRed, kBlue};
  f.pixels = {8, 1, 0, 0, 4, 2, 0, 4, 1, 1, 2, 2, 0, 1};
  ExpectRows(Decode(f.Build()), {kBlack, kRed, kBlue}, {"ccccbb", "bbbbbb"});
  f.pixels = {9, 1, 0, 1};  // beyond the padding too
  Refusal(f.Build());
}

TEST(BmpRead, RleThatLeavesThePictureIsRefused) {
  BmpFile f;
  f.width = 4;
  f.height = 2;
  f.bits = 8;
  f.compression = 1;
  f.palette = {kBlack, kRed};
  f.pixels = {5, 1, 0, 1};  // a run of five in a row of four
  EXPECT_NE(Refusal(f.Build()).find("行目"), std::string::npos);
  f.pixels = {0, 0, 0, 0, 1, 1, 0, 1};  // a pixel below the last row
  Refusal(f.Build());
  f.pixels = {0, 2, 9, 0, 0, 1};  // a move off the right side
  Refusal(f.Build());
  f.pixels = {0, 5, 1, 1, 1, 1, 1, 0, 0, 1};  // a literal of five in a row of four
  Refusal(f.Build());
  f.pixels = {4, 1, 0, 0, 4, 1};  // no end mark
  EXPECT_NE(Refusal(f.Build()).find("終わりの印"), std::string::npos);
}

TEST(BmpRead, MalformedHeadersAreRefusedWithAReason) {
  BmpFile good;
  good.width = 2;
  good.height = 2;
  good.pixels.assign(16, 0);
  ASSERT_FALSE(Decode(good.Build()).Empty());

  auto bytes = good.Build();
  bytes[0] = 'P';
  EXPECT_NE(Refusal(bytes).find("BM"), std::string::npos);

  BmpFile f = good;
  f.headerSize = 64;
  EXPECT_NE(Refusal(f.Build()).find("ヘッダー"), std::string::npos);
  f = good;
  f.width = 100000;
  EXPECT_NE(Refusal(f.Build()).find("大きすぎます"), std::string::npos);
  f = good;
  f.width = 16000;
  f.height = -16000;  // each side allowed, the total is not
  Refusal(f.Build());
  f = good;
  f.height = INT32_MIN;
  Refusal(f.Build());
  f = good;
  f.width = 0;
  Refusal(f.Build());
  f = good;
  f.width = -2;
  Refusal(f.Build());
}

TEST(BmpRead, MalformedEncodingsAndOffsetsAreRefusedWithAReason) {
  BmpFile good;
  good.width = 2;
  good.height = 2;
  good.pixels.assign(16, 0);
  BmpFile f = good;
  f.bits = 7;
  EXPECT_NE(Refusal(f.Build()).find("7"), std::string::npos);
  f = good;
  f.compression = 4;
  EXPECT_NE(Refusal(f.Build()).find("JPEG"), std::string::npos);
  f = good;
  f.compression = 1;  // RLE8 on 24 bits
  Refusal(f.Build());
  f = good;
  f.compression = 77;
  Refusal(f.Build());
  f = good;
  f.pixelOffset = 20;  // inside the header
  EXPECT_NE(Refusal(f.Build()).find("画素データの位置"), std::string::npos);
  f = good;
  f.pixelOffset = 0;
  Refusal(f.Build());
  f = good;
  f.pixelOffset = 1 << 30;
  EXPECT_NE(Refusal(f.Build()).find("画素データの位置"), std::string::npos);
  f = good;
  f.pixelOffset = 14 + 40 + 8;  // points into the pixels: what is left is too short
  Refusal(f.Build());
  f = good;
  f.bits = 8;  // a palette picture without any colour table
  f.pixels.assign(8, 0);
  Refusal(f.Build());
  Bitmap none;
  std::string error;
  EXPECT_FALSE(DecodeBmp(nullptr, 0, none, error));
}

// Every valid file cut short at every length is refused, never read past.
TEST(BmpRead, EveryTruncationOfValidFilesIsRefused) {
  std::vector<std::vector<uint8_t>> files;
  std::vector<Color> pal = {kBlack, kRed, kGreen, kBlue, kWhite};
  std::vector<uint8_t> idx(11 * 5);
  for (size_t i = 0; i < idx.size(); ++i) idx[i] = static_cast<uint8_t>((i / 4 + i % 3) % 5);
  files.push_back(EncodeBmp8(11, 5, pal, idx, false));
  files.push_back(EncodeBmp8(11, 5, pal, idx, true));
  Bitmap small(5, 3, kTeal);
  small.SetPixel(2, 1, kRed);
  files.push_back(EncodeBmp24(small));
  BmpFile core;
  core.headerSize = 12;
  core.width = 3;
  core.height = 2;
  core.bits = 4;
  core.palette = {kRed, kBlue};
  core.pixels = {0x01, 0x10, 0, 0, 0x11, 0x00, 0, 0};
  files.push_back(core.Build());
  for (const auto& file : files) {
    ASSERT_FALSE(Decode(file).Empty());
    for (size_t n = 0; n < file.size(); ++n) {
      std::vector<uint8_t> cut(file.begin(), file.begin() + n);  // exact-size heap block
      Bitmap out;
      std::string error;
      EXPECT_FALSE(DecodeBmp(cut.data(), cut.size(), out, error)) << "accepted at length " << n;
      EXPECT_FALSE(error.empty());
    }
  }
}

TEST(BmpRead, EncodersRoundTrip) {
  std::mt19937 rng(7);
  for (int trial = 0; trial < 20; ++trial) {
    int w = 1 + static_cast<int>(rng() % 40), h = 1 + static_cast<int>(rng() % 12);
    std::vector<Color> pal(1 + rng() % 256);
    for (auto& c : pal) c = rng() & 0xFFFFFF;
    std::vector<uint8_t> idx(static_cast<size_t>(w) * h);
    // Runs of varied length and stretches of noise, so both RLE8 forms appear.
    for (size_t i = 0; i < idx.size();) {
      uint8_t v = static_cast<uint8_t>(rng() % pal.size());
      size_t run = rng() % 2 ? 1 + rng() % 300 : 1;
      for (size_t k = 0; k < run && i < idx.size(); ++k, ++i)
        idx[i] = run == 1 ? static_cast<uint8_t>(rng() % pal.size()) : v;
    }
    Bitmap want(w, h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) want.SetPixel(x, y, pal[idx[static_cast<size_t>(y) * w + x]]);
    for (bool rle : {false, true}) EXPECT_EQ(Decode(EncodeBmp8(w, h, pal, idx, rle)), want) << rle;
    Bitmap rgb(w, h);
    for (auto& p : rgb.Pixels()) p = rng() & 0xFFFFFF;
    EXPECT_EQ(Decode(EncodeBmp24(rgb)), rgb);
  }
}

TEST(BmpRead, LoadFileNamesThePathInItsErrors) {
  const std::string dir = ::testing::TempDir();
  try {
    LoadBmpFile(dir + "/no-such-picture.bmp");
    FAIL() << "missing file accepted";
  } catch (const FileError& e) {
    EXPECT_NE(std::string(e.what()).find("no-such-picture.bmp"), std::string::npos) << e.what();
  }
  EXPECT_THROW(LoadBmpFile(dir), FileError);  // a folder is no picture
  const std::string bad = dir + "/broken-picture.bmp";
  std::string error;
  ASSERT_TRUE(WriteFile(bad, {'B', 'M', 1, 2, 3}, error)) << error;
  try {
    LoadBmpFile(bad);
    FAIL() << "broken file accepted";
  } catch (const FileError& e) {
    EXPECT_NE(std::string(e.what()).find(bad), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find("途中でファイルが終わっています"), std::string::npos) << e.what();
  }
  Bitmap pic(3, 2, kTeal);
  const std::string good = dir + "/good-picture.bmp";
  ASSERT_TRUE(WriteFile(good, EncodeBmp24(pic), error)) << error;
  TImage image;
  image.LoadFromFile(good);
  EXPECT_EQ(image.Picture, pic);
  std::remove(bad.c_str());
  std::remove(good.c_str());
}

// ---- PNG ----

uint32_t Be32(const uint8_t* p) {
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

// Walks the chunks and inflates IDAT.
std::vector<uint8_t> PngRawRows(const std::vector<uint8_t>& png, uint32_t& width, uint32_t& height) {
  const uint8_t sig[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  EXPECT_TRUE(std::equal(sig, sig + 8, png.begin()));
  std::vector<uint8_t> z;
  size_t pos = 8;
  std::string order;
  while (pos + 12 <= png.size()) {
    uint32_t len = Be32(&png[pos]);
    std::string type(png.begin() + pos + 4, png.begin() + pos + 8);
    order += type + " ";
    const uint8_t* data = &png[pos + 8];
    if (type == "IHDR") {
      width = Be32(data);
      height = Be32(data + 4);
      EXPECT_EQ(data[8], 8);  // bit depth
      EXPECT_EQ(data[9], 2);  // RGB
    }
    if (type == "IDAT") z.insert(z.end(), data, data + len);
    pos += 12 + len;
  }
  EXPECT_EQ(pos, png.size());
  EXPECT_EQ(order, "IHDR IDAT IEND ");
  EXPECT_EQ((z[0] * 256 + z[1]) % 31, 0);  // zlib header check
  // Every row is one filter byte and three bytes a pixel; zlib's own inflate reads it back.
  std::vector<uint8_t> raw(static_cast<size_t>(height) * (width * 3 + 1));
  uLongf size = raw.size();
  EXPECT_EQ(uncompress(raw.data(), &size, z.data(), z.size()), Z_OK);
  EXPECT_EQ(size, raw.size());
  return raw;
}

TEST(Png, RowsCarryRgbAfterAFilterByte) {
  Bitmap b(3, 2);
  b.SetPixel(0, 0, Rgb(1, 2, 3));
  b.SetPixel(2, 1, Rgb(250, 128, 7));
  auto png = EncodePng(b);
  // IEND's CRC is fixed by the format: a wrong CRC table shows here.
  const uint8_t iend[] = {0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82};
  ASSERT_GE(png.size(), 12u);
  EXPECT_TRUE(std::equal(iend, iend + 12, png.end() - 12));
  uint32_t w = 0, h = 0;
  auto raw = PngRawRows(png, w, h);
  EXPECT_EQ(w, 3u);
  EXPECT_EQ(h, 2u);
  std::vector<uint8_t> want = {0, 1, 2, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 250, 128, 7};
  EXPECT_EQ(raw, want);
}

TEST(Png, LargeFramesRoundTrip) {
  Bitmap b(624, 432);
  for (size_t i = 0; i < b.Pixels().size(); ++i) b.Pixels()[i] = static_cast<Color>(i * 2654435761u) & 0xFFFFFF;
  uint32_t w = 0, h = 0;
  auto raw = PngRawRows(EncodePng(b), w, h);
  ASSERT_EQ(raw.size(), 432u * (624 * 3 + 1));
  EXPECT_EQ(raw[1 + 3 * 5 + 1], (b.Pixel(5, 0) >> 8) & 255);
  EXPECT_EQ(raw[431 * (624 * 3 + 1) + 1 + 3 * 623 + 2], (b.Pixel(623, 431) >> 16) & 255);
}

TEST(Png, WriteReportsFailures) {
  std::string error;
  EXPECT_FALSE(WritePng("/nonexistent-dir/frame.png", Bitmap(2, 2), error));
  EXPECT_NE(error.find("/nonexistent-dir/frame.png"), std::string::npos);
  EXPECT_FALSE(WritePng(::testing::TempDir() + "/empty.png", Bitmap(), error));
}

// The game knows the size of every picture it loads: another size is refused by its headers
// alone, and so is a file that declares more pixels than it holds, large or not.
TEST(BmpRead, PicturesOfAnotherSizeThanExpectedAreRefused) {
  BmpFile f;
  f.width = 312;
  f.height = -216;
  f.pixels.assign(312 * 3 * 216, 0);
  std::vector<uint8_t> bytes = f.Build();
  Bitmap out;
  std::string error;
  EXPECT_TRUE(DecodeBmp(bytes.data(), bytes.size(), out, error, {312, 216})) << error;
  EXPECT_EQ(out.Width(), 312);
  EXPECT_FALSE(DecodeBmp(bytes.data(), bytes.size(), out, error, {288, 72}));
  EXPECT_NE(error.find("288 x 72"), std::string::npos) << error;
  EXPECT_NE(error.find("312 x 216"), std::string::npos) << error;

  f.width = 16384;
  f.height = 2048;
  f.bits = 8;
  f.palette = {kBlack};
  f.pixels.assign(1024, 0);
  EXPECT_NE(Refusal(f.Build()).find("画素データが足りません"), std::string::npos);
  const std::string path = ::testing::TempDir() + "/declared-large.bmp";
  ASSERT_TRUE(WriteFile(path, f.Build(), error)) << error;
  try {
    LoadBmpFile(path, {312, 216});
    FAIL() << "a picture of the wrong size was taken";
  } catch (const FileError& e) {
    EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find("16384 x 2048"), std::string::npos) << e.what();
  }
  // A sheet keeps its picture when the new one is refused.
  TSprite sheet;
  Bitmap before(4, 4, kRed);
  sheet.SetPicture(&before);
  EXPECT_THROW(sheet.LoadPicture(path, {288, 72}), FileError);
  EXPECT_EQ(*sheet.Picture(), before);
}

}  // namespace
}  // namespace gfx
