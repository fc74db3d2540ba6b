// The check of a saved game before it replaces the running one. The record has no version
// and no checksum, and the game indexes its tables and sprite sheets with the saved values
// directly, so a damaged or foreign file is refused here, naming the first value that no
// game could have written. The ranges are those that play keeps; wherever play can reach a
// value, it is accepted.
#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "state/state.h"
#include "persist/save.h"

namespace persist {

namespace {

// Positions, hit points and the other counters of the objects never get anywhere near this
// in play (a floor is 1440 pixels, the strongest monster has 13000 hit points); below it no
// sum or difference the rules form can overflow.
constexpr long long kMagnitude = 1000000;
constexpr int kItemCount = 150;
constexpr int kEmptySlot = 255;
constexpr int kShotLooks = 26;  // rows of the shot sheet

class Checker {
 public:
  bool Failed() const { return problem_.has_value(); }
  std::optional<std::string> Problem() const { return problem_; }

  // Names the record being checked, such as "Monsters[3].", for the messages.
  void SetPrefix(std::string prefix) { prefix_ = std::move(prefix); }

  void Range(const char* field, long long value, long long lo, long long hi) {
    if (Failed() || (value >= lo && value <= hi)) return;
    Fail(field, value, std::to_string(lo) + "〜" + std::to_string(hi));
  }
  void Flag(const char* field, long long value) { Range(field, value, 0, 1); }
  void Magnitude(const char* field, long long value) {
    Range(field, value, -kMagnitude, kMagnitude);
  }
  void Item(const char* field, long long value) { Range(field, value, 0, kItemCount - 1); }
  void Fail(const char* field, long long value, const std::string& expected) {
    if (Failed()) return;
    problem_ = prefix_ + field + " が " + std::to_string(value) + " です（" + expected +
               " のはずです）";
  }

