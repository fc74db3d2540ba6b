// The buttons, stick directions and triggers of a game controller, in the layout SDL's
// game-controller interface names (A at the bottom of the four face buttons).
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace input {

// The buttons come first, in SDL's own button order, so a button's number is its input.
enum class PadInput : uint8_t {
  A, B, X, Y, Back, Guide, Start, LeftStick, RightStick, LeftShoulder, RightShoulder,
  DpadUp, DpadDown, DpadLeft, DpadRight,
  LeftStickUp, LeftStickDown, LeftStickLeft, LeftStickRight,
  RightStickUp, RightStickDown, RightStickLeft, RightStickRight,
  LeftTrigger, RightTrigger,
  Count,
  None = 255
};
constexpr int kPadInputCount = static_cast<int>(PadInput::Count);
constexpr int kPadButtonCount = static_cast<int>(PadInput::DpadRight) + 1;

// The name kept in the settings file ("a", "dpup", "leftx-"), and back.
QString NameOf(PadInput input);
std::optional<PadInput> PadInputOfName(const QString& name);
// The name shown to the player.
QString LabelOf(PadInput input);

}  // namespace input
