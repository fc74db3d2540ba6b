#include "desktop/server_surface.h"

#include <QPaintEvent>

ServerSurface::ServerSurface(QWidget* view, std::unique_ptr<XRenderScaler> scaler)
    : QWidget(view), scaler_(std::move(scaler)) {
  setAttribute(Qt::WA_NativeWindow);
  setAttribute(Qt::WA_PaintOnScreen);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  // Keys stay with the view; the pointer's moves, ignored here, go on to it as well.
  setFocusPolicy(Qt::NoFocus);
  setMouseTracking(true);
}

ServerSurface::~ServerSurface() {
  // Freed while the window still exists: QWidget's destructor takes it away afterwards.
  scaler_.reset();
}

XRenderScaler* ServerSurface::Scaler() {
  return scaler_->SetWindow(static_cast<uint32_t>(winId())) ? scaler_.get() : nullptr;
}

void ServerSurface::DropInnerClasses() {
  if (!internalWinId()) return;
  for (QWidget* w : window()->findChildren<QWidget*>())
    if (!w->isWindow() && w->internalWinId() && w->window() == window())
      scaler_->DropClass(static_cast<uint32_t>(w->internalWinId()));
  scaler_->Flush();
}

void ServerSurface::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  DropInnerClasses();
}

void ServerSurface::paintEvent(QPaintEvent* event) {
  if (paint) paint(event->region());
}

bool ServerSurface::event(QEvent* event) {
  // A new native window: the server freed what was drawn with the old one along with it.
  if (event->type() == QEvent::WinIdChange) {
    scaler_->WindowGone();
    DropInnerClasses();
  }
  return QWidget::event(event);
}
