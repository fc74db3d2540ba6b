// One keyboard key as the bindings know it: Qt's key code, and whether it is the numeric
// keypad's own key (only the keypad's digits and operators differ from the main keys).
#pragma once

#include <QString>
#include <optional>

class QKeyEvent;

namespace input {

struct KeyChord {
  int key = 0;  // a Qt::Key, 0 for none
  bool keypad = false;
  constexpr bool Empty() const { return key == 0; }
  constexpr bool operator==(const KeyChord&) const = default;
};

KeyChord Normalized(int key, bool keypad);
KeyChord ChordOf(const QKeyEvent& event);

// The name kept in the settings file ("Space", "Num+8", "Shift"), and back. A name that
// names no single plain key gives nothing.
QString NameOf(KeyChord chord);
std::optional<KeyChord> ChordOfName(const QString& name);
// The name shown to the player ("テンキー8").
QString LabelOf(KeyChord chord);

// Keys the window keeps for itself (fullscreen, screenshots, pause, the menu bar's Alt) and
// keys no name can be kept for: they cannot be bound.
bool IsReserved(KeyChord chord);

}  // namespace input
