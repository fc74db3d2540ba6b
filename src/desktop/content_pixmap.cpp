#include "desktop/content_pixmap.h"

#include <vector>

#include "platform/files.h"

namespace mirovaan_qt {

namespace {
// An icon is a few kilobytes; anything near this is not one.
constexpr size_t kMaxIconBytes = size_t{4} << 20;
}  // namespace

QPixmap LoadContentPixmap(const std::string& path) {
  std::vector<uint8_t> bytes;
  QPixmap pixmap;
  if (platform::ReadRegularFile(path, kMaxIconBytes, platform::Excess::Refuse, bytes))
    pixmap.loadFromData(bytes.data(), static_cast<uint>(bytes.size()));
  return pixmap;
}

}  // namespace mirovaan_qt
