// Where a pad's presses go. While a question box or dialog is open they answer it: the
// d-pad and the left stick move, A confirms, B cancels; an open menu takes them as arrow
// keys, Enter and Esc. Otherwise a bound input becomes the key-down and key-up of its
// action's code, handed to the sink, with repeated key-downs while it is held as a held
// key gives them. A binding page can take the next press for itself.
#pragma once

#include <QObject>
#include <QTimer>
#include <array>
#include <cstdint>
#include <functional>

#include "desktop/input/pad_input.h"

namespace input {

class Bindings;

class PadRouter : public QObject {
 public:
  using Sink = std::function<void(uint16_t code, bool down, bool autoRepeat)>;

  PadRouter(const Bindings& bindings, Sink sink, QObject* parent = nullptr);

  void OnPad(PadInput input, bool down);
  // The next press goes to `take` instead; a second call replaces the first.
  void Capture(std::function<void(PadInput)> take);
  void CancelCapture();
  bool Capturing() const { return static_cast<bool>(capture_); }
  // The game is handed presses only while this says yes (the game window is active).
  void SetGameFocus(std::function<bool()> hasFocus) { gameFocus_ = std::move(hasFocus); }
  void SetRepeat(int delayMs, int intervalMs);

 private:
  enum class Route : uint8_t { None, Game, Ui };
  struct Held {
    Route route = Route::None;
    uint16_t code = 0;
  };
  void Press(PadInput input, bool repeat);
  void Release(PadInput input);
  void PressGame(PadInput input, bool repeat);
  void OnRepeat();

  const Bindings& bindings_;
  Sink sink_;
  std::function<void(PadInput)> capture_;
  std::function<bool()> gameFocus_;
  std::array<Held, kPadInputCount> held_{};
  PadInput repeating_ = PadInput::None;
  QTimer repeat_;
  int delayMs_ = 500, intervalMs_ = 30;  // the desktop's usual key repeat
};

}  // namespace input
