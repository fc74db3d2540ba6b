#include "desktop/input/pad_router.h"

#include "desktop/input/bindings.h"
#include "desktop/input/pad_ui.h"

namespace input {

PadRouter::PadRouter(const Bindings& bindings, Sink sink, QObject* parent)
    : QObject(parent), bindings_(bindings), sink_(std::move(sink)) {
  repeat_.setSingleShot(true);
  connect(&repeat_, &QTimer::timeout, this, [this] { OnRepeat(); });
}

void PadRouter::SetRepeat(int delayMs, int intervalMs) {
  delayMs_ = delayMs;
  intervalMs_ = intervalMs;
}

void PadRouter::Capture(std::function<void(PadInput)> take) { capture_ = std::move(take); }
void PadRouter::CancelCapture() { capture_ = nullptr; }

void PadRouter::OnPad(PadInput input, bool down) {
  if (int(input) >= kPadInputCount) return;
  if (down) {
    Press(input, false);
  } else {
    Release(input);
  }
}

void PadRouter::Press(PadInput input, bool repeat) {
  if (capture_ && !repeat) {
    auto take = std::move(capture_);
    capture_ = nullptr;
    held_[int(input)] = {};
    take(input);
    return;
  }
  // A held input keeps answering whoever took its press: a button that confirmed a question
  // box does not go on to press the game's key, and the game's held key does not walk
  // through a dialog opened on top of it (it counts again once the dialog is gone).
  Held& held = held_[int(input)];
  QWidget* target = UiTarget();
  if (!repeat) held.route = target ? Route::Ui : Route::None;
  if (held.route == Route::Ui) {
    if (target) AnswerUi(target, input, repeat);
  } else if (!target) {
    PressGame(input, repeat);
  }
  // The last input pressed repeats, as the last key pressed does on a keyboard.
  if (!repeat) repeating_ = input;
  repeat_.start(repeat ? intervalMs_ : delayMs_);
}

void PadRouter::PressGame(PadInput input, bool repeat) {
  Held& held = held_[int(input)];
  auto action = bindings_.ActionOfPad(input);
  bool focused = !gameFocus_ || gameFocus_();
  if (!action || !focused) return;
  if (held.route != Route::Game) held.code = InfoOf(*action).gameKey;  // kept until released
  held.route = Route::Game;
  if (sink_) sink_(held.code, true, repeat);
}

void PadRouter::Release(PadInput input) {
  Held released = held_[int(input)];
  held_[int(input)] = {};
  if (repeating_ == input) {
    repeating_ = PadInput::None;
    repeat_.stop();
  }
  if (released.route != Route::Game) return;
  // The code stays down while another held input still gives it.
  for (const Held& other : held_)
    if (other.route == Route::Game && other.code == released.code) return;
  if (sink_) sink_(released.code, false, false);
}

void PadRouter::OnRepeat() {
  if (repeating_ == PadInput::None) return;
  Press(repeating_, true);
}

}  // namespace input
