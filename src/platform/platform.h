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

  // Where a save the game names itself (a slot, the quicksave, an autosave: "quick.sav")
  // lives: the path to write it to, or (forLoad) to read it from. The saves folder is made
  // when a save needs it. Nullopt, and the reason (the folder, then why, in Japanese) when the
  // folder cannot be made.
  // A replay answers from its own record, as it answers the load dialog.
  virtual std::optional<std::string> OwnSavePath(const std::string& name, bool forLoad,
                                                 std::string& reason);

  // A short line the window shows for a moment beside the game's picture, never in it:
  // news that needs no answer ("saved").
  virtual void ShowNotice(const std::string& text) { (void)text; }
};

// $XDG_DATA_HOME/mirovaan/saves, or ~/.local/share/mirovaan/saves when that variable is unset
// or not an absolute path (as the XDG rules say); not created here.
std::string SavesFolder();

// The platform in use; set once at start-up by main().
Platform& Os();
void SetPlatform(Platform* platform);

}  // namespace platform
