// The window on a real X display with a window manager, driven by real key and pointer
// events (xdotool): what a player does with the keyboard, menus, dialogs, other windows and
// fullscreen. Run by scripts/with-desktop.sh; skipped without a display.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QImage>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <functional>

#include "event_pump.h"
#include "state/window_model.h"
#include "state/state.h"
#include "desktop/platform/qt_platform.h"
#include "game/keys.h"
#include "game/window_handlers.h"
#include "shell/options.h"
#include "desktop/main_window.h"
#include "desktop/options_dialog.h"
#include "desktop/prefs/window_memory.h"
#include "support/test_support.h"

namespace {

QTemporaryDir* home;
platform::QtPlatform* os;
MainWindow* window;

using desktoptest::Pump;
using desktoptest::WaitFor;

// Real key and pointer events through the X server to whichever window has the focus.
void Xdo(const QStringList& args) {
  ASSERT_EQ(QProcess::execute("xdotool", args), 0) << args.join(' ').toStdString();
  Pump(150);
}

// Runs then() once a modal dialog (or a menu, when popup) is up, from inside its own loop.
void WhenShown(bool popup, std::function<void(QWidget*)> then) {
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, [poll, popup, then] {
    QWidget* shown = popup ? QApplication::activePopupWidget() : QApplication::activeModalWidget();
    if (!shown) return;
    poll->stop();
    poll->deleteLater();
    Pump(200);
    then(shown);
  });
  poll->start(20);
}

void ActivateMain() {
  window->activateWindow();
  window->raise();
  ASSERT_TRUE(WaitFor([] { return window->isActiveWindow(); }));
  Pump(100);
}

// A fresh game in the window, on the title or (after "any key" and Space) the world map.
void NewGame(bool worldMap) {
  window->Keys().ReleaseAll();
  testsupport::ResetGame();
  platform::SetPlatform(os);
  OnWindowCreate();
  OnWindowShow();
  window->Sync();
  if (window->isFullScreen()) window->SetFullScreen(false);
  if (worldMap) {
    OnKeyDown(VK_SPACE);
    OnKeyDown(VK_SPACE);
    OnKeyUp(VK_SPACE);
    ASSERT_EQ(G.GameMode, kModeWorld);
  }
  window->Sync();
  ActivateMain();
}

struct Spot {
  int x, y;
  bool operator==(const Spot&) const = default;
};
Spot Hero() { return {G.WorldX + G.HeroX, G.WorldY + G.HeroY}; }

// After the key's real release went elsewhere, the hero must stand still on later ticks.
void ExpectStandingStill() {
  EXPECT_EQ(G.KeyState[kUp], 0);
  int32_t ticks = G.TickCount;
  Spot before = Hero();
  EXPECT_TRUE(WaitFor([&] { return G.TickCount >= ticks + 8; })) << "the game timer runs";
  EXPECT_EQ(Hero(), before) << "the hero stands still";
}

// Under the options dialog, closed by Esc; the timer runs again afterwards.
TEST(Desktop, KeyReleasedUnderADialogIsReleased) {
  NewGame(true);
  Xdo({"keydown", "Up"});
  ASSERT_TRUE(WaitFor([] { return G.KeyState[kUp] == 1; }));
  WhenShown(false, [](QWidget*) {
    EXPECT_EQ(G.KeyState[kUp], 0) << "released when the dialog opened";
    Xdo({"keyup", "Up"});
    Xdo({"key", "Escape"});
  });
  Xdo({"key", "ctrl+o"});
  ASSERT_TRUE(WaitFor([] { return !QApplication::activeModalWidget(); }));
  EXPECT_TRUE(Window.TickTimer.Enabled);
  EXPECT_EQ(G.GameMode, kModeWorld) << "Esc closed the dialog, it did not reach the game";
  ExpectStandingStill();
}

