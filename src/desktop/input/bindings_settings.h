// The bindings in the settings file: "input/keys/<action>" and "input/pad/<action>" hold
// the names of an action's keys and pad inputs, "input/pad/deadzone" the stick's dead zone.
// A value that cannot be read leaves its action at the defaults; a file that would give one
// key to two actions leaves all of them at the defaults.
#pragma once

class QSettings;

namespace input {

class Bindings;

constexpr int kDefaultDeadZone = 30;  // percent of the stick's travel
constexpr int kMinDeadZone = 5;
constexpr int kMaxDeadZone = 90;

void LoadBindings(QSettings& settings, Bindings& bindings);
// The savers write the file at once; false when it could not be written.
bool SaveKeyBindings(QSettings& settings, const Bindings& bindings);
bool SavePadBindings(QSettings& settings, const Bindings& bindings);
int LoadDeadZone(QSettings& settings);
bool SaveDeadZone(QSettings& settings, int percent);

}  // namespace input
