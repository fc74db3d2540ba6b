#include "state/random.h"

#include <chrono>

uint32_t RandSeed = 0;

int32_t Random(int32_t n) {
  RandSeed = RandSeed * 134775813u + 1u;
  if (n <= 0) return 0;
  return static_cast<int32_t>((static_cast<uint64_t>(RandSeed) * static_cast<uint32_t>(n)) >> 32);
}

void Randomize() {
  auto now = std::chrono::system_clock::now().time_since_epoch();
  RandSeed = static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}
