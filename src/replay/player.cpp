#include "replay/player.h"

#include <cstdlib>
#include <filesystem>

#include "replay/start.h"
#include "game/window_handlers.h"
#include "replay/state_hash.h"
#include "replay/text_codec.h"

namespace replay {

Player::Player(platform::Platform& inner, Replay replay)
    : inner_(inner), decorator_(inner, *this), replay_(std::move(replay)) {
  platform::SetPlatform(&decorator_);
  feed::SetReplayDriving(true);
}

Player::~Player() {
  feed::SetReplayDriving(false);
  platform::SetPlatform(&inner_);
  if (!scratchDir_.empty()) {
    std::error_code ignored;
    std::filesystem::remove_all(scratchDir_, ignored);
  }
}

int64_t Player::TotalTicks() const {
  if (replay_.Ended) return replay_.EndTick;
  return replay_.Events.empty() ? 0 : replay_.Events.back().Tick;
}

bool Player::Begin() {
  if (!ApplyStart(replay_.Head)) {
    Fail("the replay's saved game could not be loaded");
    return false;
  }
  return true;
}

Player::Status Player::Step() {
  while (status_ == Status::Playing && next_ < replay_.Events.size() &&
         replay_.Events[next_].Tick == tick_) {
    Deliver(replay_.Events[next_++]);
  }
  if (status_ != Status::Playing) return status_;
  if (next_ == replay_.Events.size() && (!replay_.Ended || tick_ == replay_.EndTick)) {
    if (replay_.Ended) Check(replay_.EndHash, "final");
    if (status_ == Status::Playing) status_ = Status::Finished;
    return status_;
  }
  RunHandler([] { feed::Tick(feed::From::Replay); });
  ++tick_;
  return status_;
}

void Player::Deliver(const Event& e) {
  switch (e.Kind) {
    case EventKind::KeyDown: RunHandler([&] { feed::KeyDown(e.Key, feed::From::Replay); }); break;
    case EventKind::KeyUp: RunHandler([&] { feed::KeyUp(e.Key, feed::From::Replay); }); break;
    case EventKind::Command: RunHandler([&] { feed::RunSlot(e.Cmd, e.Slot, feed::From::Replay); }); break;
    case EventKind::Hash: Check(e.Hash, "stored"); return;
    default:
      Fail("line " + std::to_string(e.Line) + ": a dialog answer the game did not ask for");
      return;
  }
  // The input's own dialogs have taken their answers by now; one left over means the game
  // went another way than when it was recorded.
  if (status_ == Status::Playing && next_ < replay_.Events.size() &&
      replay_.Events[next_].Tick == tick_ && AnswerKind(replay_.Events[next_].Kind))
    Fail("line " + std::to_string(replay_.Events[next_].Line) +
         ": a dialog answer the game did not ask for");
}

bool Player::AnswerKind(EventKind kind) const {
  return kind == EventKind::Answer || kind == EventKind::SaveAnswer ||
         kind == EventKind::OpenAnswer || kind == EventKind::OptionsAnswer;
}

void Player::Check(uint64_t stored, const char* what) {
  uint64_t ours = StateHash();
  if (ours != stored)
    Fail(std::string("the ") + what + " state hash differs (" + Hex64(stored) + " recorded, " +
         Hex64(ours) + " played)");
}

void Player::Fail(const std::string& problem) {
  if (status_ == Status::Desync) return;
  status_ = Status::Desync;
  desyncTick_ = tick_;
  problem_ = problem;
}

const Event* Player::TakeAnswer(EventKind kind) {
  if (status_ != Status::Playing) return nullptr;
  if (next_ < replay_.Events.size() && replay_.Events[next_].Tick == tick_ &&
      replay_.Events[next_].Kind == kind)
    return &replay_.Events[next_++];
  Fail("the game showed a dialog that the replay holds no answer for");
  return nullptr;
}

std::string Player::ScratchFile(const std::string& name) {
  if (scratchDir_.empty()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "mirovaan-replay-XXXXXX").string();
    if (::mkdtemp(pattern.data())) scratchDir_ = pattern;
  }
  return scratchDir_.empty() ? std::string() : scratchDir_ + "/" + name;
}

}  // namespace replay
