// Pending: replaced by the combat blocks of this folder.
#include "combat/experience.h"
#include "combat/loot.h"
#include "combat/monsters.h"
#include "combat/shots.h"
#include "combat/spawn.h"

void SpawnMonster(int, int, int) {}
void PopulateFloor() {}
void ClearAllMonsters() {}
void MonsterPass() {}
void FireHeroShots() {}
bool ResolveHeroShotHit(MonsterRecord&) { return false; }
void MoveShots() {}
void DrawHeldWeapon() {}
void SpawnTrapArrow(int, int) {}
void EquipmentEffects() {}
bool IsDarkFloor() { return false; }
void DarknessMask() {}
void CountExperience() {}
void DropCoin(int, int, int) {}
void DropFloorItem(int, int, int) {}
void CoinBlock() {}
void ItemBlock() {}
void DrawPickupMessage() {}
