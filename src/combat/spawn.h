// Monster slots: rolling a new monster and populating a floor.
#pragma once

void SpawnMonster(int mode, int slot, int kind);
void PopulateFloor();
