#include "desktop/main_window.h"

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QSettings>
#include <QWindow>
#include <stdexcept>

#include "audio/sound.h"
#include "state/window_model.h"
#include "persist/save.h"
#include "desktop/platform/qt_platform.h"
#include "desktop/platform/translation.h"
#include "desktop/platform/window_placing.h"
#include "game/keys.h"
#include "shell/about.h"
#include "game/window_handlers.h"
#include "shell/options.h"
#include "shell/play_clock.h"
#include "desktop/key_map.h"
#include "desktop/screenshot.h"
#include "desktop/slot_dialog.h"
#include "desktop/input/actions.h"

namespace {

constexpr int kNoticeMs = 2000;
constexpr int kRevealMs = 250;  // how long the pointer rests at the top edge
constexpr int kPointerRestMs = 2000;  // how long the pointer rests before it is hidden

std::optional<gfx::ScaleMode> ScaleModeNamed(const QString& name) {
  if (name == "fill") return gfx::ScaleMode::Fill;
  if (name == "aspect") return gfx::ScaleMode::Aspect;
  if (name == "whole") return gfx::ScaleMode::Whole;
  return std::nullopt;
}

bool IsWindowModifierKey(int key) {
  return key == Qt::Key_Alt || key == Qt::Key_AltGr || key == Qt::Key_Meta ||
         key == Qt::Key_Super_L || key == Qt::Key_Super_R;
}

}  // namespace

MainWindow::MainWindow(platform::QtPlatform& os)
    : os_(os),
      keys_([this](uint16_t vk) { Dispatch([vk] { feed::KeyDown(vk); }); },
            [this](uint16_t vk) { Dispatch([vk] { feed::KeyUp(vk); }); }) {
  os_.window = this;
  os_.repaint = [this] { RepaintNow(); };
  os_.windowChanged = [this] { Sync(); };
  os_.notice = [this](const std::string& text) {
    view_->ShowNotice(QString::fromStdString(text), kNoticeMs);
  };
  setWindowTitle(WindowTitle());
  // The view is placed by hand, not by the main window's layout, so that in fullscreen the
  // menu bar can appear over the picture without moving it.
  view_ = new ImageView(this);
  view_->pointerMoved = [this](int y) { OnPointer(y); };
  view_->setFocus();
  BuildMenus();

  tickTimer_.setTimerType(Qt::PreciseTimer);
  connect(&tickTimer_, &QTimer::timeout, this, [this] {
    if (!Window.TickTimer.Enabled || Paused()) return;
    playclock::Hold(QApplication::activePopupWidget() != nullptr);
    Dispatch([] { feed::Tick(); });
  });
  connect(&musicTimer_, &QTimer::timeout, this, [this] {
    if (Window.MusicTimer.Enabled) Dispatch(OnMusicTimer);
  });
  revealTimer_.setSingleShot(true);
  connect(&revealTimer_, &QTimer::timeout, this, [this] { RevealMenuBar(); });
  pointerTimer_.setSingleShot(true);
  connect(&pointerTimer_, &QTimer::timeout, this, [this] { HidePointerIfResting(); });
  qApp->installEventFilter(this);
}

