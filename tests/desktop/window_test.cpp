// The desktop window itself: what it shows at start-up, its menus, and how Qt's key events
// become the game's key codes.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QWindow>

#include "audio/sound.h"
#include "state/window_model.h"
#include "state/state.h"
#include "desktop/platform/qt_platform.h"
#include "game/keys.h"
#include "game/window_handlers.h"
#include "desktop/key_map.h"
#include "desktop/main_window.h"
#include "support/test_support.h"

namespace {

QAction* FindAction(QWidget& window, const QString& text) {
  for (QAction* a : window.findChildren<QAction*>())
    if (a->text() == text) return a;
  return nullptr;
}

QKeyEvent Key(QEvent::Type type, int key, Qt::KeyboardModifiers mods = Qt::NoModifier,
              bool autoRepeat = false) {
  return QKeyEvent(type, key, mods, QString(), autoRepeat);
}

// Pixels of every third row and column where the view differs from the title picture.
int TitleMismatches(QWidget* view) {
  QImage shown = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
  gfx::TImage title;
  title.LoadFromFile(AppDir + "title.bmp");
  if (shown.width() != 312 || shown.height() != 216) return -1;
  int mismatches = 0;
  for (int y = 0; y < 216; y += 3)
    for (int x = 0; x < 312; x += 3) {
      QRgb p = shown.pixel(x, y);
      gfx::Color c = title.Picture.Pixel(x, y);
      if (qRed(p) != int(c & 255) || qGreen(p) != int((c >> 8) & 255) ||
          qBlue(p) != int((c >> 16) & 255))
        ++mismatches;
    }
  return mismatches;
}

TEST(Window, StartsOnTheTitlePictureAt312By216WithSaveDisabled) {
  testsupport::ResetGame();
  platform::QtPlatform os;
  platform::SetPlatform(&os);
  MainWindow window(os);
  OnWindowCreate();
  // Hold the game still: a tick would draw the prompt over the picture and retitle the window.
  Window.TickTimer.Enabled = false;
  window.show();
  OnWindowShow();
  window.Sync();
  QApplication::processEvents();

  QWidget* view = window.View();
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->width(), 312);
  EXPECT_EQ(view->height(), 216);
  QAction* view312 = FindAction(window, "312 * 216");
  ASSERT_NE(view312, nullptr);
  EXPECT_TRUE(view312->isChecked());
  EXPECT_FALSE(FindAction(window, "624 * 432")->isChecked());
  EXPECT_FALSE(FindAction(window, "セーブ")->isEnabled());
  EXPECT_TRUE(FindAction(window, "ロード")->isEnabled());
  EXPECT_EQ(window.windowTitle(), "ミロヴァーン");

  // What the window paints is the title picture, pixel for pixel.
  EXPECT_EQ(TitleMismatches(view), 0);

  // A view-size command resizes the client area and moves the check mark.
  FindAction(window, "624 * 432")->trigger();
  QApplication::processEvents();
  EXPECT_EQ(view->width(), 624);
  EXPECT_EQ(view->height(), 432);
  EXPECT_TRUE(FindAction(window, "624 * 432")->isChecked());
  EXPECT_FALSE(view312->isChecked());

  // A key typed into the window reaches the game once: the title gives way to selection.
  QKeyEvent press = Key(QEvent::KeyPress, Qt::Key_Space);
  QApplication::sendEvent(window.windowHandle(), &press);
  EXPECT_EQ(G.GameMode, kModeSelect);
  EXPECT_EQ(G.KeyState[kSpace], 1);
  QKeyEvent repeatRelease = Key(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, true);
  QApplication::sendEvent(window.windowHandle(), &repeatRelease);
  EXPECT_EQ(G.KeyState[kSpace], 1);  // auto-repeat's release is not a release
  QKeyEvent release = Key(QEvent::KeyRelease, Qt::Key_Space);
  QApplication::sendEvent(window.windowHandle(), &release);
  EXPECT_EQ(G.KeyState[kSpace], 0);
  platform::SetPlatform(&testsupport::Os());
}

