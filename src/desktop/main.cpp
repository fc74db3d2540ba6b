// The desktop program: command line, identity and settings, content, sound, the main window,
// and the game's start-up and message loop.
#include <QApplication>
#include <QFile>
#include <QFont>
#include <QIcon>
#include <QMessageBox>
#include <QSettings>
#include <QTimer>
#include <cstdio>
#include <thread>

#include "audio/sound.h"
#include "persist/save.h"
#include "shell/feed.h"
#include "state/window_model.h"
#include "state/state.h"
#include "desktop/platform/quit_signals.h"
#include "desktop/platform/qt_platform.h"
#include "desktop/platform/translation.h"
#include "game/window_handlers.h"
#include "desktop/about_dialog.h"
#include "desktop/command_line.h"
#include "desktop/content_check.h"
#include "desktop/content_pixmap.h"
#include "desktop/input/game_input.h"
#include "desktop/main_window.h"
#include "desktop/options_dialog.h"
#include "desktop/prefs/app_settings.h"
#include "desktop/preferences_dialog.h"
#include "desktop/prefs/window_memory.h"
#include "desktop/replay_control.h"
#include "start/start_up.h"

#ifndef MIROVAAN_VERSION
#define MIROVAAN_VERSION ""
#endif

namespace {

QStringList ArgumentsOf(int argc, char** argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  return arguments;
}

// The language named on the command line holds for this run only; otherwise the one chosen
// in the preferences, else Japanese.
void SetUpLookAndLanguage(std::optional<Language> runLanguage) {
  QApplication::setDesktopFileName(QStringLiteral("mirovaan"));
  QFont dialogFont("IPAPGothic");
  dialogFont.setPixelSize(12);
  QApplication::setFont(dialogFont);
  mirovaan_qt::UseLanguage(runLanguage.value_or(prefs::StoredLanguage()));
}

// The installed icon theme's, else the one beside the content (a build tree).
QIcon ProgramIcon() {
  QIcon fallback;
  for (const char* icon : {"mirovaan.png", "icon.bmp"}) {
    // Read the safe way: a damaged or special file in the content folder cannot hang us.
    QPixmap picture = mirovaan_qt::LoadContentPixmap(AppDir + icon);
    if (!picture.isNull()) {
      fallback = QIcon(picture);
      break;
    }
  }
  return QIcon::fromTheme(QStringLiteral("mirovaan"), fallback);
}

// The game's own sound set-up needs a soundfont; without one the player learns it once.
void SayWhenNoSoundFont() {
  if (!audio::Output().SoundFontMissing) return;
  const std::string text =
      QCoreApplication::translate(
          "Program",
          "General MIDI のサウンドフォントが見つからないため、音楽は鳴りません。\n"
          "Debian では fluid-soundfont-gm か timgm6mb-soundfont のパッケージを入れてください。\n"
          "設定（オプション → 設定）のサウンドで別のサウンドフォントも選べます。")
          .toStdString();
  RunHandler([&text] { platform::Os().ShowMessage("ﾐﾛｳﾞｧｰﾝ", text); });
}

// --fullscreen and --window hold for this run: the setting the player had comes back at exit
// unless it was changed during the run.
class RunOnlyFullScreen {
 public:
  explicit RunOnlyFullScreen(std::optional<bool> wanted) : wanted_(wanted) {
    if (!wanted_) return;
    QSettings settings;
    before_ = settings.value("display/fullscreen");
    settings.setValue("display/fullscreen", *wanted_);
  }
  void Restore() {
    if (!wanted_) return;
    QSettings settings;
    if (settings.value("display/fullscreen").toBool() != *wanted_) return;
    if (before_.isValid())
      settings.setValue("display/fullscreen", before_);
    else
      settings.remove("display/fullscreen");
  }