void MainWindow::BuildMenus() {
  QMenu* file = AddMenu(QT_TR_NOOP("ﾌｧｲﾙ(&F)"));
  k1_ = AddCommand(file, QT_TR_NOOP("セーブ"), "Ctrl+S", feed::Command::Save);
  k2_ = AddCommand(file, QT_TR_NOOP("ロード"), "Ctrl+L", feed::Command::Load);
  file->addSeparator();
  // Their keys are bindings (the key and pad pages of the preferences), not shortcuts.
  slotSave_ = AddText(file->addAction(QString()), QT_TR_NOOP("スロットにセーブ..."));
  connect(slotSave_, &QAction::triggered, this, [this] { OpenSlotScreen(true); });
  slotLoad_ = AddText(file->addAction(QString()), QT_TR_NOOP("スロットからロード..."));
  connect(slotLoad_, &QAction::triggered, this, [this] { OpenSlotScreen(false); });
  quickSave_ = AddText(file->addAction(QString()), QT_TR_NOOP("クイックセーブ"));
  connect(quickSave_, &QAction::triggered, this,
          [this] { Dispatch([] { feed::Run(feed::Command::QuickSave); }); });
  quickLoad_ = AddText(file->addAction(QString()), QT_TR_NOOP("クイックロード"));
  connect(quickLoad_, &QAction::triggered, this,
          [this] { Dispatch([] { feed::Run(feed::Command::QuickLoad); }); });
  file->addSeparator();
  AddCommand(file, QT_TR_NOOP("終了"), "Ctrl+Q", feed::Command::Exit);
  QMenu* show = AddMenu(QT_TR_NOOP("画面ｻｲｽﾞ(&V)"));
  view624_ = AddCommand(show, "624 * 432", "Ctrl+B", feed::Command::View624);
  view312_ = AddCommand(show, "312 * 216", "Ctrl+N", feed::Command::View312);
  view156_ = AddCommand(show, "156 * 108", "Ctrl+M", feed::Command::View156);
  for (QAction* a : {view624_, view312_, view156_}) a->setCheckable(true);
  show->addSeparator();
  fullScreen_ = AddText(show->addAction(QString()), QT_TR_NOOP("フルスクリーン"));
  fullScreen_->setCheckable(true);
  fullScreen_->setShortcuts({QKeySequence(Qt::Key_F11), QKeySequence(Qt::ALT | Qt::Key_Return),
                             QKeySequence(Qt::ALT | Qt::Key_Enter)});
  connect(fullScreen_, &QAction::triggered, this, [this](bool on) { SetFullScreen(on); });
  addAction(fullScreen_);
  QMenu* options = AddMenu(QT_TR_NOOP("オプション(&O)"));
  AddCommand(options, QT_TR_NOOP("オプション(&O)..."), "Ctrl+O", feed::Command::Options);
  // The program's own settings; main() connects it to the preferences dialog.
  preferences_ = AddText(options->addAction(QString()), QT_TR_NOOP("設定(&P)..."));
  preferences_->setShortcut(QKeySequence("Ctrl+P"));
  QMenu* help = AddMenu(QT_TR_NOOP("ヘルプ(&H)"));
  AddCommand(help, QT_TR_NOOP("ﾍﾙﾌﾟ(&H)"), nullptr, feed::Command::Help);
  AddCommand(help, QT_TR_NOOP("バージョン情報(&A)"), nullptr, feed::Command::About);
  for (QMenu* menu : {file, show, help}) {
    // Esc leaves the menu bar holding the keyboard; the game wants it back at once.
    connect(menu, &QMenu::aboutToHide, this, [this] {
      QTimer::singleShot(0, this, [this] { TakeKeyboardBack(); });
    });
    // A menu opened from the keyboard in fullscreen shows the bar it belongs to.
    connect(menu, &QMenu::aboutToShow, this, [this] {
      if (isFullScreen()) ShowMenuBar(true);
    });
  }
  AddWindowCommand({QKeySequence(Qt::Key_Pause)}, &MainWindow::TogglePause);
  AddWindowCommand({QKeySequence(Qt::Key_F12)}, &MainWindow::SaveScreenshot);
}

QMenu* MainWindow::AddMenu(const char* caption) {
  QMenu* menu = menuBar()->addMenu(QString());
  AddText(menu->menuAction(), caption);
  return menu;
}

QAction* MainWindow::AddText(QAction* action, const char* caption) {
  texts_.push_back({action, caption});
  action->setText(tr(caption));
  return action;
}

void MainWindow::ShowTexts() {
  for (const auto& [action, caption] : texts_) action->setText(tr(caption));
  setWindowTitle(WindowTitle());
  view_->Refresh();
}

QAction* MainWindow::AddCommand(QMenu* menu, const char* caption, const char* shortcut,
                                feed::Command command) {
  QAction* action = AddText(menu->addAction(QString()), caption);
  if (shortcut) action->setShortcut(QKeySequence(shortcut));
  connect(action, &QAction::triggered, this,
          [this, command] { Dispatch([command] { feed::Run(command); }); });
  // Shortcuts keep working while the menu bar is hidden in fullscreen.
  addAction(action);
  return action;
}

QAction* MainWindow::AddWindowCommand(const QList<QKeySequence>& keys,
                                      void (MainWindow::*handler)()) {
  auto* action = new QAction(this);
  action->setShortcuts(keys);
  connect(action, &QAction::triggered, this, handler);
  addAction(action);
  return action;
}

