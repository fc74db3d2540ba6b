// Qt key events to the virtual-key codes the game's handlers take.
#pragma once

#include <cstdint>

class QKeyEvent;

// The code a key has of its own; 0 for a key that has none (it still reaches the handler).
uint16_t KeyCodeOf(const QKeyEvent& event);
// The code the game receives for a key, after the player's key bindings.
uint16_t VirtualKeyOf(const QKeyEvent& event);
