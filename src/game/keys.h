// Keyboard input: held-key flags and the single-press action of every mode.
#pragma once

#include <cstdint>

#include "game/key_codes.h"

void OnKeyDown(uint16_t key);
void OnKeyUp(uint16_t key);
// The held-key flag a key sets, or -1.
int KeyFlagOf(uint16_t key);
