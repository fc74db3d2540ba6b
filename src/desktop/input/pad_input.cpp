#include "desktop/input/pad_input.h"

#include <array>

namespace input {

namespace {

struct Names {
  const char* id;
  const char* label;
};

const std::array<Names, kPadInputCount> kNames = {{
    {"a", "A"}, {"b", "B"}, {"x", "X"}, {"y", "Y"},
    {"back", "Back"}, {"guide", "Guide"}, {"start", "Start"},
    {"leftstick", "左スティック押し込み"}, {"rightstick", "右スティック押し込み"},
    {"leftshoulder", "LB"}, {"rightshoulder", "RB"},
    {"dpup", "十字キー上"}, {"dpdown", "十字キー下"}, {"dpleft", "十字キー左"},
    {"dpright", "十字キー右"},
    {"lefty-", "左スティック上"}, {"lefty+", "左スティック下"}, {"leftx-", "左スティック左"},
    {"leftx+", "左スティック右"},
    {"righty-", "右スティック上"}, {"righty+", "右スティック下"}, {"rightx-", "右スティック左"},
    {"rightx+", "右スティック右"},
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
  return i < kPadInputCount ? QString::fromUtf8(kNames[i].label) : QString();
}

}  // namespace input
