// Qt key events to the virtual-key codes the game's handlers take.
#pragma once

#include <cstdint>

class QKeyEvent;

// 0 for a key that has no code of its own (it still reaches the handler).
uint16_t VirtualKeyOf(const QKeyEvent& event);
