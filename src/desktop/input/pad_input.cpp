#include "desktop/input/pad_input.h"

#include <QCoreApplication>
#include <array>

namespace input {

namespace {

struct Names {
  const char* id;
  const char* label;
};

const std::array<Names, kPadInputCount> kNames = {{
    {"a", "A"}, {"b", "B"}, {"x", "X"}, {"y", "Y"}, {"back", "Back"}, {"guide", "Guide"},
    {"start", "Start"},
    {"leftstick", QT_TRANSLATE_NOOP("input::PadInput", "左スティック押し込み")},
    {"rightstick", QT_TRANSLATE_NOOP("input::PadInput", "右スティック押し込み")},
    {"leftshoulder", "LB"}, {"rightshoulder", "RB"},
    {"dpup", QT_TRANSLATE_NOOP("input::PadInput", "十字キー上")},
    {"dpdown", QT_TRANSLATE_NOOP("input::PadInput", "十字キー下")},
    {"dpleft", QT_TRANSLATE_NOOP("input::PadInput", "十字キー左")},
    {"dpright", QT_TRANSLATE_NOOP("input::PadInput", "十字キー右")},
    {"lefty-", QT_TRANSLATE_NOOP("input::PadInput", "左スティック上")},
    {"lefty+", QT_TRANSLATE_NOOP("input::PadInput", "左スティック下")},
    {"leftx-", QT_TRANSLATE_NOOP("input::PadInput", "左スティック左")},
    {"leftx+", QT_TRANSLATE_NOOP("input::PadInput", "左スティック右")},
    {"righty-", QT_TRANSLATE_NOOP("input::PadInput", "右スティック上")},
    {"righty+", QT_TRANSLATE_NOOP("input::PadInput", "右スティック下")},
    {"rightx-", QT_TRANSLATE_NOOP("input::PadInput", "右スティック左")},
    {"rightx+", QT_TRANSLATE_NOOP("input::PadInput", "右スティック右")},
    {"lefttrigger", "LT"}, {"righttrigger", "RT"},
}};

}  // namespace

QString NameOf(PadInput input) {
  int i = static_cast<int>(input);
  return i < kPadInputCount ? QString::fromLatin1(kNames[i].id) : QString();
}

std::optional<PadInput> PadInputOfName(const QString& name) {
  for (int i = 0; i < kPadInputCount; ++i)
    if (name == QLatin1String(kNames[i].id)) return static_cast<PadInput>(i);
  return std::nullopt;
}

QString LabelOf(PadInput input) {
  int i = static_cast<int>(input);
  if (i >= kPadInputCount) return QString();
  return QCoreApplication::translate("input::PadInput", kNames[i].label);
}

}  // namespace input
