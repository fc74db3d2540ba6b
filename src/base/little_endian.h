// Little-endian numbers in file images (BMP, WAVE): reading them from bytes, appending them
// to a growing file and writing them over a field already in place.
#pragma once

#include <cstdint>
#include <vector>

namespace base {

inline uint32_t ReadLe16(const uint8_t* p) { return p[0] | (p[1] << 8); }
inline uint32_t ReadLe32(const uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
// Two's-complement fields: a BMP's height (negative for a top-down picture), a WAVE's samples.
inline int16_t ReadLeSigned16(const uint8_t* p) { return static_cast<int16_t>(ReadLe16(p)); }
inline int32_t ReadLeSigned32(const uint8_t* p) { return static_cast<int32_t>(ReadLe32(p)); }

inline void AppendLe16(std::vector<uint8_t>& v, uint32_t x) {
  v.push_back(static_cast<uint8_t>(x & 255));
  v.push_back(static_cast<uint8_t>((x >> 8) & 255));
}
inline void AppendLe32(std::vector<uint8_t>& v, uint32_t x) {
  AppendLe16(v, x & 0xFFFF);
  AppendLe16(v, x >> 16);
}

inline void PutLe16(uint8_t* p, uint32_t x) {
  p[0] = static_cast<uint8_t>(x & 255);
  p[1] = static_cast<uint8_t>((x >> 8) & 255);
}
inline void PutLe32(uint8_t* p, uint32_t x) {
  PutLe16(p, x & 0xFFFF);
  PutLe16(p + 2, x >> 16);
}

}  // namespace base
