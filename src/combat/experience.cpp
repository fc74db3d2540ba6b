// Counting earned experience in, a portion per tick, and the level-ups it brings.
#include "combat/experience.h"

#include <algorithm>

#include "combat/combat_util.h"
#include "state/random.h"
#include "state/state.h"

namespace {

// The portion grows with the amount waiting, so the shown number runs up visibly but
// never takes too long.
int Portion(int32_t pending) {
  if (pending < 100) return 1;
  if (pending < 1000) return 10;
  if (pending < 100000) return 100;
  return 1000;
}

void Grow() {
  const int64_t level = G.Level;
  int64_t gain = 0;
  int strength = 0, defence = 0;
  switch (G.HeroIndex) {
    case 0: gain = (Random(2) + 1) * level; strength = 2; defence = 1; break;
    case 1: gain = (Random(3) + 1) * level; strength = 1; defence = 2; break;
    case 2: gain = ((Random(2) + 1) * level) / 2; strength = 1; defence = 1; break;
    case 3: gain = (Random(2) + 2) * level; strength = 2; defence = 2; break;
    default: break;
  }
  G.MaxHP = combat::AddCapped(G.MaxHP, gain, 9999);
  G.Strength = combat::AddCapped(G.Strength, strength, 999);
  G.Defence = combat::AddCapped(G.Defence, defence, 999);
}

}  // namespace

void CountExperience() {
  if (G.PendingExperience <= 0) return;
  const int portion = Portion(G.PendingExperience);
  G.PendingExperience -= portion;
  G.Experience = combat::AddCapped(G.Experience, portion, 999999);
  if (G.Level >= 99) return;
  // Clamped below only so that the cube of a damaged level cannot overflow; the test
  // gives the same answer for every such level.
  const int64_t l = std::max<int64_t>(G.Level, -2000000);
  if (l * l * l + 5 <= G.Experience) {
    G.Level += 1;
    G.Experience = 0;
    Grow();
  }
}
