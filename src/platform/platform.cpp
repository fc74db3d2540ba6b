#include "platform/platform.h"

#include <stdexcept>

namespace platform {

namespace {
Platform* current = nullptr;
}

Platform& Os() {
  if (!current) throw std::logic_error("no platform installed");
  return *current;
}

void SetPlatform(Platform* p) { current = p; }

}  // namespace platform
