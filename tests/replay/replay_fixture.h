// Shared helpers of the replay tests: recording a scripted game in-process and playing a
// replay back on a fresh program, with the end state as bytes to compare.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "state/window_model.h"
#include "state/random.h"
#include "state/state.h"
#include "persist/save.h"
#include "replay/player.h"
#include "replay/reader.h"
#include "replay/recorder.h"
#include "replay/state_hash.h"
#include "shell/feed.h"
#include "game/window_handlers.h"
#include "game/keys.h"
#include "support/test_support.h"

namespace replaytest {

namespace fs = std::filesystem;

class ScratchDir {
 public:
  ScratchDir() {
    std::string pattern = (fs::temp_directory_path() / "mirovaan-replay-test-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data()) ? pattern : std::string();
  }
  ~ScratchDir() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

inline std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

inline void WriteText(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

// What a game is at the end: the save record, the fields beside it and the hash.
struct EndState {
  std::vector<uint8_t> record;
  std::vector<uint8_t> keys;
  int32_t tickCount = 0;
  uint32_t seed = 0;
  uint64_t hash = 0;
  bool operator==(const EndState&) const = default;
};

inline EndState Snapshot() {
  EndState s;
  s.record = BuildSaveRecord();
  s.keys.assign(G.KeyState, G.KeyState + 8);
  s.tickCount = G.TickCount;
  s.seed = RandSeed;
  s.hash = replay::StateHash();
  return s;
}

// A scripted player: inputs at given ticks, driven through the game's input door.
struct Script {
  std::vector<std::pair<int, std::function<void()>>> steps;
  void At(int tick, std::function<void()> f) { steps.emplace_back(tick, std::move(f)); }
  void Press(int tick, uint16_t key) {
    At(tick, [key] {
      feed::KeyDown(key);
      feed::KeyUp(key);
    });
  }
  void Hold(int from, int to, uint16_t key) {
    At(from, [key] { feed::KeyDown(key); });
    At(to, [key] { feed::KeyUp(key); });
  }
  void Run(int ticks) const {
    size_t next = 0;
    auto sorted = steps;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (int t = 0; t < ticks; ++t) {
      while (next < sorted.size() && sorted[next].first <= t) RunHandler(sorted[next++].second);
      RunHandler([] { feed::Tick(); });
    }
  }
};

// A new game with the hero of the given selection arrow, walked into the first dungeon.
inline void IntoFirstDungeon(Script& s, uint16_t arrow) {
  s.Press(1, VK_SPACE);
  s.Press(4, arrow);
  s.Press(7, VK_SPACE);
  s.Hold(9, 17, VK_LEFT);
  s.Press(19, VK_SPACE);
}

// Records the script on a fresh program from its start-up; the end state as recorded.
inline EndState Record(const std::string& path, const Script& script, int ticks,
                       uint32_t seed = 7) {
  testsupport::StartProgram(seed);
  replay::RecordingSession session(testsupport::Os());
  std::string error;
  EXPECT_TRUE(session.Start(path, false, error)) << error;
  script.Run(ticks);
  EndState end = Snapshot();
  session.Stop();
  return end;
}

// Plays the replay at path on a fresh program to its end.
inline replay::Player::Status Play(const std::string& path, EndState* end = nullptr,
                                   int64_t* desyncTick = nullptr) {
  auto read = replay::ReadReplayFile(path);
  if (auto* e = std::get_if<replay::ReadError>(&read)) {
    ADD_FAILURE() << e->Message();
    return replay::Player::Status::Desync;
  }
  testsupport::StartProgram(12345);  // the replay's own seed must win over this one
  replay::Player player(testsupport::Os(), std::get<replay::Replay>(read));
  if (!player.Begin()) return replay::Player::Status::Desync;
  while (player.Step() == replay::Player::Status::Playing) {
  }
  if (end) *end = Snapshot();
  if (desyncTick) *desyncTick = player.DesyncTick();
  return player.State();
}

}  // namespace replaytest
