// Who places the program's windows on the screen.
#pragma once

namespace platform {

// True where the display server places top-level windows itself and gives no client its
// position (Wayland): there the program neither centres its window nor restores a place.
bool CompositorPlacesWindows();

}  // namespace platform
