#include "audio/wave.h"

#include "platform/files.h"

#include "base/little_endian.h"

namespace audio {

namespace {

uint32_t Le32(const std::vector<uint8_t>& b, size_t at) { return base::ReadLe32(b.data() + at); }
uint16_t Le16(const std::vector<uint8_t>& b, size_t at) {
  return static_cast<uint16_t>(base::ReadLe16(b.data() + at));
}

}  // namespace

int WaveData::LengthMs() const {
  if (SampleRate <= 0 || Channels <= 0) return 0;
  int64_t frames = int64_t(Samples.size()) / Channels;
  return int((frames * 1000 + SampleRate - 1) / SampleRate);
}

bool ParseWave(const std::vector<uint8_t>& b, WaveData& out) {
  if (b.size() < 12 || Le32(b, 0) != 0x46464952u /*RIFF*/ || Le32(b, 8) != 0x45564157u /*WAVE*/)
    return false;
  WaveData w;
  bool haveFormat = false;
  size_t at = 12;
  while (at + 8 <= b.size()) {
    uint32_t id = Le32(b, at), size = Le32(b, at + 4);
    size_t body = at + 8;
    // A chunk that claims more than is there is cut to what is there (writers that crash
    // leave such files); the data we have is still good.
    size_t avail = b.size() - body;
    size_t len = size < avail ? size : avail;
    if (id == 0x20746d66u /*fmt */) {
      if (len < 16) return false;
      uint16_t format = Le16(b, body);
      w.Channels = Le16(b, body + 2);
      w.SampleRate = int(Le32(b, body + 4));
      w.BitsPerSample = Le16(b, body + 14);
      bool extensible = format == 0xFFFE;
      if (format != 1 && !extensible) return false;
      if (w.Channels < 1 || w.Channels > 8 || w.SampleRate < 1000 || w.SampleRate > 384000) return false;
      if (w.BitsPerSample != 8 && w.BitsPerSample != 16) return false;
      haveFormat = true;
    } else if (id == 0x61746164u /*data*/) {
      if (!haveFormat) return false;
      size_t bytesPer = w.BitsPerSample / 8;
      size_t count = len / bytesPer;
      count -= count % w.Channels;
      size_t longest = size_t(w.SampleRate) * kMaxEffectMs / 1000 * w.Channels;
      if (count > longest) count = longest;
      w.Samples.resize(count);
      for (size_t i = 0; i < count; ++i) {
        if (bytesPer == 1) w.Samples[i] = int16_t((int(b[body + i]) - 128) << 8);
        else w.Samples[i] = base::ReadLeSigned16(b.data() + body + 2 * i);
      }
      out = std::move(w);
      return true;
    }
    size_t next = body + size + (size & 1);
    if (next <= at || next > b.size()) break;
    at = next;
  }
  return false;
}

bool LoadWave(const std::string& path, WaveData& data) {
  std::vector<uint8_t> bytes;
  return platform::ReadRegularFile(path, kMaxWaveBytes, platform::Excess::Refuse, bytes) &&
         ParseWave(bytes, data);
}

std::vector<float> ToMonoAt(const WaveData& w, int outRate) {
  std::vector<float> mono;
  if (w.Channels <= 0 || w.SampleRate <= 0 || outRate <= 0) return mono;
  size_t frames = w.Samples.size() / w.Channels;
  mono.resize(frames);
  for (size_t f = 0; f < frames; ++f) {
    int sum = 0;
    for (int c = 0; c < w.Channels; ++c) sum += w.Samples[f * w.Channels + c];
    mono[f] = float(sum) / (32768.0f * w.Channels);
  }
  if (w.SampleRate == outRate || frames == 0) return mono;
  size_t outFrames = size_t((int64_t(frames) * outRate + w.SampleRate - 1) / w.SampleRate);
  std::vector<float> res(outFrames);
  double step = double(w.SampleRate) / outRate;
  for (size_t i = 0; i < outFrames; ++i) {
    double pos = i * step;
    size_t k = size_t(pos);
    double frac = pos - k;
    float a = mono[k < frames ? k : frames - 1];
    float c = mono[k + 1 < frames ? k + 1 : frames - 1];
    res[i] = float(a + (c - a) * frac);
  }
  return res;
}

}  // namespace audio
