#include "desktop/replay_control.h"

#include <QAction>
#include <algorithm>
#include <cmath>
#include <QApplication>
#include <QCommandLineParser>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMessageBox>
#include <QWindow>

#include "state/window_model.h"
#include "state/state.h"
#include "replay/player.h"
#include "replay/reader.h"
#include "replay/recorder.h"
#include "replay/start.h"
#include "game/window_handlers.h"
#include "desktop/main_window.h"
#include "desktop/platform/translation.h"

namespace {

constexpr int kTitleEveryMs = 250;  // the counter in a playing replay's title

QString Q(const std::string& text) { return QString::fromStdString(text); }

void Warn(QWidget* parent, const QString& text) {
  QMessageBox::warning(parent, mirovaan_qt::ProgramName(), text);
}

}  // namespace

struct ReplayControl::Pending {
  QString recordPath;
  std::optional<replay::Replay> replay;
};

void AddReplayOptions(QCommandLineParser& parser) {
  parser.addOption({"record", QCoreApplication::translate("CommandLine", "Records the game into a replay file."),
                    "FILE"});
  parser.addOption({"play",
                    QCoreApplication::translate("CommandLine",
                                                "Plays a replay file (keys 1, 2, 4, 8: speed; Esc: leave)."),
                    "FILE"});
}

ReplayControl::ReplayControl(MainWindow& window, platform::Platform& os)
    : window_(window), os_(os), pending_(std::make_unique<Pending>()) {
  recording_ = std::make_unique<replay::RecordingSession>(os_);
  // The item goes above the separator before 終了, the File menu's last item.
  QMenu* file = window_.menuBar()->actions().value(0)->menu();
  QList<QAction*> items = file->actions();
  QAction* before = items.size() >= 2 ? items[items.size() - 2] : nullptr;
  recordItem_ = new QAction(&window_);
  ShowRecordItemText();
  file->insertAction(before, recordItem_);
  // The item's text follows the player's language.
  window_.installEventFilter(this);
  connect(recordItem_, &QAction::triggered, this, [this] { ToggleRecording(); });
  playTimer_.setTimerType(Qt::PreciseTimer);
  connect(&playTimer_, &QTimer::timeout, this, [this] { StepPlayback(); });
}

ReplayControl::~ReplayControl() {
  player_.reset();
  recording_.reset();
}

bool ReplayControl::Prepare(const QString& recordPath, const QString& path) {
  if (!recordPath.isEmpty() && !path.isEmpty()) {
    Warn(nullptr, tr("--record と --play は同時に使えません。"));
    return false;
  }
  pending_->recordPath = recordPath;
  if (path.isEmpty()) return true;
  auto read = replay::ReadReplayFile(path.toStdString());
  if (auto* error = std::get_if<replay::ReadError>(&read)) {
    Warn(nullptr, tr("リプレイを読み込めません：%1\n%2").arg(path, Q(error->Message())));
    return false;
  }
  auto& loaded = std::get<replay::Replay>(read);
  if (auto refusal = replay::CheckCompatible(loaded.Head)) {
    Warn(nullptr, tr("リプレイを再生できません：%1\n%2").arg(path, Q(refusal->Japanese)));
    return false;
  }
  pending_->replay = std::move(loaded);
  return true;
}

void ReplayControl::Start() {
  if (!pending_->recordPath.isEmpty()) StartRecording(pending_->recordPath, false);
  if (!pending_->replay) return;
  recordItem_->setEnabled(false);
  player_ = std::make_unique<replay::Player>(os_, std::move(*pending_->replay));
  pending_.reset();
  begun_ = player_->Begin();
  if (!begun_) {
    ShowPlaybackTitle();
    return;
  }
  qApp->installEventFilter(this);  // after the window's own: it sees the keys first
  SetSpeed(1);
}

bool ReplayControl::StartRecording(const QString& path, bool fromSave) {
  std::string error;
  bool started = false;
  RunHandler([&] { started = recording_->Start(path.toStdString(), fromSave, error); });
  window_.Sync();
  if (!started) {
    Warn(&window_, tr("リプレイを記録できません：%1\n%2").arg(path, Q(error)));
    return false;
  }
  ShowRecordItemText();
  return true;
}