// Under a menu opened with the pointer and closed by Esc: the keyboard is the game's again.
TEST(Desktop, KeyReleasedUnderAMenuIsReleased) {
  NewGame(true);
  Xdo({"keydown", "Up"});
  ASSERT_TRUE(WaitFor([] { return G.KeyState[kUp] == 1; }));
  QMenuBar* bar = window->menuBar();
  // xdotool speaks the screen's own pixels.
  QPoint file = bar->mapToGlobal(bar->actionGeometry(bar->actions().first()).center()) *
                window->devicePixelRatioF();
  WhenShown(true, [](QWidget*) {
    EXPECT_EQ(G.KeyState[kUp], 0) << "released when the menu opened";
    Xdo({"keyup", "Up"});
    Xdo({"key", "Escape"});
  });
  Xdo({"mousemove", QString::number(file.x()), QString::number(file.y()), "click", "1"});
  ASSERT_TRUE(WaitFor([] { return !QApplication::activePopupWidget(); }));
  ExpectStandingStill();
  Xdo({"keydown", "Left"});
  EXPECT_TRUE(WaitFor([] { return G.KeyState[kLeft] == 1; }))
      << "the next key after Esc reaches the game";
  EXPECT_EQ(bar->activeAction(), nullptr);
  Xdo({"keyup", "Left"});
}

// While another window has the focus; the game also pauses while it is inactive.
TEST(Desktop, KeyReleasedWhileAnotherWindowHasTheFocusIsReleased) {
  NewGame(true);
  Xdo({"keydown", "Up"});
  QWidget other;
  other.setWindowTitle("other");
  other.resize(200, 100);
  other.show();
  other.activateWindow();
  ASSERT_TRUE(WaitFor([&] { return other.isActiveWindow(); }));
  EXPECT_TRUE(WaitFor([] { return G.KeyState[kUp] == 0; }));
  EXPECT_TRUE(window->Paused());
  int32_t ticks = G.TickCount;
  Pump(300);
  EXPECT_EQ(G.TickCount, ticks) << "no tick while the window is inactive";
  Xdo({"keyup", "Up"});
  other.close();
  ActivateMain();
  EXPECT_FALSE(window->Paused());
  ExpectStandingStill();
}

TEST(Desktop, LoneAltLeavesTheKeysToTheGameAndCtrlLLoadsFromTheTitle) {
  NewGame(false);
  Xdo({"key", "alt"});
  Xdo({"key", "Down"});
  EXPECT_TRUE(WaitFor([] { return G.GameMode == kModeSelect; })) << "Down reached the game";
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "no menu opened";
  Xdo({"key", "Return"});
  EXPECT_TRUE(WaitFor([] { return G.GameMode == kModeWorld; }));
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "no menu item ran";

  // Alt+letter still opens its menu.
  WhenShown(true, [](QWidget*) { Xdo({"key", "Escape"}); });
  Xdo({"key", "alt+f"});
  ASSERT_TRUE(WaitFor([] { return !QApplication::activePopupWidget(); }));

  NewGame(false);
  QString dialogClass;
  WhenShown(false, [&](QWidget* dialog) {
    dialogClass = dialog->metaObject()->className();
    Xdo({"key", "Escape"});
  });
  Xdo({"key", "ctrl+l"});
  ASSERT_TRUE(WaitFor([] { return !QApplication::activeModalWidget(); }));
  EXPECT_EQ(dialogClass, "QFileDialog") << "Ctrl+L opened the load dialog";
  EXPECT_EQ(G.GameMode, kModeTitle) << "the Ctrl press did not leave the title";
  EXPECT_TRUE(Window.LoadCommand.Enabled);
}

