// The saved game described once: every field of the record and of the records inside it,
// with its place in the file, its width, the name it is known by (in the load check's
// messages, the runner's JSON and the tests) and the values a game can hold in it. The
// layout is pinned against the game state at compile time from these tables; the load
// check, the clearing of padding and the JSON report all walk them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "base/little_endian.h"

namespace persist {

// How the load check judges a value.
enum class Rule : uint8_t {
  kAny,        // every value the bytes can hold is one the game copes with
  kRange,      // lo..hi
  kRangeOr,    // lo..hi, or the one value `extra` (an empty slot, the boss kind)
  kMadeHero,   // 0..hi on the title, where no hero exists yet; 1..hi in every other mode
  kHeroHP,     // 0..the hero's MaxHP
  kSpriteRow,  // a boss's sheet has one row, other monsters' three; chests use none
};

// When the rule applies.
enum class When : uint8_t {
  kAlways,
  kLive,      // only while the record is in use (a monster slot not empty, a shot in flight...)
  kShooting,  // only for a monster that shoots
};

// What the bytes are to the file.
enum class Role : uint8_t {
  kValue,    // a value of the game, reported by name
  kUnused,   // bytes the game never reads; they travel as the game holds them
  kPadding,  // alignment only: written as zero, so that two saves of one game are one file
};

struct RecordInfo;

struct FieldInfo {
  const char* name;
  size_t offset;       // in the saved file's record (or in the enclosing record)
  size_t stateOffset;  // where the running game holds it; kNotHeld for the file's tail
  uint16_t width;      // bytes of one element
  bool isSigned;
  uint16_t count;      // elements: 1, or the length of an array
  const RecordInfo* record;  // the element's own description, for arrays of records
  Rule rule;
  int64_t lo, hi, extra;
  When when;
  Role role;

  constexpr size_t Size() const { return static_cast<size_t>(width) * count; }
};

inline constexpr size_t kNotHeld = static_cast<size_t>(-1);

struct RecordInfo {
  size_t size;  // bytes in the file
  // In the order the load check examines them (what decides whether the rest matters
  // first, then what the thing is, then its counters); the file's order is that of the
  // offsets.
  std::span<const FieldInfo> fields;
  // Whether the record is in use; its kLive fields are checked only then. Null: always.
  bool (*live)(const uint8_t* record);
};

// The whole saved record: the game state's saved stretch, the boss flags and the tail.
const RecordInfo& SaveRecordInfo();

// The fields of a record in the file's order.
std::vector<const FieldInfo*> InFileOrder(const RecordInfo& record);

// One element of a field, read as a number from the record bytes at base (the record is
// little-endian, as the game state it is copied from).
inline long long ReadElement(const uint8_t* base, const FieldInfo& field, int index) {
  const uint8_t* p = base + static_cast<size_t>(index) * field.width;
  if (field.width == 1) return field.isSigned ? static_cast<long long>(static_cast<int8_t>(*p)) : *p;
  if (field.width == 2) return field.isSigned ? base::ReadLeSigned16(p) : base::ReadLe16(p);
  return field.isSigned ? static_cast<long long>(base::ReadLeSigned32(p)) : base::ReadLe32(p);
}

// Where a named value sits in the saved record, such as "HP", "Inventory[10]" or
// "Monsters[3].ShotLook".
struct FieldPlace {
  size_t offset;
  const FieldInfo* field;
};
std::optional<FieldPlace> FindField(const std::string& path);

// The name of the value a byte of the saved record belongs to, such as "Monsters[3].HP"
// or "Coins[4].Pad21": for reporting a difference between two records by name.
std::string FieldNameAt(size_t offset);

}  // namespace persist
