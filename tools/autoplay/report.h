// What a scripted game showed on its way: when each entrance opened, each dungeon was first
// entered and each boss fell, where the hero died, when it rose in level, how its gold grew,
// and when the ending began and ended. Written as JSON and told as lines as it happens.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "state/state.h"

namespace autoplay {

struct Milestone {
  int tick = 0;
  int level = 0;
  int weapon = 0;
  int armour = 0;
  int gold = 0;
};

struct Death {
  Milestone at;
  int dungeon = 0, floor = 0;
};

class Report {
 public:
  static constexpr int kDungeons = 9;
  static constexpr int kGoldEvery = 1000;  // ticks between points of the gold curve

  // Looks at the game after the tick `tick`; returns the lines worth telling now.
  std::vector<std::string> Observe(const GameState& g, int tick);

  bool EndingBegan() const { return ending_.has_value(); }
  bool EndingDone() const { return endingDone_.has_value(); }
  bool BossFell(int dungeon) const { return bosses_[dungeon].has_value(); }
  int Deaths() const { return static_cast<int>(deaths_.size()); }

  std::string Json(int hero, uint32_t seed, int ticks, double wallSeconds) const;
  // One row of the milestone table (Markdown): hero, seed, ending tick, game time, wall time,
  // deaths, level at the end, the ticks at which the bosses fell.
  std::string TableRow(int hero, uint32_t seed, int level, double wallSeconds) const;

 private:
  Milestone Now(const GameState& g, int tick) const;

  std::optional<Milestone> entrances_[kDungeons], dungeons_[kDungeons], bosses_[kDungeons];
  std::optional<Milestone> ending_, endingDone_;
  std::vector<Death> deaths_;
  std::vector<Milestone> levels_;
  std::vector<std::pair<int, int>> gold_;
  int lastMode_ = -1;
  int lastLevel_ = 0;
};

}  // namespace autoplay
