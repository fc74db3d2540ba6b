// The preferences dialog "設定": the program's own settings, one page each (sound, display,
// and whatever pages the program adds), each change taking effect at once and remembered.
#pragma once

#include <QDialog>
#include <functional>
#include <vector>

class QTabWidget;

namespace prefs {

class PreferencesDialog : public QDialog {
  Q_OBJECT

 public:
  explicit PreferencesDialog(QWidget* parent);

  // A page is made, and made again in the new language when the player switches: pages
  // keep nothing of their own that the settings do not hold.
  using PageTitle = std::function<QString()>;
  using PageMaker = std::function<QWidget*(QWidget* dialog)>;
  // Adds a page after the ones already there; the dialog owns what make returns.
  void AddPage(PageTitle title, PageMaker make);
  QTabWidget* Pages() const { return pages_; }

 protected:
  void changeEvent(QEvent* event) override;

 signals:
  // A display/* setting was written; the window applies it.
  void DisplaySettingsChanged();

 private:
  struct Page {
    PageTitle title;
    PageMaker make;
  };
  void ShowTexts();
  void RebuildPages();

  QTabWidget* pages_;
  class QPushButton* close_;
  std::vector<Page> made_;
  bool rebuildPending_ = false;
};

// Shows the dialog modally with the game standing still, as the options dialog does: the
// game timer is off while it is open and runs again however it is closed (unless it was
// already off when the dialog opened).
void RunWithGameStopped(PreferencesDialog& dialog);

}  // namespace prefs
