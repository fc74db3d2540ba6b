// Everything the game needs from the operating system, in one small interface with two
// implementations: the Qt desktop (platform/qt) and the headless runner (platform/headless).
#pragma once

#include <optional>
#include <string>

namespace gfx {
class Bitmap;
}

namespace platform {

// What the game asks of a save or load dialog: its title, the one file kind it offers and
// the name it proposes.
struct FileDialogRequest {
  std::string Title;
  std::string FilterName;     // shown text, e.g. "ｹﾞｰﾑﾌｧｲﾙ (*.sav)"
  std::string FilterPattern;  // e.g. "*.sav"
  std::string DefaultExt;     // "sav"
  std::string FileName;       // proposed name
};

class Platform {
 public:
  virtual ~Platform() = default;

  // Modal message boxes. AskYesNo shows the warning icon; true only for Yes.
  virtual bool AskYesNo(const std::string& caption, const std::string& text) = 0;
  virtual void ShowMessage(const std::string& caption, const std::string& text) = 0;
  // What the application's default handler does with an error nobody caught.
  virtual void ShowError(const std::string& text) = 0;

  // Common file dialogs; nullopt when cancelled.
  virtual std::optional<std::string> SaveFileDialog(const FileDialogRequest& request) = 0;
  virtual std::optional<std::string> OpenFileDialog(const FileDialogRequest& request) = 0;

  // Hands an address ("mailto:...", a web address or a file:// one) to the desktop; false
  // when nothing on the desktop would take it.
  virtual bool ShellOpen(const std::string& address) = 0;

  // Shows ShownFrame in the window now (a synchronous repaint).
  virtual void Repaint(const gfx::Bitmap& image1) = 0;

  // The window's caption, client size, menu state or timers changed in the form's model.
  virtual void WindowChanged() = 0;

  // The program is to end (File, Exit answered Yes in the title, game over or selection).
  virtual void Quit() = 0;

  // Modal options and about dialogs (their models are in shell/).
  virtual void ShowOptionsDialog() = 0;
  virtual void ShowAboutDialog() = 0;
};

// The platform in use; set once at start-up by main().
Platform& Os();
void SetPlatform(Platform* platform);

}  // namespace platform
