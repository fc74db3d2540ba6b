// Keyboard input: held-key flags and the single-press action of every mode.
#pragma once

#include <cstdint>

enum VirtualKey : uint16_t {
  VK_RETURN = 13, VK_SHIFT = 16, VK_ESCAPE = 27, VK_SPACE = 32,
  VK_LEFT = 37, VK_UP = 38, VK_RIGHT = 39, VK_DOWN = 40,
  VK_NUMPAD0 = 96, VK_NUMPAD2 = 98, VK_NUMPAD4 = 100, VK_NUMPAD5 = 101, VK_NUMPAD6 = 102,
  VK_NUMPAD8 = 104, VK_F1 = 112, VK_F2 = 113, VK_F3 = 114,
};

void FormKeyDown(uint16_t key);
void FormKeyUp(uint16_t key);
// The held-key flag a key sets, or -1.
int KeyFlagOf(uint16_t key);
