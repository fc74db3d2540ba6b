// Reading and writing Windows bitmap files. The reader takes what image editors write
// (1, 4, 8, 24 and 32 bits per pixel, RLE4 and RLE8, bottom-up and top-down) and refuses
// anything malformed with a message, never reading past the end of its input.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gfx/bitmap.h"

namespace gfx {

// The size a picture must have; zero for any size within the reader's limits.
struct BmpSize {
  int Width = 0;
  int Height = 0;
};

// Decodes a whole file image. Returns false and sets error (in Japanese) on malformed input
// or on a picture of another size than the one expected; what the headers claim is checked
// against the input before any pixel memory is allocated.
bool DecodeBmp(const uint8_t* data, size_t size, Bitmap& out, std::string& error,
               BmpSize expected = {});

// Reads a file, opened without blocking and only if it is a regular file; throws FileError
// naming the file and the fault in Japanese.
Bitmap LoadBmpFile(const std::string& path, BmpSize expected = {});

// Encoders. WriteBmp8 writes a palette bitmap (RLE8-compressed when rle is true).
std::vector<uint8_t> EncodeBmp24(const Bitmap& bitmap);
std::vector<uint8_t> EncodeBmp8(int width, int height, const std::vector<Color>& palette,
                                const std::vector<uint8_t>& indices, bool rle);
bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error);

}  // namespace gfx
