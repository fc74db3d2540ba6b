#include "desktop/prefs/window_memory.h"

#include <QRegularExpression>
#include <QEvent>
#include <QSettings>
#include <QTimer>
#include <QWidget>

#include "state/window_model.h"
#include "platform/platform.h"
#include "game/window_handlers.h"
#include "desktop/platform/window_placing.h"

namespace prefs {

namespace {

// The game draws at least a quarter of its view and at most a large screen's worth; a
// remembered size outside that is not ours.
constexpr int kMinSide = 78, kMaxSide = 8192;

bool ReadViewSize(int& width, int& height) {
  static const QRegularExpression kSize(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$"));
  auto match = kSize.match(QSettings().value("view/size").toString());
  if (!match.hasMatch()) return false;
  width = match.captured(1).toInt();
  height = match.captured(2).toInt();
  return width >= kMinSide && height >= kMinSide && width <= kMaxSide && height <= kMaxSide;
}

}  // namespace

void RestoreViewAndPlace(QWidget& window) {
  int width = 0, height = 0;
  if (ReadViewSize(width, height)) {
    if (width == 2 * kViewWidth && height == 2 * kViewHeight) {
      RunHandler(OnView624Command);
    } else if (width == kViewWidth / 2 && height == kViewHeight / 2) {
      RunHandler(OnView156Command);
    } else if (width != kViewWidth || height != kViewHeight) {
      Window.ClientWidth = width;
      Window.ClientHeight = height;
      platform::Os().WindowChanged();
    }
  }
  if (platform::CompositorPlacesWindows()) return;
  QByteArray place = QSettings().value("window/geometry").toByteArray();
  if (place.isEmpty()) return;
  // Only the place: the size is the view's, and full screen is the display setting's. The
  // stored geometry is read into a window never shown, since restoring it on the real one
  // would ask the window manager for the state it was kept in (full screen, as earlier
  // versions kept it), and not every one takes that back when asked at once.
  QWidget reader;
  if (!reader.restoreGeometry(place)) return;
  window.setGeometry(QRect(reader.normalGeometry().topLeft(), window.size()));
}

void RememberViewAndPlace(const QWidget& window) {
  QSettings settings;
  auto update = [&settings](const char* key, const QVariant& value) {
    if (settings.value(key) != value) settings.setValue(key, value);
  };
  if (Window.ClientWidth >= kMinSide && Window.ClientHeight >= kMinSide && !window.isFullScreen())
    update("view/size", QStringLiteral("%1x%2").arg(Window.ClientWidth).arg(Window.ClientHeight));
  // The place of a window only: in full screen or maximised the window manager chose it, and
  // under Wayland the compositor places windows and tells no client where.
  if (!platform::CompositorPlacesWindows() &&
      !(window.windowState() & (Qt::WindowFullScreen | Qt::WindowMaximized)))
    update("window/geometry", window.saveGeometry());
}

namespace {

class PlaceWatcher : public QObject {
 public:
  explicit PlaceWatcher(QWidget& window) : QObject(&window), window_(window) {
    quiet_.setSingleShot(true);
    quiet_.setInterval(700);
    connect(&quiet_, &QTimer::timeout, this, [this] { RememberViewAndPlace(window_); });
    window.installEventFilter(this);
    quiet_.start();  // the place the window was given at start counts too
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Move || event->type() == QEvent::Resize) quiet_.start();
    return false;
  }

 private:
  QWidget& window_;
  QTimer quiet_;
};

}  // namespace

void WatchViewAndPlace(QWidget& window) { new PlaceWatcher(window); }

}  // namespace prefs
