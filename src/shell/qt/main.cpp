// The desktop program: Qt application, main window, the game's start-up and message loop.
#include <QApplication>
#include <QFile>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QTranslator>

#include "audio/sound.h"
#include "state/form.h"
#include "state/state.h"
#include "platform/qt/qt_platform.h"
#include "game/main_form.h"
#include "shell/qt/about_dialog.h"
#include "shell/qt/input/game_input.h"
#include "shell/qt/main_window.h"
#include "shell/qt/options_dialog.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("ﾐﾛｳﾞｧｰﾝ");
  QApplication::setDesktopFileName("mirovaan");
  QApplication::setOrganizationName("mirovaan");
  QSettings::setDefaultFormat(QSettings::IniFormat);
  QFont dialogFont("IPAPGothic");
  dialogFont.setPixelSize(12);
  QApplication::setFont(dialogFont);

  // The message boxes' "はい" and "いいえ" come from Qt's own Japanese translation.
  QTranslator qtJapanese;
  if (qtJapanese.load("qtbase_ja", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&qtJapanese);

  platform::QtPlatform os;
  PrepareProgram(os, FindAppDir(QCoreApplication::applicationDirPath().toStdString()),
                 audio::Backend::Device);

  MainWindow window(os);
  os.window = &window;
  os.repaint = [&window] { window.RepaintNow(); };
  os.formChanged = [&window] { window.Sync(); };
  os.optionsDialog = [&window] { RunOptionsDialog(&window); };
  os.aboutDialog = [&window] { RunAboutDialog(&window); };
  // Game controllers press the game's keys through the same handlers as the keyboard.
  input::GameInput gameInput([&window](uint16_t code, bool down, bool) { window.GameKey(code, down); });
  gameInput.Router().SetGameFocus([&window] { return window.isActiveWindow(); });
  for (const char* icon : {"mirovaan.png", "icon.bmp"}) {
    QString path = QString::fromStdString(AppDir + icon);
    if (QFile::exists(path)) {
      window.setWindowIcon(QIcon(path));
      break;
    }
  }

  RunHandler(FormCreate);
  window.show();
  RunHandler(FormShow);
  window.Sync();
  int status = app.exec();
  audio::Shutdown();
  return status;
}
