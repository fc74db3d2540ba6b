// libFuzzer target for the saved-game reader: the check of a record and its copy into the
// game state. Any bytes are either refused with a reason, the game left exactly as it was,
// or taken into a state that saves again to the same record. The floor rebuild and the play
// that follow a load are left to the soak, which runs them on whole games; here the fuzzer
// spends its time on the record itself.
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "content/heroes.h"
#include "state/state.h"
#include "world/floor_setup.h"
#include "fuzz_game.h"
#include "persist/save.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzgame::StartOnce();
  // A whole record (the seed corpus holds real saves) is taken as it is; a shorter input is
  // a record cut short, filled up with zero bytes, as a damaged file would be.
  std::vector<uint8_t> record(kSaveRecordSize, 0);
  std::memcpy(record.data(), data, size < kSaveRecordSize ? size : kSaveRecordSize);

  static auto before = std::make_unique<GameState>();
  *before = G;
  auto problem = persist::CheckSaveRecord(record.data());
  if (problem) {
    if (problem->empty()) std::abort();  // a refusal always says why
    return 0;
  }
  persist::ApplySaveRecord(record.data());
  // What was taken saves again to the record read, padding aside, and passes the check.
  std::vector<uint8_t> again = BuildSaveRecord();
  if (persist::CheckSaveRecord(again.data())) std::abort();
  persist::ApplySaveRecord(again.data());
  if (BuildSaveRecord() != again) std::abort();
  G = *before;
  return 0;
}
