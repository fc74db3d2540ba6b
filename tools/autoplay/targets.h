// The choice of what to go for next on a floor: a coin before it fades, an item, a monster the
// hero can hurt, a chest its key opens. Everything is judged by the length of the way there.
#pragma once

#include <functional>
#include <vector>

#include "state/state.h"
#include "floor_map.h"

namespace autoplay {

enum class Aim { None, Coin, Item, Monster, Chest };

struct Target {
  Aim aim = Aim::None;
  int index = -1;  // slot in the coin, item or monster table
  int x = 0, y = 0;  // where to stand: the thing's own floor position
  int cost = 0;
};

// What the hero can do, as far as choosing goes.
struct Power {
  int attack = 0;     // best weapon's attack plus strength
  int armour = 0;     // armour's defence plus the hero's own
  int keyLevel = -1;  // the best key carried or held
  int hp = 0;
  int speed = 1;      // pixels a tick, walking
  bool fightBoss = true;  // the dungeon's boss is to be fought now
  bool hunt = true;       // monsters and chests are sought out (not while fleeing)
};

Power PowerOf(const GameState& g);

// The dungeon's boss, or the final opponent.
bool IsBossOf(const GameState& g, int slot);

bool CanHurt(const MonsterRecord& m, const Power& p, int dungeon);
// A monster whose every blow takes more than a quarter of the hero's hit points.
bool TooStrong(const MonsterRecord& m, const Power& p);

// The best target within `radius` steps, or Aim::None. `skip` is a monster slot not to
// choose (one the hero could not get at), -1 for none.
Target ChooseTarget(const GameState& g, const Distances& d, const Power& p, int radius, int skip);
// The same, passing over every target `banned` names.
Target ChooseTarget(const GameState& g, const Distances& d, const Power& p, int radius,
                    const std::function<bool(Aim, int)>& banned);

// Targets let go of for a while, so the one just given up is not chosen again at once. Each
// time the same one is let go of on a floor, it stays let go of twice as long.
class Bans {
 public:
  // Lets go of the target from `tick` on for `base` ticks, doubled for each earlier time.
  void Add(Aim aim, int index, int tick, int base);
  bool Holds(Aim aim, int index, int tick) const;
  void Clear() { bans_.clear(); }

 private:
  struct Ban {
    Aim aim;
    int index, until, times;
  };
  std::vector<Ban> bans_;
};

}  // namespace autoplay
