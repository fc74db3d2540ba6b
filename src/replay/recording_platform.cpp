#include "persist/save.h"
#include "replay/recorder.h"

namespace replay {

void Recorder::OpenAnswer(const std::optional<std::string>& path) {
  Event e = At(EventKind::OpenAnswer);
  if (path && !path->empty()) {
    auto bytes = persist::ReadSaveBytes(*path);
    e.Open = bytes ? OpenResult::Bytes : OpenResult::Unreadable;
    if (bytes) e.Bytes = std::move(*bytes);
  }
  AddAnswer(e);
}

bool RecordingPlatform::AskYesNo(const std::string& caption, const std::string& text) {
  bool yes = inner_.AskYesNo(caption, text);
  if (recorder_) recorder_->Answer(yes);
  return yes;
}

std::optional<std::string> RecordingPlatform::SaveFileDialog(
    const platform::FileDialogRequest& request) {
  auto chosen = inner_.SaveFileDialog(request);
  if (recorder_) recorder_->SaveAnswer(chosen && !chosen->empty());
  return chosen;
}

std::optional<std::string> RecordingPlatform::OpenFileDialog(
    const platform::FileDialogRequest& request) {
  auto chosen = inner_.OpenFileDialog(request);
  if (recorder_) recorder_->OpenAnswer(chosen);
  return chosen;
}

// A load of the game's own saves is recorded as the load dialog's answer is: with the bytes
// the load is about to read, so that playback needs no file.
std::optional<std::string> RecordingPlatform::OwnSavePath(const std::string& name, bool forLoad,
                                                          std::string& reason) {
  auto path = inner_.OwnSavePath(name, forLoad, reason);
  if (recorder_ && forLoad) recorder_->OpenAnswer(path);
  return path;
}

void RecordingPlatform::ShowNotice(const std::string& text) { inner_.ShowNotice(text); }

void RecordingPlatform::ShowOptionsDialog() {
  inner_.ShowOptionsDialog();
  if (recorder_) recorder_->OptionsAnswer();
}

void RecordingPlatform::ShowMessage(const std::string& caption, const std::string& text) {
  inner_.ShowMessage(caption, text);
}
void RecordingPlatform::ShowError(const std::string& text) { inner_.ShowError(text); }
bool RecordingPlatform::ShellOpen(const std::string& address) { return inner_.ShellOpen(address); }
void RecordingPlatform::Repaint(const gfx::Bitmap& image1) { inner_.Repaint(image1); }
void RecordingPlatform::WindowChanged() { inner_.WindowChanged(); }
void RecordingPlatform::Quit() { inner_.Quit(); }
void RecordingPlatform::ShowAboutDialog() { inner_.ShowAboutDialog(); }

}  // namespace replay
