// The player's judgement of a boss it has met and of the stair it flees by.
#include <gtest/gtest.h>

#include "autoplay/judge.h"

using namespace autoplay;

TEST(AutoplayJudge, ABossThatCanOnlyLoseIsFoughtWhateverTheLevel) {
  Power p;
  p.attack = 29;
  p.armour = 34;
  // Dungeon 5's boss as hero 2 meets it: its blows stopped by the armour, its armour passed.
  EXPECT_TRUE(Outgrown({true, 34, 8}, p));
  // One point of attack past the armour is a blow that lands on every touch and every shot.
  EXPECT_FALSE(Outgrown({true, 35, 8}, p));
  // A weapon only as strong as the boss's armour does nothing at all.
  EXPECT_FALSE(Outgrown({true, 20, 29}, p));
  // A boss never stood before is judged by the levels alone.
  EXPECT_FALSE(Outgrown({}, p));
}

TEST(AutoplayJudge, AFlightNeverLeadsDownToABossStillStanding) {
  // Dungeon 5 is entered at the top and its boss waits on floor 3: from floor 4 the stair
  // down to it is passed over for the one back up.
  EXPECT_EQ(FleeWay(4, 3, true), StairWay::Onward);
  // Dungeon 0's boss waits on floor 6, above floor 5.
  EXPECT_EQ(FleeWay(5, 6, true), StairWay::Back);
  // Away from the boss, or with the boss fallen, the nearest stair of either kind will do.
  EXPECT_EQ(FleeWay(1, 6, true), StairWay::None);
  EXPECT_EQ(FleeWay(5, 6, false), StairWay::None);
  EXPECT_EQ(FleeWay(4, 3, false), StairWay::None);
}
