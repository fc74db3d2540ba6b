#include "replay/state_hash.h"

#include <vector>

#include "platform/files.h"
#include "state/window_model.h"
#include "state/random.h"
#include "state/state.h"

namespace replay {

namespace {

// FNV-1a, 64 bits: small, and any change of a byte changes it.
class Fnv {
 public:
  void Add(const void* data, size_t size) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    for (size_t i = 0; i < size; ++i) value_ = (value_ ^ bytes[i]) * 0x100000001b3ull;
  }
  template <typename T>
  void AddValue(const T& v) {
    Add(&v, sizeof v);
  }
  uint64_t Value() const { return value_; }

 private:
  uint64_t value_ = 0xcbf29ce484222325ull;
};

constexpr size_t kDungeonBytes = sizeof(FloorRecord) * 10;

}  // namespace

uint64_t StateHash() {
  Fnv h;
  h.Add(&G, kSavedStretchSize);
  h.AddValue(G.KeyState);
  h.AddValue(G.StairLatch);
  h.AddValue(G.SpeechIndex);
  h.AddValue(G.MessageTimer);
  h.AddValue(G.MessageItem);
  h.AddValue(G.TickCount);
  h.AddValue(G.BossDefeated);
  h.AddValue(RandSeed);
  h.AddValue(Window.SaveCommand.Enabled);
  h.AddValue(Window.LoadCommand.Enabled);
  h.AddValue(Window.TickTimer.Interval);
  // Outside a dungeon the floors keep whatever the last one left; entering one sets them
  // up afresh, so only the floors in play belong to the game.
  if (G.GameMode == kModePlay || G.GameMode == kModeMenu) h.AddValue(G.Floors);
  return h.Value();
}

uint64_t ContentHash(const std::string& appDir) {
  Fnv h;
  for (int dungeon = 0; dungeon <= 8; ++dungeon) {
    // Read the safe way: a pipe or a device in a dungeon's place must not hang a replay.
    // What cannot be read counts as an empty file, a short file as its bytes.
    std::vector<uint8_t> bytes;
    platform::ReadRegularFile(appDir + "M_" + std::to_string(dungeon) + ".mpt", kDungeonBytes,
                              platform::Excess::Ignore, bytes);
    const int64_t got = static_cast<int64_t>(bytes.size());
    h.AddValue(got);
    h.Add(bytes.data(), bytes.size());
  }
  return h.Value();
}

}  // namespace replay
