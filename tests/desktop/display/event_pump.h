// Letting this process's own window run while a test waits on the X server: the server, the
// window manager and the game's timer all take their own time.
#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>
#include <functional>

namespace desktoptest {

// Runs the event loop for ms milliseconds, sleeping a little between rounds.
inline void Pump(int ms) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < ms) {
    QApplication::processEvents(QEventLoop::AllEvents, 5);
    QThread::msleep(2);
  }
}

// Runs the event loop until done() holds or ms pass, a limit generous enough for a machine
// busy with a build; what done() last said.
inline bool WaitFor(const std::function<bool()>& done, int ms = 20000) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < ms) Pump(10);
  return done();
}

}  // namespace desktoptest
