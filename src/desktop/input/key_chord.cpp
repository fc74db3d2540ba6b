#include "desktop/input/key_chord.h"

#include <QCoreApplication>

#include <QKeyEvent>
#include <QKeySequence>

namespace input {

namespace {

const QString kKeypadPrefix = QStringLiteral("Num+");

bool KeypadHasOwnKey(int key) {
  switch (key) {
    case Qt::Key_Asterisk: case Qt::Key_Plus: case Qt::Key_Minus: case Qt::Key_Period:
    case Qt::Key_Slash: case Qt::Key_Comma:
      return true;
    default:
      return key >= Qt::Key_0 && key <= Qt::Key_9;
  }
}

QString PlainName(int key, QKeySequence::SequenceFormat format) {
  if (key == Qt::Key_Shift) return QStringLiteral("Shift");  // a lone modifier has no sequence
  return QKeySequence(key).toString(format);
}

}  // namespace

KeyChord Normalized(int key, bool keypad) { return {key, keypad && KeypadHasOwnKey(key)}; }

KeyChord ChordOf(const QKeyEvent& event) {
  return Normalized(event.key(), event.modifiers() & Qt::KeypadModifier);
}

QString NameOf(KeyChord chord) {
  if (chord.Empty()) return {};
  QString plain = PlainName(chord.key, QKeySequence::PortableText);
  return chord.keypad ? kKeypadPrefix + plain : plain;
}

std::optional<KeyChord> ChordOfName(const QString& name) {
  bool keypad = name.startsWith(kKeypadPrefix) && name.size() > kKeypadPrefix.size();
  QString plain = keypad ? name.mid(kKeypadPrefix.size()) : name;
  if (plain == QLatin1String("Shift")) return KeyChord{Qt::Key_Shift, false};
  QKeySequence sequence = QKeySequence::fromString(plain, QKeySequence::PortableText);
  if (sequence.count() != 1 || sequence[0].keyboardModifiers() != Qt::NoModifier) return {};
  int key = sequence[0].key();
  if (key == 0 || key == Qt::Key_unknown) return {};
  if (keypad && !KeypadHasOwnKey(key)) return {};
  KeyChord chord{key, keypad};
  if (NameOf(chord) != name) return {};  // only the names this program writes
  return chord;
}

QString LabelOf(KeyChord chord) {
  if (chord.Empty()) return {};
  QString plain = PlainName(chord.key, QKeySequence::NativeText);
  if (chord.key == Qt::Key_Enter) return QCoreApplication::translate("input::KeyChord", "テンキーEnter");
  if (chord.key == Qt::Key_Return) return QStringLiteral("Enter");  // as the key is labelled
  return chord.keypad ? QCoreApplication::translate("input::KeyChord", "テンキー") + plain : plain;
}

bool IsReserved(KeyChord chord) {
  switch (chord.key) {
    case 0: case Qt::Key_unknown:
    case Qt::Key_Control: case Qt::Key_Alt: case Qt::Key_AltGr: case Qt::Key_Meta:
    case Qt::Key_Super_L: case Qt::Key_Super_R: case Qt::Key_Hyper_L: case Qt::Key_Hyper_R:
    case Qt::Key_Menu: case Qt::Key_CapsLock: case Qt::Key_NumLock: case Qt::Key_ScrollLock:
    case Qt::Key_F11: case Qt::Key_F12: case Qt::Key_Pause: case Qt::Key_Print:
      return true;
    default:
      return !ChordOfName(NameOf(chord)).has_value();
  }
}

}  // namespace input
