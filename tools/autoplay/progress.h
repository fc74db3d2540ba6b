// What the scripted player watches to know whether its play is getting anywhere: what it has
// earned (experience, gold, belongings, bosses, the boss's wounds), whether the hero's box
// goes anywhere while keys are held, whether its choice keeps flipping between the same
// two plans, and whether a spring gives back more than is taken. Each watch only tells; the
// player decides what to do differently.
#pragma once

#include <deque>
#include <utility>

namespace autoplay {

// Everything play can earn, as the screen shows it.
struct Earnings {
  int level = 0;
  int experience = 0;  // shown and pending alike
  int gold = 0;
  int belongings = 0;  // items carried or worn
  int bosses = 0;      // bosses fallen
  int bossHp = 0;      // hit points left to the boss in sight, 0 when none
  int floorsSeen = 0;  // distinct floors set foot on in this dungeon visit
};

// A whole window of ticks without a gain is a stall; each further window without one is
// another strike, so the player can answer more firmly the longer nothing comes.
class ProgressWatch {
 public:
  explicit ProgressWatch(int window) : window_(window) {}

  // True on the tick a window without gain completes; Strikes() then says how many in a row.
  bool Stalled(int tick, const Earnings& now);
  int Strikes() const { return strikes_; }
  // Counts the window afresh from `tick`, as after a change of plan that needs time to work.
  void Restart(int tick) { since_ = tick; }

 private:
  static bool Gained(const Earnings& was, const Earnings& now);

  int window_;
  bool started_ = false;
  Earnings last_;
  int since_ = 0;
  int strikes_ = 0;
};

// Keys held for a direction while the hero's box stays inside a few pixels: walking into a
// wall, or two opposite steps taken by turns, which goes nowhere just the same.
class MotionWatch {
 public:
  MotionWatch(int ticks, int slack) : ticks_(ticks), slack_(slack) {}

  // True once `ticks` moving ticks in a row have kept within `slack` pixels of where they
  // began, or within one `step` of the hero's (a step there and back is no way either);
  // then it starts again.
  bool Stuck(int x, int y, bool moving, int step = 0);

 private:
  int ticks_, slack_;
  int count_ = 0, fromX_ = 0, fromY_ = 0;
};

// The plan chosen tick by tick, as a number. Within a window, many changes between only two
// plans is dithering: each plan makes the other look better once it is taken up.
class PlanWatch {
 public:
  PlanWatch(int window, int flips) : window_(window), flips_(flips) {}

  // True when the change to `plan` at `tick` completes a dithering run; the record starts
  // again then. `Other()` is the plan it kept leaving for, the one to let go of.
  bool Dithering(int tick, int plan);
  int Other() const { return other_; }

 private:
  int window_, flips_;
  int current_ = 0;
  bool started_ = false;
  std::deque<std::pair<int, int>> changes_;  // tick, plan taken up
  int other_ = 0;
};

// Standing in a spring while hurt, the hit points should climb by one a tick. When over a
// window they climb by less than a quarter of that, whatever stands about the water hurts
// faster than it heals, and waiting there only ends one way.
class SpringWatch {
 public:
  explicit SpringWatch(int window) : window_(window) {}

  // True on the tick a window spent hurt in the spring completes with too little gained; the
  // window then starts again. Stepping out of the water or filling up starts it afresh.
  bool Losing(int tick, int hp, int maxHp, bool inSpring);

 private:
  int window_;
  bool watching_ = false;
  int since_ = 0, from_ = 0;
};

}  // namespace autoplay
