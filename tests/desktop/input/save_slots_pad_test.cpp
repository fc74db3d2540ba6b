// A whole sitting with a game controller alone, in the real window: a new game, a save to a
// slot (and the question before saving over it), the program closed and started again, that
// slot loaded from the title screen, a quicksave and a quickload (with its question).
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "desktop/input/bindings.h"
#include "desktop/input/gamepads.h"
#include "desktop/input/pad_router.h"
#include "desktop/main_window.h"
#include "desktop/platform/qt_platform.h"
#include "desktop/slot_dialog.h"
#include "game/window_handlers.h"
#include "shell/feed.h"
#include "state/state.h"
#include "state/window_model.h"
#include "support/test_support.h"
#include "virtual_pad.h"

namespace {

namespace fs = std::filesystem;

// The program as main() puts it together: the window, and the pads routed into it (they
// outlive a window here, as SDL keeps the virtual pad only while it runs).
struct Pads {
  MainWindow* window = nullptr;
  input::PadRouter router{input::ActiveBindings(), [this](uint16_t code, bool down, bool repeat) {
                            if (window) window->GameKey(code, down, repeat);
                          }};
  input::Gamepads pads{[this](input::PadInput in, bool down) { router.OnPad(in, down); }};
};

struct Program {
  platform::QtPlatform os;
  std::unique_ptr<MainWindow> window;
  Pads& pads;

  explicit Program(Pads& p) : pads(p) {
    testsupport::ResetGame();
    platform::SetPlatform(&os);
    window = std::make_unique<MainWindow>(os);
    OnWindowCreate();
    Window.TickTimer.Enabled = false;  // the game moves only when the test says so
    window->show();
    OnWindowShow();
    window->Sync();
    pads.window = window.get();
  }
  ~Program() {
    pads.window = nullptr;
    platform::SetPlatform(&testsupport::Os());
  }
};

// Steps run one after another from the event loop (so they go on while a dialog holds its
// own loop); a step returning false is tried again until it succeeds or time runs out.
class Sitting {
 public:
  static constexpr int kLimitMs = 30'000;  // generous: the steps take well under a second
  explicit Sitting(VirtualPad& pad) : pad_(pad) {}

  // Something the player does. It may open a dialog whose loop lasts until later steps
  // answer it, so it runs from an event of its own, never from the steps' timer.
  void Do(std::function<void()> action) { steps_.push_back({std::move(action), nullptr}); }
  void WaitFor(std::function<bool()> condition) { steps_.push_back({nullptr, std::move(condition)}); }
  void Then(std::function<void()> action) { Do(std::move(action)); }
  // A press and a release, each seen by the program's own pad polling.
  void Tap(SDL_GameControllerButton button) {
    Do([this, button] { pad_.Button(button, true); });
    Settle();
    Do([this, button] { pad_.Button(button, false); });
    Settle();
  }
  void Pull(SDL_GameControllerAxis trigger) {
    Do([this, trigger] { pad_.Axis(trigger, 32767); });
    Settle();
    Do([this, trigger] { pad_.Axis(trigger, 0); });
    Settle();
  }
  // Long enough for a few of the program's polls.
  void Settle() {
    auto since = std::make_shared<QElapsedTimer>();
    Do([since] { since->start(); });
    WaitFor([since] { return since->elapsed() > 60; });
  }

  // True when every step ran.
  bool Run() {
    QElapsedTimer clock;
    clock.start();
    QTimer timer;
    timer.setInterval(5);
    QObject::connect(&timer, &QTimer::timeout, [this, &clock] {
      if (clock.elapsed() > kLimitMs) {
        // Stuck under a dialog: close it so the test fails instead of hanging.
        if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
        return;
      }
      if (next_ >= steps_.size()) return;
      Step& step = steps_[next_];
      if (step.condition) {
        if (step.condition()) ++next_;
        return;
      }
      ++next_;
      QMetaObject::invokeMethod(qApp, step.action, Qt::QueuedConnection);
    });
    timer.start();
    while (next_ < steps_.size() && clock.elapsed() < kLimitMs)
      QApplication::processEvents(QEventLoop::AllEvents, 5);
    return next_ == steps_.size();
  }
  size_t StepsDone() const { return next_; }

 private:
  VirtualPad& pad_;
  struct Step {
    std::function<void()> action;
    std::function<bool()> condition;
  };
  std::vector<Step> steps_;
  size_t next_ = 0;
};

mirovaan_qt::SlotDialog* OpenSlots() {
  return qobject_cast<mirovaan_qt::SlotDialog*>(QApplication::activeModalWidget());
}
QMessageBox* OpenBox() { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); }
bool NothingOpen() { return QApplication::activeModalWidget() == nullptr; }

