// The language switched in the real window with a game in hand: the menus, the window's
// title, the preferences and the game's questions change at once; the game goes on exactly
// as it was, and the choice is remembered.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMessageBox>
#include <QRadioButton>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <cstring>
#include <memory>

#include "desktop/main_window.h"
#include "desktop/platform/qt_platform.h"
#include "desktop/platform/translation.h"
#include "desktop/preferences_dialog.h"
#include "desktop/prefs/app_settings.h"
#include "desktop/replay_control.h"
#include "game/keys.h"
#include "game/window_handlers.h"
#include "shell/feed.h"
#include "state/state.h"
#include "state/window_model.h"
#include "support/test_support.h"

namespace {

QStringList MenuTitles(MainWindow& window) {
  QStringList titles;
  for (QAction* menu : window.menuBar()->actions()) titles << menu->text();
  return titles;
}

QStringList FileMenuItems(MainWindow& window) {
  QStringList items;
  for (QAction* a : window.menuBar()->actions().value(0)->menu()->actions())
    if (!a->isSeparator()) items << a->text();
  return items;
}

// Answers the next modal box (a question) with No, noting its text and title.
void AnswerNextBoxNo(QString& title, QString& text) {
  auto poll = std::make_shared<QTimer>();
  QObject::connect(poll.get(), &QTimer::timeout, [poll, &title, &text] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    poll->stop();
    title = box->windowTitle();
    text = box->text();
    box->button(QMessageBox::No)->click();
  });
  poll->start(10);
}

class Language : public ::testing::Test {
 protected:
  void SetUp() override {
    // The settings go to a folder of the test's own.
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir_.path());
    testsupport::StartProgram(5);
    platform::SetPlatform(&os_);
    window_ = std::make_unique<MainWindow>(os_);
    replays_ = std::make_unique<ReplayControl>(*window_, os_);
    window_->show();
    window_->Sync();
    PlayUntilTheWorldMap();
  }
  void TearDown() override {
    mirovaan_qt::UseLanguage(::Language::kJapanese);
    replays_.reset();
    window_.reset();
    QSettings::setDefaultFormat(QSettings::NativeFormat);
  }

  // Leaves the title, chooses a hero and walks a little on the world map: a game in hand.
  void PlayUntilTheWorldMap() {
    for (int t = 0; t < 60; ++t) {
      if (t == 1 || t == 4 || t == 7) {
        feed::KeyDown(VK_SPACE);
        feed::KeyUp(VK_SPACE);
      }
      if (t == 10) feed::KeyDown(VK_DOWN);
      if (t == 40) feed::KeyUp(VK_DOWN);
      feed::Tick();
    }
    // From here on the test runs the ticks: none slips in while events are processed.
    Window.TickTimer.Enabled = false;
    window_->Sync();
    ASSERT_EQ(G.GameMode, kModeWorld);
  }

  // Chooses the language on the preferences' language page, as the player does.
  void Choose(prefs::PreferencesDialog& dialog, int index) {
    auto* choice = dialog.findChild<QRadioButton*>(index == 1 ? "language_en" : "language_ja");
    ASSERT_NE(choice, nullptr);
    choice->click();
    // The LanguageChange events and the pages made anew.
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
  }

  QTemporaryDir settingsDir_;
  platform::QtPlatform os_;
  std::unique_ptr<MainWindow> window_;
  std::unique_ptr<ReplayControl> replays_;
};

