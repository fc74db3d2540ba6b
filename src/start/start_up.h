// The program's start-up, one sequence for the desktop program, the headless runner, the
// soak, the fuzz targets and the tests. Only how the sound starts differs between them.
#pragma once

#include <functional>
#include <string>

#include "platform/platform.h"

namespace start {

// Starts the sound (audio::Init). The runner and the tests start it in place; the desktop
// program begins it on a thread, so that the soundfont loads while its window is built, and
// joins that thread before the window's creation plays the title music.
using SoundStart = std::function<void()>;

// Before the window opens, in this order: the platform, the content folder (a slash is
// added), the sound, the window's stored sheets. The window's creation (OnWindowCreate) follows.
void PrepareProgram(platform::Platform& os, std::string contentDir, const SoundStart& startSound);

// The game record as the window's creation leaves it: the picture buffers, the start values
// and the content's constant tables (the heroes' texts, the items).
void PrepareRecord();

}  // namespace start
