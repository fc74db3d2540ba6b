// The byte image of a saved game. The game state keeps its saved stretch in file order, so
// the record is that stretch with its padding cleared, then the boss flags.
#include <cstring>
#include <memory>
#include <type_traits>

#include "state/state.h"
#include "persist/save.h"

static_assert(std::is_trivially_copyable_v<GameState>);
static_assert(persist::kBossDefeatedOffset == kSavedStretchSize);
static_assert(persist::kBossDefeatedOffset + persist::kBossDefeatedCount + 3 == kSaveRecordSize);

namespace {

// Padding carries no meaning and is written as zero, so that two saves of the same game are
// the same file. Bytes the game merely does not use (a shot's byte 1, the unused bytes of a
// floor item) are kept: they belong to the record as the game holds it.
void ClearPadding(GameState& s) {
  std::memset(s.Pad22, 0, sizeof s.Pad22);
  std::memset(s.Pad58, 0, sizeof s.Pad58);
  s.Pad3915 = 0;
  for (MonsterRecord& m : s.Monsters) {
    std::memset(m.Pad33, 0, sizeof m.Pad33);
    std::memset(m.Pad49, 0, sizeof m.Pad49);
    std::memset(m.Pad70, 0, sizeof m.Pad70);
    std::memset(m.Pad81, 0, sizeof m.Pad81);
    std::memset(m.Pad94, 0, sizeof m.Pad94);
  }
  for (FloorItemRecord& f : s.FloorItems) std::memset(f.Pad22, 0, sizeof f.Pad22);
  for (ShotRecord& r : s.HeroShots) std::memset(r.Pad2, 0, sizeof r.Pad2);
  for (ShotRecord& r : s.MonsterShots) std::memset(r.Pad2, 0, sizeof r.Pad2);
  for (TrapRecord& t : s.Traps) std::memset(t.Pad2, 0, sizeof t.Pad2);
  for (CoinRecord& c : s.Coins) {
    std::memset(c.Pad1, 0, sizeof c.Pad1);
    std::memset(c.Pad21, 0, sizeof c.Pad21);
  }
}

}  // namespace

std::vector<uint8_t> BuildSaveRecord() {
  // Cleared on a copy: saving must not change the running game.
  auto copy = std::make_unique<GameState>(G);
  ClearPadding(*copy);

  std::vector<uint8_t> record(kSaveRecordSize, 0);
  std::memcpy(record.data(), copy.get(), kSavedStretchSize);
  std::memcpy(record.data() + persist::kBossDefeatedOffset, G.BossDefeated,
              persist::kBossDefeatedCount);
  return record;
}

namespace persist {

void ApplySaveRecord(const uint8_t* data) {
  std::memcpy(&G, data, kSavedStretchSize);
  std::memcpy(G.BossDefeated, data + kBossDefeatedOffset, kBossDefeatedCount);
  ClearPadding(G);
}

}  // namespace persist
