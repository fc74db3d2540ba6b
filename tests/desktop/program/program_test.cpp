// The program itself, started as a player or a terminal starts it: its command line, its
// answer to missing content, what it remembers between runs, and a saved game to start with.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QThread>
#include <csignal>

#include "content/heroes.h"
#include "state/window_model.h"
#include "game/modes.h"
#include "state/state.h"
#include "desktop_env.h"
#include "gfx/bmp.h"
#include "persist/save.h"
#include "support/test_support.h"

namespace {

using desktoptest::Program;
using desktoptest::VisibleWindows;
using desktoptest::WaitUntil;
using desktoptest::Xdotool;

QString Setting(const QString& home, const QString& key) {
  QSettings settings(home + "/config/mirovaan/mirovaan.ini", QSettings::IniFormat);
  return settings.value(key).toString();
}

QString GeometryOf(const QString& window) { return Xdotool({"getwindowgeometry", window}); }

// Ends the program as the player does: File, Exit and "はい" on the title screen.
int QuitFromTheTitle(Program& program, const QString& window) {
  Xdotool({"windowactivate", "--sync", window});
  Xdotool({"key", "--clearmodifiers", "ctrl+q"});
  WaitUntil([] { return VisibleWindows("mirovaan", 0).size() >= 2; });  // the question box
  Xdotool({"key", "Return"});
  return program.Finish();
}

// The picture in the window's view (its lowest 216 rows), as the screen shows it.
QImage ViewOf(const QString& window) {
  QString png = desktoptest::TempDir("shot") + "/view.png";
  QProcess::execute("import", {"-window", window, png});
  QImage shot(png);
  return shot.isNull() ? shot : shot.copy(0, shot.height() - 216, 312, 216);
}

// The share of sampled pixels of the view that equal the content picture's.
double Likeness(const QImage& view, const std::string& picture) {
  if (view.isNull()) return 0;
  gfx::TImage image;
  image.LoadFromFile(testsupport::DataDir() + "/" + picture);
  int same = 0, total = 0;
  for (int y = 0; y < 216; y += 4)
    for (int x = 0; x < 312; x += 4, ++total) {
      QRgb p = view.pixel(x, y);
      gfx::Color c = image.Picture.Pixel(x, y);
      same += qRed(p) == int(c & 255) && qGreen(p) == int((c >> 8) & 255) &&
              qBlue(p) == int((c >> 16) & 255);
    }
  return total ? double(same) / total : 0;
}

TEST(CommandLine, HelpVersionAndMistakesNeedNoDisplay) {
  Program help;
  QProcessEnvironment noDisplay = QProcessEnvironment::systemEnvironment();
  noDisplay.remove("DISPLAY");
  help.process.setProcessEnvironment(noDisplay);
  help.process.start(MIROVAAN_PROGRAM, {"--help"});
  EXPECT_EQ(help.Finish(), 0);
  QString text = help.process.readAllStandardOutput();
  for (const char* option : {"--data", "--fullscreen", "--window", "--version", "game.sav"})
    EXPECT_TRUE(text.contains(option)) << option;

  Program version;
  version.process.setProcessEnvironment(noDisplay);
  version.process.start(MIROVAAN_PROGRAM, {"--version"});
  EXPECT_EQ(version.Finish(), 0);
  EXPECT_TRUE(QString(version.process.readAllStandardOutput()).startsWith("mirovaan 1."));

  const QStringList mistakes[] = {{"--no-such-option"}, {"/no/such/game.sav"},
                                  {"--data", "/no/such/folder"}, {"a.sav", "b.sav"},
                                  {"--fullscreen", "--window"}, {"--play", "/no/such/game.mvr"},
                                  {"--record", "a.mvr", "--play", "b.mvr"}};
  for (const QStringList& arguments : mistakes) {
    Program wrong;
    wrong.process.setProcessEnvironment(noDisplay);
    wrong.process.start(MIROVAAN_PROGRAM, arguments);
    EXPECT_EQ(wrong.Finish(), 2) << arguments.join(' ').toStdString();
    QString said = wrong.Stderr();
    EXPECT_EQ(said.count('\n'), 1) << said.toStdString();
    EXPECT_TRUE(said.startsWith("mirovaan: ")) << said.toStdString();
  }
}

TEST(MissingContent, OneBoxNamesThePlacesAndTheProgramEndsWithStatusOne) {
  if (QFile::exists(MIROVAAN_INSTALL_DATA_DIR "/title.bmp")) GTEST_SKIP() << "content installed";
  // The program alone in a folder of its own, started from an empty folder.
  QString alone = desktoptest::TempDir("alone");
  QDir().mkpath(alone + "/bin");
  ASSERT_TRUE(QFile::copy(MIROVAAN_PROGRAM, alone + "/bin/mirovaan"));
  QFile::setPermissions(alone + "/bin/mirovaan", QFile::ExeOwner | QFile::ReadOwner);
  Program program;
  program.Start({}, QString(), alone + "/bin/mirovaan", alone);
  QStringList boxes = VisibleWindows("mirovaan");
  ASSERT_EQ(boxes.size(), 1) << "one box, no game window";
  QThread::msleep(300);
  EXPECT_EQ(VisibleWindows("mirovaan", 0).size(), 1) << "and no second one";
  Xdotool({"windowactivate", "--sync", boxes.first()});
  Xdotool({"key", "Return"});
  EXPECT_EQ(program.Finish(), 1);
  QString said = program.Stderr();
  EXPECT_TRUE(said.contains(alone + "/")) << said.toStdString();
  EXPECT_TRUE(said.contains("--data")) << said.toStdString();

  // --data naming a folder without the content answers the same way.
  Program pointed;
  pointed.Start({"--data", alone});
  ASSERT_EQ(VisibleWindows("mirovaan").size(), 1);
  Xdotool({"windowactivate", "--sync", VisibleWindows("mirovaan").first()});
  Xdotool({"key", "Return"});
  EXPECT_EQ(pointed.Finish(), 1);
}

TEST(Remembered, TheViewSizeSurvivesARestart) {
  Program first;
  first.Start({});
  QStringList windows = VisibleWindows("mirovaan");
  ASSERT_EQ(windows.size(), 1);
  // The desktop entry's StartupWMClass names this class.
  QProcess xprop;
  xprop.start("xprop", {"-id", windows.first(), "WM_CLASS"});
  xprop.waitForFinished(5000);
  EXPECT_TRUE(QString(xprop.readAllStandardOutput()).contains("\"mirovaan\", \"mirovaan\""));
  Xdotool({"windowactivate", "--sync", windows.first()});
  Xdotool({"key", "--clearmodifiers", "ctrl+b"});
  EXPECT_TRUE(WaitUntil([&] { return GeometryOf(windows.first()).contains("Geometry: 624x"); }));
  EXPECT_EQ(QuitFromTheTitle(first, windows.first()), 0);
  EXPECT_EQ(Setting(first.home, "view/size"), "624x432");
  EXPECT_FALSE(Setting(first.home, "window/geometry").isEmpty());

  Program second;
  second.Start({}, first.home);
  windows = VisibleWindows("mirovaan");
  ASSERT_EQ(windows.size(), 1);
  QString geometry;
  EXPECT_TRUE(WaitUntil([&] {
    geometry = GeometryOf(windows.first());
    return geometry.contains("Geometry: 624x");
  })) << geometry.toStdString();
  EXPECT_EQ(QuitFromTheTitle(second, windows.first()), 0);
}

// Asked to end by the system (a session logging out, Ctrl+C in its terminal, the terminal
// closing), the program ends as its own Exit ends it: status 0, a question box open or not,
// with --fullscreen's "this run only" given back and the view size kept.
TEST(Remembered, TheSystemsRequestToEndKeepsWhatExitKeeps) {
  Program first;
  first.Start({"--window"});
  QStringList windows = VisibleWindows("mirovaan");
  ASSERT_EQ(windows.size(), 1);
  Xdotool({"windowactivate", "--sync", windows.first()});
  Xdotool({"key", "--clearmodifiers", "ctrl+b"});
  ASSERT_TRUE(WaitUntil([&] { return GeometryOf(windows.first()).contains("Geometry: 624x"); }));
  ::kill(pid_t(first.process.processId()), SIGTERM);
  EXPECT_EQ(first.Finish(), 0) << first.Stderr().toStdString();
  EXPECT_EQ(Setting(first.home, "view/size"), "624x432");

  for (int signal : {SIGINT, SIGHUP}) {
    Program again;
    again.Start({"--fullscreen"}, first.home);
    windows = VisibleWindows("mirovaan");
    ASSERT_EQ(windows.size(), 1);
    // With the exit question open: the request still ends the program.
    Xdotool({"windowactivate", "--sync", windows.first()});
    Xdotool({"key", "--clearmodifiers", "ctrl+q"});
    EXPECT_TRUE(WaitUntil([] { return VisibleWindows("mirovaan", 0).size() >= 2; }));
    ::kill(pid_t(again.process.processId()), signal);
    EXPECT_EQ(again.Finish(), 0) << signal;
    EXPECT_NE(Setting(first.home, "display/fullscreen"), "true") << "--fullscreen outlived its run";
    EXPECT_EQ(Setting(first.home, "view/size"), "624x432");
  }
}

TEST(Remembered, ADamagedSettingsFileStartsWithTheDefaults) {
  QString home = desktoptest::TempDir("damaged");
  QDir().mkpath(home + "/config/mirovaan");
  QFile file(home + "/config/mirovaan/mirovaan.ini");
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QByteArray("\x7f" "ELF\x02\x01\x01\x00\x00\x00garbage", 19));
  file.close();
  Program program;
  program.Start({}, home);
  QStringList windows = VisibleWindows("mirovaan");
  ASSERT_EQ(windows.size(), 1);
  QString geometry;
  EXPECT_TRUE(WaitUntil([&] {
    geometry = GeometryOf(windows.first());
    return geometry.contains("Geometry: 312x");
  })) << geometry.toStdString();
  EXPECT_EQ(QuitFromTheTitle(program, windows.first()), 0);
  QString said = program.Stderr();
  EXPECT_EQ(said.count("settings file"), 1) << said.toStdString();
  EXPECT_TRUE(QFile::exists(home + "/config/mirovaan/mirovaan.ini.damaged"));
}

