// The runner's replay options: --record FILE writes a replay of the run, --play FILE plays
// one (its states and frames written as usual), --timedemo FILE plays one as fast as it can
// and prints how fast that was; --timedemo-repeat N plays it N times over and prints the
// median, since a single short run on a busy machine says little.
#pragma once

#include <functional>
#include <memory>
#include <string>

namespace platform {
class HeadlessPlatform;
}
namespace replay {
class Player;
class RecordingSession;
}

namespace sim {

struct ReplayOptions {
  std::string record, play;
  bool timedemo = false;
  int repeat = 1;  // how many times the timed run plays the replay; -1 for a bad count
};

// Takes arg (and its value through next) if it is one of the replay options.
bool TakeReplayOption(const std::string& arg, const std::function<std::string()>& next,
                      ReplayOptions& options);
// What is wrong with the replay options taken together, or "".
std::string CheckReplayOptions(const ReplayOptions& options);

// A refused replay or a recording that cannot start: the message and the exit status.
struct ReplayFailure {
  std::string message;
  int status = 2;
};

class SimReplay {
 public:
  // Reads and checks the replay to play (AppDir set, nothing started yet); throws
  // ReplayFailure when it is refused.
  SimReplay(const ReplayOptions& options, platform::HeadlessPlatform& os);
  ~SimReplay();

  bool Playing() const { return !options_.play.empty() || options_.timedemo; }
  // After the program's start-up (and --load): begins recording or playback.
  void Begin(bool loaded);
  // Plays the whole replay (a timed run as many times as asked, each from the replay's
  // start); afterTick(tick) runs after every tick. The exit status: 0, or 3 for a desync
  // (reported on standard error).
  int Play(const std::function<void(int)>& afterTick);
  // Ends a recording with its end line.
  void Finish();

 private:
  ReplayOptions options_;
  platform::HeadlessPlatform& os_;
  std::unique_ptr<replay::Player> player_;
  std::unique_ptr<replay::RecordingSession> recording_;
  struct Pending;
  std::unique_ptr<Pending> pending_;
  // The replay again for each further timed run, and the game as the first run found it.
  std::unique_ptr<Pending> again_;

  int PlayOnce(const std::function<void(int)>& afterTick, double& processor);
};

}  // namespace sim
