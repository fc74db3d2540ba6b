// libFuzzer target for the bitmap reader: any input must be decoded or refused with a
// message, without reading outside the input or allocating for pixels the input cannot
// hold. The first byte chooses the size the game expects of the file (a full view, the
// monster sheet, the boss sheet) or none, as for any picture within the reader's limits.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "gfx/bmp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  static const gfx::BmpSize kExpected[] = {{312, 216}, {288, 72}, {528, 44}, {}};
  const gfx::BmpSize expected = kExpected[data[0] % 4];
  gfx::Bitmap image;
  std::string error;
  if (gfx::DecodeBmp(data + 1, size - 1, image, error, expected)) {
    // A decoded picture is never empty, holds all its pixels and has the size asked for.
    if (image.Empty() || image.Pixels().size() != static_cast<size_t>(image.Width()) * image.Height())
      std::abort();
    if (expected.Width && (image.Width() != expected.Width || image.Height() != expected.Height))
      std::abort();
  } else if (error.empty()) {
    std::abort();  // a refusal always says why
  }
  return 0;
}
