#include "desktop/preferences_dialog.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "state/window_model.h"
#include "platform/platform.h"
#include "desktop/dialog_common.h"
#include "desktop/prefs/display_page.h"
#include "desktop/prefs/language_page.h"
#include "desktop/prefs/sound_page.h"

namespace prefs {

PreferencesDialog::PreferencesDialog(QWidget* parent) : QDialog(parent) {
  setFont(mirovaan_qt::DialogFont());
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  pages_ = new QTabWidget(this);
  layout->addWidget(pages_);
  auto* buttons = new QDialogButtonBox(this);
  close_ = buttons->addButton(QString(), QDialogButtonBox::AcceptRole);
  close_->setDefault(true);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  ShowTexts();

  AddPage([] { return tr("サウンド"); }, [](QWidget* dialog) { return new SoundPage(dialog); });
  AddPage([] { return tr("画面"); }, [this](QWidget* dialog) {
    auto* display = new DisplayPage(dialog);
    connect(display, &DisplayPage::Changed, this, &PreferencesDialog::DisplaySettingsChanged);
    return display;
  });
  AddPage(LanguagePage::Title, [](QWidget* dialog) { return new LanguagePage(dialog); });
}

void PreferencesDialog::ShowTexts() {
  setWindowTitle(tr("設定"));
  close_->setText(tr("閉じる"));
}

void PreferencesDialog::AddPage(PageTitle title, PageMaker make) {
  pages_->addTab(make(this), title());
  made_.push_back({std::move(title), std::move(make)});
}

void PreferencesDialog::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  // One switch of language brings several of these (ours and Qt's translators): the pages
  // are made again once, after the control that chose the language has returned.
  if (event->type() != QEvent::LanguageChange || rebuildPending_) return;
  rebuildPending_ = true;
  QTimer::singleShot(0, this, [this] { RebuildPages(); });
}

void PreferencesDialog::RebuildPages() {
  rebuildPending_ = false;
  ShowTexts();
  const int shown = pages_->currentIndex();
  while (pages_->count() > 0) {
    QWidget* page = pages_->widget(0);
    pages_->removeTab(0);
    page->deleteLater();
  }
  for (const Page& page : made_) pages_->addTab(page.make(this), page.title());
  pages_->setCurrentIndex(shown);
  // The keyboard and the pad stay where the player was: on the page's first control.
  if (QWidget* page = pages_->currentWidget()) page->setFocus();
  if (isVisible()) adjustSize();
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
