#include "shell/play_clock.h"

#include "state/state.h"

namespace playclock {

namespace {
int64_t played = 0;
bool holding = false;
}

void Hold(bool held) { holding = held; }

void AfterTick(int gameMode, int tickMs) {
  if (gameMode == kModeTitle || gameMode == kModeSelect) {
    played = 0;
  } else if (tickMs > 0 && !holding) {
    played += tickMs;
  }
}

int64_t Milliseconds() { return played; }
void Set(int64_t ms) { played = ms < 0 ? 0 : ms; }

}  // namespace playclock
