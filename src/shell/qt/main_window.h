// The main window on the desktop: a menu bar, the stretched view of Image1, the two
// timers, and key events handed to the game. The game's state lives in the form's model
// (Form1); this window mirrors it after every event.
#pragma once

#include <QMainWindow>
#include <QTimer>

#include "shell/feed.h"

class QAction;

namespace platform {
class QtPlatform;
}

class ImageView : public QWidget {
 public:
  explicit ImageView(QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
};

class MainWindow : public QMainWindow {
 public:
  explicit MainWindow(platform::QtPlatform& os);

  // Mirrors the form's model: caption, menu states, timers, client size.
  void Sync();
  void RepaintNow();
  // A key-down or key-up from another device than the keyboard (a game controller).
  void GameKey(uint16_t code, bool down);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QAction* AddCommand(QMenu* menu, const char* caption, const char* shortcut,
                      feed::Command command);
  template <typename F>
  void Dispatch(F&& handler);
  void ApplyClientSize();

  platform::QtPlatform& os_;
  ImageView* view_;
  QTimer timer1_, timer2_;
  QAction *k1_, *k2_, *view624_, *view312_, *view156_;
  int appliedWidth_ = 0, appliedHeight_ = 0;
};
