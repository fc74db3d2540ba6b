#include "keys.h"

#include <cstdlib>

#include "state/state.h"
#include "game/keys.h"

namespace autoplay {

namespace {

struct Slot {
  int flag;
  uint16_t key;
  bool Held::*member;
};

constexpr Slot kSlots[] = {
    {kUp, VK_UP, &Held::up},          {kRight, VK_RIGHT, &Held::right}, {kDown, VK_DOWN, &Held::down},
    {kLeft, VK_LEFT, &Held::left},    {kShift, VK_SHIFT, &Held::shift}, {kSpace, VK_SPACE, &Held::space},
};

}  // namespace

std::vector<KeyEvent> KeysToward(const uint8_t* keyState, const Held& want) {
  std::vector<KeyEvent> out;
  for (const Slot& s : kSlots) {
    bool held = keyState[s.flag] != 0;
    if (held != want.*(s.member)) out.push_back({want.*(s.member), s.key});
  }
  return out;
}

std::vector<KeyEvent> ReleaseAll(const uint8_t* keyState) { return KeysToward(keyState, Held{}); }

Held SteerTo(int x, int y, int tx, int ty, int speed, bool mayRun) {
  Held h;
  int dx = tx - x, dy = ty - y;
  if (std::abs(dx) < speed) dx = 0;  // a step would overshoot: close enough
  if (std::abs(dy) < speed) dy = 0;
  if (dx == 0 && dy == 0) return h;
  bool horizontal = dy == 0 || (dx != 0 && std::abs(dx) <= std::abs(dy));
  int along = horizontal ? dx : dy;
  if (horizontal) {
    h.right = dx > 0;
    h.left = dx < 0;
  } else {
    h.down = dy > 0;
    h.up = dy < 0;
  }
  h.shift = mayRun && std::abs(along) >= 2 * speed;
  return h;
}

}  // namespace autoplay
