// The real save and load dialogs: where they open, and the folder they remember.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QSettings>

#include "content/heroes.h"
#include "state/window_model.h"
#include "game/modes.h"
#include "state/state.h"
#include "desktop_env.h"
#include "persist/save.h"
#include "desktop/platform/qt_platform.h"
#include "desktop/platform/save_folder.h"
#include "support/test_support.h"

namespace {

using desktoptest::WhenModal;

class SaveDialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    desktoptest::ClearHome();
    testsupport::ResetGame();
    platform::SetPlatform(&os_);
    // A game on the world map, where saving is offered.
    G.HeroIndex = 0;
    StartNewGame();
    G.GameMode = kModeWorld;
    Window.SaveCommand.Enabled = Window.LoadCommand.Enabled = true;
  }
  void TearDown() override { testsupport::ResetGame(); }

  // Runs a command whose file dialog gets `typed` in its name field and is accepted (or
  // cancelled when typed is empty); returns the folder the dialog opened in.
  QString RunDialog(void (*command)(), const QString& typed, const QString& goTo = QString()) {
    QString openedIn;
    WhenModal([&openedIn, typed, goTo](QWidget* modal) {
      auto* dialog = qobject_cast<QFileDialog*>(modal);
      if (!dialog) {
        // Whatever came up instead must not hold the test forever.
        if (modal) modal->close();
        FAIL() << "no file dialog came up";
      }
      openedIn = dialog->directory().absolutePath();
      if (typed.isEmpty()) {
        dialog->reject();
        return;
      }
      if (!goTo.isEmpty()) dialog->setDirectory(goTo);
      auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
      if (!name) {
        dialog->reject();
        FAIL() << "the dialog has no name field";
      }
      name->setText(typed);
      QMetaObject::invokeMethod(dialog, "accept");
    });
    command();
    return openedIn;
  }

  platform::QtPlatform os_;
};

TEST_F(SaveDialogs, FirstSaveGoesToTheSavesFolderAndTheFolderIsRemembered) {
  QString saves = desktoptest::DataHome() + "/mirovaan/saves";
  EXPECT_FALSE(QFileInfo::exists(saves));
  EXPECT_EQ(RunDialog(OnSaveCommand, "first"), saves) << "created and offered the first time";
  QFileInfo first(saves + "/first.sav");
  ASSERT_TRUE(first.isFile());
  EXPECT_EQ(first.size(), qint64(kSaveRecordSize));
  EXPECT_EQ(QSettings().value("saves/lastDir").toString(), saves);
  EXPECT_TRUE(Window.TickTimer.Enabled);

  // A save elsewhere moves the remembered folder; after a restart (the dialogs' names back to
  // "*.sav") the load dialog opens there.
  QString elsewhere = desktoptest::TempDir("elsewhere");
  RunDialog(OnSaveCommand, "second", elsewhere);
  EXPECT_TRUE(QFileInfo(elsewhere + "/second.sav").isFile());
  persist::ResetDialogFileNames();
  EXPECT_EQ(RunDialog(OnLoadCommand, QString()), elsewhere);
}

TEST_F(SaveDialogs, TheNameHandedOverBetweenSaveAndLoadStillLeads) {
  RunDialog(OnSaveCommand, "handed");
  QString saved = desktoptest::DataHome() + "/mirovaan/saves/handed.sav";
  EXPECT_EQ(QString::fromStdString(persist::OpenDialogFileName()), saved);
  QString proposed;
  WhenModal([&proposed](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    if (!dialog) {
      if (modal) modal->close();
      FAIL() << "no file dialog came up";
    }
    proposed = dialog->directory().absolutePath() + "/" +
               dialog->findChild<QLineEdit*>("fileNameEdit")->text();
    dialog->reject();
  });
  OnLoadCommand();
  EXPECT_EQ(proposed, saved);
}

TEST_F(SaveDialogs, AVanishedLastFolderFallsBackToTheSavesFolder) {
  QString gone = desktoptest::TempDir("gone");
  QSettings().setValue("saves/lastDir", gone);
  QDir(gone).removeRecursively();
  EXPECT_EQ(platform::SaveDialogFolder(), platform::DefaultSavesFolder());
  QSettings().setValue("saves/lastDir", QString());
  EXPECT_EQ(platform::SaveDialogFolder(), platform::DefaultSavesFolder());
}

}  // namespace