TEST_F(Language, SwitchingWithAGameInHandChangesTheProgramAndNotTheGame) {
  EXPECT_EQ(MenuTitles(*window_),
            QStringList({"ﾌｧｲﾙ(&F)", "画面ｻｲｽﾞ(&V)", "オプション(&O)", "ヘルプ(&H)"}));
  const GameState before = G;
  const int ticks = G.TickCount;

  prefs::PreferencesDialog dialog(window_.get());
  dialog.Pages()->setCurrentIndex(2);
  Choose(dialog, 1);

  EXPECT_EQ(CurrentLanguage(), ::Language::kEnglish) << "the game draws English from the next frame";
  EXPECT_EQ(MenuTitles(*window_), QStringList({"&File", "&View", "&Options", "&Help"}));
  EXPECT_EQ(FileMenuItems(*window_), QStringList({"Save", "Load", "Save to Slot...", "Load from Slot...", "Quicksave",
                         "Quickload", "Record Replay", "Quit"}));
  EXPECT_EQ(window_->windowTitle(), "Mirovaan");
  EXPECT_EQ(dialog.windowTitle(), "Preferences");
  EXPECT_EQ(dialog.Pages()->tabText(0), "Sound");
  EXPECT_EQ(dialog.Pages()->currentIndex(), 2) << "the player stays on the language page";
  EXPECT_TRUE(dialog.findChild<QRadioButton*>("language_en")->isChecked());
  EXPECT_EQ(QSettings().value("interface/language").toString(), "en");
  EXPECT_EQ(prefs::StoredLanguage(), ::Language::kEnglish);
  EXPECT_EQ(std::memcmp(&before, &G, sizeof G), 0) << "the language is no part of the game";

  // The game goes on where it was, and its questions come in English.
  feed::Tick();
  EXPECT_EQ(G.TickCount, ticks + 1);
  EXPECT_EQ(G.GameMode, kModeWorld);
  QString title, text;
  AnswerNextBoxNo(title, text);
  RunHandler([] { feed::Run(feed::Command::Exit); });
  EXPECT_EQ(title, "Leave Game");
  EXPECT_EQ(text, "Do you really want to return to the title screen?");
  EXPECT_EQ(G.GameMode, kModeWorld) << "No keeps the game";

  // And back: the Japanese program is the one it always was.
  Choose(dialog, 0);
  EXPECT_EQ(CurrentLanguage(), ::Language::kJapanese);
  EXPECT_EQ(MenuTitles(*window_),
            QStringList({"ﾌｧｲﾙ(&F)", "画面ｻｲｽﾞ(&V)", "オプション(&O)", "ヘルプ(&H)"}));
  EXPECT_EQ(FileMenuItems(*window_), QStringList({"セーブ", "ロード", "スロットにセーブ...", "スロットからロード...",
                         "クイックセーブ", "クイックロード", "リプレイを記録", "終了"}));
  EXPECT_EQ(window_->windowTitle(), "ﾐﾛｳﾞｧｰﾝ");
  EXPECT_EQ(dialog.Pages()->tabText(0), "サウンド");
  AnswerNextBoxNo(title, text);
  RunHandler([] { feed::Run(feed::Command::Exit); });
  EXPECT_EQ(title, "ゲームの中断");
  EXPECT_EQ(text, "タイトル画面に戻ってもよろしいでしょうか？");
  EXPECT_EQ(QSettings().value("interface/language").toString(), "ja");
}

// The page is reached and used from the keyboard and the pad alike: the arrows (the pad's
// d-pad taps them) move between the two languages and choose at once.
TEST_F(Language, TheArrowKeysChooseTheLanguage) {
  prefs::PreferencesDialog dialog(window_.get());
  dialog.Pages()->setCurrentIndex(2);
  dialog.show();
  QApplication::processEvents();
  auto* japanese = dialog.findChild<QRadioButton*>("language_ja");
  ASSERT_NE(japanese, nullptr);
  japanese->setFocus();
  QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
  QApplication::sendEvent(japanese, &right);
  for (int i = 0; i < 3; ++i) QApplication::processEvents();
  EXPECT_EQ(CurrentLanguage(), ::Language::kEnglish);
  EXPECT_EQ(dialog.Pages()->tabText(0), "Sound");
  EXPECT_TRUE(dialog.findChild<QRadioButton*>("language_en")->hasFocus())
      << "the keyboard stays on the choice just made";
}

// The questions a player meets in play and in the menu screens, and the file dialogs'
// texts, are in the catalogue: none of them reaches an English player in Japanese.
TEST_F(Language, TheGamesOwnQuestionsAreAllTranslated) {
  mirovaan_qt::UseLanguage(::Language::kEnglish);
  for (const char* text :
       {"ゲームを終了してもよろしいでしょうか？", "タイトル画面に戻ってもよろしいでしょうか？",
        "今現在選んでいるアイテムを使ってもよろしいでしょうか？", "それは装備出来ません・・・",
        "それは着れません・・・", "今現在選んでいるアイテムを捨ててもよろしいでしょうか？",
        "直接ブラウザを起動してヘルプを見ます。よろしいですか？", "ｹﾞｰﾑﾃﾞｰﾀの保存",
        "ｹﾞｰﾑﾌｧｲﾙ (*.sav)", "ｹﾞｰﾑﾃﾞｰﾀの読み込み", "ｹﾞ-ﾑﾃﾞｰﾀ (*.sav)"}) {
    QString shown = mirovaan_qt::GameText(text);
    EXPECT_NE(shown, QString::fromUtf8(text));
    for (QChar c : shown) EXPECT_LT(c.unicode(), 0x80) << shown.toStdString();
  }
  // A text that names something of the player's passes as it is.
  EXPECT_EQ(mirovaan_qt::GameText("/home/a/ゲーム.sav"), "/home/a/ゲーム.sav");
  EXPECT_EQ(mirovaan_qt::ProgramName(), "Mirovaan");
  mirovaan_qt::UseLanguage(::Language::kJapanese);
  EXPECT_EQ(mirovaan_qt::GameText("ゲームの終了"), "ゲームの終了");
  EXPECT_EQ(mirovaan_qt::ProgramName(), "ﾐﾛｳﾞｧｰﾝ");
}

TEST_F(Language, AnUnknownOrMissingStoredLanguageIsJapanese) {
  EXPECT_EQ(prefs::StoredLanguage(), ::Language::kJapanese);
  QSettings().setValue("interface/language", "fr");
  EXPECT_EQ(prefs::StoredLanguage(), ::Language::kJapanese);
  QSettings().setValue("interface/language", "en");
  EXPECT_EQ(prefs::StoredLanguage(), ::Language::kEnglish);
}

}  // namespace
