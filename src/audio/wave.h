// Reading wave files for the effect channel: RIFF/WAVE with 8- or 16-bit PCM, mono or
// stereo, any sample rate; the result is mono float at the output rate.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace audio {

// The largest effect file read, and the longest sound kept of one: an effect is a short
// sound, and the boss's effect holds the whole game while it plays.
constexpr size_t kMaxWaveBytes = size_t{1} << 20;
constexpr int kMaxEffectMs = 5000;

struct WaveData {
  int SampleRate = 0;
  int Channels = 0;
  int BitsPerSample = 0;
  std::vector<int16_t> Samples;  // interleaved, as stored (8-bit widened to 16)
  // Length in milliseconds, rounded up so that waiting this long covers the whole sound.
  int LengthMs() const;
};

// Parses the bytes of a wave file; false (and data untouched) when they are not a
// readable PCM wave. Never reads past the input. Sound past kMaxEffectMs is cut off.
bool ParseWave(const std::vector<uint8_t>& bytes, WaveData& data);

// Reads and parses a file (opened as every content file is, at most kMaxWaveBytes);
// false when it is missing, not a regular file, too large or not a readable PCM wave.
bool LoadWave(const std::string& path, WaveData& data);

// Mixes the channels down to mono and converts to outRate by linear interpolation,
// scaled to -1..1.
std::vector<float> ToMonoAt(const WaveData& data, int outRate);

}  // namespace audio
