#include "replay_mode.h"

#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <vector>

#include "state/random.h"
#include "state/state.h"
#include "state/window_model.h"
#include "headless/headless_platform.h"
#include "replay/player.h"
#include "replay/reader.h"
#include "replay/recorder.h"
#include "replay/start.h"
#include "game/window_handlers.h"

namespace sim {

namespace {

double ProcessorSeconds() {
  timespec t{};
  ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// The processor time beside the wall-clock time: on a busy machine the two differ much.
void PrintTiming(int64_t ticks, double seconds, double processor) {
  auto rate = [ticks](double s) { return s > 0 ? static_cast<double>(ticks) / s : 0.0; };
  std::printf("%lld ticks, %.3f seconds, %.0f ticks per second (processor time %.3f seconds, "
              "%.0f ticks per second)\n",
              static_cast<long long>(ticks), seconds, rate(seconds), processor, rate(processor));
}

// The middle run of several, by processor time (the mean of the middle two for an even
// count): one run slowed by the machine's other work does not move it.
void PrintMedian(int64_t ticks, std::vector<double> processor) {
  std::sort(processor.begin(), processor.end());
  const size_t n = processor.size();
  const double middle = n % 2 ? processor[n / 2] : (processor[n / 2 - 1] + processor[n / 2]) / 2;
  std::printf("median of %zu runs: %lld ticks, processor time %.3f seconds, %.0f ticks per "
              "second\n",
              n, static_cast<long long>(ticks), middle,
              middle > 0 ? static_cast<double>(ticks) / middle : 0.0);
}

constexpr int kMostRepeats = 1000;

}  // namespace

struct SimReplay::Pending {
  replay::Replay replay;
  // The game just before the first run began, for a replay that starts from a fresh
  // program: the start puts back only the options, the rest is as the program left it.
  GameState game{};
  WindowModel window;
  uint32_t seed = 0;
};

bool TakeReplayOption(const std::string& arg, const std::function<std::string()>& next,
                      ReplayOptions& o) {
  if (arg == "--record") {
    o.record = next();
  } else if (arg == "--play") {
    o.play = next();
  } else if (arg == "--timedemo") {
    o.play = next();
    o.timedemo = true;
  } else if (arg == "--timedemo-repeat") {
    const std::string text = next();
    char* end = nullptr;
    const long n = std::strtol(text.c_str(), &end, 10);
    o.repeat = !text.empty() && *end == '\0' && n >= 1 && n <= kMostRepeats ? static_cast<int>(n)
                                                                            : -1;  // reported by the check
  } else {
    return false;
  }
  return true;
}

std::string CheckReplayOptions(const ReplayOptions& o) {
  if (o.repeat < 1) return "--timedemo-repeat takes a count from 1 to " + std::to_string(kMostRepeats);
  if (o.repeat != 1 && !o.timedemo) return "--timedemo-repeat belongs to --timedemo";
  return "";
}

SimReplay::SimReplay(const ReplayOptions& options, platform::HeadlessPlatform& os)
    : options_(options), os_(os) {
  if (!options_.record.empty() && Playing())
    throw ReplayFailure{"--record cannot be combined with --play or --timedemo"};
  if (!Playing()) return;
  auto read = replay::ReadReplayFile(options_.play);
  if (auto* error = std::get_if<replay::ReadError>(&read))
    throw ReplayFailure{"cannot play " + options_.play + ": " + error->Message()};
  pending_ = std::make_unique<Pending>();
  pending_->replay = std::move(std::get<replay::Replay>(read));
  if (auto refusal = replay::CheckCompatible(pending_->replay.Head))
    throw ReplayFailure{"cannot play " + options_.play + ": " + refusal->English};
  if (!pending_->replay.Ended)
    std::cerr << "mirovaan-sim: " << options_.play
              << " has no end line (the recording was cut off); playing what it holds\n";
}

SimReplay::~SimReplay() = default;

void SimReplay::Begin(bool loaded) {
  if (!options_.record.empty()) {
    recording_ = std::make_unique<replay::RecordingSession>(os_);
    std::string error;
    if (!recording_->Start(options_.record, loaded, error)) throw ReplayFailure{error};
  }
  if (!Playing()) return;
  if (options_.timedemo && options_.repeat > 1) {
    again_ = std::make_unique<Pending>();
    again_->replay = pending_->replay;
    again_->game = G;
    again_->window = Window;
    again_->seed = RandSeed;
  }
  player_ = std::make_unique<replay::Player>(os_, std::move(pending_->replay));
  pending_.reset();
  if (!player_->Begin()) throw ReplayFailure{"cannot play " + options_.play + ": " + player_->Problem()};
}

int SimReplay::Play(const std::function<void(int)>& afterTick) {
  double processor = 0;
  int status = PlayOnce(afterTick, processor);
  if (!again_ || status != 0) return status;
  std::vector<double> runs{processor};
  for (int run = 1; run < options_.repeat; ++run) {
    player_.reset();
    G = again_->game;
    Window = again_->window;
    RandSeed = again_->seed;
    player_ = std::make_unique<replay::Player>(os_, again_->replay);
    if (!player_->Begin()) throw ReplayFailure{"cannot play " + options_.play + ": " + player_->Problem()};
    status = PlayOnce(afterTick, processor);
    if (status != 0) return status;
    runs.push_back(processor);
  }
  PrintMedian(player_->Ticks(), runs);
  return 0;
}

int SimReplay::PlayOnce(const std::function<void(int)>& afterTick, double& processorUsed) {
  auto started = std::chrono::steady_clock::now();
  double processor = ProcessorSeconds();
  while (true) {
    int64_t before = player_->Ticks();
    replay::Player::Status status = player_->Step();
    // The timed run draws every frame but renders no sound and writes nothing: sound and
    // files do not change the game, and would time the disk and the synthesizer instead.
    if (player_->Ticks() != before && !options_.timedemo)
      afterTick(static_cast<int>(player_->Ticks()));
    if (status != replay::Player::Status::Playing) break;
  }
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  processorUsed = ProcessorSeconds() - processor;
  if (options_.timedemo) PrintTiming(player_->Ticks(), seconds, processorUsed);
  if (player_->State() != replay::Player::Status::Desync) return 0;
  std::cerr << "mirovaan-sim: replay does not match: tick " << player_->DesyncTick() << " ("
            << player_->Problem() << ")\n";
  return 3;
}

void SimReplay::Finish() {
  if (recording_) {
    recording_->Stop();
    recording_.reset();
  }
  player_.reset();
}

}  // namespace sim
