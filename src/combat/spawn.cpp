// Rolling monsters into the 40 slots and populating a floor.
#include "combat/spawn.h"

#include <cstring>

#include "combat/combat_util.h"
#include "state/random.h"
#include "state/records.h"
#include "state/state.h"

namespace {

// One rolled value: R(range) * mul + base, or just base when range is 0 (no draw).
struct Roll {
  int range;
  int mul;
  int base;
  int Draw() const { return range > 0 ? Random(range) * mul + base : base; }
};
constexpr Roll C(int v) { return {0, 1, v}; }
constexpr Roll R(int n, int plus = 0) { return {n, 1, plus}; }
constexpr Roll R10(int plus) { return {4, 10, plus}; }  // R(4) x 10 + plus

struct Shot {
  uint8_t life, speed, look, rate;
};
constexpr Shot kNoShot{0, 0, 0, 0};

// One row of a kind's values. The rolls are drawn in the order of the members, which is
// the order the game has always drawn them in; a saved seed replays the same monsters.
struct KindRow {
  unsigned dungeons;  // bit n: the row serves dungeon n
  int kind;
  Behaviour behaviour;
  Roll exp, att, def, delay, hp;
  uint8_t splat;
  Roll gold, drop;
  int chance;
  Roll rare;
  Shot shot;
  bool plusArmour = false;  // the attack gets the worn armour's defence added
};

constexpr unsigned D(int n) { return 1u << n; }

const KindRow kOrdinary[] = {
    {D(0), 1, Avoid, C(3), R(4, 1), C(0), R(10, 3), R(15, 25), 2, C(1), C(50), 15, C(52), kNoShot},
    {D(0), 2, Wander, C(6), R(3, 5), R(3, 3), C(13), R(20, 40), 1, C(1), C(50), 15, C(53), {10, 10, 9, 20}},
    {D(0), 3, Pursue, C(8), R(5, 7), C(0), R(5), R(15, 100), 3, C(1), R10(0), 30, C(52), kNoShot},
    {D(1), 1, Pursue, C(8), R(5, 7), C(0), R(5), R(15, 100), 3, C(1), R10(0), 30, C(52), kNoShot},
    {D(1), 2, Pursue, C(10), R(5, 1), C(10), R(3, 2), R(15, 100), 1, C(2), R(2, 50), 10, C(52), {10, 10, 9, 15}, true},
    {D(1), 3, Hunt, C(12), R(6, 10), C(10), R(5), R(30, 100), 1, C(3), R10(1), 30, R10(2), kNoShot},
    {D(2), 1, Hunt, C(12), R(6, 10), C(10), R(5), R(30, 100), 1, C(3), R10(1), 30, R10(2), kNoShot},
    {D(2), 2, Wander, C(15), R(6, 10), C(5), R(5), R(30, 130), 1, C(5), R10(2), 50, R10(3), kNoShot},
    {D(2), 3, Escape, C(20), R(80, 15), C(1), R(5, 5), R(30, 500), 1, C(50), C(100), 2, C(100), kNoShot},
    {D(3), 1, Wander, C(20), R(6, 20), C(10), R(5), R(30, 200), 2, C(10), R(2, 50), 5, R(2, 53), kNoShot},
    {D(3) | D(4), 2, Wander, R(10, 15), R(6, 20), C(1), R(5), R(30, 330), 4, C(20), R10(2), 50, R10(3), kNoShot},
    {D(3) | D(4), 3, Hunt, C(20), R(20, 15), C(25), R(5, 2), R(30, 100), 3, R(10, 30), R10(2), 20, R10(3), kNoShot},
    {D(4), 1, Spin, C(30), R(6, 30), C(10), R(5), R(30, 500), 3, C(0), R(2, 50), 9999, R(2, 53), kNoShot},
    {D(5), 1, Pursue, C(80), R(25, 15), C(25), R(5, 4), R(30, 500), 3, C(0), R10(6), 100, C(56), {10, 10, 13, 15}},
    {D(5), 2, Hunt, R(30, 50), R(6, 30), R(15, 20), R(5), R(30, 330), 3, R(300), R10(66), 100, C(56), kNoShot},
    {D(5) | D(6), 3, Spin, C(20), R(20, 15), C(25), R(5, 2), R(30, 100), 3, C(0), C(100), 200, C(100), {10, 30, 13, 3}},
    {D(6), 1, Hunt, C(85), R(25, 15), C(25), R(5), R(30, 500), 3, C(0), R10(7), 100, C(56), kNoShot},
    {D(6), 2, Wander, R(30, 50), R(6, 30), R(15), R(5), R(30, 330), 4, R(300), R10(67), 100, C(56), {10, 10, 18, 15}},
    {D(7), 1, Pursue, C(85), R(25, 25), C(25), R(5), R(30, 500), 1, R(350, 50), C(56), 1000, C(56), {5, 20, 18, 8}},
    {D(7), 2, Wander, R(30, 50), R(34, 30), C(1), R(5), R(30, 730), 0, R(300), C(56), 1000, C(56), {10, 10, 9, 8}},
    // The rare drop is one of the four best weapons: 9, 19, 29 or 39.
    {D(7), 3, Escape, C(300), R(80, 150), C(1), R(5, 5), R(30, 5000), 1, C(5000), C(100), 2, R10(9), kNoShot},
};

// Bosses by dungeon; the drop (and rare drop) is the key of the next dungeon's chests.
const KindRow kBosses[8] = {
    {D(0), 100, Pursue, C(200), R(5, 4), C(4), R(2, 3), R(200, 800), 1, C(400), C(102), 1, C(102), {10, 10, 9, 8}},
    {D(1), 100, Wander, C(500), C(10), C(8), C(4), R(200, 800), 1, C(1000), C(103), 1, C(103), {10, 10, 9, 3}},
    {D(2), 100, Wander, C(1000), C(20), C(8), C(0), R(500, 1200), 1, C(3000), C(104), 1, C(104), kNoShot},
    {D(3), 100, Wander, C(2000), C(20), C(1), C(0), R(500, 5200), 1, C(4000), C(105), 1, C(105), kNoShot},
    {D(4), 100, Hunt, C(4000), C(25), C(10), C(0), R(500, 5200), 1, C(4000), C(106), 1, C(106), kNoShot},
    {D(5), 100, Hunt, C(8000), R(10, 30), C(8), C(0), R(1000, 5000), 3, R(5000, 5000), C(107), 1, C(107), {20, 20, 22, 1}},
    {D(6), 100, Wander, C(10000), R(10, 50), C(10), C(0), R(1000, 5000), 2, R(5000, 8000), C(108), 1, C(108), {20, 20, 18, 4}},
    {D(7), 100, Hunt, C(20000), R(10, 70), C(10), C(0), R(1000, 9000), 0, R(5000, 8000), C(109), 1, C(109), kNoShot},
};

// The final opponent of dungeon 8, by the hero chosen.
const KindRow kFinal[4] = {
    {D(8), 1, Pursue, C(0), R(34, 85), C(40), C(1), R(5000, 3000), 1, C(0), C(56), 1000, C(56), {20, 25, 13, 1}},
    {D(8), 1, Pursue, C(0), R(34, 80), C(10), C(1), R(5000, 3000), 1, C(0), C(56), 1000, C(56), {20, 25, 23, 1}},
    {D(8), 1, Pursue, C(0), R(34, 50), C(30), C(2), R(5000, 3000), 1, C(0), C(56), 1000, C(56), {20, 25, 9, 5}},
    {D(8), 1, Pursue, C(0), R(34, 90), C(60), C(2), R(5000, 8000), 1, C(0), C(56), 1000, C(56), {20, 25, 7, 1}},
};

const KindRow* FindRow(int dungeon, int kind) {
  if (dungeon < 0 || dungeon > 8) return nullptr;
  if (kind == 100) return dungeon < 8 ? &kBosses[dungeon] : nullptr;
  if (dungeon == 8) {
    if (kind != 1 || G.HeroIndex < 0 || G.HeroIndex > 3) return nullptr;
    return &kFinal[G.HeroIndex];
  }
  for (const KindRow& row : kOrdinary) {
    if ((row.dungeons & D(dungeon)) && row.kind == kind) return &row;
  }
  return nullptr;
}

void ApplyRow(MonsterRecord& m, const KindRow& row, int kind) {
  if (kind == 100) m.IsBoss = 1;
  m.SpriteRow = (kind == 100 || G.DungeonIndex == 8) ? 0 : kind - 1;
  m.Behaviour = row.behaviour;
  m.ExpValue = row.exp.Draw();
  m.Attack = row.att.Draw();
  if (row.plusArmour) m.Attack += combat::Armour().Defence;
  m.Defence = row.def.Draw();
  m.MoveDelay = row.delay.Draw();
  m.MaxHP = row.hp.Draw();
  m.SplatColumn = row.splat;
  m.Gold = row.gold.Draw();
  m.DropItem = static_cast<uint8_t>(row.drop.Draw());
  m.DropChance = row.chance;
  m.RareDropItem = static_cast<uint8_t>(row.rare.Draw());
  if (row.shot.life != 0 || row.shot.speed != 0) {
    m.Shoots = 1;
    m.ShotLife = row.shot.life;
    m.ShotSpeed = row.shot.speed;
    m.ShotLook = row.shot.look;
    m.ShotRate = row.shot.rate;
  }
}

void RollChest(MonsterRecord& m) {
  const int d = G.DungeonIndex;
  m.IsChest = 1;
  m.SpriteRow = 8;
  m.Behaviour = Stand;
  m.ExpValue = 0;
  m.Attack = 0;
  m.Defence = 0;
  m.Facing = static_cast<uint8_t>(Random(4));  // the chest's look
  m.MoveDelay = 10;
  // Unsigned arithmetic: a damaged dungeon number wraps instead of overflowing.
  uint32_t size = static_cast<uint32_t>(d) + 1u;
  m.MaxHP = static_cast<int32_t>(20u * size * size + static_cast<uint32_t>(G.Strength));
  m.SplatColumn = 0;
  m.Gold = 0;
  switch (Random(4)) {
    case 0: {  // a weapon
      int family = Random(4) * 10;
      m.DropItem = static_cast<uint8_t>(family + Random(d + 1));
      m.DropChance = 1;
      break;
    }
    case 1: {  // an armour
      int family = Random(4) * 10;
      m.DropItem = static_cast<uint8_t>(family + Random(d + 1) + 60);
      m.DropChance = 1;
      break;
    }
    case 2:  // a medicine
      m.DropItem = static_cast<uint8_t>(Random(d + 1) + 50);
      m.DropChance = 1;
      break;
    default:  // coins only: the item is practically never given
      m.DropItem = 50;
      m.Gold = Random(10 * d + 10) * (d + 1);
      m.DropChance = 999999;
      break;
  }
}

// Monsters are placed on walkable tiles anywhere on the floor, hero or not. Row and column
// 59 are never chosen (the draw is R(59)).
void Place(MonsterRecord& m) {
  for (int attempt = 0; attempt < 256; ++attempt) {
    int r = Random(59);
    int c = Random(59);
    if (!SolidAt(c * kTileSize, r * kTileSize)) {
      m.X = c * kTileSize;
      m.Y = r * kTileSize;
      m.State = Active;
      return;
    }
    m.State = Empty;
  }
}

bool BossAlreadyBeaten(const MonsterRecord& m) {
  int d = G.DungeonIndex;
  return m.IsBoss == 1 && d >= 0 && d < 20 && G.BossDefeated[d] != 0;
}

// n x k: slots 0..n-1, each with its own kind (drawn anew per slot when random).
template <typename KindFn>
void Fill(int n, KindFn kind) {
  for (int slot = 0; slot < n; ++slot) SpawnMonster(1, slot, kind());
}
void Fill(int n, int kind) {
  Fill(n, [kind] { return kind; });
}
void FillOneOrTwo(int n) {
  Fill(n, [] { return 1 + Random(2); });
}
void Boss() { SpawnMonster(1, 39, 100); }

void PopulateDungeon0(int f) {
  if (f <= 1) Fill(10, 1);
  else if (f <= 3) FillOneOrTwo(20);
  else if (f <= 5) Fill(20, [] { return 1 + Random(3); });
  else if (f == 6) Boss();
}

void PopulateDungeon1Or3(int d, int f) {
  if (f <= 1) {
    if (d == 1) Fill(15, 1);
    else Fill(15, [] { return 1 + Random(3); });
  } else if (f <= 5) {
    FillOneOrTwo(11);
  } else if (f == 6) {
    Fill(5, 3);
  } else if (f == 7) {
    Boss();
  }
}

void PopulateDungeon2(int f) {
  if (f == 0) {
    FillOneOrTwo(15);
  } else if (f <= 5) {
    FillOneOrTwo(4);
  } else if (f <= 8) {
    FillOneOrTwo(15);
    if (Random(10) == 0) SpawnMonster(1, 15, 3);
  } else if (f == 9) {
    Boss();
    if (Random(2) == 0) SpawnMonster(1, 0, 3);
  }
}

void PopulateDungeon4(int f) {
  if (f == 0 || f == 3) Fill(5, 2);
  else if (f <= 5) FillOneOrTwo(15);
  else if (f <= 8) Fill(15, [] { return 2 + Random(2); });
  else if (f == 9) Boss();
}

void PopulateDungeon5(int f) {
  if (f == 3) Boss();
  else if (f == 4) Fill(25, [] { return 2 + Random(2); });
  else if (f == 5) FillOneOrTwo(25);
  else if (f >= 7 && f <= 9) FillOneOrTwo(15);
}

void PopulateDungeon6(int f) {
  if (f <= 2) Fill(10, 2);
  else if (f <= 4) FillOneOrTwo(25);
  else if (f <= 7) Fill(3, 2);
  else if (f == 8) Fill(5, 2);
  else if (f == 9) {
    Fill(36, 2);
    Boss();
  }
}

void PopulateDungeon7(int f) {
  if (f == 0) {
    Fill(20, 1);
  } else if (f <= 4) {
    Fill(10, 1);
    SpawnMonster(1, 10, 2);
  } else if (f == 5) {
    Fill(30, 1);
    if (Random(3) == 0) SpawnMonster(1, 38, 3);
  } else if (f <= 7) {
    Fill(20, 2);
  } else if (f == 8) {
    Fill(20, 2);
    Boss();
  }
}

}  // namespace

