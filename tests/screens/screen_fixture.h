// Shared set-up of the screen tests: a fresh game whose drawn texts are traced.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "audio/sound.h"
#include "state/window_model.h"
#include "state/random.h"
#include "state/state.h"
#include "screens/text.h"
#include "support/test_support.h"

class ScreenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetGame();
    SetTextTrace(&drawn);
  }
  void TearDown() override { SetTextTrace(nullptr); }

  // The texts drawn whose content is exactly text.
  std::vector<DrawnText> DrawnWith(const std::string& text) const {
    std::vector<DrawnText> found;
    for (const DrawnText& d : drawn) {
      if (d.text == text) found.push_back(d);
    }
    return found;
  }
  bool AnyDrawnContaining(const std::string& part) const {
    for (const DrawnText& d : drawn) {
      if (d.text.find(part) != std::string::npos) return true;
    }
    return false;
  }

  std::vector<DrawnText> drawn;
};

// The next n draws of the generator from the current seed, leaving the seed as it was.
inline std::vector<int> PeekRandom(int n, int range) {
  const uint32_t saved = RandSeed;
  std::vector<int> draws;
  for (int i = 0; i < n; ++i) draws.push_back(Random(range));
  RandSeed = saved;
  return draws;
}

inline std::ostream& operator<<(std::ostream& os, const DrawnText& d) {
  return os << "(" << d.x << ", " << d.y << ", size " << d.size << ", colour 0x" << std::hex
            << d.colour << std::dec << ", \"" << d.text << "\")";
}

// True when s is well-formed UTF-8 (what every cut must leave).
inline bool IsValidUtf8(const std::string& s) {
  for (size_t i = 0; i < s.size();) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    int n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (n == 0 || i + n > s.size()) return false;
    for (int k = 1; k < n; ++k) {
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    }
    i += n;
  }
  return true;
}
