// Every track at one loudness, whatever the soundfont: soundfonts differ by many decibels
// from one instrument to the next, so a track's level is measured with the soundfont in use
// (EBU R 128 integrated loudness of what the synthesizer renders), kept in the loudness
// cache, and the track is played with the factor that brings it to one target.
//
// The game measures a track by listening to its own output while the track plays its first
// pass with a new soundfont: a second synthesizer measuring on the side would load the
// track's instruments a second time, and a large soundfont's instruments are tens of
// megabytes. Nothing waits: the track starts at an estimate and glides towards what has
// been heard so far, and from the next time on starts at its own level.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "audio/loudness_cache.h"

namespace audio {

// Where every track is played. The tracks were balanced by ear with TimGM6mb, against the
// effects; this is their median loudness there, so the effects keep the place they were
// made for, now with any soundfont.
constexpr double kTargetLufs = -25.0;
// How much of a track is measured: its first pass, at most this long. The game's tracks
// loop within about a minute and keep one character throughout.
constexpr int kMeasureSeconds = 60;
// What has been heard of a track is a fair guide to its level after this long.
constexpr double kFirstGuessSeconds = 3.0;

// Integrated loudness of the first pass of a track (at most `seconds`) as the game renders
// it with the soundfont at full music volume and level 1: -70 or lower when it is silent.
// To the thousandth of a LU the cache keeps. Nullopt when the soundfont cannot be loaded or
// `stop` became true meanwhile.
std::optional<double> MeasureTrack(const std::vector<uint8_t>& midi, const std::string& soundFont,
                                   int seconds, const std::atomic<bool>* stop = nullptr);

// The level (a factor on the music) that brings a track measured at `lufs` to the target;
// a silent track is left alone, and no track is moved by more than 24 dB.
float LevelForLoudness(double lufs);

class TrackLevels {
 public:
  // cacheFile "": measured levels are kept for this run only.
  explicit TrackLevels(std::string cacheFile, int seconds = kMeasureSeconds);

  int Seconds() const { return seconds_; }

  struct Start {
    float Level = 1.0f;
    bool Known = false;  // the track's own level; else an estimate, to be learnt by listening
  };
  // A track about to play with this soundfont: its own level when known, else an estimate
  // (the median of the soundfont's tracks known so far, or 1 before any).
  Start Begin(const std::string& soundFont, const std::vector<uint8_t>& midi);
  // The track begun has been heard, at level 1 and full volume, at `lufs` so far: the level
  // to glide to. Once the whole pass has been heard (complete), the loudness is kept and
  // the track's level is known.
  float Heard(double lufs, bool complete);
  // The track begun is no longer playing, or its level is known: nothing more to learn.
  void End();
  bool Listening() const { return current_.has_value(); }

  // On this thread: the track's level, from the cache or measured now (and kept).
  float LevelNow(const std::string& soundFont, const std::vector<uint8_t>& midi);

  // Tracks measured or heard through by this object (not found in the cache).
  int Measured() const { return measured_; }
  // The cache as read at construction was damaged or foreign, and is being rebuilt.
  bool CacheWasDamaged() const { return cacheDamaged_; }

 private:
  std::optional<LoudnessKey> KeyFor(const std::string& soundFont, const std::vector<uint8_t>& midi);
  float Estimate(const SoundFontIdentity& soundFont);
  void Keep(const LoudnessKey& key, double lufs);

  const int seconds_;
  LoudnessCache cache_;
  bool cacheDamaged_ = false;
  int measured_ = 0;
  std::optional<LoudnessKey> current_;  // the track playing, while its level is learnt
};

}  // namespace audio
