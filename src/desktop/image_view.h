// The view: ShownFrame's frame painted over the whole view in device pixels, scaled by one of
// the three modes, with what the window itself has to say (pause, notices) drawn over it
// but never into the game's pictures. Where the X server can scale the picture by whole
// factors, it does (ServerSurface), and so does a Wayland compositor (WaylandScaler);
// otherwise the program scales it into the window itself.
#pragma once

#include <QImage>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

#include "gfx/view_scale.h"

class ServerSurface;
class WaylandScaler;

class ImageView : public QWidget {
  Q_OBJECT

 public:
  // Software keeps all scaling in the program, as it is wherever the server cannot take it
  // (so does MIROVAAN_SOFTWARE_SCALING=1 in the environment).
  enum class Scaling { Automatic, Software };
  explicit ImageView(QWidget* parent, Scaling scaling = Scaling::Automatic);
  ~ImageView() override;

  void SetScaleMode(gfx::ScaleMode mode);
  gfx::ScaleMode ScaleMode() const { return mode_; }
  // Brings the view in line with ShownFrame at once, repainting only what changed.
  void Present();
  // Asks for the whole view again, of whichever route shows it.
  void Refresh();
  void SetPaused(bool paused);
  // A line at the foot of the view for the given time.
  void ShowNotice(const QString& text, int milliseconds);
  QString Notice() const { return notice_; }
  // The largest integer factor at which the view fits (at least 1), in device pixels.
  int WholeScale() const;
  // Where the picture lies in device pixels.
  QRect PictureRect() const;
  // Whether the X server scales the picture at the view's present size and mode.
  bool ServerScales() const;
  // Whether the Wayland compositor shows the picture now.
  bool CompositorShows() const { return compositorShows_; }

  std::function<void(int y)> pointerMoved;  // logical y of the pointer over the view

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QSize DeviceSize() const;
  void EnsureConfigured();
  QRect ToDevice(const QRect& logical) const;
  QRect ToLogical(const QRect& device) const;
  void PaintSoftware(QPainter& painter, const QVector<QRect>& device);
  void PaintPicture(QPainter& painter, const QRect& shown);
  QRect PauseBand() const;
  QRect NoticeBand() const;
  void DrawBanner(QPainter& painter, const QString& text, const QRect& band);
  // The server's route: on while it can scale the view as it now is.
  void ChooseRoute();
  void PaintByServer(const QRegion& logical);
  void DrawByServer(const QRegion& device);
  void LeaveServer();
  // The compositor's route: the picture on a subsurface, while nothing of the program's own
  // (a banner, the menu bar over the full screen) is to be drawn over it.
  bool CompositorCan() const;
  bool ByCompositor(int firstRow, int rows);

  gfx::ScaleMode mode_ = gfx::ScaleMode::Fill;
  gfx::ScaledView scaled_;
  QRect picture_;
  QSize configuredFor_;
  gfx::ScaleMode configuredMode_ = gfx::ScaleMode::Fill;
  bool paused_ = false;
  QString notice_;
  QTimer noticeTimer_;
  ServerSurface* surface_ = nullptr;  // none without a server that scales
  bool serverHasFrame_ = false;       // the server holds the frame scaled_ holds
  std::unique_ptr<WaylandScaler> compositor_;  // none without a compositor that scales
  bool compositorShows_ = false;
};
