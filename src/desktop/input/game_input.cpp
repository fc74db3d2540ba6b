#include "desktop/input/game_input.h"

#include <QCoreApplication>

#include <QSettings>

#include "desktop/input/bindings.h"
#include "desktop/input/bindings_settings.h"
#include "desktop/input/key_bindings_page.h"
#include "desktop/input/pad_bindings_page.h"

namespace input {

namespace {

Bindings& LoadedBindings() {
  QSettings settings;
  LoadBindings(settings, ActiveBindings());
  return ActiveBindings();
}

}  // namespace

GameInput::GameInput(PadRouter::Sink sink)
    : router_(LoadedBindings(), std::move(sink)),
      pads_([this](PadInput input, bool down) { router_.OnPad(input, down); }) {
  QSettings settings;
  pads_.SetDeadZone(LoadDeadZone(settings));
}

QString GameInput::KeyPageTitle() {
  return QCoreApplication::translate("input::GameInput", "キー設定");
}
QString GameInput::PadPageTitle() {
  return QCoreApplication::translate("input::GameInput", "ゲームパッド");
}

QWidget* GameInput::NewKeyPage(QWidget* parent) {
  return new KeyBindingsPage(ActiveBindings(), parent);
}

QWidget* GameInput::NewPadPage(QWidget* parent) {
  return new PadBindingsPage(ActiveBindings(), &pads_, &router_, parent);
}

}  // namespace input
