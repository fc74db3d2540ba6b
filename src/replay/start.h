// Where a replay begins: a fresh program, or a saved game loaded over it. Recording and
// playback both pass through ApplyStart, so the two games begin from the same state.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "replay/replay.h"

namespace replay {

// Headers for a replay that begins now: at program start-up (the generator's seed and the
// options as they stand), or from the saved game given (the seed as it stands now and the
// fields the record does not hold, as they stand now).
Header FreshStartHeader();
Header SaveStartHeader(std::vector<uint8_t> record);

// Why this game cannot play the replay (another version, other content), or nullopt.
struct Refusal {
  std::string English, Japanese;
};
std::optional<Refusal> CheckCompatible(const Header& header);

// Puts the started program (OnWindowCreate and OnWindowShow done) where the replay began; false
// if the embedded saved game could not be loaded (the game has shown why).
bool ApplyStart(const Header& header);

}  // namespace replay
