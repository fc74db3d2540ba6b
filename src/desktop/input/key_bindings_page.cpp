#include "desktop/input/key_bindings_page.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

#include "desktop/input/bindings_settings.h"

namespace input {

KeyBindingsPage::KeyBindingsPage(Bindings& bindings, QWidget* parent)
    : BindingPage(bindings, parent) {
  auto* intro = new QLabel(tr("枠をクリックしてから、割り当てたいキーを押してください。"));
  intro->setWordWrap(true);
  Top()->addWidget(intro);
  Build();
}

QString KeyBindingsPage::PlaceLabel(Action action, int slot) const {
  return LabelOf(bindings_.Key(action, slot));
}

QString KeyBindingsPage::Prompt() const { return tr("キーを押してください…"); }

void KeyBindingsPage::StartWaiting() {
  auto [action, slot] = *Waiting();
  listening_ = PlaceButton(action, slot);
  listening_->installEventFilter(this);
  listening_->setFocus(Qt::OtherFocusReason);
}

void KeyBindingsPage::StopWaiting() {
  if (!listening_) return;
  listening_->removeEventFilter(this);
  listening_ = nullptr;
}

bool KeyBindingsPage::eventFilter(QObject* watched, QEvent* event) {
  if (watched != listening_ || !Waiting()) return false;
  switch (event->type()) {
    case QEvent::ShortcutOverride:  // the waiting place takes every key, Esc and Enter too
      event->accept();
      return true;
    case QEvent::KeyPress: {
      auto* key = static_cast<QKeyEvent*>(event);
      if (key->isAutoRepeat()) return true;
      KeyChord chord = ChordOf(*key);
      auto [action, slot] = *Waiting();
      Finish(bindings_.BindKey(action, slot, chord), LabelOf(chord));
      return true;
    }
    case QEvent::KeyRelease:
      return true;
    case QEvent::FocusOut:
      CancelWaiting();
      return false;
    default:
      return false;
  }
}

void KeyBindingsPage::Clear(Action action, int slot) { bindings_.ClearKey(action, slot); }
void KeyBindingsPage::Reset() { bindings_.ResetKeys(); }

bool KeyBindingsPage::Save() {
  QSettings settings;
  return SaveKeyBindings(settings, bindings_);
}

}  // namespace input
