// The sprite sheets stored with the main window, embedded into the program by the build.
#pragma once

#include <cstddef>
#include <cstdint>

struct FormSheetData {
  const char* Name;  // "SP1", "SP2", "sp3", ...
  const uint8_t* Bytes;  // a BMP file image
  size_t Size;
};

extern const FormSheetData kFormSheets[];
extern const size_t kFormSheetCount;

const FormSheetData* FindFormSheet(const char* name);
