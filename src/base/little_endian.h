// Little-endian numbers in file images (BMP, WAVE): reading them from bytes and appending
// them to a growing file.
#pragma once

#include <cstdint>
#include <vector>

namespace base {

inline uint32_t ReadLe16(const uint8_t* p) { return p[0] | (p[1] << 8); }
inline uint32_t ReadLe32(const uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

inline void AppendLe16(std::vector<uint8_t>& v, uint32_t x) {
  v.push_back(static_cast<uint8_t>(x & 255));
  v.push_back(static_cast<uint8_t>((x >> 8) & 255));
}
inline void AppendLe32(std::vector<uint8_t>& v, uint32_t x) {
  AppendLe16(v, x & 0xFFFF);
  AppendLe16(v, x >> 16);
}

}  // namespace base
