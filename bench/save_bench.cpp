// The saved record's round trip as the soak uses it after every tick: the record of a busy
// game built, then checked field by field.
#include <benchmark/benchmark.h>

#include "persist/save.h"
#include "state/state.h"
#include "support/test_support.h"

namespace {

// Every object slot in use, so that the check reads every field it has.
void BusyGame() {
  testsupport::ResetGame();
  G.GameMode = kModePlay;
  G.Level = G.MaxHP = G.HP = 10;
  G.TickInterval = 50;
  for (MonsterRecord& m : G.Monsters) {
    m.State = Active;
    m.Kind = 1;
    m.Shoots = 1;
  }
  for (ShotRecord& s : G.HeroShots) s.Active = 1;
  for (ShotRecord& s : G.MonsterShots) s.Active = 1;
  for (CoinRecord& c : G.Coins) c.Active = 1;
  for (FloorItemRecord& f : G.FloorItems) f.Present = 1;
}

void BM_BuildSaveRecord(benchmark::State& state) {
  BusyGame();
  for (auto _ : state) benchmark::DoNotOptimize(BuildSaveRecord());
}
BENCHMARK(BM_BuildSaveRecord);

void BM_CheckSaveRecord(benchmark::State& state) {
  BusyGame();
  std::vector<uint8_t> record = BuildSaveRecord();
  if (persist::CheckSaveRecord(record.data())) state.SkipWithError("the busy game is refused");
  for (auto _ : state) benchmark::DoNotOptimize(persist::CheckSaveRecord(record.data()));
}
BENCHMARK(BM_CheckSaveRecord);

}  // namespace
