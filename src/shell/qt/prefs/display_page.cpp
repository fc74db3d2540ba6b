#include "shell/qt/prefs/display_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QVBoxLayout>
#include <QSettings>

namespace prefs {

QStringList ScaleModes() {
  return {QStringLiteral("fill"), QStringLiteral("aspect"), QStringLiteral("whole")};
}

QString StoredScaleMode() {
  QString mode = QSettings().value("display/scaleMode").toString();
  return ScaleModes().contains(mode) ? mode : QStringLiteral("fill");
}

DisplayPage::DisplayPage(QWidget* parent) : QWidget(parent) {
  // The rows at the top; the page may be taller when another page needs the room.
  auto* column = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  column->addLayout(form);
  column->addStretch(1);
  scaleMode_ = new QComboBox(this);
  // In the order of ScaleModes().
  scaleMode_->addItems({QStringLiteral("ウィンドウいっぱいに広げる"),
                        QStringLiteral("縦横の比を保つ"),
                        QStringLiteral("整数倍（くっきり）")});
  form->addRow(QStringLiteral("画面の拡大："), scaleMode_);
  fullScreen_ = new QCheckBox(QStringLiteral("全画面で表示する (F11)"), this);
  form->addRow(fullScreen_);
  autoPause_ = new QCheckBox(QStringLiteral("ウィンドウから離れたらゲームを止める"), this);
  form->addRow(autoPause_);
  Load();
  connect(scaleMode_, &QComboBox::currentIndexChanged, this, &DisplayPage::Store);
  connect(fullScreen_, &QCheckBox::toggled, this, &DisplayPage::Store);
  connect(autoPause_, &QCheckBox::toggled, this, &DisplayPage::Store);
}

void DisplayPage::Load() {
  QSettings settings;
  scaleMode_->setCurrentIndex(ScaleModes().indexOf(StoredScaleMode()));
  fullScreen_->setChecked(settings.value("display/fullscreen", false).toBool());
  autoPause_->setChecked(settings.value("display/autoPause", true).toBool());
}

void DisplayPage::Store() {
  QSettings settings;
  settings.setValue("display/scaleMode", ScaleModes().value(scaleMode_->currentIndex()));
  settings.setValue("display/fullscreen", fullScreen_->isChecked());
  settings.setValue("display/autoPause", autoPause_->isChecked());
  settings.sync();
  emit Changed();
}

}  // namespace prefs
