#include "judge.h"

namespace autoplay {

bool Outgrown(const BossSeen& boss, const Power& p) {
  return boss.seen && boss.attack <= p.armour && p.attack > boss.defence;
}

StairWay FleeWay(int floor, int bossFloor, bool bossStanding) {
  if (!bossStanding) return StairWay::None;
  if (floor + 1 == bossFloor) return StairWay::Back;
  if (floor - 1 == bossFloor) return StairWay::Onward;
  return StairWay::None;
}

}  // namespace autoplay
