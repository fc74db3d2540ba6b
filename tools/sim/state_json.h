// The headless runner's report of the game state as JSON: every field of the saved group
// under its own name, plus the transient values that scripted checks look at.
#pragma once

#include <string>

std::string StateJson();
