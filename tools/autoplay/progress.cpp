#include "progress.h"

#include <algorithm>
#include <cstdlib>
#include <set>

namespace autoplay {

bool ProgressWatch::Gained(const Earnings& was, const Earnings& now) {
  // A boss's hit points come back when it is met again, so only a fall counts as a gain; a
  // death takes experience and gold, which is no gain either.
  return now.level > was.level || now.experience > was.experience || now.gold > was.gold ||
         now.belongings != was.belongings || now.bosses > was.bosses ||
         (now.bossHp > 0 && was.bossHp > 0 && now.bossHp < was.bossHp) ||
         now.floorsSeen > was.floorsSeen;
}

bool ProgressWatch::Stalled(int tick, const Earnings& now) {
  if (!started_ || Gained(last_, now)) {
    started_ = true;
    since_ = tick;
    strikes_ = 0;
  }
  last_ = now;
  if (tick - since_ < window_) return false;
  since_ = tick;
  ++strikes_;
  return true;
}

bool MotionWatch::Stuck(int x, int y, bool moving, int step) {
  int slack = std::max(slack_, step);
  if (!moving || count_ == 0 || std::abs(x - fromX_) > slack || std::abs(y - fromY_) > slack) {
    count_ = moving ? 1 : 0;
    fromX_ = x;
    fromY_ = y;
    return false;
  }
  if (++count_ < ticks_) return false;
  count_ = 0;
  return true;
}

bool PlanWatch::Dithering(int tick, int plan) {
  if (!started_) {
    started_ = true;
    current_ = plan;
    return false;
  }
  if (plan == current_) return false;
  int left = current_;
  current_ = plan;
  changes_.push_back({tick, plan});
  while (!changes_.empty() && tick - changes_.front().first > window_) changes_.pop_front();
  if (static_cast<int>(changes_.size()) < flips_) return false;
  std::set<int> plans;
  for (const auto& c : changes_) plans.insert(c.second);
  if (plans.size() > 2) return false;
  changes_.clear();
  other_ = left;
  return true;
}

bool SpringWatch::Losing(int tick, int hp, int maxHp, bool inSpring) {
  if (!inSpring || hp >= maxHp) {
    watching_ = false;
    return false;
  }
  if (!watching_ || tick - since_ >= window_) {
    bool losing = watching_ && (hp - from_) * 4 < window_;
    watching_ = true;
    since_ = tick;
    from_ = hp;
    return losing;
  }
  return false;
}

}  // namespace autoplay
