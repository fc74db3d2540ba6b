// The picture scaled by the Wayland compositor instead of by the program: the small frame goes
// into a buffer of its own size on a surface laid over the window's (a subsurface), and the
// compositor stretches it to the picture's size (wp_viewporter). The program writes only the
// rows that changed, some 270 KB at most, where scaling itself would write 27 MB a frame at
// 3840 x 2160. Only whole factors are asked for: the compositor's nearest-pixel scaling then
// takes the source pixel each screen pixel's centre falls on, as the program's own does.
#pragma once

#include <QPoint>
#include <QSize>
#include <memory>

#include "gfx/bitmap.h"

class QWindow;

class WaylandScaler {
 public:
  // None unless the program runs natively on a Wayland compositor that offers wp_viewporter,
  // subsurfaces and shared-memory buffers of 32-bit pixels.
  static std::unique_ptr<WaylandScaler> Open();
  ~WaylandScaler();
  WaylandScaler(const WaylandScaler&) = delete;
  WaylandScaler& operator=(const WaylandScaler&) = delete;

  enum class Result {
    Shown,
    Moved,   // shown, at a new place: the window's own surface must commit for it to count
    NotNow,  // the window has no surface at the moment
    Failed,  // the compositor cannot be used after all
  };
  // Shows the srcW x srcH frame (0x00BBGGRR, rows stride pixels apart) scaled to size, at
  // `at` in the window's surface, rows firstRow .. firstRow + rows - 1 having changed since
  // the last call.
  Result Show(QWindow* window, QPoint at, QSize size, const gfx::Color* pixels, int srcW, int srcH,
              std::ptrdiff_t stride, int firstRow, int rows);
  // Takes the picture off the window (the window's own drawing shows again).
  void Hide();

 private:
  struct Wayland;
  explicit WaylandScaler(std::unique_ptr<Wayland> w);
  std::unique_ptr<Wayland> w_;
};
