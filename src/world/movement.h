// The hero's movement on a floor and on the world map, and drawing the hero.
#pragma once

void MoveHeroOnFloor();  // tick step 1 (mode 1)
void MoveHeroOnWorld();  // tick step 2 (mode 5)
void DrawHero();         // tick step 8 (modes 1 and 5); advances WalkFrame when moved

// Whether a direction key was held in the last movement step (blocked or not).
bool HeroMoved();
