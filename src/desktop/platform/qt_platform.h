// The platform on the desktop: Qt message boxes and file dialogs, the desktop's URL
// handler, and the main window for repaints and form changes.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/platform.h"

class QWidget;

namespace platform {

class QtPlatform : public Platform {
 public:
  bool AskYesNo(const std::string& caption, const std::string& text) override;
  void ShowMessage(const std::string& caption, const std::string& text) override;
  void ShowError(const std::string& text) override;
  std::optional<std::string> SaveFileDialog(const FileDialogRequest& request) override;
  std::optional<std::string> OpenFileDialog(const FileDialogRequest& request) override;
  bool ShellOpen(const std::string& address) override;
  void Repaint(const gfx::Bitmap& image1) override;
  void WindowChanged() override;
  void Quit() override;
  void ShowOptionsDialog() override;
  void ShowAboutDialog() override;
  void ShowNotice(const std::string& text) override;

  QWidget* window = nullptr;                  // parent of every dialog
  std::function<void()> repaint;              // synchronous repaint of the view
  std::function<void()> windowChanged;          // mirror the form's model into the widgets
  std::function<void()> optionsDialog;        // modal options dialog
  std::function<void()> aboutDialog;          // modal about dialog
  std::function<void(const std::string&)> notice;  // a short line over the view
  // The answer the next load dialog gives without being shown: a saved game named on the
  // command line is loaded by the load command itself, so that a recording holds it as it
  // holds any load.
  std::optional<std::string> nextOpenAnswer;
};

// Adds the default suffix to a chosen file name that has none (some native dialogs drop it).
std::string WithDefaultSuffix(const std::string& path, const std::string& suffix);

}  // namespace platform
