// Playback: the replay's inputs handed to the game tick by tick, its dialogs answered from
// the replay, and every stored state hash compared with the game's own.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/platform.h"
#include "replay/replay.h"

namespace replay {

class Player;

// Answers the game's dialogs from the replay and keeps playback from reaching outside the
// game: no browser is opened, no dialog shown, and files are saved and loaded in a private
// folder. Messages pass through, so the viewer sees what the player saw.
class PlaybackPlatform : public platform::Platform {
 public:
  PlaybackPlatform(platform::Platform& inner, Player& player) : inner_(inner), player_(player) {}

  bool AskYesNo(const std::string& caption, const std::string& text) override;
  void ShowMessage(const std::string& caption, const std::string& text) override;
  void ShowError(const std::string& text) override;
  std::optional<std::string> SaveFileDialog(const platform::FileDialogRequest& request) override;
  std::optional<std::string> OpenFileDialog(const platform::FileDialogRequest& request) override;
  bool ShellOpen(const std::string&) override { return true; }
  void Repaint(const gfx::Bitmap& image1) override;
  void WindowChanged() override;
  void Quit() override;
  void ShowOptionsDialog() override;
  void ShowAboutDialog() override {}
  std::optional<std::string> OwnSavePath(const std::string& name, bool forLoad,
                                         std::string& reason) override;
  void ShowNotice(const std::string& text) override;

 private:
  platform::Platform& inner_;
  Player& player_;
};

class Player {
 public:
  enum class Status { Playing, Finished, Desync };

  // Installs itself over inner as the game's platform and shuts out the player's own input
  // until it is destroyed.
  Player(platform::Platform& inner, Replay replay);
  ~Player();
  Player(const Player&) = delete;
  Player& operator=(const Player&) = delete;

  // Puts the game where the replay began (the program started and shown); false if the
  // start could not be loaded.
  bool Begin();
  // Hands the game what the replay holds before the next tick, checks what it stored, and
  // runs the tick; Finished once the replay is over.
  Status Step();

  Status State() const { return status_; }
  int64_t Ticks() const { return tick_; }
  int64_t TotalTicks() const;
  // At a desync: the tick, and what differed (English).
  int64_t DesyncTick() const { return desyncTick_; }
  const std::string& Problem() const { return problem_; }

  // The next event if it is a dialog answer of this kind standing at the current tick; a
  // desync otherwise.
  const Event* TakeAnswer(EventKind kind);
  // A file in the private folder for the n-th file dialog.
  std::string ScratchFile(const std::string& name);

 private:
  void Deliver(const Event& e);
  void Check(uint64_t stored, const char* what);
  void Fail(const std::string& problem);
  bool AnswerKind(EventKind kind) const;

  platform::Platform& inner_;
  PlaybackPlatform decorator_;
  Replay replay_;
  size_t next_ = 0;
  int64_t tick_ = 0;
  Status status_ = Status::Playing;
  int64_t desyncTick_ = -1;
  std::string problem_;
  std::string scratchDir_;
};

}  // namespace replay