class SaveSlotsPad : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(data_.isValid());
    oldData_ = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", data_.path().toUtf8());
    input::ActiveBindings() = input::Bindings();
  }
  void TearDown() override { qputenv("XDG_DATA_HOME", oldData_); }
  fs::path Saves() const { return fs::path(data_.path().toStdString()) / "mirovaan" / "saves"; }

  QTemporaryDir data_;
  QByteArray oldData_;
};

TEST_F(SaveSlotsPad, AWholeSittingWithThePadAlone) {
  Pads pads;
  ASSERT_TRUE(pads.pads.Available());
  VirtualPad pad;
  ASSERT_TRUE(pad.Ok());
  int hero = -1;
  {
    Program first(pads);
    Sitting s(pad);
    s.WaitFor([&pads] { return pads.pads.Names().size() == 1; });  // the pad is seen
    // A new game: any button leaves the title, A chooses the hero.
    s.Tap(SDL_CONTROLLER_BUTTON_A);
    s.WaitFor([] { return G.GameMode == kModeSelect; });
    s.Tap(SDL_CONTROLLER_BUTTON_A);
    s.WaitFor([] { return G.GameMode == kModeWorld; });
    // The right stick's press opens the save slots on the first; A saves there.
    s.Tap(SDL_CONTROLLER_BUTTON_RIGHTSTICK);
    s.WaitFor([] { return OpenSlots() && OpenSlots()->SlotButton(1)->hasFocus(); });
    s.Tap(SDL_CONTROLLER_BUTTON_A);
    s.WaitFor(NothingOpen);
    s.WaitFor([this] { return fs::exists(Saves() / "slot-01.sav"); });
    // Saving over it asks first; B answers no and leaves the slot as it was, B again
    // leaves the slot screen.
    s.Tap(SDL_CONTROLLER_BUTTON_RIGHTSTICK);
    s.WaitFor([] { return OpenSlots() != nullptr; });
    s.Tap(SDL_CONTROLLER_BUTTON_A);
    s.WaitFor([] { return OpenBox() != nullptr; });
    s.Tap(SDL_CONTROLLER_BUTTON_B);
    s.WaitFor([] { return OpenSlots() != nullptr; });
    s.Tap(SDL_CONTROLLER_BUTTON_B);
    s.WaitFor(NothingOpen);
    ASSERT_TRUE(s.Run()) << "stopped at step " << s.StepsDone();
    hero = G.HeroIndex;
    EXPECT_EQ(first.window->View()->Notice(), "スロット1 にセーブしました");
  }
  const auto savedTime = fs::last_write_time(Saves() / "slot-01.sav");
  EXPECT_TRUE(fs::exists(Saves() / "slot-01.info"));
  EXPECT_TRUE(fs::exists(Saves() / "slot-01.png"));

  // The program again, on its title screen: the left stick's press opens the load slots.
  Program second(pads);
  ASSERT_EQ(G.GameMode, kModeTitle);
  Sitting s(pad);
  s.Tap(SDL_CONTROLLER_BUTTON_LEFTSTICK);
  s.WaitFor([] { return OpenSlots() && OpenSlots()->SlotButton(1)->hasFocus(); });
  s.Tap(SDL_CONTROLLER_BUTTON_A);
  s.WaitFor([] { return NothingOpen() && G.GameMode == kModeWorld; });
  EXPECT_EQ(G.HeroIndex, hero);
  // The right trigger quicksaves; the notice says so.
  s.Pull(SDL_CONTROLLER_AXIS_TRIGGERRIGHT);
  s.WaitFor([this] { return fs::exists(Saves() / "quick.sav"); });
  // The game moves on; the left trigger asks before throwing that away, and A (its default
  // answer) loads.
  s.Then([] { G.Gold += 123; });
  s.Pull(SDL_CONTROLLER_AXIS_TRIGGERLEFT);
  s.WaitFor([] { return OpenBox() != nullptr; });
  s.Tap(SDL_CONTROLLER_BUTTON_A);
  s.WaitFor(NothingOpen);
  const int gold = G.Gold;
  ASSERT_TRUE(s.Run()) << "stopped at step " << s.StepsDone();
  EXPECT_EQ(G.Gold, gold) << "the quickload took the gold found after the quicksave back";
  EXPECT_EQ(second.window->View()->Notice(), "クイックロードしました");
  // Refusing the slot never touched the file.
  EXPECT_EQ(fs::last_write_time(Saves() / "slot-01.sav"), savedTime);
}

}  // namespace
