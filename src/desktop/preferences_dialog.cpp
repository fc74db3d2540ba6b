#include "desktop/preferences_dialog.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "state/window_model.h"
#include "platform/platform.h"
#include "desktop/dialog_common.h"
#include "desktop/prefs/display_page.h"
#include "desktop/prefs/sound_page.h"

namespace prefs {

PreferencesDialog::PreferencesDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("設定"));
  setFont(mirovaan_qt::DialogFont());
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  pages_ = new QTabWidget(this);
  layout->addWidget(pages_);
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* close = buttons->addButton(QStringLiteral("閉じる"), QDialogButtonBox::AcceptRole);
  close->setDefault(true);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  AddPage(QStringLiteral("サウンド"), new SoundPage(this));
  auto* display = new DisplayPage(this);
  connect(display, &DisplayPage::Changed, this, &PreferencesDialog::DisplaySettingsChanged);
  AddPage(QStringLiteral("画面"), display);
}

void PreferencesDialog::AddPage(const QString& title, QWidget* page) {
  pages_->addTab(page, title);
}

void RunWithGameStopped(PreferencesDialog& dialog) {
  // In play the timer runs whenever the menu can be reached, so this starts it again as the
  // options dialog does; a game held by something else (a replay's own clock) stays held.
  const bool wasRunning = Window.TickTimer.Enabled;
  Window.TickTimer.Enabled = false;
  platform::Os().WindowChanged();
  dialog.adjustSize();
  mirovaan_qt::CentreOnScreen(dialog);
  dialog.exec();
  Window.TickTimer.Enabled = wasRunning;
  platform::Os().WindowChanged();
}

}  // namespace prefs
