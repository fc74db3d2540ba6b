// Pending: replaced by movement.cpp, floor_events.cpp and floor_setup.cpp.
#include "core/floor_events.h"
#include "core/floor_setup.h"
#include "core/movement.h"

void MoveHeroOnFloor() {}
void MoveHeroOnWorld() {}
void DrawHero() {}
void DrawSprungTraps() {}
void TouchTraps() {}
bool FloorEvents() { return false; }
void SetUpFloor(int, bool, bool) {}
void PlaceTrap() {}
void DrawFloorIntoBUF() {}