void SpawnMonster(int mode, int slot, int kind) {
  if (slot < 0 || slot >= 40) return;
  MonsterRecord& m = G.Monsters[slot];
  if (mode == 2) {
    m.State = Empty;
    return;
  }
  if (mode != 1) return;
  if (BossAlreadyBeaten(m)) return;

  m.Facing = static_cast<uint8_t>(Random(4));
  m.StepLeft = 0;
  m.AnimFrame = 0;
  m.MoveTimer = 0;
  m.RareDropItem = 50;
  m.Shoots = 0;
  m.IsBoss = 0;
  m.Kind = static_cast<uint8_t>(kind);
  m.FreezeTicks = 0;
  m.BurnTicks = 0;
  m.IsChest = 0;
  m.Width = 20;
  m.Height = 20;

  if (kind == 0) {
    RollChest(m);
  } else if (const KindRow* row = FindRow(G.DungeonIndex, kind)) {
    ApplyRow(m, *row, kind);
  }
  m.HP = m.MaxHP;
  Place(m);
}

void PopulateFloor() {
  for (int slot = 0; slot < 40; ++slot) SpawnMonster(2, slot, 4);
  const int d = G.DungeonIndex;
  const int f = G.FloorIndex;
  // A floor number outside 0..9 (only a damaged save holds one) has no row.
  switch (f >= 0 && f <= 9 ? d : -1) {
    case 0: PopulateDungeon0(f); break;
    case 1:
    case 3: PopulateDungeon1Or3(d, f); break;
    case 2: PopulateDungeon2(f); break;
    case 4: PopulateDungeon4(f); break;
    case 5: PopulateDungeon5(f); break;
    case 6: PopulateDungeon6(f); break;
    case 7: PopulateDungeon7(f); break;
    case 8:
      if (f == 5) SpawnMonster(1, 0, 1);
      break;
    default: break;
  }
  for (int slot = 30; slot <= 37; ++slot) {
    if (Random(3) == 0) SpawnMonster(1, slot, 0);
  }
}
