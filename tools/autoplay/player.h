// The scripted player: from the title it picks its hero and plays the whole game by pressing
// keys, reading the screen (the game's state and the floors) to decide. It walks the world map
// to an open entrance, climbs each dungeon to its boss, fights, heals, equips what it finds,
// gathers gold until the next entrance opens, and goes on until the ending has played.
#pragma once

#include <cstdint>
#include <deque>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "floor_map.h"
#include "judge.h"
#include "keys.h"
#include "progress.h"
#include "report.h"
#include "targets.h"

namespace autoplay {

// Where each dungeon's boss waits (the final opponent's floor for the last dungeon).
int BossFloorOf(int dungeon);
int EntryFloorOf(int dungeon);

class Player {
 public:
  Player(int hero, uint32_t seed);

  // The key events to send before the next tick.
  std::vector<KeyEvent> Decide();
  // Looks at the game after tick `tick`; returns lines worth printing.
  std::vector<std::string> Observe(int tick);
  bool Done() const { return report_.EndingDone(); }
  const Report& report() const { return report_; }

 private:
  enum class Errand { Boss, Farm, Leave, Mend };

  std::vector<KeyEvent> Press(uint16_t key);
  std::vector<KeyEvent> OnWorldMap();
  int ChooseDungeon() const;
  std::vector<KeyEvent> InDungeon();
  void RefreshFloor();
  bool Maintain();
  void QueueMenu(int slot, uint16_t action);
  Errand ChooseErrand() const;
  bool Ready(int dungeon) const;
  bool TooHard(int dungeon) const;
  bool Outgrown(int dungeon) const;
  void NoteProgress(int tick);
  Earnings EarnedSoFar();
  void ChangePlan(int tick);
  Held SeekBoss();
  Held Pursue(const Target& t);
  Held Approach(const Target& t);
  Held GoTo(Tile tile);
  Held GoToStair(StairWay way);  // StairWay::None: the nearest stair of either kind
  Held Wander();
  Held Heal(bool& healing, int belowPercent, int maxSteps = 60);
  void NoteRetreat(Errand errand);
  bool FloorHasPrey() const;
  StairWay WayOut() const;
  StairWay WayToBoss() const;
  StairWay WayToSpring(bool& here) const;
  bool BeforeBoss(Errand errand) const;
  bool Mend(Held& h);
  void WatchSpring();
  bool SpringGivenUp() const;
  bool Fleeing() const;
  StairWay FleeWay() const;  // the nearest stair, unless it leads to a boss still standing
  bool BossDone() const;
  Held Act(Errand errand, const Power& p);
  bool ShouldFire(const Power& p) const;
  bool ClearLine(int dx, int dy) const;
  bool ShotComing(int& across) const;
  bool Dodge(Held& h);
  void GiveUpTarget();
  Held Unstick(Held want);

  int hero_;
  std::mt19937 rng_;
  Report report_;
  std::deque<uint16_t> presses_;
  FloorMap map_;
  int mapDungeon_ = -1, mapFloor_ = -1;
  Distances dist_;
  bool distFresh_ = false;  // dist_ holds the ways from the hero's tile on this floor
  Target target_;
  Tile wanderTo_{-1, -1};
  int needLevel_[9];
  int tooHardBelow_[9] = {};
  BossSeen bossSeen_[9];
  int lastEarned_ = -1, sinceEarned_ = 0, lastFloor_ = -1;
  int lastDeaths_ = 0;
  int tick_ = 0;
  Bans bans_;
  ProgressWatch progress_;
  MotionWatch motion_;
  PlanWatch plans_;
  SpringWatch springs_;
  int springOffFloor_ = -1, springOffUntil_ = 0;  // this floor's spring heals no more, until then
  int fleeFloor_ = -1, fleeUntil_ = 0;            // off this floor by the nearest stair
  std::set<int> floorsSeen_;  // dungeon * 10 + floor of every floor set foot on
  int leaveUntil_ = 0;        // the floor is left, whatever else calls, until this tick
  bool leaveOther_ = false;   // ... by the stairs away from the dungeon's door
  int wiggle_ = 0;
  int targetSince_ = 0;
  int passUntil_ = 0;  // monsters are not sought out before this tick
  int unsticks_ = 0, lastUnstick_ = -1000, detourUntil_ = 0;
  Held wiggleKeys_;
  bool healing_ = false;
  bool retreated_ = false;
  bool bossFight_ = false;  // the boss was sought on this visit to its floor
  Errand lastErrand_ = Errand::Farm;
};

}  // namespace autoplay
