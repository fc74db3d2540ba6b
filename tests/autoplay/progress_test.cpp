// What the scripted player watches to notice that its play goes nowhere: a window without
// gain, keys that take the hero nowhere, a choice that flips between two plans, and a spring
// that heals less than the monsters about it take.
#include <gtest/gtest.h>

#include <algorithm>

#include "autoplay/progress.h"

using namespace autoplay;

namespace {

Earnings Start() {
  Earnings e;
  e.level = 3;
  e.experience = 30;
  e.gold = 18;
  e.belongings = 4;
  e.floorsSeen = 7;
  return e;
}

// Runs the watch from `from` to `to` with the same earnings; the ticks at which it stalled.
std::vector<int> Watch(ProgressWatch& w, int from, int to, const Earnings& e) {
  std::vector<int> stalls;
  for (int t = from; t <= to; ++t)
    if (w.Stalled(t, e)) stalls.push_back(t);
  return stalls;
}

}  // namespace

TEST(AutoplayProgress, AWindowWithoutGainStallsAndEachFurtherOneStrikesAgain) {
  ProgressWatch w(100);
  Earnings e = Start();
  EXPECT_EQ(Watch(w, 0, 99, e), std::vector<int>{});
  EXPECT_EQ(Watch(w, 100, 350, e), (std::vector<int>{100, 200, 300}));
  EXPECT_EQ(w.Strikes(), 3);
  // One coin is a gain: the count of strikes and the window start again.
  e.gold += 1;
  EXPECT_EQ(Watch(w, 351, 450, e), std::vector<int>{});
  EXPECT_EQ(w.Strikes(), 0);
  EXPECT_EQ(Watch(w, 451, 451, e), std::vector<int>{451});
  // A restart after a change of plan gives it a whole window.
  w.Restart(460);
  EXPECT_EQ(Watch(w, 461, 559, e), std::vector<int>{});
}

TEST(AutoplayProgress, WhatCountsAsAGain) {
  struct Case {
    const char* what;
    void (*change)(Earnings&);
    bool gain;
  };
  const Case cases[] = {
      {"experience", [](Earnings& e) { e.experience += 2; }, true},
      {"a level", [](Earnings& e) { e.level += 1; e.experience = 0; }, true},
      {"an item picked up", [](Earnings& e) { e.belongings += 1; }, true},
      {"an item worn or dropped", [](Earnings& e) { e.belongings -= 1; }, true},
      {"a boss fallen", [](Earnings& e) { e.bosses += 1; }, true},
      {"a floor never seen", [](Earnings& e) { e.floorsSeen += 1; }, true},
      // A death takes gold and experience: no gain, however much changed.
      {"a death", [](Earnings& e) { e.gold /= 2; e.experience /= 2; }, false},
  };
  for (const Case& c : cases) {
    ProgressWatch w(50);
    Earnings e = Start();
    Watch(w, 0, 40, e);
    c.change(e);
    EXPECT_EQ(Watch(w, 41, 60, e).empty(), c.gain) << c.what;
  }
}

TEST(AutoplayProgress, OnlyWoundsToTheBossInSightCount) {
  ProgressWatch w(50);
  Earnings e = Start();
  e.bossHp = 900;
  Watch(w, 0, 40, e);
  e.bossHp = 880;  // a hit
  EXPECT_TRUE(Watch(w, 41, 80, e).empty());
  // Out of sight and met again at full strength: the hero has done nothing to it.
  e.bossHp = 0;
  Watch(w, 81, 85, e);
  e.bossHp = 972;
  EXPECT_EQ(Watch(w, 86, 100, e), std::vector<int>{91});
  // A boss whose armour the weapon cannot pass stands there unhurt: strike after strike.
  EXPECT_EQ(Watch(w, 101, 200, e), (std::vector<int>{141, 191}));
}

