// Replays in the window: the --record and --play options, the File menu's "リプレイを記録",
// and playback at the replay's own speed (keys 1, 2, 4, 8 for the speed, Esc or Q to leave).
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <memory>
#include <string>

class MainWindow;
class QAction;
class QCommandLineParser;

namespace platform {
class Platform;
}
namespace replay {
class Player;
class RecordingSession;
}

void AddReplayOptions(QCommandLineParser& parser);

class ReplayControl : public QObject {
  Q_OBJECT

 public:
  // Puts the recording layer over the platform and adds the menu item to the window.
  ReplayControl(MainWindow& window, platform::Platform& os);
  ~ReplayControl() override;

  // Before the window shows: refuses a replay this game cannot play (a message box; false).
  bool Prepare(const QString& recordPath, const QString& playPath);
  // After the program's start-up: begins the recording or the playback asked for.
  void Start();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ToggleRecording();
  bool StartRecording(const QString& path, bool fromSave);
  void StepPlayback();
  void WaitForNextTick();
  void SetSpeed(int speed);
  void ShowPlaybackTitle();
  void ShowRecordItemText();
  QString PlayStateText() const;

  MainWindow& window_;
  platform::Platform& os_;
  std::unique_ptr<replay::RecordingSession> recording_;
  std::unique_ptr<replay::Player> player_;
  struct Pending;
  std::unique_ptr<Pending> pending_;
  QAction* recordItem_ = nullptr;
  QTimer playTimer_;
  QElapsedTimer clock_;
  double dueMs_ = 0;  // game time owed to the replay
  QElapsedTimer titleClock_;     // since the title last said how far the replay is
  std::string playbackCaption_;  // what it said
  int speed_ = 1;
  bool stepping_ = false;
  bool begun_ = false;  // the replay's starting game was loaded
};
