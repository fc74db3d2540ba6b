#include "desktop/image_view.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPaintEngine>
#include <QPainter>
#include <cmath>

#include "state/window_model.h"
#include "game/window_handlers.h"

ImageView::ImageView(QWidget* parent) : QWidget(parent) {
  // Every pixel is painted each time (picture or black bars), so Qt need not clear first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
  noticeTimer_.setSingleShot(true);
  connect(&noticeTimer_, &QTimer::timeout, this, [this] {
    notice_.clear();
    update();
  });
}

void ImageView::SetScaleMode(gfx::ScaleMode mode) {
  if (mode == mode_) return;
  mode_ = mode;
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

void ImageView::EnsureConfigured() {
  QSize device = DeviceSize();
  if (device == configuredFor_ && mode_ == configuredMode_) return;
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
  gfx::Box changed = scaled_.Update(Window.ShownFrame.Picture);
  if (configuredFor_ != before) {
    repaint();
  } else if (!changed.Empty()) {
    QRect device(picture_.x() + changed.x, picture_.y() + changed.y, changed.w, changed.h);
    repaint(ToLogical(device));
  }
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
  EnsureConfigured();
  QPainter painter(this);
  // Device pixels throughout: with a fractional scale factor the picture is still copied
  // one to one, so each source pixel covers the same number of screen pixels.
  qreal dpr = devicePixelRatioF();
  painter.setWorldTransform(QTransform::fromScale(1 / dpr, 1 / dpr));
  for (const QRect& logical : event->region()) {
    QRect exposed = ToDevice(logical);
    for (const QRect& bar : QRegion(exposed) - QRegion(picture_)) painter.fillRect(bar, Qt::black);
    QRect shown = exposed & picture_;
    if (!shown.isEmpty()) PaintPicture(painter, shown);
  }
  int line = std::max(16, picture_.height() / 12);
  if (paused_)
    DrawBanner(painter, tr("一時停止中"), picture_.center().y() - line, line * 2);
  int small = std::max(14, picture_.height() / 20);
  if (!notice_.isEmpty()) DrawBanner(painter, notice_, picture_.bottom() + 1 - small, small);
}

void ImageView::DrawBanner(QPainter& painter, const QString& text, int top, int height) {
  QRect band(picture_.left(), top, picture_.width(), height);
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
  update();
}

void ImageView::ShowNotice(const QString& text, int milliseconds) {
  notice_ = text;
  noticeTimer_.start(milliseconds);
  update();
}

void ImageView::resizeEvent(QResizeEvent*) { OnWindowResize(width(), height()); }

void ImageView::mouseMoveEvent(QMouseEvent* event) {
  if (pointerMoved) pointerMoved(qRound(event->position().y()));
}