template <typename F>
void MainWindow::Dispatch(F&& handler) {
  RunHandler(handler);
  Sync();
}

// The game's caption, in the player's language when it is the program's name (a replay's
// caption says more, and says it in the language it was made in).
QString MainWindow::WindowTitle() const {
  // The game sets its caption anew only with its next tick; the name follows a switch at once.
  if (IsProgramCaption(Window.Caption)) return mirovaan_qt::ProgramName();
  return mirovaan_qt::GameText(Window.Caption);
}

void MainWindow::Sync() {
  setWindowTitle(WindowTitle());
  k1_->setEnabled(Window.SaveCommand.Enabled);
  k2_->setEnabled(Window.LoadCommand.Enabled);
  for (QAction* a : {slotSave_, quickSave_}) a->setEnabled(Window.SaveCommand.Enabled);
  for (QAction* a : {slotLoad_, quickLoad_}) a->setEnabled(Window.LoadCommand.Enabled);
  view624_->setChecked(Window.View624Command.Checked);
  view312_->setChecked(Window.View312Command.Checked);
  view156_->setChecked(Window.View156Command.Checked);
  for (auto [timer, model] : {std::pair{&tickTimer_, &Window.TickTimer}, {&musicTimer_, &Window.MusicTimer}}) {
    int interval = std::max(1, model->Interval);
    if (timer->interval() != interval) timer->setInterval(interval);
    // A pause holds the game timer whatever the game has set it to; the music goes on.
    bool run = model->Enabled && (timer != &tickTimer_ || !Paused());
    if (run != timer->isActive()) run ? timer->start() : timer->stop();
  }
  ApplyClientSize();
}

int MainWindow::MenuHeight(int width) const {
  if (isFullScreen()) return 0;
  int h = menuBar()->heightForWidth(width);
  if (h <= 0) h = menuBar()->sizeHint().height();
  // The view starts on a whole device pixel (with a scale factor of 1.5 a 19-pixel menu bar
  // would put it half-way through one), so its picture is not shifted by a fraction.
  const qreal dpr = devicePixelRatioF();
  for (int top = h; top < h + 8; ++top)
    if (qFuzzyCompare(top * dpr, qRound(top * dpr) * 1.0)) return top;
  return h;
}

void MainWindow::ApplyClientSize() {
  if (Window.CenterRequested || Window.ClientWidth != appliedWidth_ ||
      Window.ClientHeight != appliedHeight_) {
    if (Window.ClientWidth != view_->width() || Window.ClientHeight != view_->height()) {
      if (isFullScreen()) {
        // A fixed size chosen in fullscreen is a size for the window: it is applied once
        // the window manager has given the window its frame back.
        sizeAfterFullScreen_ = QSize(Window.ClientWidth, Window.ClientHeight);
        SetFullScreen(false);
        return;
      }
      resize(Window.ClientWidth, Window.ClientHeight + MenuHeight(Window.ClientWidth));
    }
    appliedWidth_ = Window.ClientWidth;
    appliedHeight_ = Window.ClientHeight;
  }
  if (Window.CenterRequested) {
    Window.CenterRequested = false;
    // Under Wayland the compositor places the window, centred or as it likes.
    if (QScreen* s = screen(); s && !isFullScreen() && !platform::CompositorPlacesWindows()) {
      QRect area = s->availableGeometry();
      QSize outer = frameGeometry().size();
      move(area.x() + (area.width() - outer.width()) / 2,
           area.y() + (area.height() - outer.height()) / 2);
    }
  }
}

void MainWindow::ResizeAfterFullScreen() {
  if (isFullScreen() || !sizeAfterFullScreen_.isValid()) return;
  Window.ClientWidth = sizeAfterFullScreen_.width();
  Window.ClientHeight = sizeAfterFullScreen_.height();
  Window.CenterRequested = true;
  sizeAfterFullScreen_ = QSize();
  appliedWidth_ = -1;
  ApplyClientSize();
}

void MainWindow::LayoutView() {
  int top = MenuHeight(width());
  view_->setGeometry(0, top, width(), std::max(0, height() - top));
  view_->lower();
}

void MainWindow::paintEvent(QPaintEvent*) {
  // The window's colour is black (not the palette's, which the menus would inherit): it
  // shows only in the sliver a scale factor may leave between the menu bar and the view.
  QPainter painter(this);
  painter.fillRect(rect(), Qt::black);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  LayoutView();
}

