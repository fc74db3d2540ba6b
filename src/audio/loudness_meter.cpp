#include "audio/loudness_meter.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace audio {

namespace {

// The two stages of the K-weighting, designed for any rate from the analogue prototypes
// (the well-known 48 kHz coefficients come out of these formulas).
void HighShelf(int rate, double c[5]) {
  const double f0 = 1681.974450955533, gain = 3.999843853973347, q = 0.7071752369554196;
  const double k = std::tan(std::numbers::pi * f0 / rate);
  const double vh = std::pow(10.0, gain / 20.0), vb = std::pow(vh, 0.4996667741545416);
  const double a0 = 1.0 + k / q + k * k;
  c[0] = (vh + vb * k / q + k * k) / a0;
  c[1] = 2.0 * (k * k - vh) / a0;
  c[2] = (vh - vb * k / q + k * k) / a0;
  c[3] = 2.0 * (k * k - 1.0) / a0;
  c[4] = (1.0 - k / q + k * k) / a0;
}

void HighPass(int rate, double c[5]) {
  const double f0 = 38.13547087602444, q = 0.5003270373238773;
  const double k = std::tan(std::numbers::pi * f0 / rate);
  const double a0 = 1.0 + k / q + k * k;
  c[0] = 1.0, c[1] = -2.0, c[2] = 1.0;
  c[3] = 2.0 * (k * k - 1.0) / a0;
  c[4] = (1.0 - k / q + k * k) / a0;
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

double LoudnessMeter::Biquad::Run(double x) {
  double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
  x2 = x1, x1 = x, y2 = y1, y1 = y;
  return y;
}

LoudnessMeter::LoudnessMeter(int rate) : stepFrames_(size_t(rate) / 10) {
  double shelf[5], pass[5];
  HighShelf(rate, shelf);
  HighPass(rate, pass);
  for (Biquad* channel : {left_, right_}) {
    channel[0] = {shelf[0], shelf[1], shelf[2], shelf[3], shelf[4]};
    channel[1] = {pass[0], pass[1], pass[2], pass[3], pass[4]};
  }
}

double LoudnessMeter::Weighted(Biquad* stage, float x) {
  double y = stage[1].Run(stage[0].Run(x));
  return y * y;
}

void LoudnessMeter::Add(const float* left, const float* right, size_t frames) {
  for (size_t i = 0; i < frames; ++i) {
    stepSum_ += Weighted(left_, left[i]) + Weighted(right_, right[i]);
    if (++stepFill_ == stepFrames_) {
      steps_.push_back(stepSum_);
      stepSum_ = 0;
      stepFill_ = 0;
    }
  }
}

double LoudnessMeter::Integrated() const {
  // A block is four steps: 400 ms, overlapping by 300.
  std::vector<double> blocks;
  const double blockFrames = 4.0 * double(stepFrames_);
  for (size_t i = 0; i + 4 <= steps_.size(); ++i)
    blocks.push_back((steps_[i] + steps_[i + 1] + steps_[i + 2] + steps_[i + 3]) / blockFrames);
  const double absolute = MeanAbove(blocks, -70.0, 0.0);
  if (absolute <= 0) return -70.0;
  return Lufs(MeanAbove(blocks, std::max(-70.0, Lufs(absolute) - 10.0), absolute));
}

double IntegratedLoudness(const std::vector<float>& left, const std::vector<float>& right, int rate) {
  LoudnessMeter meter(rate);
  meter.Add(left.data(), right.data(), std::min(left.size(), right.size()));
  return meter.Integrated();
}

}  // namespace audio
