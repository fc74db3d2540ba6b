#include "desktop/key_map.h"

#include <QKeyEvent>

#include "desktop/input/bindings.h"
#include "game/key_codes.h"

uint16_t KeyCodeOf(const QKeyEvent& event) {
  const int key = event.key();
  const bool keypad = event.modifiers() & Qt::KeypadModifier;
  // With NumLock on the keypad gives digits: those are the keypad's own codes. With NumLock
  // off it gives arrows, which are the arrow keys' codes.
  if (keypad && key >= Qt::Key_0 && key <= Qt::Key_9) return static_cast<uint16_t>(VK_NUMPAD0 + key - Qt::Key_0);
  switch (key) {
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab: return VK_TAB;
    case Qt::Key_Clear: return VK_CLEAR;
    case Qt::Key_Return: case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt: case Qt::Key_AltGr: return VK_MENU;
    case Qt::Key_Pause: return VK_PAUSE;
    case Qt::Key_CapsLock: return VK_CAPITAL;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_Meta: case Qt::Key_Super_L: return VK_LWIN;
    case Qt::Key_Super_R: return VK_RWIN;
    case Qt::Key_Asterisk: if (keypad) return VK_MULTIPLY; break;
    case Qt::Key_Plus: if (keypad) return VK_ADD; break;
    case Qt::Key_Minus: if (keypad) return VK_SUBTRACT; break;
    case Qt::Key_Period: if (keypad) return VK_DECIMAL; break;
    case Qt::Key_Slash: if (keypad) return VK_DIVIDE; break;
    default: break;
  }
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return static_cast<uint16_t>(VK_F1 + key - Qt::Key_F1);
  if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
    return static_cast<uint16_t>(key);  // Qt's codes for these are their ASCII capitals
  return 0;
}

uint16_t VirtualKeyOf(const QKeyEvent& event) {
  return input::ActiveBindings().GameKeyOf(input::ChordOf(event), KeyCodeOf(event));
}
