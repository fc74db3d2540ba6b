// The world map: its dungeon entrances, drawing them and entering a dungeon.
#pragma once

void InitWorldEntrances();
void DrawWorldEntrances();  // tick step 7 (mode 5)
void EnterDungeon();        // Space or Enter on the world map
