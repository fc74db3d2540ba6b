#include "core/tick.h"

void GameTick() {}
