// Integrated loudness after EBU R 128 (ITU-R BS.1770): K-weighting, 400 ms blocks every
// 100 ms, an absolute gate at -70 LUFS and a relative gate 10 LU under the first mean.
#pragma once

#include <vector>

namespace audiotest {

// Integrated loudness in LUFS of a stereo signal at `rate`; -70 or lower for silence.
double IntegratedLoudness(const std::vector<float>& left, const std::vector<float>& right, int rate);

}  // namespace audiotest
