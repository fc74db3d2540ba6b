// The hero's movement on a floor and on the world map, and drawing the hero.
#pragma once

void MoveHeroOnFloor();  // in play, first thing in a tick
void MoveHeroOnWorld();  // on the world map, first thing in a tick
// In play and on the world map, over the floor objects and entrances; advances WalkFrame
// when the hero moved.
void DrawHero();

// Whether a direction key was held in the last movement step (blocked or not).
bool HeroMoved();
