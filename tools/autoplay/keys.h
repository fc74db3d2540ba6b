// The player's hands: which keys it wants held, turned into the key-down and key-up events a
// keyboard would send, and the way to steer the hero's box toward a point.
#pragma once

#include <cstdint>
#include <vector>

namespace autoplay {

struct KeyEvent {
  bool down;
  uint16_t key;
  bool operator==(const KeyEvent&) const = default;
};

struct Held {
  bool up = false, right = false, down = false, left = false;
  bool shift = false, space = false;
  bool AnyDirection() const { return up || right || down || left; }
};

// The events that take the held keys (as the game's flags show them, in the order up, right,
// down, left, shift, space) to the wanted set.
std::vector<KeyEvent> KeysToward(const uint8_t* keyState, const Held& want);

// The releases of every key the game holds.
std::vector<KeyEvent> ReleaseAll(const uint8_t* keyState);

// Direction keys that move a box at (x, y) toward (tx, ty) by `speed` pixels a tick. The axis
// with less to go is settled first, so the box lines up with a corridor before it enters it.
// Running doubles the step; it is used only where the doubled step cannot overshoot.
Held SteerTo(int x, int y, int tx, int ty, int speed, bool mayRun);

}  // namespace autoplay
