#include "game/key_codes.h"

#include <iterator>

namespace {

struct NamedKey {
  std::string_view name;
  uint16_t code;
};

// Every named key once; letters and digits need no entry.
constexpr NamedKey kNamedKeys[] = {
    {"VK_BACK", VK_BACK},         {"VK_TAB", VK_TAB},           {"VK_CLEAR", VK_CLEAR},
    {"VK_RETURN", VK_RETURN},     {"VK_SHIFT", VK_SHIFT},       {"VK_CONTROL", VK_CONTROL},
    {"VK_MENU", VK_MENU},         {"VK_PAUSE", VK_PAUSE},       {"VK_CAPITAL", VK_CAPITAL},
    {"VK_ESCAPE", VK_ESCAPE},     {"VK_SPACE", VK_SPACE},       {"VK_PRIOR", VK_PRIOR},
    {"VK_NEXT", VK_NEXT},         {"VK_END", VK_END},           {"VK_HOME", VK_HOME},
    {"VK_LEFT", VK_LEFT},         {"VK_UP", VK_UP},             {"VK_RIGHT", VK_RIGHT},
    {"VK_DOWN", VK_DOWN},         {"VK_INSERT", VK_INSERT},     {"VK_DELETE", VK_DELETE},
    {"VK_LWIN", VK_LWIN},         {"VK_RWIN", VK_RWIN},         {"VK_NUMPAD0", VK_NUMPAD0},
    {"VK_NUMPAD1", VK_NUMPAD1},   {"VK_NUMPAD2", VK_NUMPAD2},   {"VK_NUMPAD3", VK_NUMPAD3},
    {"VK_NUMPAD4", VK_NUMPAD4},   {"VK_NUMPAD5", VK_NUMPAD5},   {"VK_NUMPAD6", VK_NUMPAD6},
    {"VK_NUMPAD7", VK_NUMPAD7},   {"VK_NUMPAD8", VK_NUMPAD8},   {"VK_NUMPAD9", VK_NUMPAD9},
    {"VK_MULTIPLY", VK_MULTIPLY}, {"VK_ADD", VK_ADD},           {"VK_SUBTRACT", VK_SUBTRACT},
    {"VK_DECIMAL", VK_DECIMAL},   {"VK_DIVIDE", VK_DIVIDE},     {"VK_F1", VK_F1},
    {"VK_F2", VK_F2},             {"VK_F3", VK_F3},             {"VK_F4", VK_F4},
    {"VK_F5", VK_F5},             {"VK_F6", VK_F6},             {"VK_F7", VK_F7},
    {"VK_F8", VK_F8},             {"VK_F9", VK_F9},             {"VK_F10", VK_F10},
    {"VK_F11", VK_F11},           {"VK_F12", VK_F12},
};

bool IsLetterOrDigit(char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }

}  // namespace

std::optional<uint16_t> KeyCodeByName(std::string_view name) {
  for (const NamedKey& key : kNamedKeys)
    if (key.name == name) return key.code;
  if (name.size() == 1 && IsLetterOrDigit(static_cast<char>(LetterKey(name[0]))))
    return LetterKey(name[0]);
  if (!name.empty() && name.size() <= 5 &&
      name.find_first_not_of("0123456789") == std::string_view::npos) {
    unsigned long code = std::stoul(std::string(name));
    if (code <= 0xFFFF) return static_cast<uint16_t>(code);
  }
  return std::nullopt;
}

std::string KeyNameOf(uint16_t code) {
  for (const NamedKey& key : kNamedKeys)
    if (key.code == code) return std::string(key.name);
  if (code < 128 && IsLetterOrDigit(static_cast<char>(code))) return std::string(1, static_cast<char>(code));
  // A lone digit is that digit's key, so a small code keeps a leading zero.
  return (code < 10 ? "0" : "") + std::to_string(code);
}
