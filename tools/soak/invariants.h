// What must hold of the game after every tick and every input, whatever the player does.
#pragma once

#include <optional>
#include <string>

namespace soak {

// The first broken rule of the running game, in words, or nullopt.
std::optional<std::string> BrokenInvariant();

}  // namespace soak
