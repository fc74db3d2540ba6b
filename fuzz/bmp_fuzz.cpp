// libFuzzer target for the bitmap reader: any input must be decoded or refused with a
// message, without reading outside the input or allocating without bound.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "gfx/bmp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  gfx::Bitmap image;
  std::string error;
  if (gfx::DecodeBmp(data, size, image, error)) {
    // A decoded picture is never empty and never bigger than the limits allow.
    if (image.Empty() || image.Pixels().size() != static_cast<size_t>(image.Width()) * image.Height())
      std::abort();
  } else if (error.empty()) {
    std::abort();  // a refusal always says why
  }
  return 0;
}