TEST(Desktop, OptionsDialogClosedByItsCloseBoxRestartsTheTimer) {
  NewGame(true);
  bool stopped = false, pausedBehind = true;
  WhenShown(false, [&](QWidget*) {
    stopped = !Window.TickTimer.Enabled;
    WaitFor([] { return !window->isActiveWindow(); });  // the main window handed the focus over
    // The dialog holds the game itself: no "paused" notice behind it.
    pausedBehind = window->Paused() || window->isActiveWindow();
    Xdo({"key", "alt+F4"});  // the window manager's close
  });
  Xdo({"key", "ctrl+o"});
  ASSERT_TRUE(WaitFor([] { return !QApplication::activeModalWidget(); }));
  EXPECT_TRUE(stopped);
  EXPECT_FALSE(pausedBehind);
  EXPECT_TRUE(Window.TickTimer.Enabled);
  ActivateMain();
  int32_t ticks = G.TickCount;
  EXPECT_TRUE(WaitFor([&] { return G.TickCount > ticks; }));
}

// Every k x k block of the screen's picture area is one pixel of the frame.
int BlockMismatches(const QImage& screen, const QRect& area, int k) {
  const gfx::Bitmap& frame = Window.ShownFrame.Picture;
  int bad = 0;
  for (int y = 0; y < area.height(); ++y)
    for (int x = 0; x < area.width(); ++x) {
      gfx::Color c = frame.Pixel(x / k, y / k);
      if (screen.pixel(area.x() + x, area.y() + y) != qRgb(c & 255, (c >> 8) & 255, c >> 16))
        ++bad;
    }
  return bad;
}

QImage GrabScreen() {
  return window->screen()->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
}

// The screen is looked at again until it matches or a few seconds pass: the window manager
// places and the X server shows a window in its own time.
int ScreenMismatches(const std::function<QRect(const QImage&)>& area, int k) {
  int bad = -1;
  WaitFor([&] {
    QImage shot = GrabScreen();
    bad = BlockMismatches(shot, area(shot), k);
    return bad == 0;
  });
  return bad;
}

// A new game on the title, held still so that the screen can be compared with the frame.
void StillTitle() {
  NewGame(false);
  Window.TickTimer.Enabled = false;
  window->Sync();
}

// In a window the picture lies below the menu bar, here at twice the size.
TEST(Desktop, AWindowShowsThePictureBelowTheMenuBar) {
  StillTitle();
  Xdo({"key", "ctrl+b"});
  ASSERT_TRUE(WaitFor([] { return window->View()->size() == QSize(624, 432); }));
  // Measured in the screen's own pixels, so that a fractional scale factor shows too.
  const qreal dpr = window->devicePixelRatioF();
  const int k = qRound(2 * dpr);
  if (!qFuzzyCompare(2 * dpr, k)) GTEST_SKIP() << "twice the size is no whole factor here";
  EXPECT_EQ(ScreenMismatches([&](const QImage&) {
              return QRect(window->View()->mapToGlobal(QPoint(0, 0)) * dpr, QSize(312, 216) * k);
            }, k), 0);
}

