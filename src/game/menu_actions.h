// What the menu screens' keys do to the carried items.
#pragma once

void MoveCursor(int direction);  // 0 up, 1 right, 2 down, 3 left
void UseItem();
void DiscardItem();
void RemoveSlot(int slot);
void CompactInventory();
