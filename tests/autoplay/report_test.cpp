// The scripted player's milestones: each is taken once, on the tick it happens, and the
// report says plainly when the ending was not reached.
#include <gtest/gtest.h>

#include <string>

#include "autoplay/report.h"
#include "state/state.h"
#include "support/test_support.h"

using autoplay::Report;

namespace {

bool Has(const std::string& json, const std::string& part) { return json.find(part) != std::string::npos; }

}  // namespace

TEST(AutoplayReport, MilestonesAreTakenOnceWhenTheyHappen) {
  testsupport::ResetGame();
  Report r;
  G.GameMode = kModeTitle;
  EXPECT_TRUE(r.Observe(G, 1).empty());  // nothing counts before a hero is chosen
  G.GameMode = kModeWorld;
  G.Level = 1;
  G.Gold = 0;
  EXPECT_EQ(r.Observe(G, 2).size(), 1u);  // the first entrance is open from the start
  G.GameMode = kModePlay;
  G.DungeonIndex = 0;
  G.Gold = 499;
  r.Observe(G, 10);
  G.Gold = 500;
  G.Level = 2;
  r.Observe(G, 20);
  G.BossDefeated[0] = 1;
  r.Observe(G, 30);
  r.Observe(G, 31);  // still beaten: not taken again
  G.GameMode = kModeGameOver;
  G.FloorIndex = 3;
  r.Observe(G, 40);
  r.Observe(G, 41);  // the same death
  EXPECT_EQ(r.Deaths(), 1);
  EXPECT_TRUE(r.BossFell(0));
  EXPECT_FALSE(r.EndingBegan());
  std::string json = r.Json(0, 7, 50, 1.5);
  EXPECT_TRUE(Has(json, "\"ending_tick\":null")) << json;
  EXPECT_TRUE(Has(json, "\"entrances\":{\"0\":{\"tick\":2,")) << json;
  EXPECT_TRUE(Has(json, "\"1\":{\"tick\":20,\"level\":2,\"gold\":500")) << json;
  EXPECT_TRUE(Has(json, "\"dungeons\":{\"0\":{\"tick\":10,")) << json;
  EXPECT_TRUE(Has(json, "\"bosses\":{\"0\":{\"tick\":30,")) << json;
  EXPECT_TRUE(Has(json, "\"deaths\":[{\"dungeon\":0,\"floor\":3,\"at\":{\"tick\":40,")) << json;
  EXPECT_TRUE(Has(json, "\"levels\":[{\"level\":2,\"tick\":20}]")) << json;
  EXPECT_NE(r.TableRow(0, 7, 2, 1.5).find("not reached"), std::string::npos);
}

TEST(AutoplayReport, TheEndingCountsOnlyOnceItHasPlayedBackToTheWorldMap) {
  testsupport::ResetGame();
  Report r;
  G.Level = 30;
  G.GameMode = kModePlay;
  r.Observe(G, 100);
  G.GameMode = kModeEnding;
  r.Observe(G, 101);
  EXPECT_TRUE(r.EndingBegan());
  EXPECT_FALSE(r.EndingDone());
  G.GameMode = kModeWorld;
  r.Observe(G, 1701);
  EXPECT_TRUE(r.EndingDone());
  std::string json = r.Json(3, 1, 1701, 2);
  EXPECT_TRUE(Has(json, "\"ending_tick\":101,\"ending_returned_tick\":1701")) << json;
  EXPECT_EQ(r.TableRow(3, 1, 30, 2).rfind("| 3 | 1 | 101 |", 0), 0u);
}
