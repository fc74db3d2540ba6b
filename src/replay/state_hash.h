// Fingerprints that tell whether two games are the same: the game state's hash, stored in a
// replay every hundred ticks, and the hash of the content files whose bytes the rules read.
#pragma once

#include <cstdint>
#include <string>

namespace replay {

// Everything play depends on: the saved stretch, the fields beside it, the working floors
// while a dungeon is in play, the random generator and the file commands' enabled flags.
uint64_t StateHash();

// The dungeon files of the content folder (the bytes the game reads of each). Pictures,
// music and effects change only what is seen and heard, so a replay stays valid across them.
uint64_t ContentHash(const std::string& appDir);

}  // namespace replay
