// Game controllers through SDL's game-controller interface: pads come and go while the game
// runs, and every button, stick direction and trigger becomes a press or a release of a
// PadInput. Several pads act as one: an input is held while any pad holds it. Without SDL's
// joystick support the object stays idle and reports itself unavailable.
#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>
#include <array>
#include <functional>
#include <map>

#include "desktop/input/pad_input.h"

struct _SDL_GameController;

namespace input {

class Gamepads : public QObject {
  Q_OBJECT

 public:
  using Handler = std::function<void(PadInput input, bool down)>;

  explicit Gamepads(Handler handler, QObject* parent = nullptr);
  ~Gamepads() override;

  bool Available() const { return available_; }
  QStringList Names() const;
  // The share of a stick's or trigger's travel, in percent, that counts as at rest.
  void SetDeadZone(int percent);
  int DeadZone() const { return deadZone_; }
  // Reads everything SDL has seen since the last call; a timer calls it as well.
  void Poll();

 signals:
  void DevicesChanged();

 private:
  struct Pad {
    _SDL_GameController* controller = nullptr;
    std::array<bool, kPadInputCount> held{};
  };
  void Open(int deviceIndex);
  void Close(int instance);
  void Set(Pad& pad, PadInput input, bool down);
  void OnAxis(Pad& pad, int axis, int value);
  void Retime();

  Handler handler_;
  bool available_ = false;
  int deadZone_;
  std::map<int, Pad> pads_;  // by SDL's instance id
  std::array<int, kPadInputCount> holders_{};
  QTimer timer_;
};

}  // namespace input