TEST(Desktop, F11FillsTheScreenWithSquarePixelsAndTheMenuBarAppearsAtTheTopEdge) {
  StillTitle();
  const qreal dpr = window->devicePixelRatioF();
  Xdo({"key", "F11"});
  ASSERT_TRUE(WaitFor([] { return window->isFullScreen(); }));
  QRect screen = window->screen()->geometry();
  // The window's own area is what fills the screen; the frame Qt reports can lag behind on a
  // loaded machine, keeping the margins the window manager has already taken away.
  ASSERT_TRUE(WaitFor([&] {
    return window->frameGeometry() == screen || window->geometry() == screen;
  }));
  EXPECT_FALSE(window->MenuBarShown());
  EXPECT_EQ(window->menuBar()->height(), 0);
  EXPECT_TRUE(QSettings().value("display/fullscreen").toBool());
  QImage shown = GrabScreen();
  ASSERT_EQ(shown.size(), screen.size() * dpr);
  int k = std::min(shown.width() / 312, shown.height() / 216);
  QRect area((shown.width() - 312 * k) / 2, (shown.height() - 216 * k) / 2, 312 * k, 216 * k);
  EXPECT_EQ(ScreenMismatches([&](const QImage&) { return area; }, k), 0);
  EXPECT_EQ(GrabScreen().pixel(area.x() - 1, shown.height() / 2), qRgb(0, 0, 0)) << "black bars";

  // The menu bar shows while the pointer rests at the top edge, over the picture.
  Xdo({"mousemove", "600", "0"});  // the top row of the screen at any scale
  ASSERT_TRUE(WaitFor([] { return window->menuBar()->height() > 0; }));
  EXPECT_EQ(window->View()->geometry(), QRect(QPoint(0, 0), screen.size()));
  // The menu bar is drawn in its own colours, not black on black.
  EXPECT_TRUE(WaitFor([] {
    QImage withMenu = GrabScreen();
    int lit = 0;
    for (int x = 0; x < withMenu.width(); ++x) lit += qGray(withMenu.pixel(x, 2)) > 128;
    return lit > withMenu.width() / 2;
  }));
  Xdo({"mousemove", "600", "500"});
  EXPECT_TRUE(WaitFor([] { return window->menuBar()->height() == 0; }));
  // Alt+letter opens a menu in fullscreen too, over the picture.
  WhenShown(true, [](QWidget*) {
    EXPECT_GT(window->menuBar()->height(), 0);
    Xdo({"key", "Escape"});
  });
  Xdo({"key", "alt+v"});
  ASSERT_TRUE(WaitFor([] { return !QApplication::activePopupWidget(); }));
  Xdo({"mousemove", "600", "400"});
  EXPECT_TRUE(WaitFor([] { return window->menuBar()->height() == 0; }));
  EXPECT_TRUE(window->isFullScreen()) << "Esc out of the menu did not leave fullscreen";

  Xdo({"key", "alt+Return"});
  ASSERT_TRUE(WaitFor([] { return !window->isFullScreen(); }));
  EXPECT_TRUE(WaitFor([] { return window->menuBar()->height() > 0; }));
  EXPECT_FALSE(QSettings().value("display/fullscreen").toBool());
}

// In fullscreen a pointer left standing over the picture goes after a moment and comes back
// when it moves; in a window, and while the menu bar is out, it stays.
// Counts the full-screen states a window is put in, however briefly.
class FullScreenWatch : public QObject {
 public:
  explicit FullScreenWatch(QWidget* watched) { watched->installEventFilter(this); }
  int times = 0;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::WindowStateChange &&
        static_cast<QWidget*>(watched)->windowState() & Qt::WindowFullScreen)
      ++times;
    return false;
  }
};

// The remembered place is a window's: one taken in full screen is never written, and one
// written so by an earlier version brings back only a position, never the full screen, which
// some compositors would keep for the next `mirovaan --window`.
TEST(Desktop, APlaceKeptInFullScreenNeverTakesAWindowToFullScreen) {
  NewGame(false);
  QSettings settings;
  window->SetFullScreen(false);
  ASSERT_TRUE(WaitFor([] { return !window->isFullScreen(); }));
  prefs::RememberViewAndPlace(*window);
  const QByteArray windowed = settings.value("window/geometry").toByteArray();
  ASSERT_FALSE(windowed.isEmpty());
  const QSize size = window->size();

  window->SetFullScreen(true);
  ASSERT_TRUE(WaitFor([] { return window->frameGeometry() == window->screen()->geometry(); }));
  const QByteArray fullScreenPlace = window->saveGeometry();
  prefs::RememberViewAndPlace(*window);
  EXPECT_EQ(settings.value("window/geometry").toByteArray(), windowed) << "no full-screen place";
  window->SetFullScreen(false);
  ASSERT_TRUE(WaitFor([&] { return !window->isFullScreen() && window->size() == size; }));

  settings.setValue("window/geometry", fullScreenPlace);
  FullScreenWatch watch(window);
  prefs::RestoreViewAndPlace(*window);
  Pump(500);
  EXPECT_EQ(watch.times, 0) << "the window was put in full screen";
  EXPECT_FALSE(window->isFullScreen());
  EXPECT_EQ(window->size(), size);
  settings.remove("window/geometry");
}

