// Game controllers through SDL's virtual joystick: the default mapping, the dead zone,
// auto-repeat, rebinding, pads plugged in and pulled out while the game runs, and question
// boxes answered from the pad.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>
#include <vector>

#include "desktop/platform/qt_platform.h"
#include "desktop/input/bindings.h"
#include "desktop/input/gamepads.h"
#include "desktop/input/pad_router.h"
#include "virtual_pad.h"

namespace {

using input::Action;
using input::PadInput;

struct KeyEvent {
  uint16_t code;
  bool down, repeat;
  bool operator==(const KeyEvent&) const = default;
};

std::ostream& operator<<(std::ostream& out, const KeyEvent& e) {
  return out << e.code << (e.down ? " down" : " up") << (e.repeat ? " (repeat)" : "");
}

// Runs the event loop for a while, where a test shows that something does not happen: a slow
// machine only makes the check harder to pass by mistake.
void Pump(int ms) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 5);
}

// The pads, routed as the program routes them, into a list of the game's key events.
class PadTest : public ::testing::Test {
 protected:
  PadTest()
      : router(bindings, [this](uint16_t c, bool d, bool r) { keys.push_back({c, d, r}); }),
        pads([this](PadInput in, bool down) { router.OnPad(in, down); }) {
    router.SetRepeat(60'000, 60'000);  // no repeats unless a test asks for them
  }
  void Poll() { pads.Poll(); }
  std::vector<KeyEvent> Take() { return std::exchange(keys, {}); }
  void Tap(VirtualPad& pad, SDL_GameControllerButton button) {
    pad.Button(button, true);
    Poll();
    pad.Button(button, false);
    Poll();
  }

  input::Bindings bindings;
  std::vector<KeyEvent> keys;
  input::PadRouter router;
  input::Gamepads pads;
};

TEST_F(PadTest, DefaultMappingPressesTheGamesKeys) {
  ASSERT_TRUE(pads.Available());
  VirtualPad pad;
  ASSERT_TRUE(pad.Ok());
  Poll();
  ASSERT_EQ(pads.Names().size(), 1);
  const std::pair<SDL_GameControllerButton, uint16_t> expected[] = {
      {SDL_CONTROLLER_BUTTON_DPAD_UP, 38}, {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, 39},
      {SDL_CONTROLLER_BUTTON_DPAD_DOWN, 40}, {SDL_CONTROLLER_BUTTON_DPAD_LEFT, 37},
      {SDL_CONTROLLER_BUTTON_A, 32}, {SDL_CONTROLLER_BUTTON_B, 16},
      {SDL_CONTROLLER_BUTTON_X, 13}, {SDL_CONTROLLER_BUTTON_Y, 27},
      {SDL_CONTROLLER_BUTTON_START, 27}, {SDL_CONTROLLER_BUTTON_BACK, 113},
      {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, 112}, {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, 114}};
  for (auto [button, code] : expected) {
    Tap(pad, button);
    EXPECT_EQ(Take(), (std::vector<KeyEvent>{{code, true, false}, {code, false, false}}))
        << SDL_GameControllerGetStringForButton(button);
  }
  Tap(pad, SDL_CONTROLLER_BUTTON_GUIDE);  // bound to nothing
  EXPECT_TRUE(Take().empty());

  // Two inputs giving one key: the key stays down until both are let go.
  pad.Button(SDL_CONTROLLER_BUTTON_Y, true);
  pad.Button(SDL_CONTROLLER_BUTTON_START, true);
  Poll();
  pad.Button(SDL_CONTROLLER_BUTTON_Y, false);
  Poll();
  EXPECT_EQ(Take(), (std::vector<KeyEvent>{{27, true, false}, {27, true, false}}));
  pad.Button(SDL_CONTROLLER_BUTTON_START, false);
  Poll();
  EXPECT_EQ(Take(), (std::vector<KeyEvent>{{27, false, false}}));
}

