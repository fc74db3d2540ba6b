#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "persist/save.h"
#include "replay/recorder.h"

namespace replay {

namespace {

// The bytes a load of path will read (its first record's worth), or nullopt where the load
// will refuse the file without reading it. Read the way the load reads it: never blocking.
std::optional<std::vector<uint8_t>> BytesALoadReads(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return std::nullopt;
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return std::nullopt;
  }
  std::vector<uint8_t> bytes(kSaveRecordSize);
  size_t got = 0;
  while (got < bytes.size()) {
    ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      ::close(fd);
      return std::nullopt;
    }
    if (n == 0) break;
    got += static_cast<size_t>(n);
  }
  ::close(fd);
  bytes.resize(got);
  return bytes;
}

}  // namespace

void Recorder::OpenAnswer(const std::optional<std::string>& path) {
  Event e = At(EventKind::OpenAnswer);
  if (path && !path->empty()) {
    auto bytes = BytesALoadReads(*path);
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
    const platform::FileDialogSpec& request) {
  auto chosen = inner_.SaveFileDialog(request);
  if (recorder_) recorder_->SaveAnswer(chosen && !chosen->empty());
  return chosen;
}

std::optional<std::string> RecordingPlatform::OpenFileDialog(
    const platform::FileDialogSpec& request) {
  auto chosen = inner_.OpenFileDialog(request);
  if (recorder_) recorder_->OpenAnswer(chosen);
  return chosen;
}

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
void RecordingPlatform::FormChanged() { inner_.FormChanged(); }
void RecordingPlatform::Quit() { inner_.Quit(); }
void RecordingPlatform::ShowAboutDialog() { inner_.ShowAboutDialog(); }

}  // namespace replay
