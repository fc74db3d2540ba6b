// Pending: replaced by the real BMP reader and FreeType text in this folder.
#include "gfx/bmp.h"
#include "gfx/image.h"

namespace gfx {
bool DecodeBmp(const uint8_t*, size_t, Bitmap&, std::string& error) {
  error = "BMP reader not built yet";
  return false;
}
Bitmap LoadBmpFile(const std::string& path) { throw FileError("cannot read " + path); }
void TImage::LoadFromFile(const std::string& path) { Picture = LoadBmpFile(path); }
void TImage::TextOut(int, int, const std::string&) {}
}  // namespace gfx
