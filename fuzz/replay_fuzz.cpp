// libFuzzer target for the replay reader: any bytes are refused with a line and a reason, or
// read into a replay that writes back to the same text; a short readable replay of this
// game is also played, whatever its events ask of the game.
#include <string>
#include <string_view>

#include "state/window_model.h"
#include "fuzz_game.h"
#include "replay/player.h"
#include "replay/reader.h"
#include "replay/start.h"
#include "replay/writer.h"

namespace {

constexpr int64_t kLongestPlay = 300;  // ticks: longer replays are only read

void PlayBriefly(const replay::Replay& r) {
  if (replay::CheckCompatible(r.Head)) return;
  int64_t last = r.Ended ? r.EndTick : (r.Events.empty() ? 0 : r.Events.back().Tick);
  if (last > kLongestPlay) return;
  replay::Player player(fuzzgame::Os(), r);
  if (player.Begin()) {
    while (player.Step() == replay::Player::Status::Playing && !Window.Ended) {
    }
  }
  Window.Ended = false;  // an exit answered Yes ends only this replay
  fuzzgame::Os().lines.clear();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzgame::StartOnce();
  std::string_view text(reinterpret_cast<const char*>(data), size);
  auto result = replay::ParseReplay(text);
  if (auto* error = std::get_if<replay::ReadError>(&result)) {
    // A refusal names a line of the file (or none) and says what was wrong.
    size_t lines = 1;
    for (char c : text) lines += c == '\n';
    if (error->Line < 0 || static_cast<size_t>(error->Line) > lines || error->What.empty())
      __builtin_trap();
    return 0;
  }
  const replay::Replay& r = std::get<replay::Replay>(result);
  // What was read writes back as the canonical text, which reads back the same.
  std::string again = replay::ReplayText(r);
  auto reread = replay::ParseReplay(again);
  if (!std::holds_alternative<replay::Replay>(reread) ||
      replay::ReplayText(std::get<replay::Replay>(reread)) != again)
    __builtin_trap();
  PlayBriefly(r);
  return 0;
}
