#include "shell/qt/options_dialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QPushButton>
#include <QScrollBar>

#include "game/main_form.h"
#include "shell/options.h"
#include "shell/qt/dialog_common.h"

using mirovaan_qt::AutoLabel;
using mirovaan_qt::Q;

namespace {

// However the dialog is closed (閉じる, Enter, Esc or the window manager's close box), it
// closes as 閉じる does, which is also what starts the game again.
class OptionsDialog : public QDialog {
 public:
  explicit OptionsDialog(QWidget* parent) : QDialog(parent) {
    mirovaan_qt::SetUpDialogFrame(*this, Form2.Caption, 362, 154);
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
    button1_ = new QPushButton(QStringLiteral("閉じる"), this);
    button1_->setObjectName(QStringLiteral("Button1"));
    button1_->setGeometry(280, 120, 75, 25);
    button1_->setDefault(true);

    auto* speed = new QGroupBox(QStringLiteral("ゲームスピード"), this);
    speed->setObjectName(QStringLiteral("GroupBox1"));
    speed->setGeometry(8, 8, 345, 89);
    AutoLabel(speed, "1", 24, 64)->setObjectName(QStringLiteral("Label1"));
    AutoLabel(speed, "50", 166, 64)->setObjectName(QStringLiteral("Label2"));
    AutoLabel(speed, "100", 303, 64)->setObjectName(QStringLiteral("Label3"));
    // Below the box's title, which this font makes taller than the form allowed for.
    label4_ = AutoLabel(speed, Form2.Label4Caption, 9, 21);
    label4_->setObjectName(QStringLiteral("Label4"));
    scrollBar1_ = new QScrollBar(Qt::Horizontal, speed);
    scrollBar1_->setObjectName(QStringLiteral("ScrollBar1"));
    scrollBar1_->setGeometry(8, 40, 329, 17);
    scrollBar1_->setRange(kScrollBar1Min, kScrollBar1Max);
    scrollBar1_->setSingleStep(1);
    scrollBar1_->setPageStep(1);

    auto* music = new QGroupBox(QStringLiteral("音楽"), this);
    music->setObjectName(QStringLiteral("GroupBox2"));
    // Three pixels higher and taller than the form's, so that the check boxes' full height
    // fits under the title; the box's foot stays where it was.
    music->setGeometry(8, 101, 161, 44);
    checkBox1_ = new QCheckBox(QStringLiteral("音楽演奏"), music);
    checkBox1_->setObjectName(QStringLiteral("CheckBox1"));
    checkBox1_->setGeometry(8, 21, 73, 19);
    checkBox2_ = new QCheckBox(QStringLiteral("効果音"), music);
    checkBox2_->setObjectName(QStringLiteral("CheckBox2"));
    checkBox2_->setGeometry(88, 21, 65, 19);
  }

  // The controls follow the model after every event (a handler may change other controls).
  void ShowModel() {
    const QSignalBlocker b1(scrollBar1_), b2(checkBox1_), b3(checkBox2_);
    scrollBar1_->setValue(Form2.ScrollBar1Position);
    checkBox1_->setChecked(Form2.CheckBox1Checked);
    checkBox2_->setChecked(Form2.CheckBox2Checked);
    label4_->setText(Q(Form2.Label4Caption));
    label4_->adjustSize();
  }

  void Connect() {
    connect(scrollBar1_, &QScrollBar::valueChanged, this, [this](int value) {
      RunHandler([value] { SetScrollBar1Position(value); });
      ShowModel();
    });
    connect(checkBox1_, &QCheckBox::toggled, this, [this](bool on) {
      RunHandler([on] { SetCheckBox1Checked(on); });
      ShowModel();
    });
    connect(checkBox2_, &QCheckBox::toggled, this, [this](bool on) {
      RunHandler([on] { SetCheckBox2Checked(on); });
      ShowModel();
    });
    connect(button1_, &QPushButton::clicked, this, [this] { Close(); });
  }

  void Close() {
    if (closing_) return;
    closing_ = true;
    RunHandler([] { Button1Click(); });
    done(QDialog::Accepted);
  }

  QPushButton* button1_ = nullptr;
  QLabel* label4_ = nullptr;
  QScrollBar* scrollBar1_ = nullptr;
  QCheckBox* checkBox1_ = nullptr;
  QCheckBox* checkBox2_ = nullptr;
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
