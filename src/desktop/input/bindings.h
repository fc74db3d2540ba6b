// Which keys and pad inputs give which game action. Every action has two places for keys
// and two for pad inputs; a key or pad input belongs to one action at most.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "desktop/input/actions.h"

namespace input {

constexpr int kSlots = 2;

struct BindResult {
  enum Status { Bound, Taken, Reserved } status = Bound;
  Action holder = Action::Up;  // for Taken: the action that already has the key or input
};

using KeyTable = std::array<std::array<KeyChord, kSlots>, kActionCount>;
using PadTable = std::array<std::array<PadInput, kSlots>, kActionCount>;

class Bindings {
 public:
  Bindings();  // the defaults

  KeyChord Key(Action action, int slot) const;
  PadInput Pad(Action action, int slot) const;
  std::optional<Action> ActionOfKey(KeyChord chord) const;
  std::optional<Action> ActionOfPad(PadInput input) const;

  // Refused when another action (or the other place of this one) has it already.
  BindResult BindKey(Action action, int slot, KeyChord chord);
  BindResult BindPad(Action action, int slot, PadInput input);
  void ClearKey(Action action, int slot);
  void ClearPad(Action action, int slot);
  // Every action's keys or pad inputs at once; false, changing nothing, when a key or input
  // would belong to two places or cannot be bound.
  bool SetAllKeys(const KeyTable& keys);
  bool SetAllPad(const PadTable& inputs);
  const KeyTable& AllKeys() const { return keys_; }
  const PadTable& AllPad() const { return pad_; }
  void ResetKeys();
  void ResetPad();

  // The code the game receives for a key whose own code is `code`: the code of its action,
  // keeping the key's own when it is one of that action's default codes; 0 for a key the
  // game reads but that has been bound away; the key's own code for every other key.
  uint16_t GameKeyOf(KeyChord chord, uint16_t code) const;

  bool operator==(const Bindings&) const = default;

 private:
  KeyTable keys_;
  PadTable pad_;
};

// The bindings the window and the pad use; the binding pages change them.
Bindings& ActiveBindings();

}  // namespace input
