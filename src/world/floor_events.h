// Springs, hot floors, stairs and the hidden traps.
#pragma once

void DrawSprungTraps();  // in play and game over, under the monsters
void TouchTraps();       // in play and game over, after the shots and the experience count
// In play, after the equipment effects: stairs, springs and hot floors. Returns true when a
// stair led out of the dungeon: the world map has been shown and the tick must end at once.
bool FloorEvents();
