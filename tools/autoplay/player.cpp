#include "player.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "content/items.h"
#include "state/state.h"
#include "gear.h"
#include "judge.h"
#include "game/keys.h"

namespace autoplay {

namespace {

constexpr int kBossFloors[9] = {6, 7, 9, 7, 9, 3, 9, 8, 5};
// The level at which the player first tries each dungeon's boss; a death or a retreat there
// raises it.
constexpr int kFirstNeed[9] = {2, 5, 8, 11, 14, 17, 20, 22, 22};
constexpr int kTravelRadius = 8;     // steps the player turns aside for on its way
constexpr int kFarmRadius = 1 << 20;  // anything on the floor while gathering
constexpr int kStatusEvery = 25000;  // ticks between progress lines
constexpr int kPatience = 600;
constexpr int kBarrenTicks = 6000;   // gathering this long without experience: too hard here
// Play that earns nothing at all (experience, gold, belongings, a boss's wounds, a floor
// never seen) for this long is going nowhere, whatever the plan says.
constexpr int kStallTicks = 4000;
constexpr int kBanTicks = 1000;      // a target given up is passed over this long at first
constexpr int kSpringTicks = 200;    // a spring is judged by what it gave back over this long
constexpr int kFleeTicks = 1500;     // the longest walk to a stair when fleeing a spring

}  // namespace

int BossFloorOf(int dungeon) { return kBossFloors[dungeon]; }
int EntryFloorOf(int dungeon) { return dungeon == 5 ? 9 : 0; }

Player::Player(int hero, uint32_t seed)
    : hero_(hero), rng_(seed), progress_(kStallTicks), motion_(30, 6), plans_(400, 8),
      springs_(kSpringTicks) {
  std::copy(std::begin(kFirstNeed), std::end(kFirstNeed), needLevel_);
}

std::vector<KeyEvent> Player::Press(uint16_t key) {
  std::vector<KeyEvent> out = ReleaseAll(G.KeyState);
  out.push_back({true, key});
  out.push_back({false, key});
  return out;
}

std::vector<KeyEvent> Player::Decide() {
  if (!presses_.empty()) {
    uint16_t key = presses_.front();
    presses_.pop_front();
    return Press(key);
  }
  switch (G.GameMode) {
    case kModeTitle:
      return Press(VK_RETURN);
    case kModeSelect: {
      constexpr uint16_t kChoose[4] = {VK_DOWN, VK_LEFT, VK_RIGHT, VK_UP};
      return Press(G.HeroIndex == hero_ ? uint16_t{VK_RETURN} : kChoose[hero_]);
    }
    case kModeWorld:
      return OnWorldMap();
    case kModePlay:
      return InDungeon();
    case kModeMenu:
      return Press(VK_ESCAPE);  // nothing left to do there
    case kModeGameOver:
      return Press(VK_RETURN);
    default:
      return ReleaseAll(G.KeyState);
  }
}

std::vector<std::string> Player::Observe(int tick) {
  tick_ = tick;
  if (report_.Deaths() > lastDeaths_) {
    // Died fighting a boss: that boss wants more strength before it is tried again. A hero
    // who only passed through its floor (fleeing, or on the way to a spring) lost no fight.
    int d = std::clamp(static_cast<int>(G.DungeonIndex), 0, 8);
    if (G.FloorIndex == BossFloorOf(d) && bossFight_) {
      // Two levels above the one it died at, not two above what was asked before: a retreat
      // a few ticks before the death already asked one more.
      needLevel_[d] = std::max(needLevel_[d], static_cast<int>(G.Level) + 2);
      bossSeen_[d] = {};  // its numbers told wrong: the levels decide again
    }
    bossFight_ = false;
    lastDeaths_ = report_.Deaths();
  }
  NoteProgress(tick);
  std::vector<std::string> news = report_.Observe(G, tick);
  if (G.GameMode == kModePlay || G.GameMode == kModeWorld) {
    if (G.GameMode == kModePlay) floorsSeen_.insert(G.DungeonIndex * 10 + G.FloorIndex);
    if (progress_.Stalled(tick, EarnedSoFar())) {
      news.push_back("autoplay: tick " + std::to_string(tick) + ": nothing gained for " +
                     std::to_string(kStallTicks) + " ticks in dungeon " + std::to_string(G.DungeonIndex) +
                     " floor " + std::to_string(G.FloorIndex) + " (mode " + std::to_string(G.GameMode) +
                     ", level " + std::to_string(G.Level) + ", errand " +
                     std::to_string(static_cast<int>(lastErrand_)) + "), strike " +
                     std::to_string(progress_.Strikes()) + ": a change of plan");
      ChangePlan(tick);
    }
  }
  if (tick % kStatusEvery == 0) {
    news.push_back("autoplay: tick " + std::to_string(tick) + ": mode " + std::to_string(G.GameMode) +
                   ", dungeon " + std::to_string(G.DungeonIndex) + " floor " + std::to_string(G.FloorIndex) +
                   ", level " + std::to_string(G.Level) + ", hp " + std::to_string(G.HP) + "/" +
                   std::to_string(G.MaxHP) + ", gold " + std::to_string(G.Gold) + ", errand " +
                   std::to_string(static_cast<int>(lastErrand_)));
  }
  return news;
}

// ---- world map ------------------------------------------------------------------------------

// A boss whose armour the hero's best weapon cannot get through is no fight yet, whatever
// the level: it waits until a level's strength or a better weapon gets through, and no longer
// (waiting a level each time it was met once kept a hero that had found the weapon it lacked
// gathering for another level at 18, at a point or two of experience a monster).
bool Player::Ready(int dungeon) const {
  const BossSeen& boss = bossSeen_[dungeon];
  bool armoured = boss.seen && BestAttack(G) <= boss.defence;
  return (G.Level >= needLevel_[dungeon] && !armoured) || Outgrown(dungeon);
}

bool Player::TooHard(int dungeon) const { return G.Level < tooHardBelow_[dungeon] && !Outgrown(dungeon); }

// A boss that can only lose goes ahead, however often it won before: a hero whose losses
// had raised the boss's level out of reach spent a million ticks gathering a point or two of
// experience a monster in the dungeon before.
bool Player::Outgrown(int dungeon) const {
  return G.Level >= kFirstNeed[dungeon] && autoplay::Outgrown(bossSeen_[dungeon], PowerOf(G));
}

// Play that earns no experience for long on one floor goes nowhere. Gathering so means the
// monsters here are too well armoured for the hero's weapon: the dungeon waits until the hero
// has grown two levels elsewhere (the walks to a spring between fights count as gathering).
// On the way to the boss it means the way is barred by what the hero cannot beat yet: the
// boss waits a level. The boss's own floor is exempt, where a long fight is no fault.
void Player::NoteProgress(int tick) {
  int earned = G.Level * 1000000 + G.Experience + G.PendingExperience;
  int d = std::clamp(static_cast<int>(G.DungeonIndex), 0, 8);
  bool bossFloor = G.FloorIndex == BossFloorOf(d);
  if (G.GameMode == kModePlay && bossFloor) {
    // The boss's blows and armour, remembered for judging when to come back (Ready).
    for (int i = 0; i < 40; ++i) {
      const MonsterRecord& m = G.Monsters[i];
      if (m.State != Active || !IsBossOf(G, i)) continue;
      bossSeen_[d] = {true, m.Attack, m.Defence};
    }
  }
  if (G.GameMode != kModePlay || earned != lastEarned_ || G.FloorIndex != lastFloor_ || bossFloor) {
    lastEarned_ = earned;
    lastFloor_ = G.FloorIndex;
    sinceEarned_ = tick;
    return;
  }
  if (tick - sinceEarned_ <= kBarrenTicks) return;
  if (lastErrand_ == Errand::Boss)
    needLevel_[d] = std::max(needLevel_[d], static_cast<int>(G.Level)) + 1;
  else if (lastErrand_ != Errand::Leave)
    tooHardBelow_[d] = G.Level + 2;
  sinceEarned_ = tick;
}

Earnings Player::EarnedSoFar() {
  Earnings e;
  e.level = G.Level;
  e.experience = G.Experience + G.PendingExperience;
  e.gold = G.Gold;
  e.belongings = CarriedCount(G);
  for (int d = 0; d < 9; ++d) e.bosses += G.BossDefeated[d] != 0;
  if (G.GameMode == kModePlay)
    for (int i = 0; i < 40; ++i)
      if (G.Monsters[i].State == Active && IsBossOf(G, i)) e.bossHp = G.Monsters[i].HP;
  e.floorsSeen = static_cast<int>(floorsSeen_.size());
  return e;
}

// Nothing gained for a whole window: the plan in hand is given up, more firmly each window.
// First the target and the way the hero was going; then the floor (and the boss waits a
// level, the dungeon counts as too hard for now); after that every further window leaves the
// floor again, by whichever stair is nearer, so the hero never stands in one place for good.
void Player::ChangePlan(int tick) {
  int d = std::clamp(static_cast<int>(G.DungeonIndex), 0, 8);
  GiveUpTarget();
  wanderTo_ = {-1, -1};
  detourUntil_ = tick + 300;
  passUntil_ = tick + kPatience;
  if (G.GameMode != kModePlay || progress_.Strikes() < 2) return;
  if (d == 8 || !G.BossDefeated[d]) needLevel_[d] = std::max(needLevel_[d], static_cast<int>(G.Level) + 1);
  if (progress_.Strikes() == 2 && d > 0) tooHardBelow_[d] = std::max(tooHardBelow_[d], G.Level + 1);
  leaveUntil_ = tick + kStallTicks;
  detourUntil_ = 0;
  // A spring that has not been reached in all this time will not be: the way there is barred
  // (by monsters the weapon cannot pass). The hero leaves by the other stairs instead, and
  // from the third window on by each of them in turn.
  healing_ = false;
  leaveOther_ = progress_.Strikes() >= 3 && progress_.Strikes() % 2 == 1;
}

int Player::ChooseDungeon() const {
  int next = 0;
  while (next < 8 && G.BossDefeated[next]) ++next;
  int choice;
  if (next == 8) {
    // Every boss first, then the final opponent once its hall is open.
    choice = G.Gold >= G.WorldEntrances[8].GoldThreshold && Ready(8) ? 8 : 7;
  } else {
    // Gold is gathered where the last boss fell.
    choice = G.Gold >= G.WorldEntrances[next].GoldThreshold ? next : std::max(0, next - 1);
  }
  while (choice > 0 && TooHard(choice)) --choice;
  return choice;
}

std::vector<KeyEvent> Player::OnWorldMap() {
  const WorldEntrance& e = G.WorldEntrances[ChooseDungeon()];
  int speed = G.HeroSpeed[G.HeroIndex & 3];
  Held h = SteerTo(G.HeroX, G.HeroY, e.X - 2, e.Y - 2, speed, false);
  if (h.AnyDirection()) return KeysToward(G.KeyState, h);
  return Press(VK_RETURN);
}

// ---- in a dungeon ---------------------------------------------------------------------------

void Player::RefreshFloor() {
  if (mapDungeon_ != G.DungeonIndex || mapFloor_ != G.FloorIndex) {
    map_ = FloorMap(G.Floors[G.FloorIndex]);
    mapDungeon_ = G.DungeonIndex;
    mapFloor_ = G.FloorIndex;
    wanderTo_ = {-1, -1};
    bans_.Clear();
    distFresh_ = false;
  }
  // The ways only change when the hero reaches another tile; working them out every tick
  // was most of the time a scripted game took.
  Tile from = TileOfBox(G.HeroX, G.HeroY);
  if (!distFresh_ || !(dist_.From() == from)) {
    dist_ = Distances(map_, from);
    distFresh_ = true;
  }
}

void Player::QueueMenu(int slot, uint16_t action) {
  presses_.push_back(VK_ESCAPE);
  presses_.push_back(VK_F1);
  for (uint16_t k : MenuPresses(G.InventoryCursor, slot, action)) presses_.push_back(k);
  presses_.push_back(VK_ESCAPE);
}

// Menu work: the game stands still while the menu is open, so it is always safe.
bool Player::Maintain() {
  bool low = G.HP * 100 < G.MaxHP * 45, dire = G.HP * 100 < G.MaxHP * 25;
  int medicine = low ? MedicineSlot(G, dire) : -1;
  if (medicine >= 0) return QueueMenu(medicine, VK_SPACE), true;
  // The way-out item saves the walk back when the dungeon is done with, far from its door.
  int escape = EscapeSlot(G);
  int floorsOut = std::min(G.FloorIndex + 1, 10 - G.FloorIndex);
  bool done = G.DungeonIndex < 8 && G.BossDefeated[G.DungeonIndex] && G.DungeonIndex != ChooseDungeon();
  if (done && escape >= 0 && floorsOut > 2) return QueueMenu(escape, VK_SPACE), true;
  int armour = BetterArmourSlot(G);
  if (armour >= 0) return QueueMenu(armour, VK_SPACE), true;
  // The key goes into the hand only at the chest, so a chest given up does not leave the
  // hero facing monsters with a key.
  bool wantKey = target_.aim == Aim::Chest && std::abs(target_.x - G.HeroX) <= 2 * kTile &&
                 std::abs(target_.y - G.HeroY) <= 2 * kTile;
  if (wantKey && !KeyEquippedFor(G, G.DungeonIndex) && KeySlot(G, G.DungeonIndex) >= 0)
    return QueueMenu(KeySlot(G, G.DungeonIndex), VK_SPACE), true;
  int weapon = BetterWeaponSlot(G);
  if (!wantKey && weapon >= 0) return QueueMenu(weapon, VK_SPACE), true;
  if (CarriedCount(G) >= 60 && JunkSlot(G) >= 0) return QueueMenu(JunkSlot(G), VK_RETURN), true;
  return false;
}

// Monsters here the hero can hurt and live through; other floors may hold weaker kinds.
bool Player::FloorHasPrey() const {
  Power p = PowerOf(G);
  for (int i = 0; i < 40; ++i) {
    const MonsterRecord& m = G.Monsters[i];
    // One across water or behind walls is no prey: it would be wandered after for ever.
    if (m.State != Empty && !m.IsChest && !IsBossOf(G, i) && CanHurt(m, p, G.DungeonIndex) && !TooStrong(m, p) &&
        dist_.Reached(TileOfBox(m.X, m.Y)) && !bans_.Holds(Aim::Monster, i, tick_))
      return true;
  }
  return false;
}

// Back the way the hero came: the other end may lie past the boss (the dungeon entered at
// its top has its boss below).
StairWay Player::WayOut() const {
  return EntryFloorOf(G.DungeonIndex) == 0 ? StairWay::Back : StairWay::Onward;
}

// The way to the nearest floor of this dungeon with a spring; `here` when it is this one.
StairWay Player::WayToSpring(bool& here) const {
  here = false;
  int best = 100;
  StairWay way = StairWay::None;
  for (int f = 0; f < 10; ++f) {
    const FloorRecord& floor = G.Floors[f];
    if (std::find(std::begin(floor.Tiles), std::end(floor.Tiles), 7) == std::end(floor.Tiles)) continue;
    if (f == G.FloorIndex && SpringGivenUp()) continue;
    // Not down among a boss that is not to be fought yet, for a drink.
    if (f != G.FloorIndex && f == BossFloorOf(G.DungeonIndex) && !BossDone()) continue;
    int gap = std::abs(f - static_cast<int>(G.FloorIndex));
    if (gap < best) {
      best = gap;
      here = gap == 0;
      way = f > G.FloorIndex ? StairWay::Onward : StairWay::Back;
    }
  }
  return way;
}

StairWay Player::WayToBoss() const {
  return G.FloorIndex < BossFloorOf(G.DungeonIndex) ? StairWay::Onward : StairWay::Back;
}

Player::Errand Player::ChooseErrand() const {
  int d = G.DungeonIndex;
  bool bossDone = d == 8 ? false : G.BossDefeated[d] != 0;
  // Nothing heals on the world map: a hurt hero without medicine makes for a spring.
  bool lowAndHelpless = G.HP * 100 < G.MaxHP * 35 && MedicineCount(G) == 0;
  bool spring;
  if (tick_ < leaveUntil_ || Fleeing()) return Errand::Leave;  // play here has gone nowhere for long
  if ((lowAndHelpless || healing_) && WayToSpring(spring) != StairWay::None) return Errand::Mend;
  if (d != ChooseDungeon() && (bossDone || TooHard(d))) return Errand::Leave;  // go elsewhere
  if (!bossDone && Ready(d)) return Errand::Boss;
  if (!FloorHasPrey()) return Errand::Leave;  // nothing to gather here: move a floor
  return Errand::Farm;
}

// ---- moving -----------------------------------------------------------------------------------

Held Player::GoTo(Tile tile) {
  Tile here = TileOfBox(G.HeroX, G.HeroY);
  int speed = G.HeroSpeed[G.HeroIndex & 3];
  Tile aim = here == tile ? tile : RunEnd(here, dist_.PathTo(tile));
  if (!(here == tile) && aim == here) return Wander();  // no way there
  // First square up with the tile the hero stands on, then walk the straight run.
  int ax = here.col * kTile, ay = here.row * kTile;
  if (aim.col != here.col && G.HeroY != ay) return SteerTo(G.HeroX, G.HeroY, G.HeroX, ay, speed, false);
  if (aim.row != here.row && G.HeroX != ax) return SteerTo(G.HeroX, G.HeroY, ax, G.HeroY, speed, false);
  return SteerTo(G.HeroX, G.HeroY, aim.col * kTile, aim.row * kTile, speed, true);
}

Held Player::GoToStair(StairWay way) {
  Tile here = TileOfBox(G.HeroX, G.HeroY);
  auto wanted = [&](Tile t) { return way == StairWay::None ? map_.Stair(t) != StairWay::None : map_.Stair(t) == way; };
  if (wanted(here) && G.StairLatch) {
    // Arrived by this very stair: step off it and back on.
    for (Tile s : {Tile{0, 1}, Tile{1, 0}, Tile{0, -1}, Tile{-1, 0}}) {
      Tile n{here.col + s.col, here.row + s.row};
      if (map_.Passable(n) && map_.Stair(n) == StairWay::None) return GoTo(n);
    }
  }
  Tile stair;
  if (!dist_.Nearest(wanted, stair)) return Wander();
  return GoTo(stair);
}

Held Player::Wander() {
  Tile here = TileOfBox(G.HeroX, G.HeroY);
  if (wanderTo_.col < 0 || here == wanderTo_ || !dist_.Reached(wanderTo_)) {
    std::vector<Tile> open = map_.Where([&](Tile t) {
      return map_.Stair(t) == StairWay::None && dist_.Reached(t) && !map_.Hot(t);
    });
    if (open.empty()) return {};
    wanderTo_ = open[std::uniform_int_distribution<size_t>(0, open.size() - 1)(rng_)];
  }
  Tile goal = wanderTo_;
  if (here == goal) return {};
  return GoTo(goal);
}

// Goes for a target: by the way on the grid while far, straight at it once close.
Held Player::Pursue(const Target& t) {
  int dx = t.x - G.HeroX, dy = t.y - G.HeroY;
  int speed = G.HeroSpeed[G.HeroIndex & 3];
  if (std::abs(dx) <= kTile && std::abs(dy) <= kTile) {
    if (std::abs(dx) <= 12 && std::abs(dy) <= 12) {
      // Touching: face it (a step toward it at most) and let the shots do the work.
      Held h;
      return h;
    }
    return SteerTo(G.HeroX, G.HeroY, t.x, t.y, speed, false);
  }
  return GoTo(TileOfBox(t.x, t.y));
}

Held Player::Heal(bool& healing, int belowPercent, int maxSteps) {
  Tile spring;
  bool hasSpring = !SpringGivenUp() && dist_.Nearest([&](Tile t) { return map_.Spring(t); }, spring);
  if (!healing && (G.HP * 100 >= G.MaxHP * belowPercent || !hasSpring || dist_.To(spring) > maxSteps)) return {};
  if (G.HP >= G.MaxHP || !hasSpring) {
    healing = false;
    return {};
  }
  healing = true;
  if (TileOfBox(G.HeroX, G.HeroY) == spring) {
    Held h;
    h.space = true;  // keep off whatever comes near while standing in the water
    return h;
  }
  return GoTo(spring);
}

// ---- fighting ---------------------------------------------------------------------------------

namespace {

constexpr int kNearX = 150, kNearY = 110;  // inside the view window of 160 by 120

// Where a shot fired now would meet the monster: at once when they touch, else along the
// hero's facing within the weapon's reach.
bool InLine(int facing, int dx, int dy, int reach) {
  if (std::abs(dx) <= 16 && std::abs(dy) <= 16) return true;
  // A monster is hit only while it is on the screen, however far the shot flies.
  reach = std::min(reach, facing == 0 || facing == 2 ? kNearY : kNearX);
  switch (facing) {
    case 0: return std::abs(dx) <= 12 && dy < 0 && -dy <= reach;
    case 1: return std::abs(dy) <= 12 && dx > 0 && dx <= reach;
    case 2: return std::abs(dx) <= 12 && dy > 0 && dy <= reach;
    default: return std::abs(dy) <= 12 && dx < 0 && -dx <= reach;
  }
}

int Reach() {
  const ItemRecord& w = ItemAt(G.WeaponItem);
  return std::max(0, (w.ShotLife - 1) * w.ShotSpeed) + 8;
}

bool Valid(Target& t) {
  switch (t.aim) {
    case Aim::Coin:
      if (!G.Coins[t.index].Active) return false;
      t.x = G.Coins[t.index].X, t.y = G.Coins[t.index].Y;
      return true;
    case Aim::Item:
      if (!G.FloorItems[t.index].Present) return false;
      t.x = G.FloorItems[t.index].X, t.y = G.FloorItems[t.index].Y;
      return true;
    case Aim::Monster:
    case Aim::Chest:
      if (G.Monsters[t.index].State != Active) return false;
      t.x = G.Monsters[t.index].X, t.y = G.Monsters[t.index].Y;
      return true;
    default:
      return false;
  }
}

}  // namespace

// No wall stands between the hero and the point (dx, dy) away along one line.
bool Player::ClearLine(int dx, int dy) const {
  int steps = std::max(std::abs(dx), std::abs(dy)) / 12;
  for (int i = 1; i <= steps; ++i) {
    Tile t = TileOfBox(G.HeroX + dx * i / steps, G.HeroY + dy * i / steps);
    if (!map_.Passable(t)) return false;
  }
  return true;
}

bool Player::ShouldFire(const Power& p) const {
  int reach = Reach();
  bool key = ItemAt(G.WeaponItem).KeyLevel >= 0;
  for (const MonsterRecord& m : G.Monsters) {
    if (m.State != Active || (m.IsChest != 0) != key || !CanHurt(m, p, G.DungeonIndex)) continue;
    int dx = m.X - G.HeroX, dy = m.Y - G.HeroY;
    if (InLine(G.Facing, dx, dy, reach) && ClearLine(dx, dy)) return true;
  }
  return false;
}

void Player::GiveUpTarget() {
  if (target_.aim != Aim::None) bans_.Add(target_.aim, target_.index, tick_, kBanTicks);
  target_ = {};
}

// Leaving the boss's floor hurt and without medicine counts as a lost fight, if there was a
// fight: a hero that came down only to flee another floor or to reach a spring lost none, and
// counting it so once raised a boss's level by two dozen while the hero stood still at 17.
void Player::NoteRetreat(Errand errand) {
  int d = G.DungeonIndex;
  bool onBossFloor = G.FloorIndex == BossFloorOf(d);
  bool away = errand == Errand::Leave || errand == Errand::Mend;
  bool bossAlive = d == 8 || !G.BossDefeated[d];
  if (onBossFloor && bossAlive && errand == Errand::Boss) bossFight_ = true;
  if (away && onBossFloor && bossAlive && bossFight_ && !retreated_) {
    needLevel_[d] = std::max(needLevel_[d], static_cast<int>(G.Level) + 1);
    retreated_ = true;
  }
  if (!onBossFloor) retreated_ = bossFight_ = false;
}

Held Player::Unstick(Held want) {
  if (wiggle_ > 0) {
    --wiggle_;
    return wiggleKeys_;
  }
  // Keys held that take the hero nowhere: against a wall, or up and down by turns.
  // Hero 1 steps 8 pixels: right and left by turns toward the final opponent kept it 8
  // pixels from where it began, outside a fixed slack of 6, for 1.7 million ticks.
  int step = G.HeroSpeed[G.HeroIndex & 3];
  if (!motion_.Stuck(G.HeroX, G.HeroY, want.AnyDirection(), step)) return want;
  // Stuck again and again in a short while (a boss or a pile of monsters across the way):
  // a walk somewhere else on the floor before the plan is taken up again.
  unsticks_ = tick_ - lastUnstick_ < 300 ? unsticks_ + 1 : 1;
  lastUnstick_ = tick_;
  if (unsticks_ >= 5) {
    unsticks_ = 0;
    detourUntil_ = tick_ + 200;
  }
  GiveUpTarget();
  wanderTo_ = {-1, -1};
  wiggle_ = 6;
  wiggleKeys_ = {};
  int d = std::uniform_int_distribution<int>(0, 3)(rng_);
  (d == 0 ? wiggleKeys_.up : d == 1 ? wiggleKeys_.right : d == 2 ? wiggleKeys_.down : wiggleKeys_.left) = true;
  return wiggleKeys_;
}

// A monster shot that will reach the hero where it stands within a few ticks, and hurts.
bool Player::ShotComing(int& across) const {
  int armour = G.Defence + ItemAt(G.ArmourItem).Defence;
  for (const ShotRecord& shot : G.MonsterShots) {
    if (!shot.Active || shot.Attack <= armour) continue;
    int dx = G.HeroX - shot.X, dy = G.HeroY - shot.Y;
    bool vertical = shot.Direction == 0 || shot.Direction == 2;
    int along = vertical ? (shot.Direction == 2 ? dy : -dy) : (shot.Direction == 1 ? dx : -dx);
    int side = vertical ? dx : dy;
    if (std::abs(side) > 16 || along < -16 || along > shot.Speed * std::min<int>(shot.Life, 8)) continue;
    across = vertical ? 1 : 0;  // step sideways: right/left for a shot flying up or down
    return true;
  }
  return false;
}

// Out of the line of a coming shot, to whichever side is open.
bool Player::Dodge(Held& h) {
  int across;
  if (!ShotComing(across)) return false;
  Tile here = TileOfBox(G.HeroX, G.HeroY);
  std::array<Tile, 2> sides = across ? std::array<Tile, 2>{Tile{here.col + 1, here.row}, Tile{here.col - 1, here.row}}
                         : std::array<Tile, 2>{Tile{here.col, here.row + 1}, Tile{here.col, here.row - 1}};
  for (int i = 0; i < 2; ++i) {
    if (!map_.Passable(sides[i]) || map_.Stair(sides[i]) != StairWay::None || map_.Hot(sides[i])) continue;
    h = {};
    if (across) (i == 0 ? h.right : h.left) = true;
    else (i == 0 ? h.down : h.up) = true;
    return true;
  }
  return false;
}

// ---- the floor's plan ------------------------------------------------------------------------

std::vector<KeyEvent> Player::InDungeon() {
  RefreshFloor();
  WatchSpring();
  if (Maintain()) return Decide();
  Power p = PowerOf(G);
  Errand errand = ChooseErrand();
  p.fightBoss = errand == Errand::Boss;
  p.hunt = errand != Errand::Mend && !Fleeing() && tick_ >= passUntil_;
  NoteRetreat(errand);
  lastErrand_ = errand;
  Held want;
  // A floor left because play on it went nowhere is left with its spring: the hero that
  // stopped to heal there on the way out stood in the water for good under a pile of monsters.
  bool leaving = errand == Errand::Leave && (tick_ < leaveUntil_ || Fleeing());
  bool busy = errand == Errand::Mend ? Mend(want)
              : leaving            ? false
                                   : (want = Heal(healing_, BeforeBoss(errand) ? 95 : 50), healing_);
  if (!busy) want = Act(errand == Errand::Mend ? Errand::Farm : errand, p);
  want = Unstick(want);
  want.space = want.space || ShouldFire(p);
  return KeysToward(G.KeyState, want);
}

// Before the boss's floor the player fills up at a spring if there is one.
bool Player::BeforeBoss(Errand errand) const {
  int next = G.FloorIndex + (WayToBoss() == StairWay::Onward ? 1 : -1);
  return errand == Errand::Boss && next == BossFloorOf(G.DungeonIndex);
}

// On the way to a spring, or standing in it; false when this floor's spring cannot be reached.
bool Player::Mend(Held& h) {
  bool here;
  StairWay way = WayToSpring(here);
  if (here) {
    // Come what may: a hero sent to mend once wandered a floor for ever at two hit points,
    // its spring more than a short walk away, too weak for any fight that could earn it.
    h = Heal(healing_, 101, Distances::kUnreached - 1);
    return healing_;
  }
  if (!Dodge(h)) h = GoToStair(way);
  return true;
}

// Hit points that fall (or hardly rise) while the hero stands in the spring: whatever is about
// hurts faster than the water heals. The spring is given up for a while and the hero makes
// for the nearest stair, since a new floor comes without this floor's monsters.
void Player::WatchSpring() {
  int floor = G.DungeonIndex * 10 + G.FloorIndex;
  if (fleeFloor_ != floor) fleeUntil_ = 0;
  bool inSpring = map_.Spring(TileOfBox(G.HeroX, G.HeroY));
  if (!springs_.Losing(tick_, G.HP, G.MaxHP, inSpring)) return;
  springOffFloor_ = fleeFloor_ = floor;
  springOffUntil_ = tick_ + kStallTicks;
  fleeUntil_ = tick_ + kFleeTicks;
  healing_ = false;
  GiveUpTarget();
}

bool Player::SpringGivenUp() const {
  return tick_ < springOffUntil_ && springOffFloor_ == G.DungeonIndex * 10 + G.FloorIndex;
}

StairWay Player::FleeWay() const {
  return autoplay::FleeWay(G.FloorIndex, BossFloorOf(G.DungeonIndex), !BossDone());
}

bool Player::BossDone() const { return G.DungeonIndex < 8 && G.BossDefeated[G.DungeonIndex]; }

bool Player::Fleeing() const {
  return tick_ < fleeUntil_ && fleeFloor_ == G.DungeonIndex * 10 + G.FloorIndex;
}

// Goes for the best target, or about the errand when there is none.
Held Player::Act(Errand errand, const Power& p) {
  if (tick_ < detourUntil_) return Wander();
  int radius = errand == Errand::Farm ? kFarmRadius : kTravelRadius;
  if (errand == Errand::Boss && G.FloorIndex == BossFloorOf(G.DungeonIndex)) radius = kFarmRadius;
  auto banned = [this](Aim aim, int index) { return bans_.Holds(aim, index, tick_); };
  Target best = ChooseTarget(G, dist_, p, radius, banned);
  Target current = target_;
  bool keep = Valid(current) && !banned(current.aim, current.index) &&
              best.aim != Aim::None && dist_.To(TileOfBox(current.x, current.y)) <= best.cost + 3;
  if (!keep) targetSince_ = tick_;
  target_ = keep ? current : best;
  // Two targets taken up by turns, each looking nearer once the other is gone after: the one
  // it kept leaving for is let go of, and the hero sees the other through.
  int plan = static_cast<int>(errand) * 100000 + static_cast<int>(target_.aim) * 1000 + target_.index + 1;
  if (plans_.Dithering(tick_, plan)) {
    int other = plans_.Other() % 100000;
    if (other / 1000 != static_cast<int>(Aim::None))
      bans_.Add(static_cast<Aim>(other / 1000), other % 1000 - 1, tick_, kBanTicks);
  }
  bool boss = target_.aim == Aim::Monster && IsBossOf(G, target_.index);
  if (keep && !boss && tick_ - targetSince_ > kPatience) {
    GiveUpTarget();
    // On the way somewhere, a fight that goes nowhere (a pile of monsters whose front one
    // the weapon cannot hurt) is walked past rather than taken up again with the next of
    // the pile.
    if (errand != Errand::Farm) passUntil_ = tick_ + kPatience;
  }
  bool melee = target_.aim == Aim::Monster && std::abs(target_.x - G.HeroX) <= 16 &&
               std::abs(target_.y - G.HeroY) <= 16;
  Held want;
  if (!melee && Dodge(want)) return want;
  if (target_.aim != Aim::None) return Approach(target_);
  if (errand == Errand::Boss && G.FloorIndex == BossFloorOf(G.DungeonIndex)) return SeekBoss();
  if (errand == Errand::Boss) return GoToStair(WayToBoss());
  if (errand == Errand::Leave) {
    if (Fleeing()) return GoToStair(FleeWay());
    StairWay out = WayOut();
    if (tick_ < leaveUntil_ && leaveOther_) out = out == StairWay::Back ? StairWay::Onward : StairWay::Back;
    return GoToStair(out);
  }
  return Wander();
}

// On the boss's own floor with the boss out of the choice (asleep, or no way to it yet): walk
// toward where it stands, else look about the floor; going back up the stair would only bring
// the hero down again.
Held Player::SeekBoss() {
  for (int i = 0; i < 40; ++i) {
    const MonsterRecord& m = G.Monsters[i];
    if (m.State == Empty || !IsBossOf(G, i)) continue;
    Tile at = TileOfBox(m.X, m.Y);
    if (dist_.Reached(at) && !bans_.Holds(Aim::Monster, i, tick_)) return GoTo(at);
  }
  return Wander();
}

// Close in on a target; a monster in the line of fire is shot from where the hero stands.
Held Player::Approach(const Target& t) {
  if (t.aim != Aim::Monster && t.aim != Aim::Chest) return Pursue(t);
  // A chest is shot only with the key in the hand, and the key is taken out beside it.
  if (t.aim == Aim::Chest && !KeyEquippedFor(G, G.DungeonIndex)) return Pursue(t);
  int dx = t.x - G.HeroX, dy = t.y - G.HeroY;
  int reach = Reach();
  if (!ClearLine(dx, dy)) return Pursue(t);
  if (InLine(G.Facing, dx, dy, reach)) {
    const bool across = G.Facing == 1 || G.Facing == 3;
    // A shot flies along the hero's own row or column, not along the line to the target.
    if (t.aim != Aim::Chest || ClearLine(across ? dx : 0, across ? 0 : dy)) return {};
    // A chest a few pixels off the hero's line behind a corner: the shots die on the
    // corner, so the hero lines up with it exactly (a chest never moves away).
    const int speed = G.HeroSpeed[G.HeroIndex & 3];
    return across ? SteerTo(G.HeroX, G.HeroY, G.HeroX, t.y, speed, false)
                  : SteerTo(G.HeroX, G.HeroY, t.x, G.HeroY, speed, false);
  }
  for (int facing = 0; facing < 4; ++facing) {
    if (!InLine(facing, dx, dy, reach) || (std::abs(dx) <= 16 && std::abs(dy) <= 16)) continue;
    Held h;  // turn toward it: one step its way
    (facing == 0 ? h.up : facing == 1 ? h.right : facing == 2 ? h.down : h.left) = true;
    return h;
  }
  return Pursue(t);
}

}  // namespace autoplay
