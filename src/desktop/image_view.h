// The view: ShownFrame's frame painted over the whole view in device pixels, scaled by one of
// the three modes, with what the window itself has to say (pause, notices) drawn over it
// but never into the game's pictures.
#pragma once

#include <QImage>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "gfx/view_scale.h"

class ImageView : public QWidget {
  Q_OBJECT

 public:
  explicit ImageView(QWidget* parent);

  void SetScaleMode(gfx::ScaleMode mode);
  gfx::ScaleMode ScaleMode() const { return mode_; }
  // Brings the view in line with ShownFrame at once, repainting only what changed.
  void Present();
  void SetPaused(bool paused);
  // A line at the foot of the view for the given time.
  void ShowNotice(const QString& text, int milliseconds);
  QString Notice() const { return notice_; }
  // The largest integer factor at which the view fits (at least 1), in device pixels.
  int WholeScale() const;
  // Where the picture lies in device pixels.
  QRect PictureRect() const;

  std::function<void(int y)> pointerMoved;  // logical y of the pointer over the view

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  QSize DeviceSize() const;
  void EnsureConfigured();
  QRect ToDevice(const QRect& logical) const;
  QRect ToLogical(const QRect& device) const;
  void PaintPicture(QPainter& painter, const QRect& shown);
  void DrawBanner(QPainter& painter, const QString& text, int top, int height);

  gfx::ScaleMode mode_ = gfx::ScaleMode::Fill;
  gfx::ScaledView scaled_;
  QRect picture_;
  QSize configuredFor_;
  gfx::ScaleMode configuredMode_ = gfx::ScaleMode::Fill;
  bool paused_ = false;
  QString notice_;
  QTimer noticeTimer_;
};