TEST(SavedGameOnTheCommandLine, StartsInTheSavedMode) {
  testsupport::ResetGame();
  G.HeroIndex = 1;
  StartNewGame();
  G.GameMode = kModeWorld;
  QString save = desktoptest::TempDir("world") + "/world.sav";
  ASSERT_TRUE(SaveGameFile(save.toStdString()));

  Program program;
  program.Start({save});
  QStringList windows = VisibleWindows("mirovaan");
  ASSERT_EQ(windows.size(), 1);
  QImage view;
  EXPECT_TRUE(WaitUntil([&] {
    view = ViewOf(windows.first());
    return !view.isNull() && Likeness(view, "mainmap.bmp") > 0.6;
  })) << "the world map shows";
  ASSERT_FALSE(view.isNull());
  EXPECT_LT(Likeness(view, "title.bmp"), 0.3) << "not the title";
  program.process.terminate();
  program.Finish();
}

// A recording started with the program holds the load of the saved game it was given, as it
// holds any load, so the runner plays it back to the same game.
TEST(SavedGameOnTheCommandLine, ARecordingStartedWithItHoldsItsLoad) {
  testsupport::ResetGame();
  G.HeroIndex = 2;
  StartNewGame();
  G.GameMode = kModeWorld;
  G.Gold = 4321;
  const QString dir = desktoptest::TempDir("recorded");
  const QString save = dir + "/world.sav", recording = dir + "/game.mvr";
  ASSERT_TRUE(SaveGameFile(save.toStdString()));

  Program program;
  program.Start({"--record", recording, save});
  QStringList windows = VisibleWindows("mirovaan");
  ASSERT_EQ(windows.size(), 1);
  // The world map on the screen: the saved game has been loaded, so the recording holds the
  // load, and the program's orderly end writes out what it has not yet handed over.
  EXPECT_TRUE(WaitUntil([&] { return Likeness(ViewOf(windows.first()), "mainmap.bmp") > 0.6; }));
  program.process.terminate();
  program.Finish();

  QFile file(recording);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QString text = QString::fromUtf8(file.readAll());
  EXPECT_TRUE(text.contains(QRegularExpression("\\n\\d+ c load\\n"))) << text.toStdString();
  QProcess runner;
  runner.start(MIROVAAN_SIM, {"--data", MIROVAAN_TEST_DATA_DIR, "--play", recording, "--state",
                              dir + "/end.json"});
  ASSERT_TRUE(runner.waitForFinished(60000));
  EXPECT_EQ(runner.exitCode(), 0) << runner.readAllStandardOutput().toStdString()
                                  << runner.readAllStandardError().toStdString();
  QFile end(dir + "/end.json");
  ASSERT_TRUE(end.open(QIODevice::ReadOnly));
  const QString state = QString::fromUtf8(end.readAll());
  EXPECT_TRUE(state.contains("\"Gold\":4321,")) << "the saved game was loaded";
  EXPECT_TRUE(state.contains("\"GameMode\":5,"));
}

}  // namespace