TEST_F(PadTest, TheLeftStickWalksOnlyBeyondItsDeadZone) {
  VirtualPad pad;
  Poll();
  pads.SetDeadZone(30);
  pad.Axis(SDL_CONTROLLER_AXIS_LEFTX, 8000);  // about a quarter: at rest
  Poll();
  EXPECT_TRUE(Take().empty());
  pad.Axis(SDL_CONTROLLER_AXIS_LEFTX, 20000);
  Poll();
  EXPECT_EQ(Take(), (std::vector<KeyEvent>{{39, true, false}}));
  pad.Axis(SDL_CONTROLLER_AXIS_LEFTX, 9000);  // just inside: no chatter on the edge
  Poll();
  EXPECT_TRUE(Take().empty());
  pad.Axis(SDL_CONTROLLER_AXIS_LEFTX, -32768);  // straight across to the other side
  Poll();
  EXPECT_EQ(Take(), (std::vector<KeyEvent>{{39, false, false}, {37, true, false}}));
  pad.Axis(SDL_CONTROLLER_AXIS_LEFTX, 0);
  pad.Axis(SDL_CONTROLLER_AXIS_LEFTY, -30000);
  Poll();
  EXPECT_EQ(Take(), (std::vector<KeyEvent>{{37, false, false}, {38, true, false}}));
  pad.Axis(SDL_CONTROLLER_AXIS_LEFTY, 0);
  pad.Axis(SDL_CONTROLLER_AXIS_RIGHTY, -30000);  // the right stick is bound to nothing
  Poll();
  EXPECT_EQ(Take(), (std::vector<KeyEvent>{{38, false, false}}));
}

TEST_F(PadTest, AHeldInputRepeatsLikeAHeldKey) {
  router.SetRepeat(80, 20);
  VirtualPad pad;
  Poll();
  pad.Button(SDL_CONTROLLER_BUTTON_DPAD_DOWN, true);
  Poll();
  // How many repeats a busy machine lets through is its own affair: wait for a few.
  QElapsedTimer clock;
  clock.start();
  while (keys.size() < 4 && clock.elapsed() < 30000)
    QApplication::processEvents(QEventLoop::AllEvents, 5);
  pad.Button(SDL_CONTROLLER_BUTTON_DPAD_DOWN, false);
  Poll();
  std::vector<KeyEvent> got = Take();
  ASSERT_GE(got.size(), 5u) << "at least three repeats while held";
  EXPECT_EQ(got.front(), (KeyEvent{40, true, false}));
  for (size_t i = 1; i + 1 < got.size(); ++i) EXPECT_EQ(got[i], (KeyEvent{40, true, true})) << i;
  EXPECT_EQ(got.back(), (KeyEvent{40, false, false}));
  Pump(60);
  EXPECT_TRUE(Take().empty());  // released: the repeats end

  // The first repeat waits for the delay: with a long one, a held input only presses.
  router.SetRepeat(600000, 20);
  pad.Button(SDL_CONTROLLER_BUTTON_DPAD_DOWN, true);
  Poll();
  Pump(100);
  pad.Button(SDL_CONTROLLER_BUTTON_DPAD_DOWN, false);
  Poll();
  EXPECT_EQ(Take(), (std::vector<KeyEvent>{{40, true, false}, {40, false, false}}));
}