TEST(Window, PadKeysShareTheKeyboardsPathAndAreReleasedWithIt) {
  testsupport::StartProgram();
  platform::QtPlatform os;
  platform::SetPlatform(&os);
  MainWindow window(os);
  Window.TickTimer.Enabled = false;
  window.show();
  QApplication::processEvents();
  G.GameMode = kModeWorld;
  window.GameKey(VK_UP, true);
  EXPECT_EQ(G.KeyState[kUp], 1);
  QKeyEvent space = Key(QEvent::KeyPress, Qt::Key_Space);
  QApplication::sendEvent(window.windowHandle(), &space);
  EXPECT_EQ(G.KeyState[kSpace], 1);
  // What a dialog or another window does: both devices' keys are let go at once.
  window.Keys().ReleaseAll();
  EXPECT_EQ(G.KeyState[kUp], 0);
  EXPECT_EQ(G.KeyState[kSpace], 0);
  window.GameKey(VK_UP, true, true);  // the pad's repeat counts again
  EXPECT_EQ(G.KeyState[kUp], 1);
  window.GameKey(VK_UP, false);
  EXPECT_EQ(G.KeyState[kUp], 0);
  platform::SetPlatform(&testsupport::Os());
}

TEST(KeyMap, ArrowsKeypadAndLetters) {
  EXPECT_EQ(VirtualKeyOf(Key(QEvent::KeyPress, Qt::Key_Up)), 38);
  EXPECT_EQ(VirtualKeyOf(Key(QEvent::KeyPress, Qt::Key_Left)), 37);
  // NumLock on: keypad digits are the keypad's own codes.
  EXPECT_EQ(VirtualKeyOf(Key(QEvent::KeyPress, Qt::Key_8, Qt::KeypadModifier)), 104);
  EXPECT_EQ(VirtualKeyOf(Key(QEvent::KeyPress, Qt::Key_5, Qt::KeypadModifier)), 101);
  EXPECT_EQ(VirtualKeyOf(Key(QEvent::KeyPress, Qt::Key_0, Qt::KeypadModifier)), 96);
  // NumLock off: the keypad gives the arrows' codes.
  EXPECT_EQ(VirtualKeyOf(Key(QEvent::KeyPress, Qt::Key_Up, Qt::KeypadModifier)), 38);
  EXPECT_EQ(VirtualKeyOf(Key(QEvent::KeyPress, Qt::Key_Enter, Qt::KeypadModifier)), 13);
  EXPECT_EQ(VirtualKeyOf(Key(QEvent::KeyPress, Qt::Key_8)), '8');
  EXPECT_EQ(VirtualKeyOf(Key(QEvent::KeyPress, Qt::Key_V)), 'V');
  EXPECT_EQ(VirtualKeyOf(Key(QEvent::KeyPress, Qt::Key_Escape)), 27);
  EXPECT_EQ(VirtualKeyOf(Key(QEvent::KeyPress, Qt::Key_F3)), 114);
  EXPECT_EQ(VirtualKeyOf(Key(QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier)), 16);
  EXPECT_EQ(VirtualKeyOf(Key(QEvent::KeyPress, Qt::Key_Return)), 13);
}

TEST(KeyMap, SaveSuffixIsAddedOnlyWhenTheNameHasNone) {
  EXPECT_EQ(platform::WithDefaultSuffix("/home/a/game", "sav"), "/home/a/game.sav");
  EXPECT_EQ(platform::WithDefaultSuffix("/home/a/game.sav", "sav"), "/home/a/game.sav");
  EXPECT_EQ(platform::WithDefaultSuffix("/home/a.b/game", "sav"), "/home/a.b/game.sav");
  EXPECT_EQ(platform::WithDefaultSuffix("/home/a/game.dat", "sav"), "/home/a/game.dat");
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
