// The tables of the saved record. A row names a field once; the offsets written here are
// the file's and are checked against the game state's own layout at compile time, as is
// that the rows of each record cover every one of its bytes exactly once.
#include "persist/record_fields.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

#include "content/items.h"
#include "persist/save.h"
#include "state/state.h"

namespace persist {

namespace {

// Positions, hit points and the other counters of the objects never get anywhere near this
// in play (a floor is 1440 pixels, the strongest monster has 13000 hit points); below it no
// sum or difference the rules form can overflow.
constexpr int64_t kMagnitude = 1000000;
constexpr int kShotLooks = 26;  // rows of the shot sheet
constexpr int kEmptySlot = 255;

// A row's rule, built with the functions below, e.g. Range(0, 3).Live().
struct Check {
  Rule rule = Rule::kAny;
  int64_t lo = 0, hi = 0, extra = 0;
  When when = When::kAlways;
  Role role = Role::kValue;
  const RecordInfo* record = nullptr;

  constexpr Check Live() const {
    Check c = *this;
    c.when = When::kLive;
    return c;
  }
  constexpr Check IfShooting() const {
    Check c = *this;
    c.when = When::kShooting;
    return c;
  }
};

constexpr Check Any() { return Check{}; }
constexpr Check Unused() { return Check{.role = Role::kUnused}; }
constexpr Check Padding() { return Check{.role = Role::kPadding}; }
constexpr Check Range(int64_t lo, int64_t hi) { return Check{.rule = Rule::kRange, .lo = lo, .hi = hi}; }
constexpr Check RangeOr(int64_t lo, int64_t hi, int64_t extra) {
  return Check{.rule = Rule::kRangeOr, .lo = lo, .hi = hi, .extra = extra};
}
constexpr Check Flag() { return Range(0, 1); }
constexpr Check Magnitude() { return Range(-kMagnitude, kMagnitude); }
constexpr Check Amount() { return Range(0, kMagnitude); }  // gold, chances, maxima: never negative
constexpr Check Item() { return Range(0, kItemCount - 1); }
constexpr Check MadeHero(int64_t hi) { return Check{.rule = Rule::kMadeHero, .hi = hi}; }
constexpr Check HeroHP() { return Check{.rule = Rule::kHeroHP}; }
constexpr Check SpriteRow() { return Check{.rule = Rule::kSpriteRow}; }
constexpr Check Records(const RecordInfo& r) { return Check{.record = &r}; }

template <typename Member>
constexpr FieldInfo Describe(const char* name, size_t offset, size_t stateOffset, Check c) {
  using Element = std::remove_all_extents_t<Member>;
  return FieldInfo{name,
                   offset,
                   stateOffset,
                   static_cast<uint16_t>(sizeof(Element)),
                   std::is_signed_v<Element>,
                   static_cast<uint16_t>(sizeof(Member) / sizeof(Element)),
                   c.record,
                   c.rule,
                   c.lo,
                   c.hi,
                   c.extra,
                   c.when,
                   c.role};
}

#define FIELD(Record, member, offset, check) \
  Describe<decltype(Record::member)>(#member, offset, offsetof(Record, member), check)

// Every row's file offset is where the game state holds the field (up to `limit`: past it
// the file keeps what the state holds elsewhere).
constexpr bool Pinned(std::span<const FieldInfo> fields, size_t limit) {
  for (const FieldInfo& f : fields)
    if (f.offset < limit && f.stateOffset != f.offset) return false;
  return true;
}

// The rows cover bytes 0 .. size-1, each byte once.
constexpr bool Covers(std::span<const FieldInfo> fields, size_t size) {
  size_t total = 0;
  for (const FieldInfo& a : fields) {
    total += a.Size();
    if (a.offset + a.Size() > size) return false;
    for (const FieldInfo& b : fields)
      if (&a != &b && a.offset < b.offset + b.Size() && b.offset < a.offset + a.Size())
        return false;
  }
  return total == size;
}

bool MonsterLive(const uint8_t* r) { return r[offsetof(MonsterRecord, State)] != Empty; }
bool ShotLive(const uint8_t* r) { return r[offsetof(ShotRecord, Active)] != 0; }
bool TrapLive(const uint8_t* r) {
  return r[offsetof(TrapRecord, Armed)] != 0 || r[offsetof(TrapRecord, Sprung)] != 0;
}
bool CoinLive(const uint8_t* r) { return r[offsetof(CoinRecord, Active)] != 0; }
bool FloorItemLive(const uint8_t* r) { return r[offsetof(FloorItemRecord, Present)] != 0; }

constexpr FieldInfo kMonsterFields[] = {
    // An empty slot is ignored by everything; rolling a new monster into it sets every
    // value that is used.
    FIELD(MonsterRecord, State, 45, Range(Dormant, Empty)),
    FIELD(MonsterRecord, Kind, 32, RangeOr(0, 3, 100).Live()),  // 0 chest, 1..3 ordinary, 100 boss
    FIELD(MonsterRecord, IsBoss, 44, Flag().Live()),
    FIELD(MonsterRecord, IsChest, 69, Flag().Live()),
    FIELD(MonsterRecord, Behaviour, 46, Range(Wander, Spin).Live()),
    FIELD(MonsterRecord, Facing, 47, Range(0, 3).Live()),
    FIELD(MonsterRecord, AnimFrame, 56, Range(0, 3).Live()),
    FIELD(MonsterRecord, SplatColumn, 68, Range(0, 5).Live()),
    FIELD(MonsterRecord, SpriteRow, 52, SpriteRow().Live()),
    FIELD(MonsterRecord, DropItem, 80, Item().Live()),
    FIELD(MonsterRecord, RareDropItem, 88, Item().Live()),
    FIELD(MonsterRecord, Shoots, 89, Flag().Live()),
    FIELD(MonsterRecord, ShotLook, 92, Range(0, kShotLooks - 1).IfShooting()),
    FIELD(MonsterRecord, X, 0, Magnitude().Live()),
    FIELD(MonsterRecord, Y, 4, Magnitude().Live()),
    FIELD(MonsterRecord, MaxHP, 8, Amount().Live()),
    FIELD(MonsterRecord, HP, 12, Magnitude().Live()),
    FIELD(MonsterRecord, Attack, 16, Magnitude().Live()),
    FIELD(MonsterRecord, Defence, 20, Magnitude().Live()),
    FIELD(MonsterRecord, ExpValue, 24, Magnitude().Live()),
    FIELD(MonsterRecord, Gold, 28, Amount().Live()),
    FIELD(MonsterRecord, Height, 36, Magnitude().Live()),
    FIELD(MonsterRecord, Width, 40, Magnitude().Live()),
    FIELD(MonsterRecord, MoveTimer, 60, Magnitude().Live()),
    FIELD(MonsterRecord, MoveDelay, 64, Magnitude().Live()),
    FIELD(MonsterRecord, FreezeTicks, 72, Magnitude().Live()),
    FIELD(MonsterRecord, BurnTicks, 76, Magnitude().Live()),
    FIELD(MonsterRecord, DropChance, 84, Amount().Live()),
    FIELD(MonsterRecord, StepLeft, 48, Any()),  // signed, and any value steps somewhere
    FIELD(MonsterRecord, ShotLife, 90, Any()),
    FIELD(MonsterRecord, ShotSpeed, 91, Any()),
    FIELD(MonsterRecord, ShotRate, 93, Any()),
    FIELD(MonsterRecord, Pad33, 33, Padding()),
    FIELD(MonsterRecord, Pad49, 49, Padding()),
    FIELD(MonsterRecord, Pad70, 70, Padding()),
    FIELD(MonsterRecord, Pad81, 81, Padding()),
    FIELD(MonsterRecord, Pad94, 94, Padding()),
};

// A free shot is filled anew when fired, so only shots in flight are checked.
constexpr FieldInfo kShotFields[] = {
    FIELD(ShotRecord, Active, 0, Flag()),
    FIELD(ShotRecord, Direction, 17, Range(0, 3).Live()),
    FIELD(ShotRecord, Look, 19, Range(0, kShotLooks - 1).Live()),
    FIELD(ShotRecord, X, 4, Magnitude().Live()),
    FIELD(ShotRecord, Y, 8, Magnitude().Live()),
    FIELD(ShotRecord, Life, 12, Magnitude().Live()),
    FIELD(ShotRecord, Attack, 20, Magnitude().Live()),
    FIELD(ShotRecord, Byte1, 1, Any()),
    FIELD(ShotRecord, Speed, 16, Any()),
    FIELD(ShotRecord, HeldLook, 18, Any()),
    FIELD(ShotRecord, Pad2, 2, Padding()),
};

constexpr FieldInfo kTrapFields[] = {
    FIELD(TrapRecord, Armed, 0, Flag()),
    FIELD(TrapRecord, Sprung, 1, Flag()),
    FIELD(TrapRecord, X, 4, Magnitude().Live()),
    FIELD(TrapRecord, Y, 8, Magnitude().Live()),
    FIELD(TrapRecord, TrapKind, 18, Any()),
    FIELD(TrapRecord, Pad2, 2, Padding()),
    FIELD(TrapRecord, Unused12, 12, Unused()),
    FIELD(TrapRecord, Unused16, 16, Unused()),
    FIELD(TrapRecord, Unused17, 17, Unused()),
    FIELD(TrapRecord, Unused19, 19, Unused()),
    FIELD(TrapRecord, Unused20, 20, Unused()),
};

constexpr FieldInfo kCoinFields[] = {
    FIELD(CoinRecord, Active, 0, Flag()),
    // A dropped coin keeps its old frame, so even a free coin's frame must be a cell.
    FIELD(CoinRecord, Frame, 20, Range(0, 5)),
    FIELD(CoinRecord, X, 4, Magnitude().Live()),
    FIELD(CoinRecord, Y, 8, Magnitude().Live()),
    FIELD(CoinRecord, Lifetime, 12, Magnitude().Live()),
    FIELD(CoinRecord, Amount, 16, Amount().Live()),
    FIELD(CoinRecord, Pad1, 1, Padding()),
    FIELD(CoinRecord, Pad21, 21, Padding()),
};

constexpr FieldInfo kFloorItemFields[] = {
    FIELD(FloorItemRecord, Present, 21, Flag()),
    FIELD(FloorItemRecord, Item, 32, Item().Live()),
    FIELD(FloorItemRecord, X, 24, Magnitude().Live()),
    FIELD(FloorItemRecord, Y, 28, Magnitude().Live()),
    FIELD(FloorItemRecord, Unused0, 0, Unused()),
    FIELD(FloorItemRecord, Pad22, 22, Padding()),
    FIELD(FloorItemRecord, Unused33, 33, Unused()),
};

constexpr RecordInfo kMonster{96, kMonsterFields, MonsterLive};
constexpr RecordInfo kShot{24, kShotFields, ShotLive};
constexpr RecordInfo kTrap{24, kTrapFields, TrapLive};
constexpr RecordInfo kCoin{24, kCoinFields, CoinLive};
constexpr RecordInfo kFloorItem{64, kFloorItemFields, FloorItemLive};

// The file ends in three bytes the game state does not hold.
constexpr FieldInfo kTail{.name = "Tail",
                          .offset = kSaveRecordSize - 3,
                          .stateOffset = kNotHeld,
                          .width = 1,
                          .isSigned = false,
                          .count = 3,
                          .record = nullptr,
                          .rule = Rule::kAny,
                          .lo = 0,
                          .hi = 0,
                          .extra = 0,
                          .when = When::kAlways,
                          .role = Role::kPadding};

constexpr FieldInfo kSaveFields[] = {
    FIELD(GameState, HeroX, 0, Magnitude()),
    FIELD(GameState, HeroY, 4, Magnitude()),
    FIELD(GameState, FloorIndex, 8, Range(0, 9)),
    FIELD(GameState, WorldX, 12, Magnitude()),
    FIELD(GameState, WorldY, 16, Magnitude()),
    FIELD(GameState, WalkFrame, 20, Range(0, 15)),
    FIELD(GameState, Facing, 21, Range(0, 3)),
    // A hero without hit points to have would die on its first tick or divide the status
    // bar by zero.
    FIELD(GameState, Level, 24, MadeHero(99)),
    FIELD(GameState, MaxHP, 28, MadeHero(9999)),
    FIELD(GameState, HP, 32, HeroHP()),
    FIELD(GameState, Strength, 36, Range(0, 999)),
    FIELD(GameState, Defence, 40, Range(0, 999)),
    FIELD(GameState, Experience, 44, Range(0, 999999)),
    FIELD(GameState, Gold, 48, Range(0, 999999)),
    FIELD(GameState, HeroIndex, 53, Range(0, 3)),
    FIELD(GameState, WeaponItem, 54, Item()),
    FIELD(GameState, ArmourItem, 55, Item()),
    FIELD(GameState, PendingExperience, 60, Range(0, 1000000000)),
    // The game holds a real dungeon and floor in every mode (0 before the first dungeon),
    // and the menu's whole map and the game-over screen read them, so no mode is exempt.
    FIELD(GameState, DungeonIndex, 64, Range(0, 8)),
    FIELD(GameState, GameMode, 68, Range(kModeTitle, kModeEnding)),
    FIELD(GameState, Monsters, 72, Records(kMonster)),
    FIELD(GameState, HeroShots, 10388, Records(kShot)),
    FIELD(GameState, MonsterShots, 10628, Records(kShot)),
    FIELD(GameState, Traps, 10868, Records(kTrap)),
    FIELD(GameState, Coins, 11108, Records(kCoin)),
    FIELD(GameState, FloorItems, 3984, Records(kFloorItem)),
    FIELD(GameState, MusicOn, 3913, Flag()),
    FIELD(GameState, EffectsOn, 3914, Flag()),
    // The options dialog offers 1 to 100 ms; 0 would run the timer without pause.
    FIELD(GameState, TickInterval, 3916, Range(1, 100)),
    FIELD(GameState, Inventory, 3920, RangeOr(0, kItemCount - 1, kEmptySlot)),
    FIELD(GameState, InventoryCursor, 10384, Range(0, 63)),
    FIELD(GameState, MenuPage, 13508, Range(0, 2)),
    FIELD(GameState, BossDefeated, 13509, Flag()),
    FIELD(GameState, MusicTrack, 3912, Any()),  // a track number past the last means silence
    FIELD(GameState, Reserved1, 52, Any()),
    FIELD(GameState, Reserved2, 56, Any()),
    FIELD(GameState, Reserved3, 57, Any()),
    FIELD(GameState, Pad22, 22, Padding()),
    FIELD(GameState, Pad58, 58, Padding()),
    FIELD(GameState, Pad3915, 3915, Padding()),
    kTail,
};

#undef FIELD

constexpr RecordInfo kSave{kSaveRecordSize, kSaveFields, nullptr};

// A record held in the state as it is in the file: same size, every field where the file
// has it.
template <typename Record>
constexpr bool HeldAsInFile(const RecordInfo& info) {
  return sizeof(Record) == info.size && Pinned(info.fields, info.size) &&
         Covers(info.fields, info.size);
}
static_assert(HeldAsInFile<MonsterRecord>(kMonster));
static_assert(HeldAsInFile<ShotRecord>(kShot));
static_assert(HeldAsInFile<TrapRecord>(kTrap));
static_assert(HeldAsInFile<CoinRecord>(kCoin));
static_assert(HeldAsInFile<FloorItemRecord>(kFloorItem));
// The game state holds the file's first stretch in place; the boss flags follow it.
static_assert(Pinned(kSaveFields, kSavedStretchSize) && Covers(kSaveFields, kSaveRecordSize));

// The field of a record that holds byte `offset` of it.
const FieldInfo* FieldHolding(const RecordInfo& record, size_t offset) {
  for (const FieldInfo& f : record.fields)
    if (offset >= f.offset && offset < f.offset + f.Size()) return &f;
  return nullptr;
}

std::optional<FieldPlace> FindIn(const RecordInfo& record, const std::string& path, size_t base) {
  const size_t dot = path.find('.');
  std::string head = path.substr(0, dot);
  if (head.empty()) return std::nullopt;
  int index = 0;
  bool indexed = false;
  if (const size_t open = head.find('['); open != std::string::npos && head.back() == ']') {
    const std::string digits = head.substr(open + 1, head.size() - open - 2);
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos ||
        digits.size() > 5)
      return std::nullopt;
    index = std::stoi(digits);
    indexed = true;
    head.resize(open);
  }
  for (const FieldInfo& f : record.fields) {
    if (head != f.name) continue;
    if (index >= f.count || (f.count > 1) != indexed) return std::nullopt;
    const size_t at = base + f.offset + static_cast<size_t>(index) * f.width;
    if (dot == std::string::npos) return f.record ? std::nullopt : std::optional(FieldPlace{at, &f});
    if (!f.record) return std::nullopt;
    return FindIn(*f.record, path.substr(dot + 1), at);
  }
  return std::nullopt;
}

}  // namespace

const RecordInfo& SaveRecordInfo() { return kSave; }

std::vector<const FieldInfo*> InFileOrder(const RecordInfo& record) {
  std::vector<const FieldInfo*> order;
  for (const FieldInfo& f : record.fields) order.push_back(&f);
  std::sort(order.begin(), order.end(),
            [](const FieldInfo* a, const FieldInfo* b) { return a->offset < b->offset; });
  return order;
}

std::optional<FieldPlace> FindField(const std::string& path) { return FindIn(kSave, path, 0); }

std::string FieldNameAt(size_t offset) {
  std::string name;
  const RecordInfo* record = &kSave;
  while (const FieldInfo* f = FieldHolding(*record, offset)) {
    const size_t index = (offset - f->offset) / f->width;
    name += f->name;
    if (f->count > 1) name += "[" + std::to_string(index) + "]";
    if (!f->record) return name;
    name += ".";
    offset -= f->offset + index * f->width;
    record = f->record;
  }
  return name.empty() ? "past the record" : name;
}

}  // namespace persist
