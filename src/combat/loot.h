// Coins and items lying on the floor.
#pragma once

void DropCoin(int x, int y, int amount);
void DropFloorItem(int x, int y, int item);
void CoinBlock();           // modes 1 and 3
void ItemBlock();           // modes 1 and 3
void DrawPickupMessage();   // mode 1 while MessageTimer > 0
