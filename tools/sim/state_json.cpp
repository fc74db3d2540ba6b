#include "state_json.h"

#include <sstream>
#include <vector>

#include "audio/sound.h"
#include "state/form.h"
#include "state/state.h"

namespace {

// A small writer that keeps commas and nesting right.
class Json {
 public:
  void Begin(char open) {
    Comma();
    out_ << open;
    first_.push_back(true);
  }
  void End(char close) {
    out_ << close;
    first_.pop_back();
  }
  void Key(const char* name) {
    Comma();
    out_ << '"' << name << "\":";
    pendingValue_ = true;
  }
  template <typename T>
  void Value(T v) {
    Comma();
    out_ << static_cast<long long>(v);
  }
  void Bool(bool v) {
    Comma();
    out_ << (v ? "true" : "false");
  }
  template <typename T>
  void Field(const char* name, T v) {
    Key(name);
    Value(v);
  }
  template <typename T>
  void Array(const char* name, const T* values, int count) {
    Key(name);
    Begin('[');
    for (int i = 0; i < count; ++i) Value(values[i]);
    End(']');
  }
  std::string Text() const { return out_.str(); }

 private:
  void Comma() {
    if (pendingValue_) {
      pendingValue_ = false;
      return;
    }
    if (!first_.empty()) {
      if (!first_.back()) out_ << ',';
      first_.back() = false;
    }
  }
  std::ostringstream out_;
  std::vector<bool> first_;
  bool pendingValue_ = false;
};

void Monster(Json& j, const MonsterRecord& m) {
  j.Begin('{');
  j.Field("X", m.X);
  j.Field("Y", m.Y);
  j.Field("MaxHP", m.MaxHP);
  j.Field("HP", m.HP);
  j.Field("Attack", m.Attack);
  j.Field("Defence", m.Defence);
  j.Field("ExpValue", m.ExpValue);
  j.Field("Gold", m.Gold);
  j.Field("Kind", m.Kind);
  j.Field("Height", m.Height);
  j.Field("Width", m.Width);
  j.Field("IsBoss", m.IsBoss);
  j.Field("State", m.State);
  j.Field("Behaviour", m.Behaviour);
  j.Field("Facing", m.Facing);
  j.Field("StepLeft", m.StepLeft);
  j.Field("SpriteRow", m.SpriteRow);
  j.Field("AnimFrame", m.AnimFrame);
  j.Field("MoveTimer", m.MoveTimer);
  j.Field("MoveDelay", m.MoveDelay);
  j.Field("SplatColumn", m.SplatColumn);
  j.Field("IsChest", m.IsChest);
  j.Field("FreezeTicks", m.FreezeTicks);
  j.Field("BurnTicks", m.BurnTicks);
  j.Field("DropItem", m.DropItem);
  j.Field("DropChance", m.DropChance);
  j.Field("RareDropItem", m.RareDropItem);
  j.Field("Shoots", m.Shoots);
  j.Field("ShotLife", m.ShotLife);
  j.Field("ShotSpeed", m.ShotSpeed);
  j.Field("ShotLook", m.ShotLook);
  j.Field("ShotRate", m.ShotRate);
  j.End('}');
}

void Shot(Json& j, const ShotRecord& s) {
  j.Begin('{');
  j.Field("Active", s.Active);
  j.Field("Byte1", s.Byte1);
  j.Field("X", s.X);
  j.Field("Y", s.Y);
  j.Field("Life", s.Life);
  j.Field("Speed", s.Speed);
  j.Field("Direction", s.Direction);
  j.Field("HeldLook", s.HeldLook);
  j.Field("Look", s.Look);
  j.Field("Attack", s.Attack);
  j.End('}');
}

void Trap(Json& j, const TrapRecord& t) {
  j.Begin('{');
  j.Field("Armed", t.Armed);
  j.Field("Sprung", t.Sprung);
  j.Field("X", t.X);
  j.Field("Y", t.Y);
  j.Field("TrapKind", t.TrapKind);
  j.End('}');
}

void Coin(Json& j, const CoinRecord& c) {
  j.Begin('{');
  j.Field("Active", c.Active);
  j.Field("X", c.X);
  j.Field("Y", c.Y);
  j.Field("Lifetime", c.Lifetime);
  j.Field("Amount", c.Amount);
  j.Field("Frame", c.Frame);
  j.End('}');
}

void FloorItem(Json& j, const FloorItemRecord& f) {
  j.Begin('{');
  j.Field("Present", f.Present);
  j.Field("X", f.X);
  j.Field("Y", f.Y);
  j.Field("Item", f.Item);
  j.End('}');
}

template <typename T, int N, typename F>
void Records(Json& j, const char* name, const T (&records)[N], F write) {
  j.Key(name);
  j.Begin('[');
  for (const T& r : records) write(j, r);
  j.End(']');
}

// The saved game's fields, in the record's order.
void SavedFields(Json& j) {
  j.Field("HeroX", G.HeroX);
  j.Field("HeroY", G.HeroY);
  j.Field("FloorIndex", G.FloorIndex);
  j.Field("WorldX", G.WorldX);
  j.Field("WorldY", G.WorldY);
  j.Field("WalkFrame", G.WalkFrame);
  j.Field("Facing", G.Facing);
  j.Field("Level", G.Level);
  j.Field("MaxHP", G.MaxHP);
  j.Field("HP", G.HP);
  j.Field("Strength", G.Strength);
  j.Field("Defence", G.Defence);
  j.Field("Experience", G.Experience);
  j.Field("Gold", G.Gold);
  j.Field("Reserved1", G.Reserved1);
  j.Field("HeroIndex", G.HeroIndex);
  j.Field("WeaponItem", G.WeaponItem);
  j.Field("ArmourItem", G.ArmourItem);
  j.Field("Reserved2", G.Reserved2);
  j.Field("Reserved3", G.Reserved3);
  j.Field("PendingExperience", G.PendingExperience);
  j.Field("DungeonIndex", G.DungeonIndex);
  j.Field("GameMode", G.GameMode);
  Records(j, "Monsters", G.Monsters, Monster);
  j.Field("MusicTrack", G.MusicTrack);
  j.Field("MusicOn", G.MusicOn);
  j.Field("EffectsOn", G.EffectsOn);
  j.Field("TickInterval", G.TickInterval);
  j.Array("Inventory", G.Inventory, 64);
  Records(j, "FloorItems", G.FloorItems, FloorItem);
  j.Field("InventoryCursor", G.InventoryCursor);
  Records(j, "HeroShots", G.HeroShots, Shot);
  Records(j, "MonsterShots", G.MonsterShots, Shot);
  Records(j, "Traps", G.Traps, Trap);
  Records(j, "Coins", G.Coins, Coin);
  j.Field("MenuPage", G.MenuPage);
  j.Array("BossDefeated", G.BossDefeated, 20);
}

// What a running game holds beyond the record, the window's state and the sounds played.
void RunningFields(Json& j) {
  j.Field("TickCount", G.TickCount);
  j.Field("SpeechIndex", G.SpeechIndex);
  j.Field("MessageTimer", G.MessageTimer);
  j.Field("MessageItem", G.MessageItem);
  j.Field("StairLatch", G.StairLatch);
  j.Array("KeyState", G.KeyState, 8);
  j.Key("K1Enabled");
  j.Bool(Form1.K1.Enabled);
  j.Key("K2Enabled");
  j.Bool(Form1.K2.Enabled);
  j.Key("Timer1Enabled");
  j.Bool(Form1.Timer1.Enabled);
  j.Field("Timer1Interval", Form1.Timer1.Interval);
  const auto& music = audio::MusicCalls();
  const auto& effects = audio::EffectCalls();
  j.Array("music", music.data(), static_cast<int>(music.size()));
  j.Array("effects", effects.data(), static_cast<int>(effects.size()));
}

}  // namespace

std::string StateJson() {
  Json j;
  j.Begin('{');
  SavedFields(j);
  RunningFields(j);
  j.End('}');
  return j.Text() + "\n";
}
