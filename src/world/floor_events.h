// Springs, hot floors, stairs and the hidden traps.
#pragma once

void DrawSprungTraps();  // tick step 6, before the monsters
void TouchTraps();       // tick step 10 (modes 1 and 3)
// Tick step 11 (mode 1), after the equipment effects. Returns true when a stair led out of
// the dungeon: the world map has been shown and the tick must end at once.
bool FloorEvents();
