// The main window on the desktop: a menu bar, the view of ShownFrame, the two timers, and key
// events handed to the game. The game's state lives in the window's model (Window); this
// window mirrors it after every event. What belongs to the desktop alone (fullscreen, the
// scaling mode, pause, screenshots) lives here and never reaches the game's state.
#pragma once

#include <QMainWindow>
#include <QTimer>
#include <optional>
#include <utility>
#include <vector>

#include "gfx/view_scale.h"
#include "desktop/image_view.h"
#include "desktop/key_input.h"

#include "shell/feed.h"

class QAction;

namespace platform {
class QtPlatform;
}

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  // The window becomes the platform's window: dialogs open over it, and the game's repaints
  // and form changes reach it, until it is destroyed.
  explicit MainWindow(platform::QtPlatform& os);
  ~MainWindow() override;

  // Mirrors the window's model: caption, menu states, timers, client size.
  void Sync();
  void RepaintNow();
  // The オプション menu's "設定" item.
  QAction* PreferencesAction() const { return preferences_; }
  // A key-down or key-up from another device than the keyboard (a game controller): the
  // same path as the keyboard's keys.
  void GameKey(uint16_t code, bool down, bool autoRepeat = false);
  // Every device's keys reach the game through this.
  KeyInput& Keys() { return keys_; }
  ImageView* View() const { return view_; }

  void SetFullScreen(bool on);
  void TogglePause();
  bool Paused() const;
  // False in fullscreen until the pointer rests at the top edge or a menu opens.
  bool MenuBarShown() const;
  // False in fullscreen once the pointer has rested a moment over the picture; it comes
  // back as soon as it moves.
  bool PointerShown() const;
  void SaveScreenshot();
  // The slot screens of the File menu (and their keys and pad buttons): the chosen slot is
  // saved or loaded through the input door.
  void OpenSlotScreen(bool save);

 public slots:
  // Reads display/scaleMode, display/fullscreen and display/autoPause and applies them.
  void ApplyDisplaySettings();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void BuildMenus();
  // Menus and items keep their Japanese caption, shown through the translator, so that a
  // switch of language can show them anew.
  QMenu* AddMenu(const char* caption);
  QAction* AddText(QAction* action, const char* caption);
  void ShowTexts();
  QString WindowTitle() const;
  QAction* AddCommand(QMenu* menu, const char* caption, const char* shortcut,
                      feed::Command command);
  QAction* AddWindowCommand(const QList<QKeySequence>& keys, void (MainWindow::*handler)());
  template <typename F>
  void Dispatch(F&& handler);
  void ApplyClientSize();
  int MenuHeight(int width) const;
  void LayoutView();
  void ResizeAfterFullScreen();
  void UpdateScaleMode();
  void UpdatePause();
  bool OnKey(QObject* watched, QEvent* event);
  // A key or pad code bound to a save action runs it (once per press) instead of reaching
  // the game; true when the code was one.
  bool RunProgramAction(uint16_t code, bool down, bool autoRepeat);
  void TakeKeyboardBack();
  void OnPointer(int y);
  void RevealMenuBar();
  void ShowMenuBar(bool shown);
  void ShowPointer(bool shown);
  void HidePointerIfResting();

  platform::QtPlatform& os_;
  ImageView* view_;
  KeyInput keys_;
  QTimer tickTimer_, musicTimer_, revealTimer_, pointerTimer_;
  QAction *slotSave_, *slotLoad_, *quickSave_, *quickLoad_;
  std::vector<std::pair<QAction*, const char*>> texts_;
  QAction *k1_, *k2_, *view624_, *view312_, *view156_, *fullScreen_, *preferences_;
  int appliedWidth_ = 0, appliedHeight_ = 0;
  QSize sizeAfterFullScreen_;
  std::optional<gfx::ScaleMode> scaleSetting_;  // none: fill in a window, whole in fullscreen
  bool autoPause_ = true;
  bool pausedByKey_ = false;
  bool inactive_ = false;
};
