#include "desktop/platform/window_placing.h"

#include <QGuiApplication>

namespace platform {

bool CompositorPlacesWindows() {
  // "wayland", "wayland-egl", "wayland-brcm"...: every Wayland platform plugin of Qt.
  return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

}  // namespace platform
