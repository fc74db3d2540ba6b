#include "headless/headless_platform.h"

namespace platform {

void HeadlessPlatform::Note(const std::string& line) {
  lines.push_back(line);
  if (echo) echo(line);
}

bool HeadlessPlatform::AskYesNo(const std::string& caption, const std::string& text) {
  Note("msgbox: " + caption + " | " + text);
  return answerYes;
}

void HeadlessPlatform::ShowMessage(const std::string& caption, const std::string& text) {
  Note("msgbox: " + caption + " | " + text);
}

// The application's own error box carries the program's title as its caption.
void HeadlessPlatform::ShowNotice(const std::string& text) { Note("notice: " + text); }

void HeadlessPlatform::ShowError(const std::string& text) { Note("msgbox: ﾐﾛｳﾞｧｰﾝ | " + text); }

std::optional<std::string> HeadlessPlatform::SaveFileDialog(const FileDialogRequest& request) {
  dialogsShown.push_back(request);
  if (saveAnswers.empty()) return std::nullopt;
  auto answer = saveAnswers.front();
  saveAnswers.pop_front();
  return answer;
}

std::optional<std::string> HeadlessPlatform::OpenFileDialog(const FileDialogRequest& request) {
  dialogsShown.push_back(request);
  if (openAnswers.empty()) return std::nullopt;
  auto answer = openAnswers.front();
  openAnswers.pop_front();
  return answer;
}

bool HeadlessPlatform::ShellOpen(const std::string& address) {
  Note("open: " + address);
  return shellOpens;
}

void HeadlessPlatform::Repaint(const gfx::Bitmap& image1) {
  ++repaints;
  lastRepainted_ = &image1;
}

void HeadlessPlatform::ShowOptionsDialog() {
  if (optionsDialogScript) optionsDialogScript();
}

void HeadlessPlatform::ShowAboutDialog() {}

}  // namespace platform
