// Drawing costs of one frame's pieces, each also given as a multiple of the plain
// 312 x 216 copy (the cheapest thing a frame does) measured in the same run, so the
// figures compare across machines.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <string>
#include <vector>

#include "gfx/bitmap.h"
#include "gfx/image.h"
#include "gfx/sprite.h"
#include "gfx/text.h"

namespace {

// Processor time of this thread: the build machine is shared, and wall time there
// measures the neighbours as much as the drawing.
double ThreadNs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return t.tv_sec * 1e9 + t.tv_nsec;
}

gfx::Bitmap Noise(int w, int h) {
  gfx::Bitmap b(w, h);
  uint32_t s = 12345;
  for (auto& p : b.Pixels()) p = (s = s * 134775813u + 1) >> 8;
  return b;
}

// Nanoseconds of one 312 x 216 copy out of the floor picture: the best of several timed
// batches, so a stray interruption does not inflate it.
double CopyBaselineNs() {
  static const double ns = [] {
    gfx::Bitmap floor = Noise(1440, 1440), view(312, 216);
    double best = 1e30;
    for (int batch = 0; batch < 15; ++batch) {
      double t0 = ThreadNs();
      for (int i = 0; i < 200; ++i) {
        gfx::BitBlt(view, 0, 0, 312, 216, &floor, 24 * (i % 40), 24 * (i % 50), gfx::Rop::Copy);
        benchmark::DoNotOptimize(view.Pixels().data());
      }
      best = std::min(best, (ThreadNs() - t0) / 200);
    }
    return best;
  }();
  return ns;
}

// Runs body for the benchmark's iterations and reports its cost relative to the copy.
template <typename Body>
void Measure(benchmark::State& state, Body&& body) {
  const double baseline = CopyBaselineNs();
  double t0 = ThreadNs();
  for (auto _ : state) body();
  double ns = ThreadNs() - t0;
  if (state.iterations() > 0) state.counters["x_copy"] = ns / state.iterations() / baseline;
}

void BM_CopyView(benchmark::State& state) {
  gfx::Bitmap floor = Noise(1440, 1440), view(312, 216);
  int i = 0;
  Measure(state, [&] {
    ++i;
    gfx::BitBlt(view, 0, 0, 312, 216, &floor, 24 * (i % 40), 24 * (i % 50), gfx::Rop::Copy);
    benchmark::DoNotOptimize(view.Pixels().data());
  });
}
BENCHMARK(BM_CopyView);

void BM_TransparentSprite24(benchmark::State& state) {
  gfx::TImage Frame;
  Frame.Picture = Noise(312, 216);
  gfx::Bitmap sheet = Noise(288, 120);
  for (int y = 0; y < 120; ++y)
    for (int x = 0; x < 288; ++x)
      if ((x % 24 < 4) || (y % 24 > 20)) sheet.SetPixel(x, y, gfx::kTeal);
  gfx::TSprite sp;
  sp.LoadStored(sheet, &Frame, 12, 5, 0, true, gfx::kTeal);
  int i = 0;
  Measure(state, [&] {
    sp.SetIndex(i % 60);
    sp.X = 144 + (i % 7);
    sp.Y = 96;
    ++i;
    sp.Draw();
    benchmark::DoNotOptimize(Frame.Picture.Pixels().data());
  });
}
BENCHMARK(BM_TransparentSprite24);

void BM_FullViewAnd(benchmark::State& state) {
  gfx::Bitmap view = Noise(312, 216), mask(312, 216, gfx::kBlack);
  gfx::FillEllipse(mask, 66, 18, 246, 198, gfx::kWhite);
  Measure(state, [&] {
    gfx::BitBlt(view, 0, 0, 312, 216, &mask, 0, 0, gfx::Rop::And);
    benchmark::DoNotOptimize(view.Pixels().data());
  });
}
BENCHMARK(BM_FullViewAnd);

// The play screen's texts: seven numbers and two lines at 14 and 10 points, each with
// its shadow: 18 calls.
void BM_StatusTexts18(benchmark::State& state) {
  gfx::TImage Frame;
  Frame.Picture = Noise(312, 216);
  Frame.canvas.FontName = "ＭＳ 明朝";
  const std::vector<std::string> numbers = {"9999", "1234", "315", "207", "99", "999999", "54321"};
  const std::vector<std::string> lines = {"ﾐﾛｳﾞｧｰﾝの宝箱を見つけた", "ｽﾍﾟｰｽｷｰで攻撃だ！"};
  auto frame = [&] {
    Frame.canvas.FontSize = 14;
    for (size_t k = 0; k < numbers.size(); ++k)
      for (int pass = 0; pass < 2; ++pass) {
        Frame.canvas.FontColor = pass ? gfx::kWhite : gfx::kBlack;
        Frame.TextOut(40 + 60 * static_cast<int>(k % 5) + (pass ? 0 : 1), k < 5 ? 3 : 20, numbers[k]);
      }
    Frame.canvas.FontSize = 10;
    for (size_t k = 0; k < lines.size(); ++k)
      for (int pass = 0; pass < 2; ++pass) {
        Frame.canvas.FontColor = pass ? gfx::kWhite : gfx::kBlack;
        Frame.TextOut(60 + (pass ? 0 : 1), 180 + 15 * static_cast<int>(k) + (pass ? 0 : 1), lines[k]);
      }
    benchmark::DoNotOptimize(Frame.Picture.Pixels().data());
  };
  frame();  // the glyph cache is filled once, as after the first tick of the game
  Measure(state, frame);
}
BENCHMARK(BM_StatusTexts18);

}  // namespace

// The bench program may gather benchmarks of several folders; if no other file provides
// the entry point, this one does.
__attribute__((weak)) int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
