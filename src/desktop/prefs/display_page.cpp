#include "desktop/prefs/display_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QVBoxLayout>
#include <QSettings>

namespace prefs {

QStringList ScaleModes() {
  return {QString(), QStringLiteral("fill"), QStringLiteral("aspect"), QStringLiteral("whole")};
}

QString StoredScaleMode() {
  QString mode = QSettings().value("display/scaleMode").toString();
  return ScaleModes().contains(mode) ? mode : QString();
}

DisplayPage::DisplayPage(QWidget* parent) : QWidget(parent) {
  // The rows at the top; the page may be taller when another page needs the room.
  auto* column = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  column->addLayout(form);
  column->addStretch(1);
  scaleMode_ = new QComboBox(this);
  // In the order of ScaleModes().
  scaleMode_->addItems({tr("自動（ウィンドウでは広げ、全画面では整数倍）"),
                        tr("ウィンドウいっぱいに広げる"),
                        tr("縦横の比を保つ"),
                        tr("整数倍（くっきり）")});
  form->addRow(tr("画面の拡大："), scaleMode_);
  fullScreen_ = new QCheckBox(tr("全画面で表示する (F11)"), this);
  form->addRow(fullScreen_);
  autoPause_ = new QCheckBox(tr("ウィンドウから離れたらゲームを止める"), this);
  form->addRow(autoPause_);
  autosave_ = new QCheckBox(tr("ダンジョンに入るときと出るときにオートセーブする"), this);
  form->addRow(autosave_);
  Load();
  connect(scaleMode_, &QComboBox::currentIndexChanged, this, [this](int index) {
    QString mode = ScaleModes().value(index);
    Store("display/scaleMode", mode.isEmpty() ? QVariant() : QVariant(mode));
  });
  connect(fullScreen_, &QCheckBox::toggled, this,
          [this](bool on) { Store("display/fullscreen", on); });
  connect(autoPause_, &QCheckBox::toggled, this,
          [this](bool on) { Store("display/autoPause", on); });
  connect(autosave_, &QCheckBox::toggled, this, [this](bool on) { Store("saves/autosave", on); });
}

void DisplayPage::Load() {
  QSettings settings;
  scaleMode_->setCurrentIndex(ScaleModes().indexOf(StoredScaleMode()));
  fullScreen_->setChecked(settings.value("display/fullscreen", false).toBool());
  autoPause_->setChecked(settings.value("display/autoPause", true).toBool());
  autosave_->setChecked(settings.value("saves/autosave", true).toBool());
}

// Only the control the player touched is written: the others keep meaning "as the window
// decides" until chosen.
void DisplayPage::Store(const char* key, const QVariant& value) {
  QSettings settings;
  if (value.isValid())
    settings.setValue(key, value);
  else
    settings.remove(key);
  settings.sync();
  emit Changed();
}

}  // namespace prefs
