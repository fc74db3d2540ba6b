// The game set up once for a fuzz target, as the headless runner does, on a private content
// folder: the real pictures and music of the build linked in, dungeon files written by the
// target itself.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "audio/sound.h"
#include "combat/spawn.h"
#include "content/heroes.h"
#include "content/items.h"
#include "state/window_model.h"
#include "state/random.h"
#include "start/start_up.h"
#include "state/state.h"
#include "game/tick.h"
#include "world/world.h"
#include "headless/headless_platform.h"
#include "game/window_handlers.h"

// Fontconfig keeps its default configuration for the life of the process and frees it only
// in FcFini, which the game never calls; that is not a leak of ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

namespace fuzzgame {

inline platform::HeadlessPlatform& Os() {
  static platform::HeadlessPlatform os;
  return os;
}

inline void WriteFile(const std::string& path, const uint8_t* data, size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

// A scratch content folder with every file of the build's content folder linked in except
// the dungeon files, which keep their real contents unless a target overwrites them.
inline const std::string& ScratchAppDir() {
  static const std::string dir = [] {
    // In memory where the system offers it: a file rewritten for every input on a disk
    // file system is flushed to the disk each time, which would cost more than the reading.
    std::error_code ec;
    auto base = std::filesystem::is_directory("/dev/shm", ec) ? std::filesystem::path("/dev/shm")
                                                              : std::filesystem::temp_directory_path();
    std::string pattern = (base / "mirovaan-fuzz-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) std::abort();
    for (const auto& entry : std::filesystem::directory_iterator(MIROVAAN_FUZZ_DATA_DIR)) {
      if (!entry.is_regular_file()) continue;
      auto target = std::filesystem::path(pattern) / entry.path().filename();
      if (entry.path().extension() == ".mpt")
        std::filesystem::copy_file(entry.path(), target);
      else
        std::filesystem::create_symlink(entry.path(), target);
    }
    return pattern + "/";
  }();
  return dir;
}

// Start-up as the program does it, with the content folder above. Once per process.
inline void StartOnce() {
  static bool started = false;
  if (started) return;
  started = true;
  start::PrepareProgram(Os(), ScratchAppDir(), [] { audio::Init(audio::Backend::Virtual); });
  OnWindowCreate();
  OnWindowShow();
  std::atexit([] { std::filesystem::remove_all(ScratchAppDir()); });
}

// Runs a few ticks of whatever mode the game is in, with the fire key held and the hero
// walking, so that a state that slipped through reaches every block of the tick.
inline void RunTicks(int ticks, uint8_t keys) {
  for (int i = 0; i < 8; ++i) G.KeyState[i] = (keys >> i) & 1;
  G.KeyState[kEsc] = 0;
  for (int t = 0; t < ticks && !Window.Ended; ++t) {
    RunHandler(GameTick);
    ++G.TickCount;
  }
  for (uint8_t& k : G.KeyState) k = 0;
  Os().lines.clear();
}

}  // namespace fuzzgame
