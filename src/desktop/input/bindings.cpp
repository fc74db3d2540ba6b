#include "desktop/input/bindings.h"

#include <algorithm>
#include <vector>

namespace input {

namespace {

template <typename T, typename Table>
std::optional<std::pair<Action, int>> Find(const Table& table, T value) {
  for (int a = 0; a < kActionCount; ++a)
    for (int s = 0; s < kSlots; ++s)
      if (table[a][s] == value) return std::pair{static_cast<Action>(a), s};
  return std::nullopt;
}

template <typename T, typename Table>
BindResult Bind(Table& table, Action action, int slot, T value) {
  auto& place = table[static_cast<int>(action)][slot];
  if (place == value) return {};
  if (auto owner = Find(table, value)) return {BindResult::Taken, owner->first};
  place = value;
  return {};
}

// True when some value other than `none` stands in two places of the table.
template <typename Table, typename T>
bool HasRepeats(const Table& table, T none) {
  std::vector<T> seen;
  for (const auto& places : table)
    for (T value : places) {
      if (value == none) continue;
      if (std::find(seen.begin(), seen.end(), value) != seen.end()) return true;
      seen.push_back(value);
    }
  return false;
}

}  // namespace

Bindings::Bindings() {
  ResetKeys();
  ResetPad();
}

KeyChord Bindings::Key(Action action, int slot) const { return keys_[int(action)][slot]; }
PadInput Bindings::Pad(Action action, int slot) const { return pad_[int(action)][slot]; }

std::optional<Action> Bindings::ActionOfKey(KeyChord chord) const {
  if (chord.Empty()) return std::nullopt;
  auto found = Find(keys_, chord);
  return found ? std::optional(found->first) : std::nullopt;
}

std::optional<Action> Bindings::ActionOfPad(PadInput input) const {
  if (input == PadInput::None) return std::nullopt;
  auto found = Find(pad_, input);
  return found ? std::optional(found->first) : std::nullopt;
}

BindResult Bindings::BindKey(Action action, int slot, KeyChord chord) {
  if (IsReserved(chord)) return {BindResult::Reserved};
  return Bind(keys_, action, slot, chord);
}

BindResult Bindings::BindPad(Action action, int slot, PadInput input) {
  if (input == PadInput::None || int(input) >= kPadInputCount) return {BindResult::Reserved};
  return Bind(pad_, action, slot, input);
}

void Bindings::ClearKey(Action action, int slot) { keys_[int(action)][slot] = {}; }
void Bindings::ClearPad(Action action, int slot) { pad_[int(action)][slot] = PadInput::None; }

bool Bindings::SetAllKeys(const KeyTable& keys) {
  for (const auto& places : keys)
    for (KeyChord k : places)
      if (!k.Empty() && IsReserved(k)) return false;
  if (HasRepeats(keys, KeyChord{})) return false;
  keys_ = keys;
  return true;
}

bool Bindings::SetAllPad(const PadTable& inputs) {
  for (const auto& places : inputs)
    for (PadInput p : places)
      if (p != PadInput::None && int(p) >= kPadInputCount) return false;
  if (HasRepeats(inputs, PadInput::None)) return false;
  pad_ = inputs;
  return true;
}

void Bindings::ResetKeys() {
  for (int a = 0; a < kActionCount; ++a) {
    auto defaults = InfoOf(static_cast<Action>(a)).defaultKeys;
    for (int s = 0; s < kSlots; ++s)
      keys_[a][s] = s < int(defaults.size()) ? defaults[s] : KeyChord{};
  }
}

void Bindings::ResetPad() {
  for (int a = 0; a < kActionCount; ++a) {
    auto defaults = InfoOf(static_cast<Action>(a)).defaultPad;
    for (int s = 0; s < kSlots; ++s)
      pad_[a][s] = s < int(defaults.size()) ? defaults[s] : PadInput::None;
  }
}

uint16_t Bindings::GameKeyOf(KeyChord chord, uint16_t code) const {
  if (auto action = ActionOfKey(chord)) {
    const ActionInfo& info = InfoOf(*action);
    bool own = std::find(info.defaultCodes.begin(), info.defaultCodes.end(), code) !=
               info.defaultCodes.end();
    return own ? code : info.gameKey;
  }
  return IsGameCode(code) ? 0 : code;
}

Bindings& ActiveBindings() {
  static Bindings bindings;
  return bindings;
}

}  // namespace input