TEST(Desktop, ARestingPointerLeavesTheFullscreenPicture) {
  StillTitle();
  Xdo({"mousemove", "300", "300"});
  Pump(2300);
  EXPECT_TRUE(window->PointerShown()) << "hidden in a window";
  Xdo({"key", "F11"});
  ASSERT_TRUE(WaitFor([] { return window->isFullScreen(); }));
  Xdo({"mousemove", "600", "500"});
  EXPECT_TRUE(window->PointerShown());
  EXPECT_TRUE(WaitFor([] { return !window->PointerShown(); }));
  Xdo({"mousemove", "620", "520"});
  EXPECT_TRUE(WaitFor([] { return window->PointerShown(); }));
  // Resting on the menu bar at the top edge keeps it.
  Xdo({"mousemove", "600", "0"});
  ASSERT_TRUE(WaitFor([] { return window->menuBar()->height() > 0; }));
  Pump(2500);
  EXPECT_TRUE(window->PointerShown()) << "hidden over the menu bar";
  Xdo({"mousemove", "600", "500"});
  Xdo({"key", "F11"});
  ASSERT_TRUE(WaitFor([] { return !window->isFullScreen(); }));
  EXPECT_TRUE(window->PointerShown());
  Pump(2300);
  EXPECT_TRUE(window->PointerShown()) << "hidden after fullscreen";
}

TEST(Desktop, DisplaySettingsApplyAtOnce) {
  NewGame(false);
  QSettings settings;
  settings.setValue("display/scaleMode", "aspect");
  settings.setValue("display/fullscreen", true);
  window->ApplyDisplaySettings();
  ASSERT_TRUE(WaitFor([] { return window->isFullScreen(); }));
  EXPECT_EQ(window->View()->ScaleMode(), gfx::ScaleMode::Aspect);
  settings.remove("display/scaleMode");
  settings.setValue("display/fullscreen", false);
  window->ApplyDisplaySettings();
  ASSERT_TRUE(WaitFor([] { return !window->isFullScreen(); }));
  EXPECT_EQ(window->View()->ScaleMode(), gfx::ScaleMode::Fill) << "a window stretches by default";
  settings.setValue("display/fullscreen", true);
  window->ApplyDisplaySettings();
  ASSERT_TRUE(WaitFor([] { return window->isFullScreen(); }));
  EXPECT_EQ(window->View()->ScaleMode(), gfx::ScaleMode::Whole) << "fullscreen: whole factor";
  // A fixed size from the view-size menu is a window size again.
  Xdo({"key", "ctrl+b"});
  ASSERT_TRUE(WaitFor([] { return !window->isFullScreen(); }));
  EXPECT_TRUE(WaitFor([] { return window->View()->size() == QSize(624, 432); }));
  // The smallest size keeps its client area though the menu bar wraps over two lines.
  Xdo({"key", "ctrl+m"});
  EXPECT_TRUE(WaitFor([] { return window->View()->size() == QSize(156, 108); }))
      << window->View()->width() << " x " << window->View()->height();

  settings.setValue("display/autoPause", false);
  window->ApplyDisplaySettings();
  QWidget other;
  other.show();
  other.activateWindow();
  ASSERT_TRUE(WaitFor([&] { return other.isActiveWindow(); }));
  EXPECT_FALSE(window->Paused()) << "auto-pause switched off";
  other.close();
  settings.remove("display/autoPause");
  window->ApplyDisplaySettings();
  ActivateMain();
}

