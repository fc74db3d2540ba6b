// The slot screens: ten saves in the saves folder, each shown with what a player needs to
// pick one (the hero's face and name, level, where, play time, when it was saved and a small
// picture of the view). The d-pad (or the arrow keys, Tab) moves between the slots, A (Enter,
// Space, a click) picks one, B (Esc) leaves. Saving over a used slot asks first.
#pragma once

#include <QDialog>
#include <QString>
#include <optional>

class QAbstractButton;

namespace mirovaan_qt {

class SlotDialog : public QDialog {
  Q_OBJECT

 public:
  enum class Use { Save, Load };
  SlotDialog(Use use, const QString& folder, QWidget* parent);

  // The slot chosen (1..10) once the dialog is accepted.
  std::optional<int> Chosen() const { return chosen_; }
  // The button of slot n (1..10), for tests.
  QAbstractButton* SlotButton(int slot) const;

 protected:
  // The arrow keys move between the slots and Enter picks one, as the pad does.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void OnPicked(int slot);

  Use use_;
  QString folder_;
  std::optional<int> chosen_;
  QAbstractButton* buttons_[10] = {};
};

// Shows the dialog and returns the chosen slot; nullopt when the player left it.
std::optional<int> ChooseSlot(SlotDialog::Use use, QWidget* parent);

}  // namespace mirovaan_qt
