#include "support/test_support.h"

#include "game/window_handlers.h"
#include "persist/save.h"
#include "state/random.h"

namespace testsupport {

void StartProgram(uint32_t seed) {
  ResetGame();
  persist::ResetDialogFileNames();
  OnWindowCreate();
  OnWindowShow();
  RandSeed = seed;
}

}  // namespace testsupport
