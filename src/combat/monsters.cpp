// The monster pass: every slot in order comes back, moves, fights, dies and is drawn.
#include "combat/monsters.h"

#include "audio/sound.h"
#include "combat/combat_util.h"
#include "combat/loot.h"
#include "combat/shots.h"
#include "state/window_model.h"
#include "modes/mode_changes.h"
#include "state/random.h"
#include "state/records.h"
#include "state/state.h"
#include "content/heroes.h"

namespace {

using combat::NearHero;
using combat::TouchesHero;


void ComeBack(MonsterRecord& m) {
  if (Random(20) != 0) return;
  int r = Random(59);
  int c = Random(59);
  if (SolidAt(c * kTileSize, r * kTileSize)) return;
  m.X = c * kTileSize;
  m.Y = r * kTileSize;
  m.HP = m.MaxHP;
  m.State = Active;
  m.FreezeTicks = 0;
  m.BurnTicks = 0;
}

void CountDown(int32_t& ticks) {
  ticks -= ticks > INT32_MIN ? 1 : 0;
  if (ticks <= 0) ticks = 0;
}

void Firing(const MonsterRecord& m) {
  if (!m.Shoots || Random(m.ShotRate) != 0) return;
  for (ShotRecord& s : G.MonsterShots) {
    if (s.Active) continue;
    // Only these fields: byte 18 and the second byte keep what they held.
    s.Active = 1;
    s.X = m.X;
    s.Y = m.Y;
    s.Direction = m.Facing;
    s.Speed = m.ShotSpeed;
    s.Life = m.ShotLife;
    s.Look = m.ShotLook;
    s.Attack = m.Attack;
    return;
  }
}

uint8_t TowardHero(const MonsterRecord& m) {
  int64_t dx = static_cast<int64_t>(G.HeroX) - m.X;
  int64_t dy = static_cast<int64_t>(G.HeroY) - m.Y;
  if (dx >= 0 && dy >= 0) return dx > dy ? kFacingRight : kFacingDown;
  return dx < dy ? kFacingLeft : kFacingUp;
}

uint8_t AwayFromHero(const MonsterRecord& m) {
  int64_t dx = static_cast<int64_t>(G.HeroX) - m.X;
  int64_t dy = static_cast<int64_t>(G.HeroY) - m.Y;
  if (dx >= 0 && dy >= 0) return dx > dy ? kFacingLeft : kFacingUp;
  return dx < dy ? kFacingRight : kFacingDown;
}

void NewStride(MonsterRecord& m) {
  switch (m.Behaviour) {
    case Wander:
      if (Random(3) == 0) {
        m.Facing = static_cast<uint8_t>(Random(4));
        m.StepLeft = kTileSize;
      }
      break;
    case Pursue: {
      bool turn = Random(3) == 0;
      m.StepLeft = kTileSize;
      if (turn) m.Facing = TowardHero(m);
      break;
    }
    case Avoid: {
      bool turn = Random(3) == 0;
      m.StepLeft = kTileSize;
      if (turn) m.Facing = AwayFromHero(m);
      break;
    }
    case Hunt:
      m.StepLeft = kTileSize;
      m.Facing = TowardHero(m);
      break;
    case Escape:
      m.StepLeft = kTileSize;
      m.Facing = AwayFromHero(m);
      break;
    case Stand:
    case Spin:
      m.StepLeft = kTileSize;
      break;
    default:
      break;
  }
}

void Strike(const MonsterRecord& m) {
  // The chance is drawn whether or not the monster is frozen.
  bool strikes = Random(G.KeyState[kSpace] ? 4 : 10) == 0;
  if (!strikes || m.FreezeTicks != 0) return;
  int64_t armour = combat::ArmourValue();
  if (armour < m.Attack) {
    combat::LoseHP(m.Attack - armour);
  } else if (Random(G.Level) == 0) {
    combat::LoseHP(1);
  }
}

// Both probe points ahead must lie on walkable tiles; points off the floor are walls.
bool CanStep(const MonsterRecord& m) {
  const int x = m.X, y = m.Y;
  switch (m.Facing) {
    case kFacingUp: return !SolidAt(x + 4, y - 1) && !SolidAt(x + m.Width, y - 1);
    case kFacingRight: return !SolidAt(x + 25, y + 4) && !SolidAt(x + 25, y + m.Height);
    case kFacingDown: return !SolidAt(x + 4, y + 25) && !SolidAt(x + m.Width, y + 25);
    case kFacingLeft: return !SolidAt(x - 1, y + 4) && !SolidAt(x - 1, y + m.Height);
    default: return false;
  }
}

void Step(MonsterRecord& m) {
  if (m.Behaviour == Stand || m.Behaviour == Spin || m.FreezeTicks > 0) return;
  if (!CanStep(m)) return;
  switch (m.Facing) {
    case kFacingUp: m.Y -= 6; break;
    case kFacingRight: m.X += 6; break;
    case kFacingDown: m.Y += 6; break;
    case kFacingLeft: m.X -= 6; break;
    default: break;
  }
}

void Act(MonsterRecord& m, bool touching) {
  m.MoveTimer = 0;
  if (m.Behaviour != Stand && m.Behaviour != Spin) {
    m.AnimFrame += 1;
    if (m.AnimFrame >= 4) m.AnimFrame = 0;
  }
  if (m.StepLeft <= 0) NewStride(m);
  if (touching) {
    if (!m.IsChest) Strike(m);  // a touching monster stands where it is
  } else {
    Step(m);
    if (m.Behaviour == Spin) m.Facing = static_cast<uint8_t>(Random(4));
  }
  m.StepLeft = static_cast<int8_t>(m.StepLeft - 6);
}

void Splat(int cell, int x, int y) { DrawCell(Window.SplatSheet, cell, x, y); }

void SmallSplatAfterHit(const MonsterRecord& m) {
  if (m.HP <= 0) return;
  bool chance = Random(2) == 0;  // drawn before the strength test
  if (!chance || G.Strength <= m.Defence) return;
  int x = m.X + Random(30) - 15;
  int y = m.Y + Random(30) - 15;
  Splat(m.SplatColumn * 2 + 1, x, y);
}

// Every hero shot inside the hit box is used up, even after the first one has killed.
bool TakeHeroShots(MonsterRecord& m) {
  bool hit = false;
  for (ShotRecord& s : G.HeroShots) {
    if (!s.Active || !combat::WithinBox(s.X, s.Y, m.X, m.Y, 16)) continue;
    s.Active = 0;
    if (ResolveHeroShotHit(m)) hit = true;
    SmallSplatAfterHit(m);
  }
  return hit;
}

void Die(MonsterRecord& m, int slot) {
  const bool boss = m.IsBoss != 0;
  m.State = (m.IsChest || boss || G.DungeonIndex == 8) ? Empty : Dormant;
  if (G.DungeonIndex == 8 && G.FloorIndex == 5 && slot == 0) StartEnding();
  if (boss && G.DungeonIndex >= 0 && G.DungeonIndex < 20) G.BossDefeated[G.DungeonIndex] = 1;

  int64_t gain = m.ExpValue > G.Level ? static_cast<int64_t>(m.ExpValue) - G.Level : 1;
  if (G.HeroIndex == 2) gain *= 2;
  G.PendingExperience = combat::AddCapped(G.PendingExperience, gain, INT32_MAX);

  if (Random(500) == 0) {
    DropFloorItem(m.X + 3, m.Y + 3, m.RareDropItem);
  } else if (Random(m.DropChance) == 0) {
    DropFloorItem(m.X + 3, m.Y + 3, m.DropItem);
  }
  if (m.Gold > 0) DropCoin(m.X + 3, m.Y + 3, m.Gold);

  for (int i = 0; i < 3; ++i) {
    int x = m.X + Random(30) - 15;
    int y = m.Y + Random(30) - 15;
    Splat(m.SplatColumn * 2 + 1, x, y);
  }
  Splat(m.SplatColumn * 2, m.X, m.Y);
  PlayEffect(boss ? kEffectBossFalls : kEffectMonsterFalls);
}

// A sheet row far outside any sheet (a damaged save) must not overflow the cell number;
// the sheet clamps the cell itself.
int RowCell(int cell, int32_t row) {
  int64_t c = cell + 12 * static_cast<int64_t>(row);
  return c < 0 ? 0 : static_cast<int>(c > 1 << 20 ? 1 << 20 : c);
}

void Draw(const MonsterRecord& m, bool hit) {
  // A pose outside the walking cycle (only a damaged save holds one) shows the standing pose.
  int pose = (m.AnimFrame >= 0 && m.AnimFrame < 4) ? G.WalkCycle[m.AnimFrame] : 0;
  int cell = pose + 3 * m.Facing;
  int vx = combat::ViewX(m.X), vy = combat::ViewY(m.Y);
  int markX = vx, markY = vy;
  if (m.IsBoss) {
    DrawCell(Window.BossSheet, RowCell(cell, m.SpriteRow), m.X - G.HeroX + 134, m.Y - G.HeroY + 86);
    markY = m.Y - G.HeroY + 93;
  } else if (m.IsChest) {
    DrawCell(Window.HeroSheet, cell + 48, vx, vy);
  } else {
    DrawCell(Window.MonsterSheet, RowCell(cell, m.SpriteRow), vx, vy);
  }
  if (m.FreezeTicks > 0) DrawCell(Window.MarkerSheet, 12, markX, markY);
  if (m.BurnTicks > 0) DrawCell(Window.MarkerSheet, 13 + m.BurnTicks % 3, markX, markY);
  if (hit) DrawCell(Window.MarkerSheet, 8 + Random(2), vx, vy);
}

void Turn(MonsterRecord& m, int slot) {
  CountDown(m.FreezeTicks);
  CountDown(m.BurnTicks);
  if (m.FreezeTicks == 0) m.MoveTimer = combat::AddCapped(m.MoveTimer, 1, INT32_MAX);
  if (m.BurnTicks > 0) m.HP = combat::AddCapped(m.HP, -1, INT32_MAX);

  const bool near = NearHero(m.X, m.Y);
  if (near) Firing(m);

  const bool touching = TouchesHero(m.X, m.Y);
  if (touching) G.SpeechIndex = m.IsChest ? kLineChestFound : kLineAttacked;

  if (m.MoveTimer >= m.MoveDelay) Act(m, touching);

  if (!NearHero(m.X, m.Y)) return;
  const bool hit = TakeHeroShots(m);
  if (m.HP <= 0) Die(m, slot);
  Draw(m, hit);
}

}  // namespace

void MonsterPass() {
  for (int slot = 0; slot < 40; ++slot) {
    MonsterRecord& m = G.Monsters[slot];
    if (m.State == Dormant) {
      ComeBack(m);  // back from the next tick on: no turn now, not drawn
    } else if (m.State == Active) {
      Turn(m, slot);
    }
  }
}
