// Play time: how long the game in hand has been played, counted by the ticks that ran (so
// never while paused, under a dialog or in the program's menus) and kept beside each save.
#pragma once

#include <cstdint>

namespace playclock {

// After each tick that ran, with the tick's length: counts while a game runs, and starts
// from nothing again on the title and the hero selection, where the next game begins.
void AfterTick(int gameMode, int tickMs);
int64_t Milliseconds();
void Set(int64_t ms);  // a game loaded with the play time kept beside it
// While held (the window's menu is open: the game runs on, the player is not playing), ticks
// are not counted.
void Hold(bool held);

}  // namespace playclock