TEST_F(PadTest, ARebindingChangesWhatTheButtonPresses) {
  VirtualPad pad;
  Poll();
  bindings.ClearPad(Action::Enter, 0);
  bindings.ClearPad(Action::QuickSave, 0);  // frees the right trigger
  ASSERT_EQ(bindings.BindPad(Action::Use, 0, PadInput::X).status, input::BindResult::Bound);
  ASSERT_EQ(bindings.BindPad(Action::Fire, 1, PadInput::RightTrigger).status,
            input::BindResult::Bound);
  Tap(pad, SDL_CONTROLLER_BUTTON_X);
  EXPECT_EQ(Take(), (std::vector<KeyEvent>{{'V', true, false}, {'V', false, false}}));
  // A trigger's whole travel is the joystick axis's whole range.
  pad.Axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767);
  Poll();
  pad.Axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, -32768);
  Poll();
  EXPECT_EQ(Take(), (std::vector<KeyEvent>{{32, true, false}, {32, false, false}}));

  // A binding page waiting for a button takes the next press, and nothing reaches the game.
  PadInput captured = PadInput::None;
  router.Capture([&](PadInput in) { captured = in; });
  Tap(pad, SDL_CONTROLLER_BUTTON_LEFTSTICK);
  EXPECT_EQ(captured, PadInput::LeftStick);
  EXPECT_TRUE(Take().empty());
}

TEST_F(PadTest, PadsPluggedInAndPulledOutWhileRunning) {
  Poll();
  EXPECT_TRUE(pads.Names().isEmpty());
  int changes = 0;
  QObject::connect(&pads, &input::Gamepads::DevicesChanged, [&] { ++changes; });
  {
    VirtualPad first;
    Poll();
    EXPECT_EQ(pads.Names().size(), 1);
    VirtualPad second;
    Poll();
    EXPECT_EQ(pads.Names().size(), 2);
    // Both pads hold the same direction; pulling one out keeps the hero walking.
    first.Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
    second.Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
    Poll();
    EXPECT_EQ(Take(), (std::vector<KeyEvent>{{37, true, false}}));
    first.Unplug();
    Poll();
    EXPECT_EQ(pads.Names().size(), 1);
    EXPECT_TRUE(Take().empty());
    // The last pad pulled out with the button held: its release never comes, so the game is
    // handed one, or the hero would walk on by himself.
  }
  Poll();
  EXPECT_TRUE(pads.Names().isEmpty());
  EXPECT_EQ(Take(), (std::vector<KeyEvent>{{37, false, false}}));
  EXPECT_EQ(changes, 4);

  VirtualPad again;  // plugged back in: works at once
  Poll();
  Tap(again, SDL_CONTROLLER_BUTTON_A);
  EXPECT_EQ(Take(), (std::vector<KeyEvent>{{32, true, false}, {32, false, false}}));
}

