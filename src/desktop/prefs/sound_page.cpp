#include "desktop/prefs/sound_page.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QVBoxLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>

#include "audio/sound.h"
#include "desktop/prefs/app_settings.h"

namespace prefs {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

void Remember() { WriteSoundSetup(audio::CurrentSetup()); }

}  // namespace

SoundPage::SoundPage(QWidget* parent) : QWidget(parent) {
  // The rows at the top; the page may be taller when another page needs the room.
  auto* column = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  column->addLayout(form);
  column->addStretch(1);
  const audio::Setup& setup = audio::CurrentSetup();
  AddVolume(form, tr("音楽の音量："), setup.MusicVolume, audio::SetMusicVolume);
  AddVolume(form, tr("効果音の音量："), setup.EffectVolume, audio::SetEffectVolume);
  AddSoundFontRow(form);
  AddOutputRow(form);
  auto* test = new QPushButton(tr("テスト音を鳴らす"), this);
  test->setObjectName(QStringLiteral("testSound"));
  connect(test, &QPushButton::clicked, this, [] { audio::PlayTestSound(); });
  form->addRow(QString(), test);
  ShowInUse();
}

QSlider* SoundPage::AddVolume(QFormLayout* form, const QString& caption, int value,
                              void (*apply)(int)) {
  auto* row = new QHBoxLayout;
  auto* slider = new QSlider(Qt::Horizontal, this);
  slider->setRange(0, 100);
  slider->setPageStep(10);
  slider->setValue(value);
  slider->setMinimumWidth(200);
  auto* shown = new QLabel(QString::number(value), this);
  shown->setMinimumWidth(QFontMetrics(shown->font()).horizontalAdvance(QStringLiteral("100")));
  row->addWidget(slider);
  row->addWidget(shown);
  form->addRow(caption, row);
  connect(slider, &QSlider::valueChanged, this, [apply, shown](int percent) {
    apply(percent);
    shown->setNum(percent);
    Remember();
  });
  return slider;
}

void SoundPage::AddSoundFontRow(QFormLayout* form) {
  auto* row = new QHBoxLayout;
  soundFont_ = new QLineEdit(this);
  soundFont_->setReadOnly(true);
  soundFont_->setMinimumWidth(260);
  auto* browse = new QPushButton(tr("選ぶ..."), this);
  auto* standard = new QPushButton(tr("標準に戻す"), this);
  row->addWidget(soundFont_);
  row->addWidget(browse);
  row->addWidget(standard);
  form->addRow(tr("サウンドフォント："), row);
  soundFontNote_ = new QLabel(this);
  soundFontNote_->setWordWrap(true);
  form->addRow(QString(), soundFontNote_);
  connect(browse, &QPushButton::clicked, this, &SoundPage::BrowseSoundFont);
  connect(standard, &QPushButton::clicked, this, [this] { ChooseSoundFont(QString()); });
}

void SoundPage::AddOutputRow(QFormLayout* form) {
  output_ = new QComboBox(this);
  output_->addItem(tr("自動"), QString());
  for (const std::string& driver : audio::OutputChoices())
    output_->addItem(Q(driver), Q(driver));
  output_->setCurrentIndex(std::max(0, output_->findData(Q(audio::CurrentSetup().Output))));
  form->addRow(tr("音声の出力："), output_);
  outputNote_ = new QLabel(this);
  form->addRow(QString(), outputNote_);
  connect(output_, &QComboBox::currentIndexChanged, this, &SoundPage::ChooseOutput);
}

void SoundPage::BrowseSoundFont() {
  QString current = Q(audio::Output().SoundFont);
  QString start = current.isEmpty() ? QStringLiteral("/usr/share/sounds")
                                    : QFileInfo(current).absolutePath();
  QString chosen = QFileDialog::getOpenFileName(
      this, tr("サウンドフォントを選ぶ"), start,
      tr("サウンドフォント (*.sf2 *.sf3);;すべてのファイル (*)"));
  if (!chosen.isEmpty()) ChooseSoundFont(chosen);
}

void SoundPage::ChooseSoundFont(const QString& path) {
  std::string error;
  if (!audio::SetSoundFont(path.toStdString(), error)) {
    QMessageBox::warning(this, tr("設定"),
                         tr("サウンドフォントを読み込めません：\n%1\n\n"
                                        "今のサウンドフォントをそのまま使います。")
                             .arg(path.isEmpty() ? tr("（標準）") : path));
  }
  Remember();
  ShowInUse();
}

void SoundPage::ChooseOutput(int index) {
  audio::SetOutput(output_->itemData(index).toString().toStdString());
  Remember();
  ShowInUse();
}

void SoundPage::ShowInUse() {
  audio::OutputInfo info = audio::Output();
  std::vector<std::string> found = audio::SoundFontsFound();
  soundFont_->setText(Q(info.SoundFont));
  QString standard = found.empty()
                         ? tr("標準のサウンドフォントが見つかりません。Debian では "
                                          "fluid-soundfont-gm か timgm6mb-soundfont を入れてください。")
                         : tr("標準：%1").arg(Q(found.front()));
  soundFontNote_->setText(standard);
  outputNote_->setText(info.Driver.empty() ? tr("使用中：なし（音は出ません）")
                                           : tr("使用中：%1").arg(Q(info.Driver)));
}

}  // namespace prefs