 private:
  std::string prefix_;
  std::optional<std::string> problem_;
};

void CheckHero(const GameState& s, Checker& c) {
  c.SetPrefix("");
  c.Magnitude("HeroX", s.HeroX);
  c.Magnitude("HeroY", s.HeroY);
  c.Range("FloorIndex", s.FloorIndex, 0, 9);
  c.Magnitude("WorldX", s.WorldX);
  c.Magnitude("WorldY", s.WorldY);
  c.Range("WalkFrame", s.WalkFrame, 0, 15);
  c.Range("Facing", s.Facing, 0, 3);
  // Zero is the value of a program that has not started a game yet (the title screen); a
  // hero of any other mode has been made, and a hero without hit points to have would die
  // on its first tick or divide the status bar by zero.
  const long long least = s.GameMode == kModeTitle ? 0 : 1;
  c.Range("Level", s.Level, least, 99);
  c.Range("MaxHP", s.MaxHP, least, 9999);
  if (!c.Failed()) c.Range("HP", s.HP, 0, s.MaxHP);
  c.Range("Strength", s.Strength, 0, 999);
  c.Range("Defence", s.Defence, 0, 999);
  c.Range("Experience", s.Experience, 0, 999999);
  c.Range("Gold", s.Gold, 0, 999999);
  c.Range("HeroIndex", s.HeroIndex, 0, 3);
  c.Item("WeaponItem", s.WeaponItem);
  c.Item("ArmourItem", s.ArmourItem);
  c.Range("PendingExperience", s.PendingExperience, 0, 1000000000);
  // The game holds a real dungeon and floor in every mode (0 before the first dungeon), and
  // the menu's whole map and the game-over screen read them, so no mode is exempt.
  c.Range("DungeonIndex", s.DungeonIndex, 0, 8);
  c.Range("GameMode", s.GameMode, 0, 6);
}

void CheckMonster(const MonsterRecord& m, int slot, Checker& c) {
  c.SetPrefix("Monsters[" + std::to_string(slot) + "].");
  c.Range("State", m.State, 0, 2);
  // An empty slot is ignored by everything; rolling a new monster into it sets every value
  // that is used.
  if (c.Failed() || m.State == Empty) return;
  if (m.Kind > 3 && m.Kind != 100) c.Fail("Kind", m.Kind, "0〜3 または 100");
  c.Flag("IsBoss", m.IsBoss);
  c.Flag("IsChest", m.IsChest);
  c.Range("Behaviour", m.Behaviour, 0, 6);
  c.Range("Facing", m.Facing, 0, 3);
  c.Range("AnimFrame", m.AnimFrame, 0, 3);
  c.Range("SplatColumn", m.SplatColumn, 0, 5);
  // Bosses come from a sheet of one row, the others from three rows; chests are drawn from
  // the hero sheet and do not use the row.
  if (m.IsBoss)
    c.Range("SpriteRow", m.SpriteRow, 0, 0);
  else if (!m.IsChest)
    c.Range("SpriteRow", m.SpriteRow, 0, 2);
  c.Item("DropItem", m.DropItem);
  c.Item("RareDropItem", m.RareDropItem);
  c.Flag("Shoots", m.Shoots);
  if (m.Shoots) c.Range("ShotLook", m.ShotLook, 0, kShotLooks - 1);
  c.Magnitude("X", m.X);
  c.Magnitude("Y", m.Y);
  c.Range("MaxHP", m.MaxHP, 0, kMagnitude);
  c.Magnitude("HP", m.HP);
  c.Magnitude("Attack", m.Attack);
  c.Magnitude("Defence", m.Defence);
  c.Magnitude("ExpValue", m.ExpValue);
  c.Range("Gold", m.Gold, 0, kMagnitude);
  c.Magnitude("Height", m.Height);
  c.Magnitude("Width", m.Width);
  c.Magnitude("MoveTimer", m.MoveTimer);
  c.Magnitude("MoveDelay", m.MoveDelay);
  c.Magnitude("FreezeTicks", m.FreezeTicks);
  c.Magnitude("BurnTicks", m.BurnTicks);
  c.Range("DropChance", m.DropChance, 0, kMagnitude);
}

// A free shot is filled anew when fired, so only shots in flight are checked.
void CheckShot(const ShotRecord& r, const char* table, int index, Checker& c) {
  c.SetPrefix(std::string(table) + "[" + std::to_string(index) + "].");
  c.Flag("Active", r.Active);
  if (c.Failed() || !r.Active) return;
  c.Range("Direction", r.Direction, 0, 3);
  c.Range("Look", r.Look, 0, kShotLooks - 1);
  c.Magnitude("X", r.X);
  c.Magnitude("Y", r.Y);
  c.Magnitude("Life", r.Life);
  c.Magnitude("Attack", r.Attack);
}

void CheckObjects(const GameState& s, Checker& c) {
  for (int i = 0; i < 10; ++i) CheckShot(s.HeroShots[i], "HeroShots", i, c);
  for (int i = 0; i < 10; ++i) CheckShot(s.MonsterShots[i], "MonsterShots", i, c);
  for (int i = 0; i < 10; ++i) {
    const TrapRecord& t = s.Traps[i];
    c.SetPrefix("Traps[" + std::to_string(i) + "].");
    c.Flag("Armed", t.Armed);
    c.Flag("Sprung", t.Sprung);
    if (t.Armed || t.Sprung) {
      c.Magnitude("X", t.X);
      c.Magnitude("Y", t.Y);
    }
  }
  for (int i = 0; i < 100; ++i) {
    const CoinRecord& coin = s.Coins[i];
    c.SetPrefix("Coins[" + std::to_string(i) + "].");
    c.Flag("Active", coin.Active);
    // A dropped coin keeps its old frame, so even a free coin's frame must be a cell.
    c.Range("Frame", coin.Frame, 0, 5);
    if (coin.Active) {
      c.Magnitude("X", coin.X);
      c.Magnitude("Y", coin.Y);
      c.Magnitude("Lifetime", coin.Lifetime);
      c.Range("Amount", coin.Amount, 0, kMagnitude);
    }
  }
  for (int i = 0; i < 100; ++i) {
    const FloorItemRecord& f = s.FloorItems[i];
    c.SetPrefix("FloorItems[" + std::to_string(i) + "].");
    c.Flag("Present", f.Present);
    if (f.Present) {
      c.Item("Item", f.Item);
      c.Magnitude("X", f.X);
      c.Magnitude("Y", f.Y);
    }
  }
}

void CheckRest(const GameState& s, Checker& c) {
  c.SetPrefix("");
  c.Flag("MusicOn", s.MusicOn);
  c.Flag("EffectsOn", s.EffectsOn);
  // The options dialog offers 1 to 100 ms; 0 would run the timer without pause.
  c.Range("TickInterval", s.TickInterval, 1, 100);
  for (int i = 0; i < 64 && !c.Failed(); ++i) {
    int item = s.Inventory[i];
    if (item >= kItemCount && item != kEmptySlot) {
      c.SetPrefix("Inventory[" + std::to_string(i) + "]");
      c.Fail("", item, "0〜149 または 255");
    }
  }
  c.SetPrefix("");
  c.Range("InventoryCursor", s.InventoryCursor, 0, 63);
  c.Range("MenuPage", s.MenuPage, 0, 2);
  for (int i = 0; i < 20; ++i) {
    c.SetPrefix("BossDefeated[" + std::to_string(i) + "]");
    c.Flag("", s.BossDefeated[i]);
  }
}

}  // namespace

std::optional<std::string> CheckSaveRecord(const uint8_t* data) {
  auto s = std::make_unique<GameState>();
  std::memcpy(s.get(), data, kSavedStretchSize);
  std::memcpy(s->BossDefeated, data + kBossDefeatedOffset, kBossDefeatedCount);

  Checker c;
  CheckHero(*s, c);
  for (int slot = 0; slot < 40; ++slot) CheckMonster(s->Monsters[slot], slot, c);
  CheckObjects(*s, c);
  CheckRest(*s, c);
  return c.Problem();
}

}  // namespace persist
