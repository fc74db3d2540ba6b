// Bitmap file encoders: 24-bit for frames and tools, 8-bit palette (plain or RLE8) for
// the game's art, which is how paint programs store small indexed pictures.
#include <fstream>

#include "base/little_endian.h"
#include "gfx/bmp.h"

namespace gfx {

namespace {

using base::AppendLe16;
using base::AppendLe32;

// File header and BITMAPINFOHEADER; sizes are patched in by Finish.
std::vector<uint8_t> Header(int width, int height, int bits, uint32_t compression, int colours) {
  std::vector<uint8_t> v;
  v.push_back('B');
  v.push_back('M');
  AppendLe32(v, 0);  // file size
  AppendLe32(v, 0);
  AppendLe32(v, 14 + 40 + 4 * colours);
  AppendLe32(v, 40);
  AppendLe32(v, static_cast<uint32_t>(width));
  AppendLe32(v, static_cast<uint32_t>(height));  // bottom-up
  AppendLe16(v, 1);
  AppendLe16(v, bits);
  AppendLe32(v, compression);
  AppendLe32(v, 0);  // image size
  AppendLe32(v, 2835);
  AppendLe32(v, 2835);
  AppendLe32(v, colours);
  AppendLe32(v, 0);
  return v;
}

void Finish(std::vector<uint8_t>& v, size_t pixelStart) {
  uint32_t size = static_cast<uint32_t>(v.size());
  uint32_t image = static_cast<uint32_t>(v.size() - pixelStart);
  for (int i = 0; i < 4; ++i) v[2 + i] = (size >> (8 * i)) & 255;
  for (int i = 0; i < 4; ++i) v[34 + i] = (image >> (8 * i)) & 255;
}

void EncodeRle8Row(std::vector<uint8_t>& v, const uint8_t* row, int width) {
  int x = 0;
  while (x < width) {
    int run = 1;
    while (x + run < width && run < 255 && row[x + run] == row[x]) ++run;
    if (run >= 3 || width - x < 3) {
      v.push_back(static_cast<uint8_t>(run));
      v.push_back(row[x]);
      x += run;
      continue;
    }
    // An absolute stretch up to the next run of three.
    int len = 0;
    while (x + len < width && len < 255) {
      if (x + len + 2 < width && row[x + len] == row[x + len + 1] &&
          row[x + len] == row[x + len + 2])
        break;
      ++len;
    }
    if (len < 3) {
      for (int i = 0; i < len; ++i) {
        v.push_back(1);
        v.push_back(row[x + i]);
      }
    } else {
      v.push_back(0);
      v.push_back(static_cast<uint8_t>(len));
      v.insert(v.end(), row + x, row + x + len);
      if (len & 1) v.push_back(0);
    }
    x += len;
  }
  v.push_back(0);
  v.push_back(0);  // end of line
}

}  // namespace

std::vector<uint8_t> EncodeBmp24(const Bitmap& bitmap) {
  auto v = Header(bitmap.Width(), bitmap.Height(), 24, 0, 0);
  size_t start = v.size();
  int pad = (4 - (bitmap.Width() * 3) % 4) % 4;
  for (int y = bitmap.Height() - 1; y >= 0; --y) {
    const Color* row = bitmap.Row(y);
    for (int x = 0; x < bitmap.Width(); ++x) {
      v.push_back((row[x] >> 16) & 255);
      v.push_back((row[x] >> 8) & 255);
      v.push_back(row[x] & 255);
    }
    v.insert(v.end(), pad, 0);
  }
  Finish(v, start);
  return v;
}

std::vector<uint8_t> EncodeBmp8(int width, int height, const std::vector<Color>& palette,
                                const std::vector<uint8_t>& indices, bool rle) {
  int colours = static_cast<int>(palette.size() > 256 ? 256 : palette.size());
  auto v = Header(width, height, 8, rle ? 1 : 0, colours);
  for (int i = 0; i < colours; ++i) {
    Color c = palette[i];
    v.push_back((c >> 16) & 255);
    v.push_back((c >> 8) & 255);
    v.push_back(c & 255);
    v.push_back(0);
  }
  size_t start = v.size();
  int pad = (4 - width % 4) % 4;
  for (int y = height - 1; y >= 0; --y) {
    const uint8_t* row = indices.data() + static_cast<size_t>(y) * width;
    if (rle) {
      EncodeRle8Row(v, row, width);
    } else {
      v.insert(v.end(), row, row + width);
      v.insert(v.end(), pad, 0);
    }
  }
  if (rle) {
    v.push_back(0);
    v.push_back(1);  // end of bitmap
  }
  Finish(v, start);
  return v;
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) {
    error = "cannot create " + path;
    return false;
  }
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) {
    error = "cannot write " + path;
    return false;
  }
  return true;
}

}  // namespace gfx
