#include "loudness.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace audiotest {

namespace {

// A second-order section in direct form I.
struct Biquad {
  double b0, b1, b2, a1, a2;
  double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
  double Run(double x) {
    double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
    x2 = x1, x1 = x, y2 = y1, y1 = y;
    return y;
  }
};

// The two stages of the K-weighting, designed for any rate from the analogue prototypes
// (the well-known 48 kHz coefficients come out of these formulas).
Biquad HighShelf(int rate) {
  const double f0 = 1681.974450955533, gain = 3.999843853973347, q = 0.7071752369554196;
  const double k = std::tan(std::numbers::pi * f0 / rate);
  const double vh = std::pow(10.0, gain / 20.0), vb = std::pow(vh, 0.4996667741545416);
  const double a0 = 1.0 + k / q + k * k;
  return {(vh + vb * k / q + k * k) / a0, 2.0 * (k * k - vh) / a0, (vh - vb * k / q + k * k) / a0,
          2.0 * (k * k - 1.0) / a0, (1.0 - k / q + k * k) / a0};
}

Biquad HighPass(int rate) {
  const double f0 = 38.13547087602444, q = 0.5003270373238773;
  const double k = std::tan(std::numbers::pi * f0 / rate);
  const double a0 = 1.0 + k / q + k * k;
  return {1.0, -2.0, 1.0, 2.0 * (k * k - 1.0) / a0, (1.0 - k / q + k * k) / a0};
}

std::vector<double> KWeightedSquares(const std::vector<float>& signal, int rate) {
  Biquad shelf = HighShelf(rate), pass = HighPass(rate);
  std::vector<double> out(signal.size());
  for (size_t i = 0; i < signal.size(); ++i) {
    double y = pass.Run(shelf.Run(signal[i]));
    out[i] = y * y;
  }
  return out;
}

double Lufs(double power) { return -0.691 + 10.0 * std::log10(std::max(power, 1e-30)); }

double MeanAbove(const std::vector<double>& blocks, double gateLufs, double fallback) {
  double sum = 0;
  int n = 0;
  for (double p : blocks)
    if (Lufs(p) > gateLufs) sum += p, ++n;
  return n ? sum / n : fallback;
}

}  // namespace

double IntegratedLoudness(const std::vector<float>& left, const std::vector<float>& right, int rate) {
  const std::vector<double> l = KWeightedSquares(left, rate), r = KWeightedSquares(right, rate);
  const size_t frames = std::min(l.size(), r.size());
  const size_t block = static_cast<size_t>(rate) * 4 / 10, step = static_cast<size_t>(rate) / 10;
  // Running sums make each block's mean one subtraction.
  std::vector<double> sum(frames + 1, 0.0);
  for (size_t i = 0; i < frames; ++i) sum[i + 1] = sum[i] + l[i] + r[i];
  std::vector<double> blocks;
  for (size_t start = 0; start + block <= frames; start += step)
    blocks.push_back((sum[start + block] - sum[start]) / static_cast<double>(block));
  const double absolute = MeanAbove(blocks, -70.0, 0.0);
  if (absolute <= 0) return -70.0;
  return Lufs(MeanAbove(blocks, std::max(-70.0, Lufs(absolute) - 10.0), absolute));
}

}  // namespace audiotest
