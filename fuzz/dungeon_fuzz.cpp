// libFuzzer target for the dungeon files: any bytes as a dungeon file are refused with a
// message or set up as floors on which the game plays without fault, whatever tile values
// and attributes they hold.
#include <memory>
#include <vector>

#include "world/floor_setup.h"
#include "fuzz_game.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzgame::StartOnce();
  if (size < 4) return 0;
  const int dungeon = data[0] % 9;
  const int floor = data[1] % 10;
  const int hero = data[2] % 4;
  const uint8_t keys = data[3];
  data += 4;
  size -= 4;
  // Mostly a whole file made of the input repeated, so that tiles and attributes of every
  // floor come from the fuzzer; sometimes the input as it is, short files included.
  std::vector<uint8_t> file(data, data + size);
  if (!(keys & 0x80) && !file.empty() && file.size() < 10 * sizeof(FloorRecord)) {
    file.resize(10 * sizeof(FloorRecord));
    for (size_t i = size; i < file.size(); ++i) file[i] = file[i % size];
  }
  fuzzgame::WriteFile(AppDir + "M_" + std::to_string(dungeon) + ".mpt", file.data(), file.size());

  auto before = std::make_unique<GameState>(G);
  G.HeroIndex = static_cast<int8_t>(hero);
  StartNewGame();
  G.MusicOn = G.EffectsOn = 0;
  G.FloorIndex = floor;
  G.HeroX = 24 * (keys % 60);
  G.HeroY = 24 * ((keys / 4) % 60);
  bool ready = false;
  RunHandler([&] {
    SetUpFloor(dungeon, true, true);
    ready = true;
  });
  if (ready) {
    G.GameMode = kModePlay;
    fuzzgame::RunTicks(12, keys);
  }
  G = *before;
  fuzzgame::Os().lines.clear();
  return 0;
}