void MainWindow::RepaintNow() { view_->Present(); }

void MainWindow::SetFullScreen(bool on) {
  QSettings().setValue("display/fullscreen", on);
  if (on != isFullScreen()) on ? showFullScreen() : showNormal();
  fullScreen_->setChecked(on);
}

void MainWindow::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::LanguageChange) {
    ShowTexts();
  } else if (event->type() == QEvent::WindowStateChange) {
    fullScreen_->setChecked(isFullScreen());
    ShowMenuBar(!isFullScreen());
    revealTimer_.stop();
    ShowPointer(true);
    UpdateScaleMode();
    LayoutView();
    if (!isFullScreen() && sizeAfterFullScreen_.isValid())
      QTimer::singleShot(100, this, [this] { ResizeAfterFullScreen(); });
  } else if (event->type() == QEvent::ActivationChange) {
    // The key-ups of keys held now will go to whichever window is active instead.
    if (!isActiveWindow()) keys_.ReleaseAll();
    // The game's own dialogs hold the game still themselves; only another program's window
    // (or one of ours that is not the game's dialog) pauses it and says so on the picture.
    inactive_ = !isActiveWindow() && !QApplication::activeModalWidget();
    UpdatePause();
  }
}

void MainWindow::ApplyDisplaySettings() {
  QSettings settings;
  scaleSetting_ = ScaleModeNamed(settings.value("display/scaleMode").toString());
  autoPause_ = settings.value("display/autoPause", true).toBool();
  feed::SetAutosave(settings.value("saves/autosave", true).toBool());
  bool fullScreen = settings.value("display/fullscreen", false).toBool();
  if (fullScreen != isFullScreen()) SetFullScreen(fullScreen);
  UpdateScaleMode();
  UpdatePause();
}

void MainWindow::UpdateScaleMode() {
  view_->SetScaleMode(
      scaleSetting_.value_or(isFullScreen() ? gfx::ScaleMode::Whole : gfx::ScaleMode::Fill));
}

bool MainWindow::Paused() const { return pausedByKey_ || (autoPause_ && inactive_); }

void MainWindow::TogglePause() {
  pausedByKey_ = !pausedByKey_;
  UpdatePause();
}

void MainWindow::UpdatePause() {
  view_->SetPaused(Paused());
  Sync();
}

void MainWindow::SaveScreenshot() {
  ScreenshotResult saved = ::SaveScreenshot(Window.ShownFrame.Picture, view_->WholeScale(),
                                            ScreenshotFolder(), QDateTime::currentDateTime());
  if (saved.ok) {
    view_->ShowNotice(tr("スクリーンショットを保存しました: %1").arg(saved.path), kNoticeMs);
    return;
  }
  // The game's own error box, which holds the game timer while it is open.
  QString text = tr("スクリーンショットを保存できませんでした。\n%1\n%2").arg(saved.path, saved.error);
  ReportUncaught(std::runtime_error(text.toStdString()));
  Sync();
}

void MainWindow::GameKey(uint16_t code, bool down, bool autoRepeat) {
  if (RunProgramAction(code, down, autoRepeat)) return;
  down ? keys_.Press(code, autoRepeat) : keys_.Release(code);
}

bool MainWindow::RunProgramAction(uint16_t code, bool down, bool autoRepeat) {
  auto action = input::ProgramActionOf(code);
  if (!action) return false;
  // Run on the press, once: a held key must not save again and again. A question or the
  // slot screen opens later, outside the key's own event.
  if (!down || autoRepeat) return true;
  QTimer::singleShot(0, this, [this, a = *action] {
    switch (a) {
      case input::Action::QuickSave: quickSave_->trigger(); break;
      case input::Action::QuickLoad: quickLoad_->trigger(); break;
      case input::Action::SlotSaveScreen: slotSave_->trigger(); break;
      case input::Action::SlotLoadScreen: slotLoad_->trigger(); break;
      default: break;
    }
  });
  return true;
}

