#include "desktop/image_view.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPaintEngine>
#include <QPainter>
#include <QWindow>
#include <cmath>

#include "desktop/server_surface.h"
#include "desktop/wayland_scaler.h"
#include "state/window_model.h"
#include "game/window_handlers.h"

ImageView::ImageView(QWidget* parent, Scaling scaling) : QWidget(parent) {
  // Every pixel is painted each time (picture or black bars), so Qt need not clear first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
  noticeTimer_.setSingleShot(true);
  connect(&noticeTimer_, &QTimer::timeout, this, [this] {
    notice_.clear();
    Refresh();
  });
  bool software = qEnvironmentVariableIntValue("MIROVAAN_SOFTWARE_SCALING") != 0;
  if (scaling == Scaling::Automatic && !software) {
    if (std::unique_ptr<XRenderScaler> scaler = XRenderScaler::Open()) {
      surface_ = new ServerSurface(this, std::move(scaler));
      surface_->paint = [this](const QRegion& logical) { PaintByServer(logical); };
      surface_->hide();
    }
    if (!surface_) compositor_ = WaylandScaler::Open();
  }
}

ImageView::~ImageView() = default;

void ImageView::SetScaleMode(gfx::ScaleMode mode) {
  if (mode == mode_) return;
  mode_ = mode;
  ChooseRoute();
  Refresh();
}

void ImageView::Refresh() {
  if (compositor_ && ByCompositor(0, 0)) return;
  if (surface_ && !surface_->isHidden())
    surface_->update();
  else
    update();
}

QSize ImageView::DeviceSize() const {
  qreal dpr = devicePixelRatioF();
  return {qRound(width() * dpr), qRound(height() * dpr)};
}

int ImageView::WholeScale() const {
  QSize device = DeviceSize();
  return std::max(1, gfx::WholeFactor(kViewWidth, kViewHeight, device.width(), device.height()));
}

QRect ImageView::PictureRect() const {
  QSize device = DeviceSize();
  gfx::Box b = gfx::PlacePicture(mode_, kViewWidth, kViewHeight, device.width(), device.height());
  return {b.x, b.y, b.w, b.h};
}

bool ImageView::ServerScales() const {
  if (!surface_) return false;
  QRect picture = PictureRect();
  return XRenderScaler::CanScale(kViewWidth, kViewHeight, picture.width(), picture.height());
}

void ImageView::ChooseRoute() {
  if (!surface_) return;
  if (ServerScales()) {
    surface_->setGeometry(rect());
    if (surface_->isHidden()) surface_->show();
  } else if (!surface_->isHidden()) {
    surface_->hide();
  }
}

void ImageView::EnsureConfigured() {
  QSize device = DeviceSize();
  if (device == configuredFor_ && mode_ == configuredMode_) return;
  serverHasFrame_ = false;
  configuredFor_ = device;
  configuredMode_ = mode_;
  picture_ = PictureRect();
  scaled_.Configure(kViewWidth, kViewHeight, picture_.width(), picture_.height());
  scaled_.Update(Window.ShownFrame.Picture);
}

QRect ImageView::ToDevice(const QRect& logical) const {
  qreal dpr = devicePixelRatioF();
  int x0 = std::floor(logical.left() * dpr), y0 = std::floor(logical.top() * dpr);
  int x1 = std::ceil((logical.right() + 1) * dpr), y1 = std::ceil((logical.bottom() + 1) * dpr);
  return QRect(QPoint(x0, y0), QPoint(x1 - 1, y1 - 1));
}

QRect ImageView::ToLogical(const QRect& device) const {
  qreal dpr = devicePixelRatioF();
  int x0 = std::floor(device.left() / dpr), y0 = std::floor(device.top() / dpr);
  int x1 = std::ceil((device.right() + 1) / dpr), y1 = std::ceil((device.bottom() + 1) / dpr);
  return QRect(QPoint(x0, y0), QPoint(x1 - 1, y1 - 1));
}

void ImageView::Present() {
  if (Window.ShownFrame.Picture.Empty()) return;
  QSize before = configuredFor_;
  EnsureConfigured();
  if (configuredFor_ != before) ChooseRoute();
  gfx::Box changed = scaled_.Update(Window.ShownFrame.Picture);
  if (compositor_) {
    gfx::Box source = scaled_.SourceChange();
    if (ByCompositor(source.y, changed.Empty() ? 0 : source.h)) return;
  }
  if (surface_ && !surface_->isHidden()) {
    if (configuredFor_ != before) {
      DrawByServer(QRect(QPoint(0, 0), configuredFor_));
    } else if (!changed.Empty()) {
      gfx::Box source = scaled_.SourceChange();
      if (serverHasFrame_ && surface_->Scaler())
        surface_->Scaler()->Upload(scaled_.Shown(), kViewWidth,
                                   QRect(source.x, source.y, source.w, source.h));
      DrawByServer(QRect(picture_.x() + changed.x, picture_.y() + changed.y, changed.w,
                         changed.h));
    }
    return;
  }
  serverHasFrame_ = false;  // the frames taken meanwhile never reach the server
  if (configuredFor_ != before) {
    repaint();
  } else if (!changed.Empty()) {
    QRect device(picture_.x() + changed.x, picture_.y() + changed.y, changed.w, changed.h);
    repaint(ToLogical(device));
  }
}

