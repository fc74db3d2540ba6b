// The menu screens (mode 2): drawing and the keys of pages 0 and 2.
#pragma once

#include <cstdint>

void DrawMenu();
void MoveCursor(int direction);  // 0 up, 1 right, 2 down, 3 left
void UseItem();
void DiscardItem();
void RemoveSlot(int slot);
void CompactInventory();
