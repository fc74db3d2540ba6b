#include "shell/qt/main_window.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include "audio/sound.h"
#include "state/form.h"
#include "persist/save.h"
#include "platform/qt/qt_platform.h"
#include "game/keys.h"
#include "shell/about.h"
#include "game/main_form.h"
#include "shell/options.h"
#include "shell/qt/key_map.h"

ImageView::ImageView(QWidget* parent) : QWidget(parent) {
  // The window's colour is black: what the view does not cover shows black, not grey.
  QPalette black = palette();
  black.setColor(QPalette::Window, Qt::black);
  setPalette(black);
  setAutoFillBackground(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::NoFocus);
}

void ImageView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const gfx::Bitmap& frame = Form1.Image1.Picture;
  if (frame.Empty()) {
    painter.fillRect(rect(), Qt::black);
    return;
  }
  // The bitmap's 0x00BBGGRR pixels are R, G, B, x bytes in memory.
  QImage image(reinterpret_cast<const uchar*>(frame.Pixels().data()), frame.Width(),
               frame.Height(), frame.Width() * 4, QImage::Format_RGBX8888);
  // Nearest neighbour: the pixel art stays sharp at every size.
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter.drawImage(rect(), image.copy(0, 0, kViewWidth, kViewHeight));
}

void ImageView::resizeEvent(QResizeEvent*) { FormResize(width(), height()); }

MainWindow::MainWindow(platform::QtPlatform& os) : os_(os) {
  setWindowTitle(QString::fromStdString(Form1.Caption));
  view_ = new ImageView(this);
  setCentralWidget(view_);

  QMenu* file = menuBar()->addMenu("ﾌｧｲﾙ(&F)");
  k1_ = AddCommand(file, "セーブ", "Ctrl+S", K1Click);
  k2_ = AddCommand(file, "ロード", "Ctrl+L", K2Click);
  file->addSeparator();
  AddCommand(file, "終了", "Ctrl+Q", Exit1Click);
  QMenu* show = menuBar()->addMenu("画面ｻｲｽﾞ(&V)");
  view624_ = AddCommand(show, "624 * 432", "Ctrl+B", N6244321Click);
  view312_ = AddCommand(show, "312 * 216", "Ctrl+N", N3122161Click);
  view156_ = AddCommand(show, "156 * 108", "Ctrl+M", N1561081Click);
  for (QAction* a : {view624_, view312_, view156_}) a->setCheckable(true);
  QAction* options = menuBar()->addAction("オプション(&O)");
  options->setShortcut(QKeySequence("Ctrl+O"));
  connect(options, &QAction::triggered, this, [this] { Dispatch(K3Click); });
  addAction(options);  // a top-level item's shortcut works without its menu open
  QMenu* help = menuBar()->addMenu("ヘルプ(&H)");
  AddCommand(help, "ﾍﾙﾌﾟ(&H)", nullptr, Help1Click);
  AddCommand(help, "バージョン情報(&A)", nullptr, KA1Click);

  timer1_.setTimerType(Qt::PreciseTimer);
  connect(&timer1_, &QTimer::timeout, this, [this] {
    if (Form1.Timer1.Enabled) Dispatch(Timer1Timer);
  });
  connect(&timer2_, &QTimer::timeout, this, [this] {
    if (Form1.Timer2.Enabled) Dispatch(Timer2Timer);
  });
  qApp->installEventFilter(this);
}

QAction* MainWindow::AddCommand(QMenu* menu, const char* caption, const char* shortcut,
                                void (*handler)()) {
  QAction* action = menu->addAction(QString::fromUtf8(caption));
  if (shortcut) action->setShortcut(QKeySequence(shortcut));
  connect(action, &QAction::triggered, this, [this, handler] { Dispatch(handler); });
  return action;
}

template <typename F>
void MainWindow::Dispatch(F&& handler) {
  RunHandler(handler);
  Sync();
}

void MainWindow::Sync() {
  setWindowTitle(QString::fromStdString(Form1.Caption));
  k1_->setEnabled(Form1.K1.Enabled);
  k2_->setEnabled(Form1.K2.Enabled);
  view624_->setChecked(Form1.N6244321.Checked);
  view312_->setChecked(Form1.N3122161.Checked);
  view156_->setChecked(Form1.N1561081.Checked);
  for (auto [timer, model] : {std::pair{&timer1_, &Form1.Timer1}, {&timer2_, &Form1.Timer2}}) {
    int interval = std::max(1, model->Interval);
    if (timer->interval() != interval) timer->setInterval(interval);
    if (model->Enabled != timer->isActive()) model->Enabled ? timer->start() : timer->stop();
  }
  ApplyClientSize();
}

void MainWindow::ApplyClientSize() {
  if (Form1.CenterRequested || Form1.ClientWidth != appliedWidth_ ||
      Form1.ClientHeight != appliedHeight_) {
    if (Form1.ClientWidth != view_->width() || Form1.ClientHeight != view_->height()) {
      int menuHeight = menuBar()->sizeHint().height();
      resize(Form1.ClientWidth, Form1.ClientHeight + menuHeight);
    }
    appliedWidth_ = Form1.ClientWidth;
    appliedHeight_ = Form1.ClientHeight;
  }
  if (Form1.CenterRequested) {
    Form1.CenterRequested = false;
    if (QScreen* s = screen()) {
      QRect area = s->availableGeometry();
      QSize outer = frameGeometry().size();
      move(area.x() + (area.width() - outer.width()) / 2,
           area.y() + (area.height() - outer.height()) / 2);
    }
  }
}

void MainWindow::RepaintNow() { view_->repaint(); }

void MainWindow::GameKey(uint16_t code, bool down) {
  if (down) Dispatch([code] { FormKeyDown(code); });
  else Dispatch([code] { FormKeyUp(code); });
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  // Every key of the main window reaches the game once, on its way into the window; keys
  // typed into a dialog stay in the dialog.
  if (watched != windowHandle()) return false;
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    uint16_t code = VirtualKeyOf(*key);
    Dispatch([code] { FormKeyDown(code); });
  } else if (event->type() == QEvent::KeyRelease) {
    auto* key = static_cast<QKeyEvent*>(event);
    // A held key's auto-repeat arrives as release/press pairs: only the press counts, so
    // the held flag stays set, as repeated key-downs would leave it.
    if (!key->isAutoRepeat()) {
      uint16_t code = VirtualKeyOf(*key);
      Dispatch([code] { FormKeyUp(code); });
    }
  }
  return false;
}
