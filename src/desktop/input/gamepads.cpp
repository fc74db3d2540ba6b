#include "desktop/input/gamepads.h"

#include <SDL.h>

#include <algorithm>

#include "desktop/input/bindings_settings.h"

namespace input {

namespace {

static_assert(int(PadInput::DpadRight) == SDL_CONTROLLER_BUTTON_DPAD_RIGHT,
              "the pad's buttons keep SDL's order");

constexpr int kFastPollMs = 10;  // a pad is open: every press counts
constexpr int kIdlePollMs = 250;  // only listening for a pad being plugged in

// The two directions of each stick axis, and the triggers, which have one.
struct AxisInputs {
  PadInput negative, positive;
};

std::optional<AxisInputs> InputsOfAxis(int axis) {
  switch (axis) {
    case SDL_CONTROLLER_AXIS_LEFTX: return AxisInputs{PadInput::LeftStickLeft, PadInput::LeftStickRight};
    case SDL_CONTROLLER_AXIS_LEFTY: return AxisInputs{PadInput::LeftStickUp, PadInput::LeftStickDown};
    case SDL_CONTROLLER_AXIS_RIGHTX: return AxisInputs{PadInput::RightStickLeft, PadInput::RightStickRight};
    case SDL_CONTROLLER_AXIS_RIGHTY: return AxisInputs{PadInput::RightStickUp, PadInput::RightStickDown};
    case SDL_CONTROLLER_AXIS_TRIGGERLEFT: return AxisInputs{PadInput::None, PadInput::LeftTrigger};
    case SDL_CONTROLLER_AXIS_TRIGGERRIGHT: return AxisInputs{PadInput::None, PadInput::RightTrigger};
    default: return std::nullopt;
  }
}

}  // namespace

Gamepads::Gamepads(Handler handler, QObject* parent)
    : QObject(parent), handler_(std::move(handler)), deadZone_(kDefaultDeadZone) {
  // The game keeps Ctrl+C in the terminal and reads pads whether or not SDL has a window.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  available_ = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
  if (!available_) return;
  SDL_GameControllerEventState(SDL_ENABLE);
  // A press may open a question box whose own event loop runs until the pad answers it. Qt
  // never fires a timer again while its handler runs, so polling straight from the timer
  // would leave the pad dead under that box; the poll is posted instead, and the timer
  // keeps ticking inside the box's loop.
  connect(&timer_, &QTimer::timeout, this,
          [this] { QMetaObject::invokeMethod(this, [this] { Poll(); }, Qt::QueuedConnection); });
  Retime();
}

Gamepads::~Gamepads() {
  if (!available_) return;
  for (auto& [id, pad] : pads_) SDL_GameControllerClose(pad.controller);
  SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

QStringList Gamepads::Names() const {
  QStringList names;
  for (const auto& [id, pad] : pads_) {
    const char* name = SDL_GameControllerName(pad.controller);
    names << (name ? QString::fromUtf8(name) : tr("ゲームパッド"));
  }
  return names;
}

void Gamepads::SetDeadZone(int percent) {
  deadZone_ = std::clamp(percent, kMinDeadZone, kMaxDeadZone);
}

void Gamepads::Poll() {
  if (!available_) return;
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    switch (event.type) {
      case SDL_CONTROLLERDEVICEADDED: Open(event.cdevice.which); break;
      case SDL_CONTROLLERDEVICEREMOVED: Close(event.cdevice.which); break;
      case SDL_CONTROLLERBUTTONDOWN:
      case SDL_CONTROLLERBUTTONUP: {
        auto pad = pads_.find(event.cbutton.which);
        if (pad != pads_.end() && event.cbutton.button < kPadButtonCount)
          Set(pad->second, PadInput(event.cbutton.button),
              event.type == SDL_CONTROLLERBUTTONDOWN);
        break;
      }
      case SDL_CONTROLLERAXISMOTION: {
        auto pad = pads_.find(event.caxis.which);
        if (pad != pads_.end()) OnAxis(pad->second, event.caxis.axis, event.caxis.value);
        break;
      }
      default: break;
    }
  }
}

void Gamepads::Open(int deviceIndex) {
  SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
  if (!controller) return;
  int instance = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
  if (pads_.count(instance)) {  // already open: SDL reports pads present at start twice
    SDL_GameControllerClose(controller);
    return;
  }
  pads_[instance].controller = controller;
  Retime();
  emit DevicesChanged();
}

void Gamepads::Close(int instance) {
  auto found = pads_.find(instance);
  if (found == pads_.end()) return;
  // What the pad held is let go: its releases will never come.
  for (int i = 0; i < kPadInputCount; ++i) Set(found->second, PadInput(i), false);
  SDL_GameControllerClose(found->second.controller);
  pads_.erase(found);
  Retime();
  emit DevicesChanged();
}

void Gamepads::Set(Pad& pad, PadInput input, bool down) {
  bool& held = pad.held[int(input)];
  if (held == down) return;
  held = down;
  int& holders = holders_[int(input)];
  holders += down ? 1 : -1;
  if (handler_ && holders == (down ? 1 : 0)) handler_(input, down);
}

void Gamepads::OnAxis(Pad& pad, int axis, int value) {
  auto inputs = InputsOfAxis(axis);
  if (!inputs) return;
  // A direction is pressed beyond the dead zone and let go a little inside it, so a stick
  // resting on the edge does not chatter.
  const int press = deadZone_ * 32767 / 100;
  const int release = press * 3 / 4;
  auto update = [&](PadInput input, int travel, bool pressing) {
    if (input == PadInput::None) return;
    bool held = pad.held[int(input)];
    if (pressing && !held && travel > press) Set(pad, input, true);
    if (!pressing && held && travel < release) Set(pad, input, false);
  };
  // Releases first: a stick flung across lets go of one side before it reaches the other.
  for (bool pressing : {false, true}) {
    update(inputs->negative, -value, pressing);
    update(inputs->positive, value, pressing);
  }
}

void Gamepads::Retime() {
  timer_.start(pads_.empty() ? kIdlePollMs : kFastPollMs);
}

}  // namespace input
