// The page of the preferences for game controllers: which pads are connected, the stick's
// dead zone, and the binding of the game's actions to pad buttons (click a place, press the
// button).
#pragma once

#include "desktop/input/binding_page.h"

class QSlider;

namespace input {

class Gamepads;
class PadRouter;

class PadBindingsPage : public BindingPage {
  Q_OBJECT

 public:
  // Either may be null when the game runs without pad support.
  PadBindingsPage(Bindings& bindings, Gamepads* pads, PadRouter* router, QWidget* parent = nullptr);
  ~PadBindingsPage() override;

  QString Status() const;
  QSlider* DeadZoneSlider() const { return deadZone_; }
  void RefreshStatus();

 protected:
  void hideEvent(QHideEvent* event) override;
  QString PlaceLabel(Action action, int slot) const override;
  QString Prompt() const override;
  void StartWaiting() override;
  void StopWaiting() override;
  void Clear(Action action, int slot) override;
  void Reset() override;
  bool Save() override;

 private:
  Gamepads* pads_;
  PadRouter* router_;
  QLabel* status_;
  QLabel* deadZoneLabel_;
  QSlider* deadZone_;
};

}  // namespace input
