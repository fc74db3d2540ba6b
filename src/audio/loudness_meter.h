// Integrated loudness after EBU R 128 (ITU-R BS.1770): K-weighting, 400 ms blocks every
// 100 ms, an absolute gate at -70 LUFS and a relative gate 10 LU under the first mean.
// The meter takes the signal a buffer at a time and keeps only one number per 100 ms, so a
// long track is measured without holding its samples.
#pragma once

#include <cstddef>
#include <vector>

namespace audio {

class LoudnessMeter {
 public:
  explicit LoudnessMeter(int rate);
  // Adds frames of a stereo signal.
  void Add(const float* left, const float* right, size_t frames);
  // Integrated loudness in LUFS of everything added; -70 or lower for silence.
  double Integrated() const;

 private:
  struct Biquad {
    double b0, b1, b2, a1, a2;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    double Run(double x);
  };
  double Weighted(Biquad* stage, float x);

  size_t stepFrames_;        // 100 ms
  Biquad left_[2], right_[2];  // the shelf, then the high-pass, per channel
  double stepSum_ = 0;       // K-weighted power of both channels in the step being filled
  size_t stepFill_ = 0;
  std::vector<double> steps_;  // summed power of each whole 100 ms step
};

// The integrated loudness of a whole stereo signal at `rate`.
double IntegratedLoudness(const std::vector<float>& left, const std::vector<float>& right, int rate);

}  // namespace audio
