#include "desktop_env.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>
#include <QWidget>

namespace desktoptest {

namespace {
QString home;
}

QString Home() {
  if (home.isEmpty()) home = TempDir("home");
  return home;
}
QString ConfigHome() { return Home() + "/config"; }
QString DataHome() { return Home() + "/data"; }
QString SettingsFile() { return ConfigHome() + "/mirovaan/mirovaan.ini"; }

void ClearHome() {
  QDir(ConfigHome() + "/mirovaan").removeRecursively();
  QDir(DataHome() + "/mirovaan").removeRecursively();
}

QString TempDir(const QString& name) {
  QString dir = QDir::tempPath() + QStringLiteral("/mirovaan-program-%1-%2")
                                       .arg(name)
                                       .arg(QCoreApplication::applicationPid());
  QDir(dir).removeRecursively();
  QDir().mkpath(dir);
  return dir;
}

void WhenModal(std::function<void(QWidget*)> fn, int timeoutMs) {
  auto* timer = new QTimer;
  auto* clock = new QElapsedTimer;
  clock->start();
  timer->setInterval(20);
  QObject::connect(timer, &QTimer::timeout, [timer, clock, fn, timeoutMs] {
    QWidget* modal = QApplication::activeModalWidget();
    bool late = clock->elapsed() > timeoutMs;
    if (!modal && !late) return;
    timer->stop();
    timer->deleteLater();
    delete clock;
    fn(modal);
  });
  timer->start();
}

void Program::Start(const QStringList& arguments, const QString& homeDir, const QString& program,
                    const QString& workDir) {
  home = homeDir.isEmpty() ? TempDir("run") : homeDir;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("HOME", home);
  env.insert("XDG_CONFIG_HOME", home + "/config");
  env.insert("XDG_DATA_HOME", home + "/data");
  env.insert("XDG_CACHE_HOME", home + "/cache");  // the music's loudness, measured per home
  env.remove("QT_QPA_PLATFORM");
  env.remove("WAYLAND_DISPLAY");  // on the test's X display, whatever desktop started the test
  env.remove("WAYLAND_SOCKET");
  process.setProcessEnvironment(env);
  process.setWorkingDirectory(workDir.isEmpty() ? home : workDir);
  process.start(program.isEmpty() ? QStringLiteral(MIROVAAN_PROGRAM) : program, arguments);
  process.waitForStarted(5000);
}

int Program::Finish(int timeoutMs) {
  if (!process.waitForFinished(timeoutMs)) {
    process.kill();
    process.waitForFinished(2000);
    return -1;
  }
  return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

QString Program::Stderr() { return QString::fromLocal8Bit(process.readAllStandardError()); }

QString Xdotool(const QStringList& arguments) {
  QProcess xdotool;
  xdotool.start(QStringLiteral("xdotool"), arguments);
  xdotool.waitForFinished(5000);
  return QString::fromLocal8Bit(xdotool.readAllStandardOutput()).trimmed();
}

QStringList VisibleWindows(const QString& wmClass, int timeoutMs) {
  QElapsedTimer clock;
  clock.start();
  for (;;) {
    QString found = Xdotool({"search", "--onlyvisible", "--class", wmClass});
    if (!found.isEmpty() || clock.elapsed() > timeoutMs)
      return found.split('\n', Qt::SkipEmptyParts);
    QThread::msleep(50);
  }
}

bool WaitUntil(const std::function<bool()>& done, int timeoutMs) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > timeoutMs) return false;
    QThread::msleep(50);
  }
  return true;
}

}  // namespace desktoptest
