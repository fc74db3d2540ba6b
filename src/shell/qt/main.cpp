// The desktop program: Qt application, main window, the game's start-up and message loop.
#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QTranslator>

#include "audio/sound.h"
#include "core/form.h"
#include "core/state.h"
#include "platform/qt/qt_platform.h"
#include "shell/main_form.h"
#include "shell/qt/about_dialog.h"
#include "shell/qt/input/game_input.h"
#include "shell/qt/main_window.h"
#include "shell/qt/options_dialog.h"
#include "shell/qt/replay_control.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // The settings live in ~/.config/mirovaan/mirovaan.ini.
  QApplication::setOrganizationName("mirovaan");
  QApplication::setApplicationName("mirovaan");
  QSettings::setDefaultFormat(QSettings::IniFormat);
  QApplication::setDesktopFileName("mirovaan");
  QFont dialogFont("IPAPGothic");
  dialogFont.setPixelSize(12);
  QApplication::setFont(dialogFont);

  // The message boxes' "はい" and "いいえ" come from Qt's own Japanese translation.
  QTranslator qtJapanese;
  if (qtJapanese.load("qtbase_ja", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&qtJapanese);

  QCommandLineParser parser;
  parser.addHelpOption();
  AddReplayOptions(parser);
  parser.process(app);

  platform::QtPlatform os;
  platform::SetPlatform(&os);
  AppDir = FindAppDir(QCoreApplication::applicationDirPath().toStdString());
  audio::Init(audio::Backend::Device);
  LoadFormSheets();

  MainWindow window(os);
  os.window = &window;
  os.repaint = [&window] { window.RepaintNow(); };
  os.formChanged = [&window] { window.Sync(); };
  os.optionsDialog = [&window] { RunOptionsDialog(&window); };
  os.aboutDialog = [&window] { RunAboutDialog(&window); };
  // Game controllers press the game's keys through the same handlers as the keyboard.
  input::GameInput gameInput([&window](uint16_t code, bool down, bool autoRepeat) {
    window.GameKey(code, down, autoRepeat);
  });
  gameInput.Router().SetGameFocus([&window] { return window.isActiveWindow(); });
  for (const char* icon : {"mirovaan.png", "icon.bmp"}) {
    QString path = QString::fromStdString(AppDir + icon);
    if (QFile::exists(path)) {
      window.setWindowIcon(QIcon(path));
      break;
    }
  }

  ReplayControl replays(window, os);
  if (!replays.Prepare(parser)) return 1;

  RunHandler(FormCreate);
  window.show();
  RunHandler(FormShow);
  window.Sync();
  window.ApplyDisplaySettings();
  replays.Start();
  int status = app.exec();
  audio::Shutdown();
  return status;
}
