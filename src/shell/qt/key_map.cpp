#include "shell/qt/key_map.h"

#include <QKeyEvent>

#include "shell/qt/input/bindings.h"

uint16_t KeyCodeOf(const QKeyEvent& event) {
  const int key = event.key();
  const bool keypad = event.modifiers() & Qt::KeypadModifier;
  // With NumLock on the keypad gives digits: those are the keypad's own codes. With NumLock
  // off it gives arrows, which are the arrow keys' codes.
  if (keypad && key >= Qt::Key_0 && key <= Qt::Key_9) return static_cast<uint16_t>(96 + key - Qt::Key_0);
  switch (key) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: return 9;
    case Qt::Key_Clear: return 12;
    case Qt::Key_Return: case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: case Qt::Key_AltGr: return 18;
    case Qt::Key_Pause: return 19;
    case Qt::Key_CapsLock: return 20;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    case Qt::Key_Meta: case Qt::Key_Super_L: return 91;
    case Qt::Key_Super_R: return 92;
    case Qt::Key_Asterisk: if (keypad) return 106; break;
    case Qt::Key_Plus: if (keypad) return 107; break;
    case Qt::Key_Minus: if (keypad) return 109; break;
    case Qt::Key_Period: if (keypad) return 110; break;
    case Qt::Key_Slash: if (keypad) return 111; break;
    default: break;
  }
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return static_cast<uint16_t>(112 + key - Qt::Key_F1);
  if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
    return static_cast<uint16_t>(key);  // Qt's codes for these are their ASCII capitals
  return 0;
}

uint16_t VirtualKeyOf(const QKeyEvent& event) {
  return input::ActiveBindings().GameKeyOf(input::ChordOf(event), KeyCodeOf(event));
}
