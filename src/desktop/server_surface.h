// The view's picture where the X server scales it: a native window laid over the whole view
// and drawn only through XRenderScaler. Qt paints nothing into it, so nothing the program
// scaled itself is written over what the server drew.
#pragma once

#include <QWidget>
#include <functional>
#include <memory>

#include "desktop/x_render_scaler.h"

class ServerSurface : public QWidget {
  Q_OBJECT

 public:
  ServerSurface(QWidget* view, std::unique_ptr<XRenderScaler> scaler);
  ~ServerSurface() override;

  // The scaler, drawing on this window; none when the window cannot be drawn on.
  XRenderScaler* Scaler();
  // The windows Qt made inside the program's window for this one (it, the view and the
  // view's neighbours) lose their class name: only the program's window is "mirovaan".
  void DropInnerClasses();
  // Draws the given region (logical pixels of the surface) when the server asks for it.
  std::function<void(const QRegion&)> paint;

 protected:
  // Qt paints nothing here.
  QPaintEngine* paintEngine() const override { return nullptr; }
  void paintEvent(QPaintEvent* event) override;
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  std::unique_ptr<XRenderScaler> scaler_;
};
