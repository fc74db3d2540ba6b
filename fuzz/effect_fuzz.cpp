// libFuzzer target for the effect reader: any bytes are refused or read as a sound no longer
// than the effects' limit, mixed down to the output rate without reading past the input.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "audio/wave.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> bytes(data, data + size);
  audio::WaveData wave;
  if (!audio::ParseWave(bytes, wave)) return 0;
  if (wave.LengthMs() > audio::kMaxEffectMs) std::abort();
  std::vector<float> mono = audio::ToMonoAt(wave, 44100);
  // One second of output holds at most a little more than one second of input.
  const size_t frames = wave.Samples.size() / wave.Channels;
  if (mono.size() > (frames * 44100 + wave.SampleRate - 1) / wave.SampleRate + 1) std::abort();
  // The mix stays within full scale (checked at its ends: a loop over every sample here
  // would cost the fuzzer more than the mix itself).
  for (size_t at : {size_t{0}, mono.size() / 2, mono.size() - 1})
    if (!mono.empty() && !(mono[at] >= -1.0f && mono[at] <= 1.0f)) std::abort();
  return 0;
}
