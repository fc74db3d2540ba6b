// Replays in the real window: the File menu's record item, and a playback that the viewer's
// keys cannot disturb and that ends in the recorded state.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMenuBar>
#include <QWindow>
#include <unistd.h>

#include <filesystem>

#include "state/window_model.h"
#include "state/state.h"
#include "desktop/platform/qt_platform.h"
#include "replay/recorder.h"
#include "replay/state_hash.h"
#include "game/keys.h"
#include "shell/feed.h"
#include "game/window_handlers.h"
#include "desktop/main_window.h"
#include "desktop/platform/translation.h"
#include "desktop/replay_control.h"
#include "support/test_support.h"

namespace {

// A short game recorded on the headless platform: a hero chosen, a walk on the world map.
uint64_t RecordGame(const std::string& path) {
  testsupport::StartProgram(3);
  replay::RecordingSession session(testsupport::Os());
  std::string error;
  EXPECT_TRUE(session.Start(path, false, error)) << error;
  for (int t = 0; t < 120; ++t) {
    if (t == 1 || t == 4 || t == 7) {
      feed::KeyDown(t == 4 ? VK_LEFT : VK_SPACE);
      feed::KeyUp(t == 4 ? VK_LEFT : VK_SPACE);
    }
    if (t == 10) feed::KeyDown(VK_DOWN);
    if (t == 60) feed::KeyUp(VK_DOWN);
    feed::Tick();
  }
  return replay::StateHash();
}

struct Window {
  platform::QtPlatform os;
  MainWindow window{os};
};

TEST(ReplayWindow, TheRecordItemStandsInTheFileMenuAboveExit) {
  testsupport::ResetGame();
  Window w;
  ReplayControl replays(w.window, w.os);
  QList<QAction*> items = w.window.menuBar()->actions().value(0)->menu()->actions();
  ASSERT_GE(items.size(), 3);
  EXPECT_EQ(items[items.size() - 3]->text(), QStringLiteral("リプレイを記録"));
  EXPECT_EQ(items.last()->text(), QStringLiteral("終了"));
}

TEST(ReplayWindow, PlaybackIgnoresTheViewersKeysAndEndsInTheRecordedState) {
  std::string path = (std::filesystem::temp_directory_path() /
                     ("mirovaan-window-replay-" + std::to_string(::getpid()) + ".mvr"))
                        .string();
  uint64_t recorded = RecordGame(path);

  testsupport::ResetGame();
  Window w;
  ReplayControl replays(w.window, w.os);
  ASSERT_TRUE(replays.Prepare(QString(), QString::fromStdString(path)));
  OnWindowCreate();
  w.window.show();
  OnWindowShow();
  w.window.Sync();
  replays.Start();
  QKeyEvent eight(QEvent::KeyPress, Qt::Key_8, Qt::NoModifier, "8");
  QApplication::sendEvent(w.window.windowHandle(), &eight);
  EXPECT_TRUE(w.window.windowTitle().contains("x8")) << w.window.windowTitle().toStdString();

  QElapsedTimer clock;
  clock.start();
  while (!w.window.windowTitle().contains(QStringLiteral("再生終了")) && clock.elapsed() < 20000) {
    // The viewer leans on the arrow keys: none of it may reach the game.
    QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
    QApplication::sendEvent(w.window.windowHandle(), &right);
    QApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  EXPECT_TRUE(w.window.windowTitle().contains(QStringLiteral("再生終了")))
      << w.window.windowTitle().toStdString();
  EXPECT_EQ(replay::StateHash(), recorded);
  std::filesystem::remove(path);
}

// The caption of a replay being played is said again in the language the viewer switches to.
TEST(ReplayWindow, ThePlaybackCaptionFollowsTheLanguage) {
  std::string path = (std::filesystem::temp_directory_path() /
                      ("mirovaan-window-replay-en-" + std::to_string(::getpid()) + ".mvr"))
                         .string();
  RecordGame(path);
  testsupport::ResetGame();
  Window w;
  ReplayControl replays(w.window, w.os);
  ASSERT_TRUE(replays.Prepare(QString(), QString::fromStdString(path)));
  OnWindowCreate();
  w.window.show();
  OnWindowShow();
  replays.Start();
  EXPECT_TRUE(w.window.windowTitle().startsWith(QStringLiteral("ﾐﾛｳﾞｧｰﾝ リプレイ ")));
  EXPECT_TRUE(w.window.windowTitle().endsWith(QStringLiteral("再生中 x1")));

  mirovaan_qt::UseLanguage(Language::kEnglish);
  QApplication::processEvents();
  const std::string english = w.window.windowTitle().toStdString();
  EXPECT_TRUE(w.window.windowTitle().startsWith("Mirovaan Replay ")) << english;
  EXPECT_TRUE(w.window.windowTitle().endsWith("Playing x1")) << english;
  mirovaan_qt::UseLanguage(Language::kJapanese);
  QApplication::processEvents();
  EXPECT_TRUE(w.window.windowTitle().endsWith(QStringLiteral("再生中 x1")));
  std::filesystem::remove(path);
}

}  // namespace