TEST(AutoplayProgress, KeysThatTakeTheHeroNowhereAreNoticed) {
  // Up and down by turns beside the water: the box never leaves a few pixels.
  MotionWatch dither(30, 6);
  int stuckAt = -1;
  for (int t = 0; t < 100 && stuckAt < 0; ++t)
    if (dither.Stuck(696, 752 + (t % 2 ? 3 : 0), true)) stuckAt = t;
  EXPECT_EQ(stuckAt, 29);
  // A step of hero 1's eight pixels there and back is as stuck, though past the slack.
  MotionWatch wide(30, 6);
  stuckAt = -1;
  for (int t = 0; t < 100 && stuckAt < 0; ++t)
    if (wide.Stuck(1112 + (t % 2 ? 8 : 0), 408, true, 8)) stuckAt = t;
  EXPECT_EQ(stuckAt, 29);
  // Walking on, however slowly, is not stuck.
  MotionWatch walk(30, 6);
  for (int t = 0; t < 200; ++t) EXPECT_FALSE(walk.Stuck(100 + t, 200, true)) << t;
  MotionWatch stride(30, 6);
  for (int t = 0; t < 200; ++t) EXPECT_FALSE(stride.Stuck(100 + 8 * t, 200, true, 8)) << t;
  // Standing still on purpose (shooting from where the hero stands) is not either.
  MotionWatch still(30, 6);
  for (int t = 0; t < 200; ++t) EXPECT_FALSE(still.Stuck(100, 200, false)) << t;
  // Pressed against a wall, it is noticed again after each unsticking.
  MotionWatch wall(30, 6);
  int times = 0;
  for (int t = 0; t < 90; ++t) times += wall.Stuck(48, 48, true);
  EXPECT_EQ(times, 3);
}

TEST(AutoplayProgress, TwoPlansTakenUpByTurnsAreDithering) {
  PlanWatch w(400, 8);
  // A coin and a monster, each looking nearer once the hero turns toward the other.
  int found = -1;
  for (int t = 0; t < 100 && found < 0; ++t)
    if (w.Dithering(t * 10, t % 2 ? 1101 : 3007)) found = t;
  ASSERT_EQ(found, 8);
  EXPECT_EQ(w.Other(), 1101);  // the one it kept leaving, to be let go of
  // A way that passes through many targets, one after another, is no dithering.
  PlanWatch many(400, 8);
  for (int t = 0; t < 100; ++t) EXPECT_FALSE(many.Dithering(t * 10, 1000 + t % 3)) << t;
  // Two plans changing now and then, over a long time, are not either.
  PlanWatch slow(400, 8);
  for (int t = 0; t < 100; ++t) EXPECT_FALSE(slow.Dithering(t * 100, t % 2)) << t;
  // Keeping one plan is never dithering.
  PlanWatch steady(400, 8);
  for (int t = 0; t < 100; ++t) EXPECT_FALSE(steady.Dithering(t, 5)) << t;
}

TEST(AutoplayProgress, ASpringThatCannotKeepUpIsNoticed) {
  // Hurt in the water with a pile of monsters on the hero: one point back a tick, two taken
  // every third tick, so the hit points hardly move between 1 and 21.
  SpringWatch pile(200);
  int hp = 10, losingAt = -1;
  for (int t = 0; t < 1000 && losingAt < 0; ++t) {
    hp = std::max(1, hp + 1 - (t % 3 == 0 ? 3 : 0));
    if (pile.Losing(t, hp, 107, true)) losingAt = t;
  }
  EXPECT_EQ(losingAt, 200);
  // A spring that heals, even slowly under a stray monster's blows, is stood in to the end.
  SpringWatch slow(200);
  hp = 1;
  for (int t = 0; t < 1000; ++t) {
    hp = std::min(400, hp + (t % 2 == 0 ? 1 : 0));
    EXPECT_FALSE(slow.Losing(t, hp, 400, true)) << t;
  }
  // Out of the water, or full, nothing is judged; each visit is judged on its own.
  SpringWatch visits(200);
  for (int t = 0; t < 1000; ++t) EXPECT_FALSE(visits.Losing(t, 5, 107, t % 150 != 0)) << t;
  for (int t = 1000; t < 2000; ++t) EXPECT_FALSE(visits.Losing(t, 107, 107, true)) << t;
  // Under a pile again, it is noticed again a window later, and on every window after.
  int times = 0;
  for (int t = 2000; t < 2601; ++t) times += visits.Losing(t, 5, 107, true);
  EXPECT_EQ(times, 3);
}
