// What the key page and the pad page share: one row per action with two places, a place
// clicked waits for the key or button to bind, a notice line says what happened, "解除"
// empties the chosen place and "初期設定に戻す" brings back the defaults. Every change is
// in force and saved at once.
#pragma once

#include <QWidget>
#include <array>
#include <optional>

#include "desktop/input/bindings.h"

class QLabel;
class QPushButton;
class QVBoxLayout;

namespace input {

class BindingPage : public QWidget {
  Q_OBJECT

 public:
  // The notice line, for tests and for the dialog that shows the page.
  QString Notice() const;
  QPushButton* PlaceButton(Action action, int slot) const;
  QPushButton* ClearButton() const { return clear_; }
  QPushButton* DefaultsButton() const { return defaults_; }

 protected:
  BindingPage(Bindings& bindings, QWidget* parent);
  // Puts the rows, the notice and the two buttons below what the page put in Top().
  void Build();
  QVBoxLayout* Top() const { return top_; }

  virtual QString PlaceLabel(Action action, int slot) const = 0;
  virtual QString Prompt() const = 0;
  virtual void StartWaiting() = 0;
  virtual void StopWaiting() = 0;
  virtual void Clear(Action action, int slot) = 0;
  virtual void Reset() = 0;
  virtual bool Save() = 0;  // false when the settings file could not be written

  // Ends the wait with what it got: the notice names the result.
  void Finish(BindResult result, const QString& inputLabel);
  void CancelWaiting();
  std::optional<std::pair<Action, int>> Waiting() const { return waiting_; }
  void Refresh();
  void SetNotice(const QString& text, bool refusal);
  // Saves, then says `done`, or that the change holds only until the game ends.
  void SaveAndTell(const QString& done);

  Bindings& bindings_;

 private:
  void BuildRows();
  void BuildButtons();
  void OnPlaceClicked(Action action, int slot);
  void OnClear();

  QVBoxLayout* top_;
  std::array<std::array<QPushButton*, kSlots>, kActionCount> places_{};
  QLabel* notice_ = nullptr;
  QPushButton* clear_ = nullptr;
  QPushButton* defaults_ = nullptr;
  std::optional<std::pair<Action, int>> waiting_, chosen_;
};

}  // namespace input
