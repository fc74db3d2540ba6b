// The game window with bindings and a pad: a rebound key and a pad button reach the game's
// key handlers exactly as the keyboard's own keys do.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QWindow>

#include "state/window_model.h"
#include "state/state.h"
#include "desktop/platform/qt_platform.h"
#include "game/window_handlers.h"
#include "desktop/input/bindings.h"
#include "desktop/input/gamepads.h"
#include "desktop/input/pad_router.h"
#include "desktop/main_window.h"
#include "support/test_support.h"
#include "virtual_pad.h"

namespace {

using input::Action;

void Send(MainWindow& window, QEvent::Type type, int key) {
  QKeyEvent event(type, key, Qt::NoModifier);
  QApplication::sendEvent(window.windowHandle(), &event);
}

TEST(WindowKeys, ReboundKeysAndPadButtonsReachTheGame) {
  testsupport::ResetGame();
  platform::QtPlatform os;
  platform::SetPlatform(&os);
  MainWindow window(os);
  OnWindowCreate();
  Window.TickTimer.Enabled = false;  // hold the game still
  window.show();
  OnWindowShow();
  window.Sync();
  QApplication::processEvents();

  input::Bindings& bindings = input::ActiveBindings();
  bindings.ClearKey(Action::Fire, 0);
  ASSERT_EQ(bindings.BindKey(Action::Fire, 0, {Qt::Key_Z}).status, input::BindResult::Bound);
  G.GameMode = kModeSelect;
  Send(window, QEvent::KeyPress, Qt::Key_Space);  // bound away: the hero is not chosen
  EXPECT_EQ(G.GameMode, kModeSelect);
  EXPECT_EQ(G.KeyState[kSpace], 0);
  Send(window, QEvent::KeyRelease, Qt::Key_Space);
  Send(window, QEvent::KeyPress, Qt::Key_Z);
  EXPECT_EQ(G.KeyState[kSpace], 1);
  EXPECT_EQ(G.GameMode, kModeWorld);  // Z chose the hero as Space did
  Send(window, QEvent::KeyRelease, Qt::Key_Z);
  EXPECT_EQ(G.KeyState[kSpace], 0);
  bindings = input::Bindings();

  // The pad goes through the same handlers.
  input::PadRouter router(bindings, [&window](uint16_t code, bool down, bool) {
    window.GameKey(code, down);
  });
  input::Gamepads pads([&](input::PadInput in, bool down) { router.OnPad(in, down); });
  VirtualPad pad;
  pads.Poll();
  pad.Axis(SDL_CONTROLLER_AXIS_LEFTY, 32767);
  pads.Poll();
  EXPECT_EQ(G.KeyState[kDown], 1);
  pad.Axis(SDL_CONTROLLER_AXIS_LEFTY, 0);
  pads.Poll();
  EXPECT_EQ(G.KeyState[kDown], 0);
  platform::SetPlatform(&testsupport::Os());
}

}  // namespace
