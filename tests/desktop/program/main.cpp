// The desktop tests need a display with a window manager: run them with
// scripts/with-desktop.sh (CTest does). The program's folders go to a private home.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <cstdlib>

#include "desktop_env.h"
#include "desktop/prefs/app_settings.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (!std::getenv("DISPLAY")) {
    std::fprintf(stderr, "test_program: no DISPLAY; run it under scripts/with-desktop.sh\n");
    return 1;
  }
  // The X display named, never a Wayland desktop the test was started from.
  qunsetenv("WAYLAND_DISPLAY");
  qunsetenv("WAYLAND_SOCKET");
  QString home = desktoptest::Home();
  qputenv("HOME", home.toLocal8Bit());
  qputenv("XDG_CONFIG_HOME", desktoptest::ConfigHome().toLocal8Bit());
  qputenv("XDG_DATA_HOME", desktoptest::DataHome().toLocal8Bit());
  qputenv("XDG_CACHE_HOME", (home + "/cache").toLocal8Bit());
  prefs::SetUpIdentity();
  QApplication app(argc, argv);
  int status = RUN_ALL_TESTS();
  QDir(home).removeRecursively();
  return status;
}
