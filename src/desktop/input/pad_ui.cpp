#include "desktop/input/pad_ui.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QPointer>

namespace input {

namespace {

enum class Move { None, Up, Down, Left, Right };

Move MoveOf(PadInput input) {
  switch (input) {
    case PadInput::DpadUp: case PadInput::LeftStickUp: return Move::Up;
    case PadInput::DpadDown: case PadInput::LeftStickDown: return Move::Down;
    case PadInput::DpadLeft: case PadInput::LeftStickLeft: return Move::Left;
    case PadInput::DpadRight: case PadInput::LeftStickRight: return Move::Right;
    default: return Move::None;
  }
}

void Tap(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QPointer<QWidget> guard(widget);
  QKeyEvent press(QEvent::KeyPress, key, modifiers);
  QApplication::sendEvent(widget, &press);
  if (!guard) return;  // the key closed it
  QKeyEvent release(QEvent::KeyRelease, key, modifiers);
  QApplication::sendEvent(widget, &release);
}

bool AnswerMenu(QWidget* menu, PadInput input, Move move, bool repeat) {
  static const int kArrows[] = {0, Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right};
  if (move != Move::None) {
    Tap(menu, kArrows[int(move)]);
    return true;
  }
  if (repeat) return false;
  if (input == PadInput::A) Tap(menu, Qt::Key_Return);
  else if (input == PadInput::B) Tap(menu, Qt::Key_Escape);
  else return false;
  return true;
}

bool AnswerDialog(QWidget* dialog, PadInput input, Move move, bool repeat) {
  QWidget* focus = dialog->focusWidget() ? dialog->focusWidget() : dialog;
  switch (move) {
    case Move::Up: Tap(focus, Qt::Key_Backtab, Qt::ShiftModifier); return true;
    case Move::Down: Tap(focus, Qt::Key_Tab); return true;
    case Move::Left: Tap(focus, Qt::Key_Left); return true;
    case Move::Right: Tap(focus, Qt::Key_Right); return true;
    case Move::None: break;
  }
  // Confirming and cancelling happen once per press, never from a held button.
  if (repeat) return false;
  if (input == PadInput::A) {
    if (auto* button = qobject_cast<QAbstractButton*>(focus); button && button->isEnabled())
      button->click();
    else
      Tap(focus, Qt::Key_Return);
    return true;
  }
  if (input == PadInput::B) {
    Tap(dialog, Qt::Key_Escape);
    return true;
  }
  return false;
}

}  // namespace

QWidget* UiTarget() {
  if (QWidget* popup = QApplication::activePopupWidget()) return popup;
  return QApplication::activeModalWidget();
}

bool AnswerUi(QWidget* target, PadInput input, bool repeat) {
  Move move = MoveOf(input);
  if (target->windowType() == Qt::Popup) return AnswerMenu(target, input, move, repeat);
  return AnswerDialog(target, input, move, repeat);
}

}  // namespace input
