// The byte image of a saved game, copied between the game state and the record as the
// record's table describes them.
#include <algorithm>
#include <bit>
#include <cstring>
#include <type_traits>

#include "persist/record_fields.h"
#include "persist/save.h"
#include "state/state.h"

static_assert(std::is_trivially_copyable_v<GameState>);
// A saved game is little-endian on every machine (the load check reads its numbers so), and
// the record is copied to and from the game state byte for byte, without swapping. That copy
// is right only where the game state's own numbers are little-endian too; a big-endian port
// would have to swap each field by the table's widths instead.
static_assert(std::endian::native == std::endian::little,
              "the saved record is copied byte for byte and must match the state's byte order");

namespace {

// A stretch of bytes: where it is in the file, where the game state holds it, how long.
struct Span {
  size_t file, held, size;
};

// The table flattened once: the stretches to copy (merged where they run on in both
// places) and every padding field inside them.
struct Plan {
  std::vector<Span> copy;
  std::vector<Span> padding;
};

void AddPadding(const persist::RecordInfo& record, size_t file, size_t held, Plan& plan) {
  for (const persist::FieldInfo& f : record.fields) {
    if (f.stateOffset == persist::kNotHeld) continue;
    if (f.role == persist::Role::kPadding)
      plan.padding.push_back({file + f.offset, held + f.stateOffset, f.Size()});
    if (f.record)
      for (size_t i = 0; i < f.count; ++i)
        AddPadding(*f.record, file + f.offset + i * f.width, held + f.stateOffset + i * f.width,
                   plan);
  }
}

Plan MakePlan() {
  Plan plan;
  for (const persist::FieldInfo* f : persist::InFileOrder(persist::SaveRecordInfo())) {
    if (f->stateOffset == persist::kNotHeld) continue;
    Span s{f->offset, f->stateOffset, f->Size()};
    Span* last = plan.copy.empty() ? nullptr : &plan.copy.back();
    if (last && last->file + last->size == s.file && last->held + last->size == s.held)
      last->size += s.size;
    else
      plan.copy.push_back(s);
  }
  AddPadding(persist::SaveRecordInfo(), 0, 0, plan);
  return plan;
}

const Plan& RecordPlan() {
  static const Plan plan = MakePlan();
  return plan;
}

}  // namespace

// Padding carries no meaning and is written as zero, so that two saves of the same game are
// the same file. Bytes the game merely does not use (a shot's byte 1, the unused bytes of a
// floor item) are kept: they belong to the record as the game holds it.
std::vector<uint8_t> BuildSaveRecord() {
  std::vector<uint8_t> record(kSaveRecordSize, 0);
  const auto* held = reinterpret_cast<const uint8_t*>(&G);
  for (const Span& s : RecordPlan().copy) std::memcpy(record.data() + s.file, held + s.held, s.size);
  for (const Span& s : RecordPlan().padding) std::memset(record.data() + s.file, 0, s.size);
  return record;
}

namespace persist {

void ApplySaveRecord(const uint8_t* data) {
  auto* held = reinterpret_cast<uint8_t*>(&G);
  for (const Span& s : RecordPlan().copy) std::memcpy(held + s.held, data + s.file, s.size);
  for (const Span& s : RecordPlan().padding) std::memset(held + s.held, 0, s.size);
}

}  // namespace persist
