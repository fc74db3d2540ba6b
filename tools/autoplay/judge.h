// The player's judgement of a boss it has met and of a way to flee, kept apart from the plan
// so that each can be tried on its own numbers.
#pragma once

#include "floor_map.h"
#include "targets.h"

namespace autoplay {

// What the player remembers of a dungeon's boss from the last time it stood before it.
struct BossSeen {
  bool seen = false;
  int attack = 0, defence = 0;
};

// A boss whose blows the hero's armour stops and whose armour the hero's weapon gets through
// can only lose, whatever level the player had meant to wait for.
bool Outgrown(const BossSeen& boss, const Power& p);

// The stair to flee by from `floor`: the nearest of either kind (None), unless one of them
// leads to `bossFloor` while its boss still stands; then the other.
StairWay FleeWay(int floor, int bossFloor, bool bossStanding);

}  // namespace autoplay
