// Presenting a finished frame in the window: bringing the kept scaled picture up to date
// and copying the changed part onto the window's surface with Qt's raster painter, as the
// view's paint does. Each cost is also given as a multiple of the plain 312 x 216 copy
// measured in the same run, so the figures compare across machines.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <cstdint>
#include <algorithm>
#include <ctime>

#include "gfx/bitmap.h"
#include "gfx/view_scale.h"

namespace {

// Processor time of the whole process: Qt's painter may share its work among threads.
double ProcessNs() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return t.tv_sec * 1e9 + t.tv_nsec;
}

gfx::Bitmap Noise(int w, int h, uint32_t s) {
  gfx::Bitmap b(w, h);
  for (auto& p : b.Pixels()) p = (s = s * 134775813u + 1) >> 8;
  return b;
}

double CopyNs() {
  static const double ns = [] {
    gfx::Bitmap floor = Noise(1440, 1440, 1), view(312, 216);
    double best = 1e30;
    for (int batch = 0; batch < 15; ++batch) {
      double t0 = ProcessNs();
      for (int i = 0; i < 200; ++i) {
        gfx::BitBlt(view, 0, 0, 312, 216, &floor, 24 * (i % 40), 24 * (i % 50), gfx::Rop::Copy);
        benchmark::DoNotOptimize(view.Pixels().data());
      }
      best = std::min(best, (ProcessNs() - t0) / 200);
    }
    return best;
  }();
  return ns;
}

// The view's presentation of one frame: the changed box scaled straight into the
// screen-sized surface, as the view does with the window's surface.
struct Presenter {
  QImage surface;
  gfx::ScaledView scaled;
  QRect placed;

  Presenter(int w, int h) : surface(w, h, QImage::Format_RGB32) {
    gfx::Box b = gfx::PlacePicture(gfx::ScaleMode::Whole, 312, 216, w, h);
    placed = QRect(b.x, b.y, b.w, b.h);
    scaled.Configure(312, 216, b.w, b.h);
  }
  void Present(const gfx::Bitmap& frame) {
    gfx::Box changed = scaled.Update(frame);
    if (changed.Empty()) return;
    auto* first = reinterpret_cast<uint32_t*>(surface.bits());
    int stride = surface.bytesPerLine() / 4;
    scaled.Render(changed, first + (placed.y() + changed.y) * stride + placed.x() + changed.x,
                  stride);
  }
};

// frames: alternating pictures, so every pixel changes each time (a scrolling view), or
// one picture with a sprite-sized square moving over it (a standing hero, moving monsters).
void Run(benchmark::State& state, int w, int h, bool scrolling) {
  Presenter presenter(w, h);
  gfx::Bitmap a = Noise(312, 216, 2), b = Noise(312, 216, 3), moving = a;
  presenter.Present(a);
  int i = 0;
  double t0 = ProcessNs();
  for (auto _ : state) {
    ++i;
    if (scrolling) {
      presenter.Present(i % 2 ? b : a);
    } else {
      moving = a;
      gfx::FillRect(moving, 100 + (i % 50), 90, 24, 24, gfx::kWhite);
      presenter.Present(moving);
    }
    benchmark::DoNotOptimize(presenter.surface.constBits());
  }
  double ns = (ProcessNs() - t0) / std::max<int64_t>(1, state.iterations());
  state.counters["x_copy"] = ns / CopyNs();
  // Share of one core at 20 frames a second.
  state.counters["core_pct_20fps"] = ns * 20 / 1e9 * 100;
}

void BM_PresentScrolling1920x1080(benchmark::State& s) { Run(s, 1920, 1080, true); }
void BM_PresentScrolling3840x2160(benchmark::State& s) { Run(s, 3840, 2160, true); }
void BM_PresentSprite1920x1080(benchmark::State& s) { Run(s, 1920, 1080, false); }
BENCHMARK(BM_PresentScrolling1920x1080)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PresentScrolling3840x2160)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PresentSprite1920x1080)->Unit(benchmark::kMicrosecond);

// What the view did before: the whole frame stretched onto the surface every time.
void BM_StretchEveryFrame1920x1080(benchmark::State& state) {
  QImage surface(1920, 1080, QImage::Format_RGB32);
  gfx::Bitmap a = Noise(312, 216, 2);
  double t0 = ProcessNs();
  for (auto _ : state) {
    QImage image(reinterpret_cast<const uchar*>(a.Pixels().data()), 312, 216, 312 * 4,
                 QImage::Format_RGBX8888);
    QPainter painter(&surface);
    painter.drawImage(QRect(0, 0, 1920, 1080), image.copy(0, 0, 312, 216));
    benchmark::DoNotOptimize(surface.constBits());
  }
  double ns = (ProcessNs() - t0) / std::max<int64_t>(1, state.iterations());
  state.counters["x_copy"] = ns / CopyNs();
  state.counters["core_pct_20fps"] = ns * 20 / 1e9 * 100;
}
BENCHMARK(BM_StretchEveryFrame1920x1080)->Unit(benchmark::kMicrosecond);

}  // namespace
