#include "desktop/options_dialog.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QPushButton>
#include <QScrollBar>

#include "game/window_handlers.h"
#include "shell/options.h"
#include "desktop/dialog_common.h"
#include "desktop/platform/translation.h"

using mirovaan_qt::AutoLabel;
using mirovaan_qt::Q;

namespace {

// The model's caption is the Japanese words and the interval; the words are shown in the
// player's language.
QString SpeedCaption() {
  static const std::string kWords = "今現在のゲームスピード : ";
  const std::string& caption = OptionsWindow.SpeedCaption;
  if (caption.rfind(kWords, 0) != 0) return Q(caption);
  return QCoreApplication::translate("OptionsDialog", "今現在のゲームスピード : %1")
      .arg(Q(caption.substr(kWords.size())));
}

// However the dialog is closed (閉じる, Enter, Esc or the window manager's close box), it
// closes as 閉じる does, which is also what starts the game again.
class OptionsDialog : public QDialog {
 public:
  explicit OptionsDialog(QWidget* parent) : QDialog(parent) {
    mirovaan_qt::SetUpDialogFrame(*this, mirovaan_qt::GameText(OptionsWindow.Caption), 362, 154);
    setWindowFlag(Qt::WindowSystemMenuHint);
    setWindowFlag(Qt::WindowCloseButtonHint);
    Build();
    ShowModel();
    Connect();
  }

  void reject() override { Close(); }

 protected:
  void closeEvent(QCloseEvent* event) override {
    if (!closing_) Close();
    event->accept();
  }

 private:
  void Build() {
    closeButton_ = new QPushButton(QCoreApplication::translate("OptionsDialog", "閉じる"), this);
    closeButton_->setObjectName(QStringLiteral("closeButton"));
    closeButton_->setGeometry(280, 120, 75, 25);
    closeButton_->setDefault(true);

    auto* speed = new QGroupBox(QCoreApplication::translate("OptionsDialog", "ゲームスピード"), this);
    speed->setObjectName(QStringLiteral("GroupBox1"));
    speed->setGeometry(8, 8, 345, 89);
    AutoLabel(speed, "1", 24, 64)->setObjectName(QStringLiteral("speedMinLabel"));
    AutoLabel(speed, "50", 166, 64)->setObjectName(QStringLiteral("speedMidLabel"));
    AutoLabel(speed, "100", 303, 64)->setObjectName(QStringLiteral("speedMaxLabel"));
    // Below the box's title, which this font makes taller than the dialog's design allowed for.
    speedCaption_ = AutoLabel(speed, SpeedCaption(), 9, 21);
    speedCaption_->setObjectName(QStringLiteral("speedCaption"));
    speedSlider_ = new QScrollBar(Qt::Horizontal, speed);
    speedSlider_->setObjectName(QStringLiteral("speedSlider"));
    speedSlider_->setGeometry(8, 40, 329, 17);
    speedSlider_->setRange(kSpeedMin, kSpeedMax);
    speedSlider_->setSingleStep(1);
    speedSlider_->setPageStep(1);

    auto* music = new QGroupBox(QCoreApplication::translate("OptionsDialog", "音楽"), this);
    music->setObjectName(QStringLiteral("GroupBox2"));
    // Three pixels higher and taller than designed, so that the check boxes' full height
    // fits under the title; the box's foot stays where it was.
    music->setGeometry(8, 101, 161, 44);
    musicBox_ = new QCheckBox(QCoreApplication::translate("OptionsDialog", "音楽演奏"), music);
    musicBox_->setObjectName(QStringLiteral("musicBox"));
    musicBox_->setGeometry(8, 21, 73, 19);
    effectsBox_ = new QCheckBox(QCoreApplication::translate("OptionsDialog", "効果音"), music);
    effectsBox_->setObjectName(QStringLiteral("effectsBox"));
    effectsBox_->setGeometry(88, 21, 65, 19);
  }

  // The controls follow the model after every event (a handler may change other controls).
  void ShowModel() {
    const QSignalBlocker b1(speedSlider_), b2(musicBox_), b3(effectsBox_);
    speedSlider_->setValue(OptionsWindow.SpeedPosition);
    musicBox_->setChecked(OptionsWindow.MusicChecked);
    effectsBox_->setChecked(OptionsWindow.EffectsChecked);
    speedCaption_->setText(SpeedCaption());
    speedCaption_->adjustSize();
  }

  void Connect() {
    connect(speedSlider_, &QScrollBar::valueChanged, this, [this](int value) {
      RunHandler([value] { SetSpeedPosition(value); });
      ShowModel();
    });
    connect(musicBox_, &QCheckBox::toggled, this, [this](bool on) {
      RunHandler([on] { SetMusicChecked(on); });
      ShowModel();
    });
    connect(effectsBox_, &QCheckBox::toggled, this, [this](bool on) {
      RunHandler([on] { SetEffectsChecked(on); });
      ShowModel();
    });
    connect(closeButton_, &QPushButton::clicked, this, [this] { Close(); });
  }

  void Close() {
    if (closing_) return;
    closing_ = true;
    RunHandler([] { OnOptionsClose(); });
    done(QDialog::Accepted);
  }

  QPushButton* closeButton_ = nullptr;
  QLabel* speedCaption_ = nullptr;
  QScrollBar* speedSlider_ = nullptr;
  QCheckBox* musicBox_ = nullptr;
  QCheckBox* effectsBox_ = nullptr;
  bool closing_ = false;
};

}  // namespace

std::unique_ptr<QDialog> MakeOptionsDialog(QWidget* parent) {
  return std::make_unique<OptionsDialog>(parent);
}

void RunOptionsDialog(QWidget* parent) {
  std::unique_ptr<QDialog> dialog = MakeOptionsDialog(parent);
  mirovaan_qt::CentreOnScreen(*dialog);
  dialog->exec();
}
