#include "gfx/png.h"

#include <zlib.h>

#include <stdexcept>

#include "gfx/bmp.h"

namespace gfx {
namespace {

// A chunk's check value is zlib's CRC-32 of its type and data.
uint32_t Crc32(const uint8_t* p, size_t n) {
  return static_cast<uint32_t>(::crc32(0L, p, static_cast<uInt>(n)));
}

void PutBe32(std::vector<uint8_t>& v, uint32_t x) {
  v.push_back(static_cast<uint8_t>(x >> 24));
  v.push_back(static_cast<uint8_t>(x >> 16));
  v.push_back(static_cast<uint8_t>(x >> 8));
  v.push_back(static_cast<uint8_t>(x));
}

void PutChunk(std::vector<uint8_t>& out, const char type[4], const std::vector<uint8_t>& data) {
  PutBe32(out, static_cast<uint32_t>(data.size()));
  size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  PutBe32(out, Crc32(out.data() + start, out.size() - start));
}

// The image data as one zlib stream. Frames and contact sheets are mostly flat colour, so
// even a quick level shrinks them many times over.
std::vector<uint8_t> Zlib(const std::vector<uint8_t>& raw) {
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  std::vector<uint8_t> z(size);
  if (compress2(z.data(), &size, raw.data(), static_cast<uLong>(raw.size()), 6) != Z_OK) {
    throw std::runtime_error("PNG: the image data cannot be compressed");
  }
  z.resize(size);
  return z;
}

}  // namespace

std::vector<uint8_t> EncodePng(const Bitmap& bitmap) {
  const int w = bitmap.Width(), h = bitmap.Height();
  std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> ihdr;
  PutBe32(ihdr, static_cast<uint32_t>(w));
  PutBe32(ihdr, static_cast<uint32_t>(h));
  ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0});  // 8-bit, RGB, deflate, no filter set, no interlace
  PutChunk(out, "IHDR", ihdr);

  std::vector<uint8_t> raw;
  raw.reserve(static_cast<size_t>(h) * (static_cast<size_t>(w) * 3 + 1));
  for (int y = 0; y < h; ++y) {
    raw.push_back(0);  // filter: none
    const Color* row = bitmap.Row(y);
    for (int x = 0; x < w; ++x) {
      Color c = row[x];
      raw.push_back(static_cast<uint8_t>(c));
      raw.push_back(static_cast<uint8_t>(c >> 8));
      raw.push_back(static_cast<uint8_t>(c >> 16));
    }
  }
  PutChunk(out, "IDAT", Zlib(raw));
  PutChunk(out, "IEND", {});
  return out;
}

bool WritePng(const std::string& path, const Bitmap& bitmap, std::string& error) {
  if (bitmap.Empty()) {
    error = path + ": the picture is empty";
    return false;
  }
  return WriteFile(path, EncodePng(bitmap), error);
}

}  // namespace gfx
