// Every track at one loudness, whatever the soundfont: soundfonts differ by many decibels
// from one instrument to the next, so a track's level is measured with the soundfont in use
// (EBU R 128 integrated loudness of what the synthesizer renders), kept in the loudness
// cache, and the track is played with the factor that brings it to one target. Measuring
// runs on a worker thread of its own, so nothing waits for it: a track whose level is not
// known yet starts at an estimate and glides to its own level once it is.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
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

// Integrated loudness of the first pass of a track (at most `seconds`) as the game renders
// it with the soundfont at full music volume and level 1: -70 or lower when it is silent.
// Nullopt when the soundfont cannot be loaded or `stop` became true meanwhile.
std::optional<double> MeasureTrack(const std::vector<uint8_t>& midi, const std::string& soundFont,
                                   int seconds, const std::atomic<bool>* stop = nullptr);

// The level (a factor on the music) that brings a track measured at `lufs` to the target;
// a silent track is left alone, and no track is moved by more than 24 dB.
float LevelForLoudness(double lufs);

class TrackLevels {
 public:
  using Apply = std::function<void(float level)>;

  // cacheFile "": measured levels are kept for this run only.
  explicit TrackLevels(std::string cacheFile, int seconds = kMeasureSeconds);
  ~TrackLevels();
  TrackLevels(const TrackLevels&) = delete;
  TrackLevels& operator=(const TrackLevels&) = delete;

  // The level to start a track at with this soundfont: its own when known, else an estimate
  // (the median of the soundfont's tracks known so far, or 1 before any). In that case the
  // track is measured next, and `apply` is called on the worker thread with its level,
  // unless another track, or nothing, has been begun since.
  float Begin(const std::string& soundFont, const std::vector<uint8_t>& midi, Apply apply);
  // Nothing plays any more: a level learnt later is not applied.
  void End();
  // On this thread: the track's level, from the cache or measured now (and kept).
  float LevelNow(const std::string& soundFont, const std::vector<uint8_t>& midi);

  // Ends the worker, abandoning a measurement under way; quick.
  void Stop();
  // Waits until nothing is queued or being measured, at most maxMs; true when so.
  bool WaitIdle(int maxMs);
  // Tracks measured by this object (not found in the cache).
  int Measured();
  // The cache as read at construction was damaged or foreign, and is being rebuilt.
  bool CacheWasDamaged() const { return cacheDamaged_; }

 private:
  struct Job {
    std::string SoundFont;
    std::vector<uint8_t> Midi;
  };
  void Work();
  void RunJob(Job job, std::unique_lock<std::mutex>& lock);
  std::optional<LoudnessKey> KeyFor(const std::string& soundFont, const std::vector<uint8_t>& midi);
  float EstimateLocked(const SoundFontIdentity& soundFont);
  void StartWorkerLocked();

  const int seconds_;
  std::mutex mutex_;
  std::condition_variable changed_;
  LoudnessCache cache_;
  bool cacheDamaged_ = false;
  std::deque<Job> jobs_;
  bool busy_ = false;
  int measured_ = 0;
  std::optional<LoudnessKey> current_;  // the track playing, when its level is awaited
  Apply apply_;
  std::atomic<bool> stop_{false};
  std::thread worker_;
};

}  // namespace audio
