// Shots, hits, damage, the held weapon, equipment effects and darkness.
#pragma once

struct MonsterRecord;
namespace gfx {
class Bitmap;
}

void FireHeroShots();                        // mode 1 while Space is held
bool ResolveHeroShotHit(MonsterRecord& m);   // true when the monster was wounded
void MoveShots();                            // modes 1 and 3
void DrawHeldWeapon();                       // mode 1 while Space is held
void SpawnTrapArrow(int slot, int direction);
void EquipmentEffects();                     // mode 1
bool IsDarkFloor();
void DarknessMask();                         // modes 1 and 3 on dark floors
// True when this tick's frame is sure to end under the darkness mask whatever the tick
// brings (the floor is dark, and so is any floor a stair leads to from it): everything
// drawn outside the mask's light is cleared before the frame is shown.
bool DarknessCoversTheTick();
// The floor's window drawn only where the mask lets light through, for such a tick.
void DrawLitFloorWindow(gfx::Bitmap& frame);
