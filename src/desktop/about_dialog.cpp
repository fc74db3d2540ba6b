#include "desktop/about_dialog.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QFrame>
#include <QPixmap>
#include <QPushButton>

#include "shell/about.h"
#include "game/window_handlers.h"
#include "shell/maker_contact.h"
#include "desktop/content_pixmap.h"
#include "desktop/dialog_common.h"
#include "desktop/platform/translation.h"

using mirovaan_qt::AutoLabel;
using mirovaan_qt::GameText;
using mirovaan_qt::Q;

namespace {

// The link buttons start a little left of their designed place and reach further right, so that
// a mail address of this font's width keeps a margin inside its button; one pixel shorter,
// so that the two, 16 pixels apart, do not overlap.
QPushButton* LinkButton(QWidget* parent, const QString& caption, int top) {
  auto* button = new QPushButton(caption, parent);
  button->setGeometry(100, top, 232, 16);
  button->setAutoDefault(false);
  return button;
}

// The note broken into lines between its phrases (after "。" and "、" and at its own line
// breaks), as many whole phrases to a line as the width takes, so that no line ends inside a
// phrase or leaves a scrap of one alone; a phrase wider than a line is left to the label.
QString PhraseLines(const QString& text, const QFont& font, int width) {
  const QFontMetricsF fm(font);
  QStringList lines;
  for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
    QString line, phrase;
    auto place = [&] {
      if (!line.isEmpty() && fm.horizontalAdvance(line + phrase) > width - 2) lines << line, line.clear();
      line += phrase;
      phrase.clear();
    };
    for (QChar c : paragraph) {
      phrase += c;
      if (c == QChar(0x3002) || c == QChar(0x3001)) place();  // 。 and 、
    }
    place();
    lines << line;
  }
  return lines.join(QLatin1Char('\n'));
}

// The game's name and version; the name in the player's language.
QString TitleLine() {
  return QCoreApplication::translate("AboutDialog", "ミロヴァーン  Version %1").arg(Q(AboutVersion()));
}

class AboutDialog : public QDialog {
 public:
  explicit AboutDialog(QWidget* parent) : QDialog(parent) {
    mirovaan_qt::SetUpDialogFrame(*this, GameText(AboutWindow.Caption), 345, 154);

    auto* iconLabel = new QLabel(this);
    iconLabel->setObjectName(QStringLiteral("iconLabel"));
    iconLabel->setGeometry(8, 8, 32, 32);
    QPixmap icon = mirovaan_qt::LoadContentPixmap(AboutIconPath());
    if (!icon.isNull()) iconLabel->setPixmap(icon);

    AutoLabel(this, TitleLine(), 48, 12)->setObjectName(QStringLiteral("titleLabel"));

    // The frame first, so that the labels and buttons inside it are drawn over it.
    auto* bevel1 = new QFrame(this);
    bevel1->setObjectName(QStringLiteral("Bevel1"));
    bevel1->setGeometry(48, 32, 289, 113);
    bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);

    auto* label2 = new QLabel(this);
    label2->setObjectName(QStringLiteral("noteLabel"));
    label2->setGeometry(56, 40, 233, 41);
    label2->setText(PhraseLines(GameText(AboutNote()), label2->font(), label2->width()));
    label2->setWordWrap(true);
    label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    AutoLabel(this, "URL :", 56, 88)->setObjectName(QStringLiteral("homePageCaption"));
    auto* button2 = LinkButton(this, GameText(AboutHomePage()), 88);
    button2->setObjectName(QStringLiteral("homePageButton"));
    AutoLabel(this, "E-Mail :", 56, 104)->setObjectName(QStringLiteral("mailCaption"));
    auto* button3 = LinkButton(this, GameText(AboutMailAddress()), 104);
    button3->setObjectName(QStringLiteral("mailButton"));
    button3->setEnabled(!Maker.MailAddress.empty());
    AutoLabel(this, Q(AboutMakerLine()), 200, 128)->setObjectName(QStringLiteral("makerLabel"));

    auto* button1 = new QPushButton(QStringLiteral("OK"), this);
    button1->setObjectName(QStringLiteral("closeButton"));
    button1->setGeometry(288, 8, 51, 17);
    button1->setDefault(true);

    connect(button2, &QPushButton::clicked, this, [] { RunHandler([] { OnHomePageButton(); }); });
    connect(button3, &QPushButton::clicked, this, [] { RunHandler([] { OnMailButton(); }); });
    connect(button1, &QPushButton::clicked, this, [this] { done(QDialog::Accepted); });
  }
};

}  // namespace

std::unique_ptr<QDialog> MakeAboutDialog(QWidget* parent) { return std::make_unique<AboutDialog>(parent); }

void RunAboutDialog(QWidget* parent) {
  std::unique_ptr<QDialog> dialog = MakeAboutDialog(parent);
  mirovaan_qt::CentreOnScreen(*dialog);
  dialog->exec();
}
