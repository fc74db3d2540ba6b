// The game's keys as actions a player can rebind: the eight held keys, the three menu page
// keys and the menu screens' letters and keypad toggles. Each action hands the game one
// virtual-key code, the one its first default key has. The save actions come last: their
// codes are the window's (ProgramActionOf), which runs a command instead.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "desktop/input/key_chord.h"
#include "desktop/input/pad_input.h"

namespace input {

enum class Action : uint8_t {
  Up, Right, Down, Left, Run, Menu, Fire, Enter,
  EquipPage, MapPage, DetailPage, Use, Drop, Close, MapToggle, DetailToggle,
  // The program's own: they never reach the game as keys but run the save commands.
  QuickSave, QuickLoad, SlotSaveScreen, SlotLoadScreen,
  Count
};
constexpr int kActionCount = static_cast<int>(Action::Count);

struct ActionInfo {
  std::string_view id;     // the settings key
  std::string_view label;  // what the binding pages show, in Japanese (the translator's key)
  uint16_t gameKey;        // the virtual-key code the game receives
  std::span<const KeyChord> defaultKeys;
  std::span<const PadInput> defaultPad;
  std::span<const uint16_t> defaultCodes;  // the codes the default keys give on their own
};

const ActionInfo& InfoOf(Action action);
std::optional<Action> ActionOfId(std::string_view id);
// True when the code is one the default keys of some action give: such a code may reach
// the game only through a binding.
bool IsGameCode(uint16_t code);
// The save action whose code this is (quicksave, quickload, the two slot screens), if any.
std::optional<Action> ProgramActionOf(uint16_t code);

}  // namespace input
