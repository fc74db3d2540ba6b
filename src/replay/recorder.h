// Recording: every input the game receives, every answer its dialogs give, and a state hash
// every hundred ticks, written to a replay file as play goes on.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/platform.h"
#include "replay/replay.h"
#include "replay/writer.h"
#include "shell/feed.h"

namespace replay {

class Recorder : public feed::Listener {
 public:
  Recorder(std::unique_ptr<Writer> writer, const Header& header);
  ~Recorder() override;  // the end line

  void OnKey(bool down, uint16_t key) override;
  void OnCommand(feed::Command command, int slot) override;
  void AfterTick() override;

  // The dialogs' answers, as the recording platform sees them.
  void Answer(bool yes);
  void SaveAnswer(bool chosen);
  void OpenAnswer(const std::optional<std::string>& path);
  void OptionsAnswer();

  int64_t Ticks() const { return ticks_; }
  const std::string& Error() const { return writer_->Error(); }

 private:
  Event At(EventKind kind) const;
  void AddAnswer(const Event& event);

  std::unique_ptr<Writer> writer_;
  int64_t ticks_ = 0;
};

// Passes everything to the platform underneath and tells the recorder (when there is one)
// what each dialog answered.
class RecordingPlatform : public platform::Platform {
 public:
  explicit RecordingPlatform(platform::Platform& inner) : inner_(inner) {}
  void SetRecorder(Recorder* recorder) { recorder_ = recorder; }

  bool AskYesNo(const std::string& caption, const std::string& text) override;
  void ShowMessage(const std::string& caption, const std::string& text) override;
  void ShowError(const std::string& text) override;
  std::optional<std::string> SaveFileDialog(const platform::FileDialogRequest& request) override;
  std::optional<std::string> OpenFileDialog(const platform::FileDialogRequest& request) override;
  bool ShellOpen(const std::string& address) override;
  void Repaint(const gfx::Bitmap& image1) override;
  void WindowChanged() override;
  void Quit() override;
  void ShowOptionsDialog() override;
  void ShowAboutDialog() override;
  std::optional<std::string> OwnSavePath(const std::string& name, bool forLoad,
                                         std::string& reason) override;
  void ShowNotice(const std::string& text) override;

 private:
  platform::Platform& inner_;
  Recorder* recorder_ = nullptr;
};

// What a program needs to record: put it over the platform at start-up, then start and stop
// recording whenever asked. It installs itself as the game's platform while it lives.
class RecordingSession {
 public:
  explicit RecordingSession(platform::Platform& inner);
  ~RecordingSession();

  // Begins a replay in path from this moment: at program start-up (fromSave false) or from
  // the running game, saved into the replay and loaded back so that recording and playback
  // start alike. False and the reason (English) on failure; the game is then unchanged.
  bool Start(const std::string& path, bool fromSave, std::string& error);
  void Stop();
  bool Recording() const { return recorder_ != nullptr; }
  const Recorder* Current() const { return recorder_.get(); }

 private:
  platform::Platform& inner_;
  RecordingPlatform decorator_;
  std::unique_ptr<Recorder> recorder_;
};

}  // namespace replay
