// The byte image of a saved game, copied field by field between the game state and the
// record as the record's table describes them.
#include <cstring>
#include <memory>
#include <type_traits>

#include "persist/record_fields.h"
#include "persist/save.h"
#include "state/state.h"

static_assert(std::is_trivially_copyable_v<GameState>);

namespace {

// Padding carries no meaning and is written as zero, so that two saves of the same game are
// the same file. Bytes the game merely does not use (a shot's byte 1, the unused bytes of a
// floor item) are kept: they belong to the record as the game holds it.
void ClearPadding(const persist::RecordInfo& record, uint8_t* held) {
  for (const persist::FieldInfo& f : record.fields) {
    if (f.stateOffset == persist::kNotHeld) continue;
    if (f.role == persist::Role::kPadding) std::memset(held + f.stateOffset, 0, f.Size());
    if (f.record)
      for (int i = 0; i < f.count; ++i) ClearPadding(*f.record, held + f.stateOffset + i * f.width);
  }
}

void ClearPadding(GameState& s) {
  ClearPadding(persist::SaveRecordInfo(), reinterpret_cast<uint8_t*>(&s));
}

}  // namespace

std::vector<uint8_t> BuildSaveRecord() {
  // Cleared on a copy: saving must not change the running game.
  auto copy = std::make_unique<GameState>(G);
  ClearPadding(*copy);

  std::vector<uint8_t> record(kSaveRecordSize, 0);
  const auto* held = reinterpret_cast<const uint8_t*>(copy.get());
  for (const persist::FieldInfo& f : persist::SaveRecordInfo().fields)
    if (f.stateOffset != persist::kNotHeld)
      std::memcpy(record.data() + f.offset, held + f.stateOffset, f.Size());
  return record;
}

namespace persist {

void ApplySaveRecord(const uint8_t* data) {
  auto* held = reinterpret_cast<uint8_t*>(&G);
  for (const FieldInfo& f : SaveRecordInfo().fields)
    if (f.stateOffset != kNotHeld) std::memcpy(held + f.stateOffset, data + f.offset, f.Size());
  ClearPadding(G);
}

}  // namespace persist
