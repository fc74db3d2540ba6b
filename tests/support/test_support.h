// Shared set-up for the tests: a fresh game on the headless platform.
#pragma once

#include <cstdint>
#include <string>

#include "headless/headless_platform.h"
#include "support/data_dir.h"

namespace testsupport {

// The headless platform the tests run on (answers Yes unless told otherwise).
platform::HeadlessPlatform& Os();

// Zero game state, a fresh main-window model, a fresh headless platform, AppDir set to the
// content folder, the window's sheets loaded, the constant tables filled. No OnWindowCreate.
void ResetGame();

// ResetGame, then the program's start-up (OnWindowCreate, with the saved-game dialogs' proposed
// names back to their first values) and the generator seeded to seed afterwards, as the
// headless runner does. Only the test programs above the game loop link it.
void StartProgram(uint32_t seed = 1);

}  // namespace testsupport
