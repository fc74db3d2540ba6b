#include "audio/track_levels.h"

#include <malloc.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>

#include "audio/engine.h"
#include "audio/loudness_meter.h"

namespace audio {

namespace {

constexpr int kChunkFrames = 4096;
constexpr double kSilentLufs = -60.0;
constexpr double kMostDb = 24.0;

// The worker gives way to the game: measuring may take a few seconds of the machine's time,
// the game's tick and the sound output may not.
void LowerThisThreadsPriority() {
  setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), 10);
}

}  // namespace

std::optional<double> MeasureTrack(const std::vector<uint8_t>& midi, const std::string& soundFont,
                                   int seconds, const std::atomic<bool>* stop) {
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
  // To the thousandth of a LU the cache keeps, so that a level measured now and one read
  // back later are the same.
  return std::round(meter.Integrated() * 1000.0) / 1000.0;
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

TrackLevels::~TrackLevels() { Stop(); }

std::optional<LoudnessKey> TrackLevels::KeyFor(const std::string& soundFont,
                                               const std::vector<uint8_t>& midi) {
  auto identity = IdentifySoundFont(soundFont);
  if (!identity) return std::nullopt;
  return LoudnessKey{*identity, TrackHash(midi), seconds_};
}

float TrackLevels::EstimateLocked(const SoundFontIdentity& soundFont) {
  std::vector<double> known = cache_.KnownFor(soundFont, seconds_);
  std::erase_if(known, [](double lufs) { return lufs <= kSilentLufs; });
  if (known.empty()) return 1.0f;
  std::sort(known.begin(), known.end());
  size_t n = known.size();
  double median = n % 2 ? known[n / 2] : (known[n / 2 - 1] + known[n / 2]) / 2;
  return LevelForLoudness(median);
}

float TrackLevels::Begin(const std::string& soundFont, const std::vector<uint8_t>& midi, Apply apply) {
  std::optional<LoudnessKey> key = KeyFor(soundFont, midi);
  std::lock_guard<std::mutex> lock(mutex_);
  current_.reset();
  apply_ = nullptr;
  if (!key) return 1.0f;
  if (auto lufs = cache_.Find(*key)) return LevelForLoudness(*lufs);
  current_ = key;
  apply_ = std::move(apply);
  jobs_.push_front(Job{soundFont, midi});
  StartWorkerLocked();
  return EstimateLocked(key->SoundFont);
}

void TrackLevels::End() {
  std::lock_guard<std::mutex> lock(mutex_);
  current_.reset();
  apply_ = nullptr;
}

float TrackLevels::LevelNow(const std::string& soundFont, const std::vector<uint8_t>& midi) {
  std::optional<LoudnessKey> key = KeyFor(soundFont, midi);
  if (!key) return 1.0f;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (auto lufs = cache_.Find(*key)) return LevelForLoudness(*lufs);
  }
  std::optional<double> lufs = MeasureTrack(midi, soundFont, seconds_);
  if (!lufs) return 1.0f;
  std::lock_guard<std::mutex> lock(mutex_);
  ++measured_;
  cache_.Store(*key, *lufs);
  return LevelForLoudness(*lufs);
}

void TrackLevels::StartWorkerLocked() {
  changed_.notify_all();
  if (!worker_.joinable() && !stop_) worker_ = std::thread([this] { Work(); });
}

void TrackLevels::Stop() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stop_ = true;
    jobs_.clear();
    current_.reset();
    apply_ = nullptr;
  }
  changed_.notify_all();
  if (worker_.joinable()) worker_.join();
}

bool TrackLevels::WaitIdle(int maxMs) {
  std::unique_lock<std::mutex> lock(mutex_);
  return changed_.wait_for(lock, std::chrono::milliseconds(maxMs),
                           [this] { return jobs_.empty() && !busy_; });
}

int TrackLevels::Measured() {
  std::lock_guard<std::mutex> lock(mutex_);
  return measured_;
}

void TrackLevels::Work() {
  LowerThisThreadsPriority();
  std::unique_lock<std::mutex> lock(mutex_);
  while (!stop_) {
    if (jobs_.empty()) {
      changed_.wait(lock, [this] { return stop_ || !jobs_.empty(); });
      continue;
    }
    Job job = std::move(jobs_.front());
    jobs_.pop_front();
    busy_ = true;
    RunJob(std::move(job), lock);
    busy_ = false;
    changed_.notify_all();
  }
}

// Called and returns with the lock held; measures without it.
void TrackLevels::RunJob(Job job, std::unique_lock<std::mutex>& lock) {
  lock.unlock();
  std::optional<LoudnessKey> key = KeyFor(job.SoundFont, job.Midi);
  lock.lock();
  if (!key) return;
  std::optional<double> lufs = cache_.Find(*key);
  if (!lufs) {
    lock.unlock();
    lufs = MeasureTrack(job.Midi, job.SoundFont, seconds_, &stop_);
    // The measuring synthesizer's samples are freed now; hand the memory back to the
    // system, so the program keeps only the footprint of the music it plays.
    malloc_trim(0);
    lock.lock();
    if (!lufs) return;
    ++measured_;
    cache_.Store(*key, *lufs);
  }
  if (current_ == key && apply_) {
    apply_(LevelForLoudness(*lufs));
    current_.reset();
    apply_ = nullptr;
  }
}

}  // namespace audio
