// Everything the desktop program needs for its input: the bindings read from the settings,
// the pads and where their presses go. The program makes one at start-up; the preferences
// dialog gets its two pages from it.
#pragma once

#include <QString>
#include <memory>

#include "desktop/input/gamepads.h"
#include "desktop/input/pad_router.h"

class QWidget;

namespace input {

class GameInput {
 public:
  // Loads the bindings and the dead zone from the default settings, then listens for pads.
  explicit GameInput(PadRouter::Sink sink);

  Gamepads& Pads() { return pads_; }
  PadRouter& Router() { return router_; }

  static QString KeyPageTitle();
  static QString PadPageTitle();
  QWidget* NewKeyPage(QWidget* parent);
  QWidget* NewPadPage(QWidget* parent);

 private:
  PadRouter router_;
  Gamepads pads_;
};

}  // namespace input
