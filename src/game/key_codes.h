// The key codes the game works with, one table for everything that names or translates a
// key: the game's own handling, the Qt window's key map, the binding pages and the runner's
// key scripts. Letters and digits are their ASCII capitals ('A', '7').
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

enum VirtualKey : uint16_t {
  VK_BACK = 8, VK_TAB = 9, VK_CLEAR = 12, VK_RETURN = 13, VK_SHIFT = 16, VK_CONTROL = 17,
  VK_MENU = 18, VK_PAUSE = 19, VK_CAPITAL = 20, VK_ESCAPE = 27, VK_SPACE = 32,
  VK_PRIOR = 33, VK_NEXT = 34, VK_END = 35, VK_HOME = 36,
  VK_LEFT = 37, VK_UP = 38, VK_RIGHT = 39, VK_DOWN = 40, VK_INSERT = 45, VK_DELETE = 46,
  VK_C = 67, VK_D = 68, VK_V = 86,  // the menu screens' close, drop and use
  VK_LWIN = 91, VK_RWIN = 92,
  VK_NUMPAD0 = 96, VK_NUMPAD1 = 97, VK_NUMPAD2 = 98, VK_NUMPAD3 = 99, VK_NUMPAD4 = 100,
  VK_NUMPAD5 = 101, VK_NUMPAD6 = 102, VK_NUMPAD7 = 103, VK_NUMPAD8 = 104, VK_NUMPAD9 = 105,
  VK_MULTIPLY = 106, VK_ADD = 107, VK_SUBTRACT = 109, VK_DECIMAL = 110, VK_DIVIDE = 111,
  VK_F1 = 112, VK_F2 = 113, VK_F3 = 114, VK_F4 = 115, VK_F5 = 116, VK_F6 = 117,
  VK_F7 = 118, VK_F8 = 119, VK_F9 = 120, VK_F10 = 121, VK_F11 = 122, VK_F12 = 123,
  VK_F24 = 135,
};

// The code of a letter or digit key: its ASCII capital.
constexpr uint16_t LetterKey(char c) {
  return static_cast<uint16_t>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
}

// A key by its name in a key script: "VK_SPACE", a single letter or digit (either case), or
// a decimal code up to 65535. Nothing for any other text.
std::optional<uint16_t> KeyCodeByName(std::string_view name);
// The name a key script would use for a code: "VK_..." for a named key, the letter or digit
// itself, else the decimal code (at least two digits, as a lone digit is a digit key).
std::string KeyNameOf(uint16_t code);
