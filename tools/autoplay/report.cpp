#include "report.h"

#include <sstream>

#include "content/items.h"

namespace autoplay {

namespace {

std::string Line(const char* what, int index, const Milestone& m) {
  std::ostringstream s;
  s << "autoplay: tick " << m.tick << ": " << what;
  if (index >= 0) s << " " << index;
  s << " (level " << m.level << ", gold " << m.gold << ", weapon " << m.weapon << ", armour " << m.armour
    << ")";
  return s.str();
}

void WriteMilestone(std::ostream& o, const Milestone& m) {
  o << "{\"tick\":" << m.tick << ",\"level\":" << m.level << ",\"gold\":" << m.gold
    << ",\"weapon\":" << m.weapon << ",\"armour\":" << m.armour << "}";
}

void WriteTable(std::ostream& o, const char* name, const std::optional<Milestone>* table, int n) {
  o << "\"" << name << "\":{";
  bool first = true;
  for (int i = 0; i < n; ++i) {
    if (!table[i]) continue;
    o << (first ? "" : ",") << "\"" << i << "\":";
    WriteMilestone(o, *table[i]);
    first = false;
  }
  o << "},\n";
}

}  // namespace

Milestone Report::Now(const GameState& g, int tick) const {
  return {tick, g.Level, g.WeaponItem, g.ArmourItem, g.Gold};
}

std::vector<std::string> Report::Observe(const GameState& g, int tick) {
  std::vector<std::string> news;
  Milestone now = Now(g, tick);
  for (int d = 0; d < kDungeons; ++d) {
    if (!entrances_[d] && g.GameMode != kModeTitle && g.GameMode != kModeSelect && g.Level > 0 &&
        g.Gold >= g.WorldEntrances[d].GoldThreshold) {
      entrances_[d] = now;
      news.push_back(Line("entrance open", d, now));
    }
    if (!dungeons_[d] && g.GameMode == kModePlay && g.DungeonIndex == d) {
      dungeons_[d] = now;
      news.push_back(Line("entered dungeon", d, now));
    }
    if (!bosses_[d] && g.BossDefeated[d]) {
      bosses_[d] = now;
      news.push_back(Line("boss fell in dungeon", d, now));
    }
  }
  if (g.GameMode == kModeGameOver && lastMode_ != kModeGameOver) {
    deaths_.push_back({now, g.DungeonIndex, g.FloorIndex});
    news.push_back(Line("died on a floor of dungeon", g.DungeonIndex, now) + " floor " +
                   std::to_string(g.FloorIndex));
  }
  if (g.GameMode == kModeEnding && !ending_) {
    ending_ = now;
    news.push_back(Line("the ending began", -1, now));
  }
  if (ending_ && !endingDone_ && lastMode_ == kModeEnding && g.GameMode == kModeWorld) {
    endingDone_ = now;
    news.push_back(Line("back on the world map after the ending", -1, now));
  }
  if (lastLevel_ > 0 && g.Level > lastLevel_) levels_.push_back(now);
  if (tick % kGoldEvery == 0 && (gold_.empty() || gold_.back().second != g.Gold)) gold_.push_back({tick, g.Gold});
  lastLevel_ = g.Level;
  lastMode_ = g.GameMode;
  return news;
}

std::string Report::TableRow(int hero, uint32_t seed, int level, double wallSeconds) const {
  std::ostringstream o;
  o << "| " << hero << " | " << seed << " | ";
  if (ending_) o << ending_->tick << " | " << ending_->tick / 20 / 60 << " min";
  else o << "not reached | -";
  o << " | " << static_cast<int>(wallSeconds + 0.5) << " s | " << deaths_.size() << " | " << level << " |";
  for (int d = 0; d < kDungeons; ++d)
    if (bosses_[d]) o << " " << bosses_[d]->tick;
  o << " |";
  return o.str();
}

std::string Report::Json(int hero, uint32_t seed, int ticks, double wallSeconds) const {
  std::ostringstream o;
  o << "{\"hero\":" << hero << ",\"seed\":" << seed << ",\"ticks\":" << ticks
    << ",\"game_seconds\":" << ticks / 20.0 << ",\"wall_seconds\":" << wallSeconds << ",\n";
  o << "\"ending_tick\":";
  if (ending_) o << ending_->tick; else o << "null";
  o << ",\"ending_returned_tick\":";
  if (endingDone_) o << endingDone_->tick; else o << "null";
  o << ",\n";
  WriteTable(o, "entrances", entrances_, kDungeons);
  WriteTable(o, "dungeons", dungeons_, kDungeons);
  WriteTable(o, "bosses", bosses_, kDungeons);
  o << "\"ending\":";
  if (ending_) WriteMilestone(o, *ending_); else o << "null";
  o << ",\n\"deaths\":[";
  for (size_t i = 0; i < deaths_.size(); ++i) {
    o << (i ? "," : "") << "{\"dungeon\":" << deaths_[i].dungeon << ",\"floor\":" << deaths_[i].floor
      << ",\"at\":";
    WriteMilestone(o, deaths_[i].at);
    o << "}";
  }
  o << "],\n\"levels\":[";
  for (size_t i = 0; i < levels_.size(); ++i)
    o << (i ? "," : "") << "{\"level\":" << levels_[i].level << ",\"tick\":" << levels_[i].tick << "}";
  o << "],\n\"gold\":[";
  for (size_t i = 0; i < gold_.size(); ++i) o << (i ? "," : "") << "[" << gold_[i].first << "," << gold_[i].second << "]";
  o << "]}\n";
  return o.str();
}

}  // namespace autoplay
