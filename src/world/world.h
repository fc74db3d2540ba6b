// The world map: drawing its dungeon entrances and entering a dungeon (the entrances
// themselves are a table of the state, filled at start-up).
#pragma once

void DrawWorldEntrances();  // on the world map, under the hero
void EnterDungeon();        // Space or Enter on the world map
