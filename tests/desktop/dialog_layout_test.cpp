// The options and about dialogs laid out for the fonts this system really has: no label on
// a group box's frame or title, every check box inside its box, no text cut, the about note
// wrapped in whole phrases, and each button's text inside it with a margin. The test command
// runs these once as they come and once at a device pixel ratio of 2 (QT_SCALE_FACTOR=2).
//
// With MIROVAAN_DIALOG_SHOTS=folder each dialog is also saved there as a picture.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QImage>
#include <QTextLayout>
#include <cstdlib>
#include <vector>

#include "shell/about.h"
#include "game/window_handlers.h"
#include "shell/options.h"
#include "desktop/about_dialog.h"
#include "desktop/dialog_common.h"
#include "desktop/options_dialog.h"
#include "desktop/platform/translation.h"
#include "support/test_support.h"

namespace {

// The room inside a button that its text may use: Qt's own button margin on each side.
constexpr int kButtonTextMargin = 8;

std::string Describe(const QRect& r) {
  return "(" + std::to_string(r.x()) + ", " + std::to_string(r.y()) + ") " + std::to_string(r.width()) +
         " x " + std::to_string(r.height());
}

// A group box as its style draws it with nothing in it, at the screen's pixel ratio: what is
// not the colour of its middle is its frame, its title or the ground outside the frame.
QImage EmptyBox(QGroupBox* box, double& ratio) {
  QGroupBox empty(box->title(), box->parentWidget());
  empty.setGeometry(box->geometry());
  const QImage image = empty.grab().toImage();
  ratio = image.devicePixelRatio();
  return image;
}

// True when every pixel of the rectangle (in the box's own coordinates) is the box's inner
// ground.
bool OnInnerGround(const QImage& empty, double ratio, const QRect& r) {
  const QRgb ground = empty.pixel(empty.width() / 2, empty.height() / 2);
  const QRect device(QPoint(int(r.left() * ratio), int(r.top() * ratio)),
                     QPoint(int((r.right() + 1) * ratio) - 1, int((r.bottom() + 1) * ratio) - 1));
  if (!empty.rect().contains(device)) return false;
  for (int y = device.top(); y <= device.bottom(); ++y)
    for (int x = device.left(); x <= device.right(); ++x)
      if (empty.pixel(x, y) != ground) return false;
  return true;
}

// What a widget shows: a label or a check box needs its whole size hint (else its text is
// cut); the rectangle it takes from its top-left corner.
QRect Shown(QWidget* w) {
  QSize need = w->sizeHint();
  if (auto* label = qobject_cast<QLabel*>(w); label && label->wordWrap())
    need = QSize(w->width(), label->heightForWidth(w->width()));
  return QRect(w->pos(), need);
}

void ExpectInsideGroupBoxes(QDialog& dialog) {
  for (QGroupBox* box : dialog.findChildren<QGroupBox*>()) {
    double ratio = 1;
    const QImage empty = EmptyBox(box, ratio);
    for (QWidget* child : box->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      const QRect shown = Shown(child);
      EXPECT_TRUE(OnInnerGround(empty, ratio, shown))
          << box->objectName().toStdString() << "/" << child->objectName().toStdString() << " shows "
          << Describe(shown) << " on the box's frame or title, or outside it";
    }
  }
}

void ExpectNothingCut(QDialog& dialog) {
  for (QWidget* w : dialog.findChildren<QWidget*>()) {
    const std::string what = w->objectName().toStdString();
    if (qobject_cast<QLabel*>(w) || qobject_cast<QCheckBox*>(w)) {
      const QRect shown = Shown(w);
      EXPECT_LE(shown.width(), w->width()) << what << " is cut: it needs " << Describe(shown);
      EXPECT_LE(shown.height(), w->height()) << what << " is cut: it needs " << Describe(shown);
    }
    const QRect inDialog(w->mapTo(&dialog, QPoint(0, 0)), w->size());
    EXPECT_TRUE(dialog.rect().contains(inDialog)) << what << " at " << Describe(inDialog)
                                                  << " leaves the dialog";
  }
}

// No two texts, check boxes or buttons of one parent overlap.
void ExpectNoOverlaps(QDialog& dialog) {
  std::vector<QWidget*> items;
  for (QWidget* w : dialog.findChildren<QWidget*>())
    if (qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w)) items.push_back(w);
  for (size_t i = 0; i < items.size(); ++i)
    for (size_t j = i + 1; j < items.size(); ++j) {
      if (items[i]->parentWidget() != items[j]->parentWidget()) continue;
      // A button's size hint asks for padding it may go without: its own rectangle counts.
      auto taken = [](QWidget* w) { return qobject_cast<QPushButton*>(w) ? w->geometry() : Shown(w).united(w->geometry()); };
      const QRect a = taken(items[i]), b = taken(items[j]);
      EXPECT_FALSE(a.intersects(b)) << items[i]->objectName().toStdString() << " " << Describe(a) << " overlaps "
                                    << items[j]->objectName().toStdString() << " " << Describe(b);
    }
}