 private:
  std::optional<bool> wanted_;
  QVariant before_;
};

// The preferences: sound and display, then the key and pad pages of the input.
void ConnectPreferences(MainWindow& window, input::GameInput& gameInput) {
  QObject::connect(window.PreferencesAction(), &QAction::triggered, &window, [&window, &gameInput] {
    RunHandler([&window, &gameInput] {
      prefs::PreferencesDialog dialog(&window);
      QObject::connect(&dialog, &prefs::PreferencesDialog::DisplaySettingsChanged, &window,
                       &MainWindow::ApplyDisplaySettings);
      dialog.AddPage(input::GameInput::KeyPageTitle,
                     [&gameInput](QWidget* parent) { return gameInput.NewKeyPage(parent); });
      dialog.AddPage(input::GameInput::PadPageTitle,
                     [&gameInput](QWidget* parent) { return gameInput.NewPadPage(parent); });
      prefs::RunWithGameStopped(dialog);
    });
    window.Sync();
  });
}

int RunGame(QApplication& app, const CommandLine& options, const std::string& contentDir) {
  RunOnlyFullScreen fullScreen(options.FullScreen);
  // Loading the soundfont and finding an output take as long as building the window: the
  // two go side by side, and meet before the game's start-up plays the title music.
  std::thread soundStart;
  platform::QtPlatform os;
  start::PrepareProgram(os, contentDir, [&soundStart, setup = prefs::ReadSoundSetup()] {
    soundStart = std::thread([setup] { audio::Init(audio::Backend::Device, setup); });
  });

  MainWindow window(os);
  os.optionsDialog = [&window] { RunOptionsDialog(&window); };
  os.aboutDialog = [&window] { RunAboutDialog(&window); };
  // Game controllers press the game's keys through the same handlers as the keyboard.
  input::GameInput gameInput([&window](uint16_t code, bool down, bool autoRepeat) {
    window.GameKey(code, down, autoRepeat);
  });
  gameInput.Router().SetGameFocus([&window] { return window.isActiveWindow(); });
  window.setWindowIcon(ProgramIcon());
  ConnectPreferences(window, gameInput);

  soundStart.join();
  ReplayControl replays(window, os);
  if (!replays.Prepare(options.RecordPath, options.PlayPath)) return 1;

  RunHandler(OnWindowCreate);
  window.show();
  RunHandler(OnWindowShow);
  window.Sync();
  prefs::RestoreViewAndPlace(window);
  window.Sync();
  window.ApplyDisplaySettings();
  prefs::WatchViewAndPlace(window);
  replays.Start();
  QTimer::singleShot(0, &window, [&window, &os, game = options.SavedGame] {
    SayWhenNoSoundFont();
    if (!game.isEmpty()) {
      // As if the player had chosen it in the load dialog: through the input door, so a
      // recording started with the program holds it, and a replay being played drops it.
      os.nextOpenAnswer = game.toStdString();
      RunHandler([] { feed::Run(feed::Command::Load); });
      os.nextOpenAnswer.reset();  // unused where loading is not offered
    }
    window.Sync();
  });
  int status = app.exec();

  // Gone at once for the player; what remains is quick and unseen.
  audio::BeginShutdown();
  prefs::RememberViewAndPlace(window);
  fullScreen.Restore();
  window.hide();
  audio::Shutdown(/*programEnding=*/true);
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  prefs::SetUpIdentity();
  QApplication::setApplicationVersion(QStringLiteral(MIROVAAN_VERSION));
  ParsedCommandLine parsed = ParseCommandLine(ArgumentsOf(argc, argv));
  if (!parsed.Run) {
    std::fprintf(parsed.Status == 0 ? stdout : stderr, "%s\n",
                 parsed.Output.trimmed().toLocal8Bit().constData());
    return parsed.Status;
  }

  prefs::CheckSettingsFile();
  QApplication app(argc, argv);
  platform::QuitOnSignals();
  SetUpLookAndLanguage(parsed.Options.RunLanguage);

  std::optional<std::string> content = FindContentOrSay(parsed.Options.DataDir);
  if (!content) return 1;
  return RunGame(app, parsed.Options, *content);
}
