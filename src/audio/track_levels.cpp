#include "audio/track_levels.h"

#include <malloc.h>

#include <algorithm>
#include <cmath>

#include "audio/engine.h"
#include "audio/loudness_meter.h"

namespace audio {

namespace {

constexpr int kChunkFrames = 4096;
constexpr double kSilentLufs = -60.0;
constexpr double kMostDb = 24.0;

// A thousandth of a LU, as the cache keeps it, so that a level learnt now and one read back
// later are the same.
double Kept(double lufs) { return std::round(lufs * 1000.0) / 1000.0; }

}  // namespace

std::optional<double> MeasureTrack(const std::vector<uint8_t>& midi, const std::string& soundFont,
                                   int seconds, const std::atomic<bool>* stop) {
  std::optional<double> lufs;
  {
    Engine engine(EngineMode::Offline, DeviceChoice{soundFont, ""});
    if (engine.SoundFont().empty() || engine.SoundFont() != soundFont) return std::nullopt;
    LoudnessMeter meter(engine.SampleRate());
    std::vector<float> left(kChunkFrames), right(kChunkFrames);
    engine.OpenMusic(midi);
    engine.PlayMusic();
    const int64_t limit = int64_t(seconds) * engine.SampleRate();
    for (int64_t done = 0; done < limit && !engine.MusicAtEnd(); done += kChunkFrames) {
      if (stop && *stop) return std::nullopt;
      int frames = int(std::min<int64_t>(kChunkFrames, limit - done));
      engine.RenderInto(frames, left.data(), right.data());
      meter.Add(left.data(), right.data(), size_t(frames));
    }
    lufs = Kept(meter.Integrated());
  }
  // The measuring synthesizer's samples are freed now; hand the memory back to the system.
  malloc_trim(0);
  return lufs;
}

float LevelForLoudness(double lufs) {
  if (lufs <= kSilentLufs) return 1.0f;
  double db = std::clamp(kTargetLufs - lufs, -kMostDb, kMostDb);
  return float(std::pow(10.0, db / 20.0));
}

TrackLevels::TrackLevels(std::string cacheFile, int seconds)
    : seconds_(seconds), cache_(std::move(cacheFile)) {
  cacheDamaged_ = !cache_.Load();
}

std::optional<LoudnessKey> TrackLevels::KeyFor(const std::string& soundFont,
                                               const std::vector<uint8_t>& midi) {
  auto identity = IdentifySoundFont(soundFont);
  if (!identity) return std::nullopt;
  return LoudnessKey{*identity, TrackHash(midi), seconds_};
}

float TrackLevels::Estimate(const SoundFontIdentity& soundFont) {
  std::vector<double> known = cache_.KnownFor(soundFont, seconds_);
  std::erase_if(known, [](double lufs) { return lufs <= kSilentLufs; });
  if (known.empty()) return 1.0f;
  std::sort(known.begin(), known.end());
  size_t n = known.size();
  double median = n % 2 ? known[n / 2] : (known[n / 2 - 1] + known[n / 2]) / 2;
  return LevelForLoudness(median);
}

void TrackLevels::Keep(const LoudnessKey& key, double lufs) {
  ++measured_;
  cache_.Store(key, lufs);
}

TrackLevels::Start TrackLevels::Begin(const std::string& soundFont, const std::vector<uint8_t>& midi) {
  current_.reset();
  std::optional<LoudnessKey> key = KeyFor(soundFont, midi);
  if (!key) return {1.0f, true};  // nothing to learn of a soundfont that cannot be named
  if (auto lufs = cache_.Find(*key)) return {LevelForLoudness(*lufs), true};
  current_ = key;
  return {Estimate(key->SoundFont), false};
}

float TrackLevels::Heard(double lufs, bool complete) {
  lufs = Kept(lufs);
  if (complete && current_) {
    Keep(*current_, lufs);
    current_.reset();
  }
  return LevelForLoudness(lufs);
}

void TrackLevels::End() { current_.reset(); }

float TrackLevels::LevelNow(const std::string& soundFont, const std::vector<uint8_t>& midi) {
  std::optional<LoudnessKey> key = KeyFor(soundFont, midi);
  if (!key) return 1.0f;
  if (auto lufs = cache_.Find(*key)) return LevelForLoudness(*lufs);
  std::optional<double> lufs = MeasureTrack(midi, soundFont, seconds_);
  if (!lufs) return 1.0f;
  Keep(*key, *lufs);
  return LevelForLoudness(*lufs);
}

}  // namespace audio
