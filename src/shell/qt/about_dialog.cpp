#include "shell/qt/about_dialog.h"

#include <QFileInfo>
#include <QFrame>
#include <QPixmap>
#include <QPushButton>

#include "shell/about.h"
#include "game/main_form.h"
#include "shell/qt/dialog_common.h"

using mirovaan_qt::AutoLabel;
using mirovaan_qt::Q;

namespace {

QPushButton* LinkButton(QWidget* parent, const std::string& caption, int top) {
  auto* button = new QPushButton(Q(caption), parent);
  button->setGeometry(104, top, 225, 17);
  button->setAutoDefault(false);
  return button;
}

class AboutDialog : public QDialog {
 public:
  explicit AboutDialog(QWidget* parent) : QDialog(parent) {
    mirovaan_qt::SetUpDialogFrame(*this, Form3.Caption, 345, 154);

    auto* image1 = new QLabel(this);
    image1->setGeometry(8, 8, 32, 32);
    QString icon = Q(AboutIconPath());
    if (QFileInfo::exists(icon)) image1->setPixmap(QPixmap(icon));

    AutoLabel(this, AboutTitleLine(), 48, 12);

    // The frame first, so that the labels and buttons inside it are drawn over it.
    auto* bevel1 = new QFrame(this);
    bevel1->setGeometry(48, 32, 289, 113);
    bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);

    auto* label2 = new QLabel(Q(AboutNote()), this);
    label2->setGeometry(56, 40, 233, 41);
    label2->setWordWrap(true);
    label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    AutoLabel(this, "URL :", 56, 88);
    auto* button2 = LinkButton(this, AboutHomePage(), 88);
    AutoLabel(this, "E-Mail :", 56, 104);
    auto* button3 = LinkButton(this, AboutMailAddress(), 104);
    AutoLabel(this, AboutMakerLine(), 200, 128);

    auto* button1 = new QPushButton(QStringLiteral("OK"), this);
    button1->setGeometry(288, 8, 51, 17);
    button1->setDefault(true);

    connect(button2, &QPushButton::clicked, this, [] { RunHandler([] { Button2Click(); }); });
    connect(button3, &QPushButton::clicked, this, [] { RunHandler([] { Button3Click(); }); });
    connect(button1, &QPushButton::clicked, this, [this] { done(QDialog::Accepted); });
  }
};

}  // namespace

void RunAboutDialog(QWidget* parent) {
  AboutDialog dialog(parent);
  mirovaan_qt::CentreOnScreen(dialog);
  dialog.exec();
}
