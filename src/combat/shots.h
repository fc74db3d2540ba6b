// Shots, hits, damage, the held weapon, equipment effects and darkness.
#pragma once

struct MonsterRecord;

void FireHeroShots();                        // mode 1 while Space is held
bool ResolveHeroShotHit(MonsterRecord& m);   // true when the monster was wounded
void MoveShots();                            // modes 1 and 3
void DrawHeldWeapon();                       // mode 1 while Space is held
void SpawnTrapArrow(int slot, int direction);
void EquipmentEffects();                     // mode 1
bool IsDarkFloor();
void DarknessMask();                         // modes 1 and 3 on dark floors
