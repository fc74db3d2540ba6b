#include "support/test_support.h"

#include "game/main_form.h"
#include "persist/save.h"
#include "state/random.h"

namespace testsupport {

void StartProgram(uint32_t seed) {
  ResetGame();
  persist::ResetDialogFileNames();
  FormCreate();
  FormShow();
  RandSeed = seed;
}

}  // namespace testsupport
