// A pad answering the desktop's own widgets: a question box, a dialog or an open menu.
#pragma once

#include "desktop/input/pad_input.h"

class QWidget;

namespace input {

// The open menu or modal dialog that pad presses answer, or null when the game has them.
QWidget* UiTarget();
// In a dialog: up and down move the focus back and forth, left and right are arrow keys for
// the focused control (a button row, a slider), A presses the focused button (or the
// dialog's default one), B cancels. In a menu: the arrows, Enter and Esc. Held inputs
// repeat only their movement. False when the input means nothing there.
bool AnswerUi(QWidget* target, PadInput input, bool repeat);

}  // namespace input