void MainWindow::OpenSlotScreen(bool save) {
  if (!(save ? Window.SaveCommand.Enabled : Window.LoadCommand.Enabled)) return;
  if (feed::ReplayDriving()) return;  // a replay being shown takes nothing from the player
  std::optional<int> slot;
  {
    TickPause pause;  // the game stands still while the player chooses
    Sync();
    slot = mirovaan_qt::ChooseSlot(
        save ? mirovaan_qt::SlotDialog::Use::Save : mirovaan_qt::SlotDialog::Use::Load, this);
  }
  Sync();
  if (!slot) return;
  const feed::Command command = save ? feed::Command::SlotSave : feed::Command::SlotLoad;
  Dispatch([command, n = *slot] { feed::RunSlot(command, n); });
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::Show:
      // A dialog, a question box or a menu now takes the keyboard, key-ups included.
      if (qobject_cast<QDialog*>(watched) || qobject_cast<QMenu*>(watched)) keys_.ReleaseAll();
      return false;
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
      return OnKey(watched, event);
    default:
      return false;
  }
}

// Every key of the main window reaches the game once, on its way into the window; keys
// typed into a dialog or a menu stay there.
bool MainWindow::OnKey(QObject* watched, QEvent* event) {
  auto* widget = qobject_cast<QWidget*>(watched);
  if (watched != windowHandle() && !(widget && widget->window() == this)) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  // A lone Alt or Super would put the keyboard into the menu bar, where arrows and Enter
  // run menu items: the window keeps them. Alt+letter still opens a menu (a shortcut).
  if (IsWindowModifierKey(key->key())) return true;
  if (watched != windowHandle() || event->type() == QEvent::ShortcutOverride) return false;
  TakeKeyboardBack();
  uint16_t code = VirtualKeyOf(*key);
  if (RunProgramAction(code, event->type() == QEvent::KeyPress, key->isAutoRepeat())) return true;
  if (event->type() == QEvent::KeyPress) {
    keys_.Press(code, key->isAutoRepeat());
  } else if (!key->isAutoRepeat()) {
    // A held key's auto-repeat arrives as release/press pairs: only the press counts, so
    // the held flag stays set, as repeated key-downs would leave it.
    keys_.Release(code);
  }
  return false;
}

void MainWindow::TakeKeyboardBack() {
  if (QApplication::activePopupWidget()) return;
  // The menu bar leaves keyboard navigation when it loses the focus.
  if (menuBar()->hasFocus() || menuBar()->activeAction()) view_->setFocus();
}

void MainWindow::OnPointer(int y) {
  ShowPointer(true);
  if (!isFullScreen()) return;
  if (MenuBarShown()) {
    if (y > menuBar()->height() && !QApplication::activePopupWidget()) ShowMenuBar(false);
    return;
  }
  if (y <= 0) {
    if (!revealTimer_.isActive()) revealTimer_.start(kRevealMs);
  } else {
    revealTimer_.stop();
  }
}

void MainWindow::RevealMenuBar() {
  if (!isFullScreen() || mapFromGlobal(QCursor::pos()).y() > 0) return;
  ShowMenuBar(true);
}

// In fullscreen the menu bar is folded to no height rather than hidden, so that Alt+letter
// still opens its menus (a hidden bar takes no keys).
void MainWindow::ShowMenuBar(bool shown) {
  menuBar()->setMaximumHeight(shown ? QWIDGETSIZE_MAX : 0);
  if (shown) menuBar()->raise();
}

bool MainWindow::MenuBarShown() const { return menuBar()->maximumHeight() > 0; }

// A pointer left standing over the picture in fullscreen would sit in the middle of the
// game; in a window it stays, as the desktop around it needs it.
void MainWindow::ShowPointer(bool shown) {
  if (shown) {
    view_->unsetCursor();
    if (isFullScreen()) pointerTimer_.start(kPointerRestMs);
    else pointerTimer_.stop();
  } else {
    view_->setCursor(Qt::BlankCursor);
  }
}

void MainWindow::HidePointerIfResting() {
  if (!isFullScreen()) return;
  // Not while the player is using the menu bar or one of its menus.
  if (MenuBarShown() || QApplication::activePopupWidget()) {
    pointerTimer_.start(kPointerRestMs);
    return;
  }
  ShowPointer(false);
}

bool MainWindow::PointerShown() const { return view_->cursor().shape() != Qt::BlankCursor; }

MainWindow::~MainWindow() {
  os_.window = nullptr;
  os_.repaint = nullptr;
  os_.windowChanged = nullptr;
  os_.notice = nullptr;
}
