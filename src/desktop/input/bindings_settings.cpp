#include "desktop/input/bindings_settings.h"

#include <QSettings>
#include <QStringList>

#include "desktop/input/bindings.h"

namespace input {

namespace {

QString KeyPath(Action action) {
  return QStringLiteral("input/keys/") + QString::fromLatin1(InfoOf(action).id);
}

QString PadPath(Action action) {
  return QStringLiteral("input/pad/") + QString::fromLatin1(InfoOf(action).id);
}

// The names stored under one action, place by place: a list, one name, or an empty text
// for none.
std::optional<QStringList> NamesAt(QSettings& settings, const QString& path) {
  QVariant value = settings.value(path);
  QStringList names;
  if (value.typeId() == QMetaType::QStringList) {
    names = value.toStringList();
  } else if (value.typeId() == QMetaType::QString) {
    if (!value.toString().isEmpty()) names << value.toString();
  } else {
    return std::nullopt;
  }
  if (names.size() > kSlots) return std::nullopt;
  return names;
}

template <typename T, typename Parse>
std::optional<std::array<T, kSlots>> PlacesAt(QSettings& settings, const QString& path, T none,
                                              Parse parse) {
  if (!settings.contains(path)) return std::nullopt;
  auto names = NamesAt(settings, path);
  if (!names) return std::nullopt;
  std::array<T, kSlots> places;
  places.fill(none);
  for (int i = 0; i < names->size(); ++i) {
    if ((*names)[i].isEmpty()) continue;  // an empty place before a filled one
    auto parsed = parse((*names)[i]);
    if (!parsed) return std::nullopt;
    places[i] = *parsed;
  }
  return places;
}

template <typename Places, typename NameOfT>
void Store(QSettings& settings, const QString& path, const Places& places, NameOfT name) {
  QStringList names;
  for (auto value : places) names << name(value);
  while (!names.isEmpty() && names.back().isEmpty()) names.pop_back();
  // A list of one is read back as a plain text, and an empty list would not be a list at all.
  if (names.size() == 1) settings.setValue(path, names.front());
  else if (names.isEmpty()) settings.setValue(path, QString(""));
  else settings.setValue(path, names);
}

bool Written(QSettings& settings) {
  settings.sync();
  return settings.status() == QSettings::NoError;
}

template <typename Table, typename T>
void YieldToStored(Table& table, const std::array<bool, kActionCount>& stored, T none) {
  for (int a = static_cast<int>(Action::QuickSave); a < kActionCount; ++a) {
    if (stored[a]) continue;
    for (T& mine : table[a]) {
      for (int other = 0; other < kActionCount; ++other) {
        if (!stored[other]) continue;
        for (T theirs : table[other])
          if (mine != none && mine == theirs) mine = none;
      }
    }
  }
}

}  // namespace

void LoadBindings(QSettings& settings, Bindings& bindings) {
  Bindings defaults;
  KeyTable keys = defaults.AllKeys();
  PadTable pad = defaults.AllPad();
  std::array<bool, kActionCount> storedKeys{}, storedPad{};
  for (int a = 0; a < kActionCount; ++a) {
    auto action = static_cast<Action>(a);
    if (auto k = PlacesAt(settings, KeyPath(action), KeyChord{}, ChordOfName)) {
      keys[a] = *k;
      storedKeys[a] = true;
    }
    if (auto p = PlacesAt(settings, PadPath(action), PadInput::None, PadInputOfName)) {
      pad[a] = *p;
      storedPad[a] = true;
    }
  }
  // The save actions came later than many a file: missing from one, they take their defaults
  // only where the player's own bindings left them free, or the clash would throw all of
  // those away. Every other clash still means the file cannot be trusted.
  YieldToStored(keys, storedKeys, KeyChord{});
  YieldToStored(pad, storedPad, PadInput::None);
  if (!bindings.SetAllKeys(keys)) bindings.SetAllKeys(defaults.AllKeys());
  if (!bindings.SetAllPad(pad)) bindings.SetAllPad(defaults.AllPad());
}

bool SaveKeyBindings(QSettings& settings, const Bindings& bindings) {
  for (int a = 0; a < kActionCount; ++a)
    Store(settings, KeyPath(Action(a)), bindings.AllKeys()[a],
          [](KeyChord k) { return NameOf(k); });
  return Written(settings);
}

bool SavePadBindings(QSettings& settings, const Bindings& bindings) {
  for (int a = 0; a < kActionCount; ++a)
    Store(settings, PadPath(Action(a)), bindings.AllPad()[a],
          [](PadInput p) { return NameOf(p); });
  return Written(settings);
}

int LoadDeadZone(QSettings& settings) {
  bool ok = false;
  int percent = settings.value(QStringLiteral("input/pad/deadzone")).toInt(&ok);
  if (!ok || percent < kMinDeadZone || percent > kMaxDeadZone) return kDefaultDeadZone;
  return percent;
}

bool SaveDeadZone(QSettings& settings, int percent) {
  settings.setValue(QStringLiteral("input/pad/deadzone"), percent);
  return Written(settings);
}

}  // namespace input