TEST(Desktop, PauseKeyHoldsTheGameAndLeavesTheFrameAlone) {
  NewGame(true);
  Xdo({"key", "Pause"});
  ASSERT_TRUE(WaitFor([] { return window->Paused(); }));
  gfx::Bitmap frame = Window.ShownFrame.Picture;
  int32_t ticks = G.TickCount;
  Pump(300);
  EXPECT_EQ(G.TickCount, ticks);
  EXPECT_TRUE(Window.ShownFrame.Picture == frame) << "the words are the window's, not the frame's";
  EXPECT_EQ(G.GameMode, kModeWorld) << "Pause is not a game key";
  // Closing the options dialog does not end a pause the player asked for.
  WhenShown(false, [](QWidget*) { Xdo({"key", "Escape"}); });
  Xdo({"key", "ctrl+o"});
  ASSERT_TRUE(WaitFor([] { return !QApplication::activeModalWidget(); }));
  ActivateMain();
  EXPECT_TRUE(window->Paused());
  Pump(200);
  EXPECT_EQ(G.TickCount, ticks);
  Xdo({"key", "Pause"});
  EXPECT_TRUE(WaitFor([] { return !window->Paused(); }));
  EXPECT_TRUE(WaitFor([&] { return G.TickCount > ticks; }));
}

TEST(Desktop, F12SavesThePictureOrSaysWhyNot) {
  NewGame(false);
  QDir pictures(home->filePath("Pictures/mirovaan"));
  pictures.removeRecursively();
  Xdo({"key", "F12"});
  QStringList saved;
  WaitFor([&] {
    saved = pictures.entryList({"mirovaan-*.png"}, QDir::Files);
    return !saved.isEmpty();
  });
  ASSERT_EQ(saved.size(), 1);
  QImage picture(pictures.filePath(saved.first()));
  int k = std::max(2, window->View()->WholeScale());
  EXPECT_EQ(picture.size(), QSize(312 * k, 216 * k));
  EXPECT_TRUE(window->View()->Notice().contains(saved.first()));
  EXPECT_TRUE(WaitFor([] { return window->View()->Notice().isEmpty(); }));

  // A file where the folder should be: the failure is shown, the game goes on as before.
  pictures.removeRecursively();
  QFile blocker(pictures.path());
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  QString text;
  WhenShown(false, [&](QWidget* box) {
    if (auto* message = qobject_cast<QMessageBox*>(box)) text = message->text();
    Xdo({"key", "Return"});
  });
  Xdo({"key", "F12"});
  ASSERT_TRUE(WaitFor([] { return !QApplication::activeModalWidget(); }));
  EXPECT_TRUE(text.contains("スクリーンショットを保存できませんでした")) << text.toStdString();
  EXPECT_EQ(G.GameMode, kModeTitle);
  EXPECT_TRUE(Window.TickTimer.Enabled);
  QFile::remove(pictures.path());
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("DISPLAY")) {
    std::printf("no X display: run under scripts/with-desktop.sh\n");
    return 0;
  }
  // The X display named, never a Wayland desktop the test was started from.
  qunsetenv("WAYLAND_DISPLAY");
  qunsetenv("WAYLAND_SOCKET");
  QTemporaryDir dir;
  home = &dir;
  // Settings and pictures in a folder of the test's own.
  qputenv("HOME", dir.path().toUtf8());
  qputenv("XDG_CONFIG_HOME", dir.filePath("config").toUtf8());
  QDir().mkpath(dir.filePath("config"));
  {
    QFile dirs(dir.filePath("config/user-dirs.dirs"));
    if (!dirs.open(QIODevice::WriteOnly)) return 1;
    dirs.write("XDG_PICTURES_DIR=\"$HOME/Pictures\"\n");
  }
  QApplication app(argc, argv);
  QApplication::setOrganizationName("mirovaan");
  QApplication::setApplicationName("mirovaan");
  QSettings::setDefaultFormat(QSettings::IniFormat);
  ::testing::InitGoogleTest(&argc, argv);

  testsupport::ResetGame();
  platform::QtPlatform qtOs;
  os = &qtOs;
  platform::SetPlatform(os);
  MainWindow main(qtOs);
  window = &main;
  qtOs.optionsDialog = [&main] { RunOptionsDialog(&main); };
  OnWindowCreate();
  main.show();
  OnWindowShow();
  main.Sync();
  main.ApplyDisplaySettings();
  int status = RUN_ALL_TESTS();
  platform::SetPlatform(&testsupport::Os());
  return status;
}
