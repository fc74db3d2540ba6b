// The slot screen from the keyboard and the mouse: what each slot shows, which can be picked,
// and the question before saving over a used one.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <fstream>

#include "desktop/slot_dialog.h"
#include "game/keys.h"
#include "game/key_codes.h"
#include "game/window_handlers.h"
#include "persist/save.h"
#include "state/state.h"
#include "support/test_support.h"

namespace {

using mirovaan_qt::SlotDialog;

void Key(QWidget* to, int key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(to, &press);
}

QString TextOf(QAbstractButton* slot) {
  QString all;
  for (QLabel* label : slot->findChildren<QLabel*>()) all += label->text();
  return all;
}

// Answers the next question box with the given button once it is open.
void AnswerNextBox(QMessageBox::StandardButton answer, bool* asked) {
  QTimer::singleShot(20, [answer, asked] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return AnswerNextBox(answer, asked);
    *asked = true;
    box->button(answer)->click();
  });
}

class SlotScreen : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder_.isValid());
    testsupport::StartProgram();
    G.GameMode = kModeSelect;
    OnKeyDown(VK_SPACE);  // a new game on the world map
    ASSERT_EQ(G.GameMode, kModeWorld);
    ASSERT_TRUE(SaveGameFile(Path("slot-03.sav")));
    std::ofstream(Path("slot-01.sav"), std::ios::binary) << "not a saved game";
  }
  std::string Path(const char* name) const { return (folder_.path() + "/" + name).toStdString(); }

  QTemporaryDir folder_;
};

TEST_F(SlotScreen, LoadOffersOnlyTheSavesThatCanBeLoaded) {
  SlotDialog dialog(SlotDialog::Use::Load, folder_.path(), nullptr);
  dialog.show();
  QApplication::processEvents();
  EXPECT_FALSE(dialog.SlotButton(1)->isEnabled());
  EXPECT_TRUE(TextOf(dialog.SlotButton(1)).contains("壊れています"));
  EXPECT_FALSE(dialog.SlotButton(2)->isEnabled());
  ASSERT_TRUE(dialog.SlotButton(3)->isEnabled());
  EXPECT_TRUE(dialog.SlotButton(3)->hasFocus());
  const QString shown = TextOf(dialog.SlotButton(3));
  EXPECT_TRUE(shown.contains("ワールドマップ")) << shown.toStdString();
  EXPECT_TRUE(shown.contains(QString("レベル %1").arg(G.Level))) << shown.toStdString();
  Key(dialog.focusWidget(), Qt::Key_Return);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.Chosen(), 3);
}

TEST_F(SlotScreen, SavingOverAUsedSlotAsksFirst) {
  SlotDialog dialog(SlotDialog::Use::Save, folder_.path(), nullptr);
  dialog.show();
  QApplication::processEvents();
  ASSERT_TRUE(dialog.SlotButton(1)->hasFocus());  // a damaged slot may be saved over
  // The mouse on slot 3, answered No: nothing chosen, the screen stays.
  bool asked = false;
  AnswerNextBox(QMessageBox::No, &asked);
  dialog.SlotButton(3)->click();
  EXPECT_TRUE(asked);
  EXPECT_FALSE(dialog.Chosen());
  EXPECT_TRUE(dialog.isVisible());
  // The arrow key down to the empty slot 2 and Enter: chosen without a question.
  dialog.SlotButton(1)->setFocus();
  Key(dialog.focusWidget(), Qt::Key_Down);
  ASSERT_EQ(dialog.focusWidget(), dialog.SlotButton(2));
  asked = false;
  Key(dialog.focusWidget(), Qt::Key_Return);
  EXPECT_EQ(dialog.Chosen(), 2);
  EXPECT_FALSE(asked);
}

}  // namespace