TEST_F(PadTest, AnOpenMenuOrAnotherWindowKeepsThePadFromTheGame) {
  VirtualPad pad;
  Poll();
  QMenu menu;
  QAction* first = menu.addAction("セーブ");
  QAction* second = menu.addAction("ロード");
  bool saved = false, loaded = false;
  QObject::connect(first, &QAction::triggered, [&] { saved = true; });
  QObject::connect(second, &QAction::triggered, [&] { loaded = true; });
  menu.popup(QPoint(100, 100));
  QApplication::processEvents();
  ASSERT_EQ(QApplication::activePopupWidget(), &menu);
  Tap(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
  if (menu.activeAction() == first) Tap(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
  EXPECT_EQ(menu.activeAction(), second);
  Tap(pad, SDL_CONTROLLER_BUTTON_A);
  EXPECT_TRUE(loaded);
  EXPECT_FALSE(saved);
  EXPECT_FALSE(menu.isVisible());
  EXPECT_TRUE(Take().empty());

  // While another window has the focus the game is handed nothing.
  bool focused = false;
  router.SetGameFocus([&] { return focused; });
  Tap(pad, SDL_CONTROLLER_BUTTON_A);
  EXPECT_TRUE(Take().empty());
  focused = true;
  Tap(pad, SDL_CONTROLLER_BUTTON_A);
  EXPECT_EQ(Take().size(), 2u);
}

// Runs `steps` one after another inside the question box's own event loop.
void WhileBoxIsOpen(std::vector<std::function<void()>> steps) {
  auto queue = std::make_shared<std::vector<std::function<void()>>>(std::move(steps));
  auto next = std::make_shared<std::function<void()>>();
  *next = [queue, next] {
    if (queue->empty()) return;
    auto step = queue->front();
    queue->erase(queue->begin());
    step();
    QTimer::singleShot(10, *next);
  };
  QTimer::singleShot(50, *next);
}

QAbstractButton* BoxButton(QMessageBox::StandardButton which) {
  auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
  return box ? box->button(which) : nullptr;
}

TEST_F(PadTest, AQuestionBoxAnswersToThePad) {
  VirtualPad pad;
  Poll();
  platform::QtPlatform os;
  auto press = [&](SDL_GameControllerButton b) { return [&, b] { Tap(pad, b); }; };

  // A on the default button: yes.
  WhileBoxIsOpen({press(SDL_CONTROLLER_BUTTON_A)});
  EXPECT_TRUE(os.AskYesNo("使いますよ！", "よろしいでしょうか？"));
  // B cancels: no.
  WhileBoxIsOpen({press(SDL_CONTROLLER_BUTTON_B)});
  EXPECT_FALSE(os.AskYesNo("使いますよ！", "よろしいでしょうか？"));
  // The d-pad moves to the other button, A answers with it.
  SDL_GameControllerButton towardNo = SDL_CONTROLLER_BUTTON_DPAD_RIGHT;
  WhileBoxIsOpen({[&] {
                    QAbstractButton* yes = BoxButton(QMessageBox::Yes);
                    QAbstractButton* no = BoxButton(QMessageBox::No);
                    ASSERT_TRUE(yes && no);
                    if (no->x() < yes->x()) towardNo = SDL_CONTROLLER_BUTTON_DPAD_LEFT;
                  },
                  [&] { Tap(pad, towardNo); },
                  [&] { EXPECT_TRUE(BoxButton(QMessageBox::No)->hasFocus()); },
                  press(SDL_CONTROLLER_BUTTON_A)});
  EXPECT_FALSE(os.AskYesNo("捨てますよ！！", "よろしいでしょうか？"));
  // None of it reached the game.
  EXPECT_TRUE(Take().empty());
}

TEST_F(PadTest, AHeldAAnswersABoxOrTheGameNeverBoth) {
  VirtualPad pad;
  Poll();
  platform::QtPlatform os;
  auto press = [&](SDL_GameControllerButton b) { return [&, b] { Tap(pad, b); }; };
  // A that answered a box and stays held does not go on to press the game's Space.
  router.SetRepeat(20, 10);
  WhileBoxIsOpen({[&] {
    pad.Button(SDL_CONTROLLER_BUTTON_A, true);
    Poll();
  }});
  EXPECT_TRUE(os.AskYesNo("使いますよ！", "よろしいでしょうか？"));
  Pump(100);
  pad.Button(SDL_CONTROLLER_BUTTON_A, false);
  Poll();
  EXPECT_TRUE(Take().empty());

  // A held from the game into the box answers nothing until it is pressed again.
  pad.Button(SDL_CONTROLLER_BUTTON_A, true);
  Poll();
  EXPECT_EQ(Take(), (std::vector<KeyEvent>{{32, true, false}}));
  auto holdOn = [] {  // long enough for several repeats
    for (int i = 0; i < 10; ++i) {
      QApplication::processEvents();
      SDL_Delay(10);
    }
  };
  WhileBoxIsOpen({holdOn, [&] { EXPECT_TRUE(QApplication::activeModalWidget()); },
                  [&] {
                    pad.Button(SDL_CONTROLLER_BUTTON_A, false);
                    Poll();
                  },
                  press(SDL_CONTROLLER_BUTTON_B)});
  EXPECT_FALSE(os.AskYesNo("使いますよ！", "よろしいでしょうか？"));
  std::vector<KeyEvent> got = Take();
  ASSERT_FALSE(got.empty());
  EXPECT_EQ(got.back(), (KeyEvent{32, false, false}));
  for (const KeyEvent& e : got) EXPECT_FALSE(e.down) << e;  // no repeats under the box
}

}  // namespace
