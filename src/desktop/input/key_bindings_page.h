// The page of the preferences that binds the game's actions to keyboard keys: click a place,
// press the key.
#pragma once

#include "desktop/input/binding_page.h"

namespace input {

class KeyBindingsPage : public BindingPage {
  Q_OBJECT

 public:
  explicit KeyBindingsPage(Bindings& bindings, QWidget* parent = nullptr);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  QString PlaceLabel(Action action, int slot) const override;
  QString Prompt() const override;
  void StartWaiting() override;
  void StopWaiting() override;
  void Clear(Action action, int slot) override;
  void Reset() override;
  bool Save() override;

 private:
  QPushButton* listening_ = nullptr;
};

}  // namespace input
