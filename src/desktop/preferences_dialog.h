// The preferences dialog "設定": the program's own settings, one page each (sound, display,
// and whatever pages the program adds), each change taking effect at once and remembered.
#pragma once

#include <QDialog>

class QTabWidget;

namespace prefs {

class PreferencesDialog : public QDialog {
  Q_OBJECT

 public:
  explicit PreferencesDialog(QWidget* parent);

  // Adds a page after the ones already there; the dialog takes ownership.
  void AddPage(const QString& title, QWidget* page);
  QTabWidget* Pages() const { return pages_; }

 signals:
  // A display/* setting was written; the window applies it.
  void DisplaySettingsChanged();

 private:
  QTabWidget* pages_;
};

// Shows the dialog modally with the game standing still, as the options dialog does: the
// game timer is off while it is open and runs again however it is closed (unless it was
// already off when the dialog opened).
void RunWithGameStopped(PreferencesDialog& dialog);

}  // namespace prefs
