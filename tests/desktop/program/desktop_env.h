// What the desktop tests share: a private home for the program's folders, and helpers to
// start the real program and find its windows on the X display.
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <functional>

namespace desktoptest {

// The folders this test process uses as $HOME, $XDG_CONFIG_HOME and $XDG_DATA_HOME (set
// before Qt starts, since QSettings reads them once).
QString Home();
QString ConfigHome();
QString DataHome();
QString SettingsFile();  // ConfigHome()/mirovaan/mirovaan.ini
void ClearHome();        // empties the program's folders in them

// A fresh folder under the system's temporary folder.
QString TempDir(const QString& name);

// Runs fn once the event loop is idle and a modal widget is up (within timeoutMs).
void WhenModal(std::function<void(QWidget*)> fn, int timeoutMs = 5000);

// The real program, started with its own fresh home (or the given one).
struct Program {
  QProcess process;
  QString home;
  void Start(const QStringList& arguments, const QString& homeDir = QString(),
             const QString& program = QString(), const QString& workDir = QString());
  // Waits for the process to end; its exit status, or -1 when it did not end in time.
  int Finish(int timeoutMs = 30000);
  QString Stderr();
};

// The visible top-level windows of the given X class, waiting up to timeoutMs for one.
QStringList VisibleWindows(const QString& wmClass, int timeoutMs = 30000);
// Asks done() again and again until it holds or timeoutMs pass (a limit generous enough for a
// machine busy with a build); what it last said.
bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 30000);
// Runs xdotool with the arguments; its standard output.
QString Xdotool(const QStringList& arguments);

}  // namespace desktoptest
