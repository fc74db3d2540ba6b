// The five sound effects, synthesized: voiced at 22050 Hz and written as 16-bit mono PCM at
// 44100 Hz, the rate the sound engine mixes at, so they play as written without a resampling
// at every load; the same bytes on every build (the noise comes from a fixed-seed generator).
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <vector>

#include "generators.h"
#include "base/little_endian.h"

namespace fs = std::filesystem;

namespace {

constexpr int kRate = 22050;      // the rate the effects are voiced at
constexpr int kFileRate = 44100;  // the rate they are written at
constexpr double kPi = 3.14159265358979323846;

// Small deterministic noise source (xorshift32), -1..1.
struct Noise {
  uint32_t state;
  explicit Noise(uint32_t seed) : state(seed) {}
  double Next() {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return double(state) / 2147483648.0 - 1.0;
  }
};

// One-pole low-pass filter.
struct LowPass {
  double a, y = 0;
  explicit LowPass(double cutoffHz) : a(1.0 - std::exp(-2.0 * kPi * cutoffHz / kRate)) {}
  double operator()(double x) { return y += a * (x - y); }
};

double Square(double phase, double duty = 0.5) { return std::fmod(phase, 1.0) < duty ? 1.0 : -1.0; }
double Triangle(double phase) {
  double p = std::fmod(phase, 1.0);
  return p < 0.5 ? 4 * p - 1 : 3 - 4 * p;
}

// Scales to the given peak, with 3 ms fades at both ends so that nothing clicks.
std::vector<double> Finish(std::vector<double> s, double peak) {
  size_t fade = kRate * 3 / 1000;
  for (size_t i = 0; i < fade && i < s.size(); ++i) {
    double g = double(i) / fade;
    s[i] *= g;
    s[s.size() - 1 - i] *= g;
  }
  double max = 0;
  for (double v : s) max = std::max(max, std::abs(v));
  if (max > 0)
    for (double& v : s) v *= peak / max;
  return s;
}

// 0: a monster bursts: a crackle of noise over a quickly falling tone.
std::vector<double> MonsterDestroyed() {
  int n = kRate * 30 / 100;
  std::vector<double> s(n);
  Noise noise(0x5EED0001u);
  LowPass lp(3000);
  double phase = 0;
  for (int i = 0; i < n; ++i) {
    double t = double(i) / kRate;
    double freq = 420 * std::exp(-t * 9) + 60;
    phase += freq / kRate;
    double env = std::exp(-t * 14);
    double crackle = lp(noise.Next()) * std::exp(-t * 10);
    s[i] = env * 0.55 * Square(phase, 0.3) * (t < 0.12 ? 1 : 0.6) + crackle * 1.4;
  }
  return Finish(s, 0.85);
}

// 1: a coin: two bright pulse tones a fourth apart.
std::vector<double> Coin() {
  int n = kRate * 38 / 100;
  std::vector<double> s(n);
  double phase = 0;
  for (int i = 0; i < n; ++i) {
    double t = double(i) / kRate;
    bool second = t >= 0.065;
    double freq = second ? 1567.98 : 1174.66;  // G6 after D6
    phase += freq / kRate;
    double env = second ? std::exp(-(t - 0.065) * 9) : 1.0;
    s[i] = env * (0.6 * Square(phase, 0.25) + 0.4 * std::sin(2 * kPi * phase * 2));
  }
  return Finish(s, 0.6);
}

// 2: an item taken: a quick rising arpeggio that rings a moment on its top note.
std::vector<double> ItemPicked() {
  const double notes[] = {523.25, 659.26, 783.99, 1046.5, 1318.5};  // C5 E5 G5 C6 E6
  const double step = 0.055;
  int n = kRate * 55 / 100;
  std::vector<double> s(n);
  double phase = 0;
  for (int i = 0; i < n; ++i) {
    double t = double(i) / kRate;
    int k = std::min(4, int(t / step));
    phase += notes[k] / kRate;
    double local = t - k * step;
    double env = k < 4 ? 0.8 + 0.2 * std::exp(-local * 30) : std::exp(-local * 7);
    s[i] = env * (0.55 * Triangle(phase) + 0.45 * Square(phase, 0.125) * 0.5);
  }
  return Finish(s, 0.6);
}

// 3: the cursor: a soft, short wooden tick.
std::vector<double> Cursor() {
  int n = kRate * 45 / 1000;
  std::vector<double> s(n);
  Noise noise(0x5EED0003u);
  LowPass lp(5000);
  for (int i = 0; i < n; ++i) {
    double t = double(i) / kRate;
    double env = std::exp(-t * 140);
    s[i] = env * (std::sin(2 * kPi * 1760 * t) + 0.4 * std::sin(2 * kPi * 2640 * t) + 0.25 * lp(noise.Next()));
  }
  return Finish(s, 0.35);
}

// 4: a boss falls: a long rumbling blast with after-shocks, 2.2 seconds.
std::vector<double> BossDestroyed() {
  int n = kRate * 22 / 10;
  std::vector<double> s(n, 0.0);
  Noise noise(0x5EED0004u);
  LowPass rumble(180), body(900), air(4000);
  const double blasts[] = {0.0, 0.28, 0.55, 0.95};
  const double sizes[] = {1.0, 0.7, 0.8, 0.55};
  double phase = 0;
  for (int i = 0; i < n; ++i) {
    double t = double(i) / kRate;
    double x = noise.Next();
    double low = rumble(x), mid = body(x), high = air(x) - mid;
    double shock = 0;
    for (int b = 0; b < 4; ++b) {
      double dt = t - blasts[b];
      if (dt >= 0) shock += sizes[b] * std::exp(-dt * 7);
    }
    double tail = std::exp(-t * 1.6);
    phase += (90 * std::exp(-t * 1.2) + 28) / kRate;
    double thud = std::sin(2 * kPi * phase) * tail;
    s[i] = low * 5.0 * tail + mid * 1.2 * shock + high * 0.5 * shock * shock + thud * 0.5;
  }
  return Finish(s, 0.9);
}

// Doubles the rate with a windowed-sinc interpolator: the voiced samples stay as they are and
// each new one between them is the band-limited value there, so the effect sounds exactly as
// voiced, without the dulling and the images of a straight-line interpolation.
std::vector<double> DoubleRate(const std::vector<double>& in) {
  constexpr int kHalf = 24;  // taps on each side
  double taps[2 * kHalf];
  for (int k = 0; k < 2 * kHalf; ++k) {
    double x = k - kHalf + 0.5;  // distance from the new sample, in voiced samples
    double window = 0.42 + 0.5 * std::cos(kPi * x / kHalf) + 0.08 * std::cos(2 * kPi * x / kHalf);
    taps[k] = std::sin(kPi * x) / (kPi * x) * window;
  }
  const long n = static_cast<long>(in.size());
  std::vector<double> out(in.size() * 2);
  for (long i = 0; i < n; ++i) {
    out[2 * i] = in[i];
    double between = 0;
    for (int k = 0; k < 2 * kHalf; ++k) {
      long j = i + k - kHalf + 1;
      if (j >= 0 && j < n) between += in[j] * taps[k];
    }
    out[2 * i + 1] = between;
  }
  return out;
}

void WriteWave(const fs::path& path, const std::vector<double>& samples) {
  std::vector<uint8_t> out;
  uint32_t dataBytes = uint32_t(samples.size() * 2);
  out.insert(out.end(), {'R', 'I', 'F', 'F'});
  base::AppendLe32(out, 36 + dataBytes);
  out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  base::AppendLe32(out, 16);
  base::AppendLe16(out, 1);  // PCM
  base::AppendLe16(out, 1);  // mono
  base::AppendLe32(out, kFileRate);
  base::AppendLe32(out, kFileRate * 2);
  base::AppendLe16(out, 2);
  base::AppendLe16(out, 16);
  out.insert(out.end(), {'d', 'a', 't', 'a'});
  base::AppendLe32(out, dataBytes);
  for (double v : samples) {
    long q = std::lround(std::max(-1.0, std::min(1.0, v)) * 32767.0);
    base::AppendLe16(out, uint16_t(int16_t(q)));
  }
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(out.data()), std::streamsize(out.size()));
  if (!file) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace

void GenerateEffects(const std::string&, const std::string& outDir) {
  const std::function<std::vector<double>()> makers[] = {MonsterDestroyed, Coin, ItemPicked, Cursor,
                                                         BossDestroyed};
  for (int i = 0; i < 5; ++i)
    WriteWave(fs::path(outDir) / ("w_" + std::to_string(i) + ".wav"), DoubleRate(makers[i]()));
}
