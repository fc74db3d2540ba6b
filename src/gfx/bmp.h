// Reading and writing Windows bitmap files. The reader takes what image editors write
// (1, 4, 8, 24 and 32 bits per pixel, RLE4 and RLE8, bottom-up and top-down) and refuses
// anything malformed with a message, never reading past the end of its input.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gfx/bitmap.h"

namespace gfx {

// Decodes a whole file image. Returns false and sets error on malformed input.
bool DecodeBmp(const uint8_t* data, size_t size, Bitmap& out, std::string& error);

// Reads a file; throws FileError naming the file and the fault.
Bitmap LoadBmpFile(const std::string& path);

// Encoders. WriteBmp8 writes a palette bitmap (RLE8-compressed when rle is true).
std::vector<uint8_t> EncodeBmp24(const Bitmap& bitmap);
std::vector<uint8_t> EncodeBmp8(int width, int height, const std::vector<Color>& palette,
                                const std::vector<uint8_t>& indices, bool rle);
bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error);

}  // namespace gfx