// A recording starts from a state that a load can rebuild: the title, or a game in play, in
// the menu or on the world map.
void ReplayControl::ToggleRecording() {
  if (recording_->Recording()) {
    std::string failure = recording_->Current()->Error();
    recording_->Stop();
    if (!failure.empty())
      Warn(&window_, tr("リプレイの書き込みに失敗しました：%1").arg(Q(failure)));
    ShowRecordItemText();
    return;
  }
  int mode = G.GameMode;
  if (mode != kModeTitle && mode != kModePlay && mode != kModeMenu && mode != kModeWorld) {
    Warn(&window_, tr("この画面からは記録を始められません。\n"
                                  "タイトル画面か、ゲームの途中で選んでください。"));
    return;
  }
  bool running = Window.TickTimer.Enabled;  // the game stands still while the dialog is open
  Window.TickTimer.Enabled = false;
  window_.Sync();
  QFileDialog dialog(&window_, tr("リプレイの記録"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setNameFilter(tr("リプレイ (*.mvr)"));
  dialog.setDefaultSuffix("mvr");
  if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
    StartRecording(dialog.selectedFiles().first(), true);
  Window.TickTimer.Enabled = running;
  window_.Sync();
}

// Runs the ticks that are due: at speed x, x ticks of the game's interval per interval of
// real time. A slow frame is caught up on, a few ticks at a time.
void ReplayControl::StepPlayback() {
  // A message box the replay shows runs its own event loop: no step may start inside one.
  if (stepping_ || !player_ || player_->State() != replay::Player::Status::Playing) return;
  stepping_ = true;
  // Nanoseconds: whole milliseconds dropped at every step would slow the replay down.
  dueMs_ += static_cast<double>(clock_.nsecsElapsed()) / 1e6 * speed_;
  clock_.start();
  int ran = 0;
  for (; ran < 16 && player_->State() == replay::Player::Status::Playing; ++ran) {
    double interval = std::max(1, Window.TickTimer.Interval);
    if (dueMs_ < interval) break;
    dueMs_ -= interval;
    RunHandler([this] { player_->Step(); });
  }
  dueMs_ = std::min(dueMs_, 1000.0);  // after a stall (a message box), no rush to catch up
  stepping_ = false;
  if (ran == 0 && player_->State() == replay::Player::Status::Playing) {
    WaitForNextTick();  // woken early: nothing has changed
    return;
  }
  // The replay's caption takes the place of the one the tick set before the window shows
  // it. Its counter moves a few times a second at most: every new title goes through the
  // X server to the desktop's panel, which draws it again.
  bool playing = player_->State() == replay::Player::Status::Playing;
  if (!playing || !titleClock_.isValid() || titleClock_.elapsed() >= kTitleEveryMs)
    ShowPlaybackTitle();
  else
    Window.Caption = playbackCaption_;
  window_.Sync();
  if (player_->State() == replay::Player::Status::Desync) {
    playTimer_.stop();
    Warn(&window_, PlayStateText());
    ShowPlaybackTitle();
  } else if (player_->State() == replay::Player::Status::Finished) {
    playTimer_.stop();
  } else if (playing) {
    WaitForNextTick();
  }
}

// Sleeps until the next tick is due rather than looking every few milliseconds: between
// ticks the program has nothing to do, and waking for nothing costs a player's battery.
void ReplayControl::WaitForNextTick() {
  double interval = std::max(1, Window.TickTimer.Interval);
  double waitMs = (interval - dueMs_) / std::max(1, speed_);
  int ms = static_cast<int>(std::ceil(waitMs));
  playTimer_.start(std::clamp(ms, 1, static_cast<int>(interval)));
}

void ReplayControl::SetSpeed(int speed) {
  speed_ = speed;
  if (player_ && player_->State() == replay::Player::Status::Playing) {
    if (!playTimer_.isActive()) {
      clock_.start();
      playTimer_.start(1);
    }
  }
  ShowPlaybackTitle();
}

void ReplayControl::ShowRecordItemText() {
  recordItem_->setText(recording_->Recording() ? tr("リプレイの記録を終了") : tr("リプレイを記録"));
}

// Said afresh each time, so that it is in the language of the moment.
QString ReplayControl::PlayStateText() const {
  if (!player_) return {};
  if (!begun_) return tr("リプレイの開始データを読み込めません");
  switch (player_->State()) {
    case replay::Player::Status::Playing: return tr("再生中 x%1").arg(speed_);
    case replay::Player::Status::Finished: return tr("再生終了（Esc で閉じる）");
    case replay::Player::Status::Desync:
      return tr("リプレイが一致しません：%1 ティック目").arg(player_->DesyncTick());
  }
  return {};
}

// The caption is the window model's: the window's own refreshes keep showing it.
void ReplayControl::ShowPlaybackTitle() {
  Window.Caption = tr("%1 リプレイ %2/%3 %4")
                      .arg(mirovaan_qt::ProgramName())
                      .arg(player_ ? player_->Ticks() : 0)
                      .arg(player_ ? player_->TotalTicks() : 0)
                      .arg(PlayStateText())
                      .toStdString();
  playbackCaption_ = Window.Caption;
  titleClock_.start();
  window_.setWindowTitle(Q(Window.Caption));
}

// While a replay plays, the keyboard drives the playback, not the game (and no menu
// shortcut reaches the game either).
bool ReplayControl::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &window_ && event->type() == QEvent::LanguageChange) {
    ShowRecordItemText();
    if (player_) ShowPlaybackTitle();
  }
  if (!player_) return false;
  if (event->type() == QEvent::ShortcutOverride) {
    event->accept();
    return true;
  }
  if (event->type() != QEvent::KeyPress || watched != window_.windowHandle()) return false;
  switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_1: SetSpeed(1); break;
    case Qt::Key_2: SetSpeed(2); break;
    case Qt::Key_4: SetSpeed(4); break;
    case Qt::Key_8: SetSpeed(8); break;
    case Qt::Key_Escape:
    case Qt::Key_Q: window_.close(); break;
    default: break;
  }
  return false;
}
