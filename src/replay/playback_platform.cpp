#include <fstream>

#include "replay/player.h"
#include "shell/options.h"

namespace replay {

namespace {

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace

bool PlaybackPlatform::AskYesNo(const std::string&, const std::string&) {
  const Event* answer = player_.TakeAnswer(EventKind::Answer);
  return answer && answer->Yes;
}

std::optional<std::string> PlaybackPlatform::SaveFileDialog(const platform::FileDialogRequest&) {
  const Event* answer = player_.TakeAnswer(EventKind::SaveAnswer);
  if (!answer || !answer->Yes) return std::nullopt;
  return player_.ScratchFile("saved.sav");
}

// The load reads what the recorded file held then, wherever it was and whatever it holds now.
std::optional<std::string> PlaybackPlatform::OpenFileDialog(const platform::FileDialogRequest&) {
  const Event* answer = player_.TakeAnswer(EventKind::OpenAnswer);
  if (!answer || answer->Open == OpenResult::Cancelled) return std::nullopt;
  std::string path = player_.ScratchFile("loaded.sav");
  if (path.empty()) return std::nullopt;
  if (answer->Open == OpenResult::Unreadable) return path + ".missing";
  if (!WriteBytes(path, answer->Bytes)) return std::nullopt;
  return path;
}

// Saves go to the private folder; a load reads what the recorded save held then.
std::optional<std::string> PlaybackPlatform::OwnSavePath(const std::string& name, bool forLoad,
                                                         std::string&) {
  if (!forLoad) return player_.ScratchFile(name);
  return OpenFileDialog({});
}

void PlaybackPlatform::ShowNotice(const std::string& text) { inner_.ShowNotice(text); }

// The dialog closes as it was closed then: its controls set, then its close button.
void PlaybackPlatform::ShowOptionsDialog() {
  const Event* answer = player_.TakeAnswer(EventKind::OptionsAnswer);
  if (!answer) return;
  SetSpeedPosition(answer->Interval);
  SetMusicChecked(answer->Music);
  SetEffectsChecked(answer->Effects);
  OnOptionsClose();
}

void PlaybackPlatform::ShowMessage(const std::string& caption, const std::string& text) {
  inner_.ShowMessage(caption, text);
}
void PlaybackPlatform::ShowError(const std::string& text) { inner_.ShowError(text); }
void PlaybackPlatform::Repaint(const gfx::Bitmap& image1) { inner_.Repaint(image1); }
void PlaybackPlatform::WindowChanged() { inner_.WindowChanged(); }
void PlaybackPlatform::Quit() { inner_.Quit(); }

}  // namespace replay
