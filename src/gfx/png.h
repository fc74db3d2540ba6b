// Writing PNG pictures: 8-bit RGB, no alpha. Used for saved frames and contact sheets.
// The encoder needs nothing beyond the standard library (stored deflate blocks, its own
// CRC-32 and Adler-32), so the files are larger than a real compressor would make but
// every viewer reads them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gfx/bitmap.h"

namespace gfx {

// The whole file image of a PNG holding the bitmap (0x00BBGGRR pixels become R, G, B).
std::vector<uint8_t> EncodePng(const Bitmap& bitmap);

// Encodes and writes the file. Returns false and sets error ("<path>: <reason>") on failure.
bool WritePng(const std::string& path, const Bitmap& bitmap, std::string& error);

}  // namespace gfx