void ExpectButtonTextsFit(QDialog& dialog) {
  for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
    const QFontMetrics fm(button->font());
    const int text = fm.horizontalAdvance(button->text());
    EXPECT_LE(text + 2 * kButtonTextMargin, button->width() - 4)
        << button->objectName().toStdString() << ": \"" << button->text().toStdString() << "\" is " << text
        << " pixels wide in a button of " << button->width();
    EXPECT_LE(fm.height(), button->height()) << button->objectName().toStdString();
  }
}

// The lines a word-wrapped label breaks its text into.
QStringList WrappedLines(QLabel* label) {
  QString text = label->text();
  text.replace(QLatin1Char('\n'), QChar::LineSeparator);
  QTextLayout layout(text, label->font());
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout.setTextOption(option);
  layout.beginLayout();
  QStringList lines;
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(label->width());
    lines << text.mid(line.textStart(), line.textLength());
  }
  layout.endLayout();
  return lines;
}

void Shoot(QDialog& dialog, const char* name) {
  const char* folder = std::getenv("MIROVAAN_DIALOG_SHOTS");
  if (!folder || !*folder) return;
  QDir().mkpath(folder);
  const QString ratio = QString::number(dialog.devicePixelRatioF());
  dialog.grab().save(QString(folder) + "/" + name + "_" + LanguageCode(CurrentLanguage()) + "_dpr" +
                     ratio + ".png");
}

// MIROVAAN_TEST_LANGUAGE=en lays the dialogs out in English: their sizes are fixed, and the
// English texts must fit them as the Japanese do.
class DialogLayout : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetGame();
    const char* code = std::getenv("MIROVAAN_TEST_LANGUAGE");
    mirovaan_qt::UseLanguage(LanguageFromCode(code ? code : "").value_or(Language::kJapanese));
  }
  void TearDown() override { mirovaan_qt::UseLanguage(Language::kJapanese); }
};

TEST_F(DialogLayout, RunsAtTheDevicePixelRatioAskedFor) {
  const char* factor = std::getenv("QT_SCALE_FACTOR");
  const double wanted = factor && *factor ? std::atof(factor) : 1.0;
  auto dialog = MakeOptionsDialog(nullptr);
  dialog->show();
  EXPECT_DOUBLE_EQ(dialog->devicePixelRatioF(), wanted);
  EXPECT_EQ(QFontInfo(dialog->font()).family(), QStringLiteral("IPAPGothic")) << "the dialog font is missing";
}

TEST_F(DialogLayout, OptionsDialogFitsItsTexts) {
  OptionsWindow.SpeedCaption = "今現在のゲームスピード : 100";  // the widest the label gets
  auto dialog = MakeOptionsDialog(nullptr);
  dialog->show();
  QApplication::processEvents();
  EXPECT_EQ(dialog->size(), QSize(362, 154)) << "the client area keeps its size";
  ExpectInsideGroupBoxes(*dialog);
  ExpectNothingCut(*dialog);
  ExpectNoOverlaps(*dialog);
  ExpectButtonTextsFit(*dialog);
  Shoot(*dialog, "options");
}

TEST_F(DialogLayout, AboutDialogFitsItsTextsAndWrapsTheNoteInWholePhrases) {
  auto dialog = MakeAboutDialog(nullptr);
  dialog->show();
  QApplication::processEvents();
  EXPECT_EQ(dialog->size(), QSize(345, 154)) << "the client area keeps its size";
  ExpectNothingCut(*dialog);
  ExpectNoOverlaps(*dialog);
  ExpectButtonTextsFit(*dialog);
  auto* bevel = dialog->findChild<QWidget*>(QStringLiteral("Bevel1"));
  ASSERT_NE(bevel, nullptr);
  for (const char* name : {"noteLabel", "makerLabel", "mailCaption", "homePageCaption", "homePageButton", "mailButton"}) {
    auto* w = dialog->findChild<QWidget*>(QString::fromLatin1(name));
    ASSERT_NE(w, nullptr) << name;
    EXPECT_TRUE(bevel->geometry().adjusted(2, 2, -2, -2).contains(Shown(w)))
        << name << " shows " << Describe(Shown(w)) << " outside the frame " << Describe(bevel->geometry());
  }
  auto* note = dialog->findChild<QLabel*>(QStringLiteral("noteLabel"));
  ASSERT_NE(note, nullptr);
  const QStringList lines = WrappedLines(note);
  for (const QString& line : lines) {
    const QString ending = line.trimmed().right(1);
    // English is wrapped between words by the label itself.
    EXPECT_TRUE(ending == "。" || ending == "、" || line == lines.last() ||
                CurrentLanguage() == Language::kEnglish)
        << "the note breaks inside a phrase: \"" << line.toStdString() << "\"";
    EXPECT_GE(line.trimmed().size(), 4) << "a scrap of the note stands alone: \"" << line.toStdString() << "\"";
  }
  Shoot(*dialog, "about");
}

}  // namespace