void ImageView::PaintByServer(const QRegion& logical) {
  EnsureConfigured();
  QRegion device;
  for (const QRect& r : logical) device += ToDevice(r);
  DrawByServer(device);
}

// Bars and picture through the server; the banners, rare and over a small band, are drawn
// here exactly as on the software route and sent as they are.
void ImageView::DrawByServer(const QRegion& device) {
  if (!ServerScales()) return;  // the route changes with the next layout
  XRenderScaler* x = surface_->Scaler();
  if (!x) {
    LeaveServer();
    return;
  }
  if (!serverHasFrame_) {
    x->Configure(kViewWidth, kViewHeight, picture_.width(), picture_.height());
    x->Upload(scaled_.Shown(), kViewWidth, QRect(0, 0, kViewWidth, kViewHeight));
    serverHasFrame_ = true;
  }
  QRegion banners;
  if (paused_) banners += PauseBand();
  if (!notice_.isEmpty()) banners += NoticeBand();
  banners &= device;
  QRegion rest = device - banners;
  for (const QRect& bar : rest - picture_) x->FillBlack(bar);
  for (const QRect& shown : rest & picture_)
    x->Scale(shown.translated(-picture_.topLeft()), picture_.topLeft());
  for (const QRect& band : banners) {
    QImage image(band.size(), QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setFont(font());
    painter.translate(-band.topLeft());
    PaintSoftware(painter, {band});
    painter.end();
    x->Put(image, band.topLeft());
  }
  x->Flush();
}

// The window cannot be drawn on through the server after all (a visual it cannot take):
// the program scales the picture itself from now on.
void ImageView::LeaveServer() {
  surface_->hide();
  surface_->deleteLater();
  surface_ = nullptr;
  serverHasFrame_ = false;
  update();
}

bool ImageView::CompositorCan() const {
  if (!compositor_ || paused_ || !notice_.isEmpty() || !isVisible()) return false;
  if (Window.ShownFrame.Picture.Empty() || devicePixelRatioF() != 1.0) return false;
  if (!window()->windowHandle()) return false;
  QRect picture = PictureRect();
  if (picture.isEmpty() || picture.width() % kViewWidth || picture.height() % kViewHeight)
    return false;
  // What lies over the view (the menu bar dropped over the full screen) is Qt's drawing, under
  // the subsurface.
  if (QWidget* parent = parentWidget()) {
    for (QObject* child : parent->children()) {
      auto* other = qobject_cast<QWidget*>(child);
      if (other && other != this && !other->isWindow() && other->isVisible() &&
          other->geometry().intersects(geometry()))
        return false;
    }
  }
  return true;
}

// Rows firstRow .. firstRow + rows - 1 of the frame changed; whether the compositor shows it.
bool ImageView::ByCompositor(int firstRow, int rows) {
  if (!compositor_) return false;
  WaylandScaler::Result result = WaylandScaler::Result::NotNow;
  if (CompositorCan()) {
    EnsureConfigured();
    QWindow* handle = window()->windowHandle();
    // Where the view's picture lies in the window's surface, which holds the frame Qt draws
    // around a window it decorates itself.
    QMargins frame = handle->frameMargins();
    QPoint at = mapTo(window(), picture_.topLeft()) + QPoint(frame.left(), frame.top());
    if (!compositorShows_) firstRow = 0, rows = kViewHeight;
    result = compositor_->Show(handle, at, picture_.size(), scaled_.Shown(), kViewWidth,
                               kViewHeight, kViewWidth, firstRow, rows);
  }
  if (result == WaylandScaler::Result::NotNow || result == WaylandScaler::Result::Failed) {
    if (compositorShows_) {
      // The window holds the picture again before the subsurface goes, so that nothing but
      // the picture ever shows there.
      compositorShows_ = false;
      repaint();
      compositor_->Hide();
    }
    // Failed: the program scales the picture itself from now on.
    if (result == WaylandScaler::Result::Failed) compositor_.reset();
    return false;
  }
  bool first = !compositorShows_;
  compositorShows_ = true;
  // A new place takes effect with the window's next commit, made at once as Qt paints (the
  // bars only).
  if (first || result == WaylandScaler::Result::Moved) repaint();
  return true;
}

void ImageView::showEvent(QShowEvent*) {
  // The widgets beside the view, which may come over it.
  if (!compositor_ || !parentWidget()) return;
  for (QObject* child : parentWidget()->children())
    if (auto* other = qobject_cast<QWidget*>(child); other && other != this)
      other->installEventFilter(this);
}

bool ImageView::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::Move:
    case QEvent::Resize:
      if (compositor_) Refresh();
      break;
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

namespace {

// The window's own surface when the painter draws straight into an image of 32-bit pixels
// (Qt's raster backing store): the picture is then scaled into it directly instead of
// into an image that is copied again.
QImage* DirectSurface(QPainter& painter) {
  QPaintEngine* engine = painter.paintEngine();
  if (!engine || engine->type() != QPaintEngine::Raster) return nullptr;
  QPaintDevice* device = engine->paintDevice();
  if (!device || device->devType() != QInternal::Image) return nullptr;
  auto* image = static_cast<QImage*>(device);
  QImage::Format f = image->format();
  if (f != QImage::Format_RGB32 && f != QImage::Format_ARGB32 &&
      f != QImage::Format_ARGB32_Premultiplied)
    return nullptr;
  return painter.deviceTransform().type() <= QTransform::TxTranslate ? image : nullptr;
}

}  // namespace

void ImageView::PaintPicture(QPainter& painter, const QRect& shown) {
  gfx::Box box{shown.x() - picture_.x(), shown.y() - picture_.y(), shown.width(),
               shown.height()};
  if (QImage* surface = DirectSurface(painter)) {
    QRect at = painter.deviceTransform().mapRect(shown);
    if (surface->rect().contains(at)) {
      // constScanLine: writing through scanLine would detach the surface from the window.
      auto* first = reinterpret_cast<uint32_t*>(const_cast<uchar*>(surface->constScanLine(at.y())));
      scaled_.Render(box, first + at.x(), surface->bytesPerLine() / 4);
      return;
    }
  }
  QImage part(shown.size(), QImage::Format_RGB32);
  scaled_.Render(box, reinterpret_cast<uint32_t*>(part.bits()), part.bytesPerLine() / 4);
  painter.drawImage(shown.topLeft(), part);
}

void ImageView::paintEvent(QPaintEvent* event) {
  // Under the server's surface nothing of the view shows: what was asked of it is the
  // surface's to draw.
  if (surface_ && !surface_->isHidden()) {
    surface_->update(event->region());
    return;
  }
  EnsureConfigured();
  QPainter painter(this);
  if (compositorShows_) {
    // Only the bars: the picture is on the compositor's surface (device pixels are logical).
    for (const QRect& bar : event->region() - picture_) painter.fillRect(bar, Qt::black);
    return;
  }
  // Device pixels throughout: with a fractional scale factor the picture is still copied
  // one to one, so each source pixel covers the same number of screen pixels.
  qreal dpr = devicePixelRatioF();
  painter.setWorldTransform(QTransform::fromScale(1 / dpr, 1 / dpr));
  QVector<QRect> device;
  for (const QRect& logical : event->region()) device.append(ToDevice(logical));
  PaintSoftware(painter, device);
}

void ImageView::PaintSoftware(QPainter& painter, const QVector<QRect>& device) {
  for (const QRect& exposed : device) {
    for (const QRect& bar : QRegion(exposed) - QRegion(picture_)) painter.fillRect(bar, Qt::black);
    QRect shown = exposed & picture_;
    if (!shown.isEmpty()) PaintPicture(painter, shown);
  }
  if (paused_) DrawBanner(painter, tr("一時停止中"), PauseBand());
  if (!notice_.isEmpty()) DrawBanner(painter, notice_, NoticeBand());
}

QRect ImageView::PauseBand() const {
  int line = std::max(16, picture_.height() / 12);
  return {picture_.left(), picture_.center().y() - line, picture_.width(), line * 2};
}

QRect ImageView::NoticeBand() const {
  int small = std::max(14, picture_.height() / 20);
  return {picture_.left(), picture_.bottom() + 1 - small, picture_.width(), small};
}

void ImageView::DrawBanner(QPainter& painter, const QString& text, const QRect& band) {
  int height = band.height();
  painter.fillRect(band, QColor(0, 0, 0, 160));
  QFont font = painter.font();
  font.setPixelSize(std::max(8, height * 3 / 5));
  painter.setFont(font);
  painter.setPen(Qt::white);
  QRect inside = band.adjusted(height / 2, 0, -height / 2, 0);
  // A long folder name loses its middle, never the words before it.
  QString shown = painter.fontMetrics().elidedText(text, Qt::ElideMiddle, inside.width());
  painter.drawText(inside, Qt::AlignCenter | Qt::TextSingleLine, shown);
}

void ImageView::SetPaused(bool paused) {
  if (paused == paused_) return;
  paused_ = paused;
  Refresh();
}

void ImageView::ShowNotice(const QString& text, int milliseconds) {
  notice_ = text;
  noticeTimer_.start(milliseconds);
  Refresh();
}

void ImageView::resizeEvent(QResizeEvent*) {
  ChooseRoute();
  if (compositor_) Refresh();
  OnWindowResize(width(), height());
}

bool ImageView::event(QEvent* event) {
  // The surface shows the view's pointer (hidden over a fullscreen picture at rest).
  if (event->type() == QEvent::CursorChange && surface_) surface_->setCursor(cursor());
  return QWidget::event(event);
}

void ImageView::mouseMoveEvent(QMouseEvent* event) {
  if (pointerMoved) pointerMoved(qRound(event->position().y()));
}
