// The platform for the headless runner and the tests: message boxes answered from a script
// and written to a log, file dialogs answered from queues, no window.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "gfx/bitmap.h"
#include "platform/platform.h"

namespace platform {

class HeadlessPlatform : public Platform {
 public:
  bool AskYesNo(const std::string& caption, const std::string& text) override;
  void ShowMessage(const std::string& caption, const std::string& text) override;
  void ShowError(const std::string& text) override;
  std::optional<std::string> SaveFileDialog(const FileDialogRequest& request) override;
  std::optional<std::string> OpenFileDialog(const FileDialogRequest& request) override;
  bool ShellOpen(const std::string& address) override;
  void Repaint(const gfx::Bitmap& image1) override;
  void WindowChanged() override {}
  void Quit() override { quitRequested = true; }
  void ShowOptionsDialog() override;
  void ShowAboutDialog() override;
  void ShowNotice(const std::string& text) override;

  // Script.
  bool answerYes = true;
  std::deque<std::optional<std::string>> saveAnswers;  // nullopt or empty queue: cancel
  std::deque<std::optional<std::string>> openAnswers;
  std::function<void()> optionsDialogScript;  // runs while the options dialog is "open"
  bool shellOpens = true;  // false: as on a desktop with no browser or mail program

  // Record.
  std::vector<std::string> lines;  // "msgbox: caption | text" (errors: caption ﾐﾛｳﾞｧｰﾝ), "open: address",
                                   // "notice: text"
  std::vector<FileDialogRequest> dialogsShown;
  std::function<void(const std::string&)> echo;  // also print each line (the runner)
  int repaints = 0;
  bool quitRequested = false;
  // The picture the last repaint showed, as that bitmap stands now (empty before the first
  // repaint). The game repaints after every change of ShownFrame, so this is what a window
  // would show; the bitmap is not copied on each repaint, which would cost a frame's copy
  // every tick.
  gfx::Bitmap Shown() const { return lastRepainted_ ? *lastRepainted_ : gfx::Bitmap(); }

 private:
  void Note(const std::string& line);

  const gfx::Bitmap* lastRepainted_ = nullptr;  // the game's ShownFrame, which lives as long as the program
};

}  // namespace platform
