#include "replay_mode.h"

#include <time.h>

#include <chrono>
#include <cstdio>
#include <iostream>

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

}  // namespace

struct SimReplay::Pending {
  replay::Replay replay;
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
  } else {
    return false;
  }
  return true;
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
  player_ = std::make_unique<replay::Player>(os_, std::move(pending_->replay));
  pending_.reset();
  if (!player_->Begin()) throw ReplayFailure{"cannot play " + options_.play + ": " + player_->Problem()};
}

int SimReplay::Play(const std::function<void(int)>& afterTick) {
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
  if (options_.timedemo) PrintTiming(player_->Ticks(), seconds, ProcessorSeconds() - processor);
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
