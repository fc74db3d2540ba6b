// The sprite sheets stored with the main window, embedded into the program by the build.
#pragma once

#include <cstddef>
#include <cstdint>

struct StoredSheet {
  const char* Name;  // "floor_tiles", "heroes", "faces", ...
  const uint8_t* Bytes;  // a BMP file image
  size_t Size;
};

extern const StoredSheet kStoredSheets[];
extern const size_t kStoredSheetCount;

const StoredSheet* FindStoredSheet(const char* name);
