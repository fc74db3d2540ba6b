// The view size and the window's place, remembered between runs.
#pragma once

class QWidget;

namespace prefs {

// After the window's first showing: the remembered view size (a menu size takes its menu
// item's check mark) and the window's place on the screen.
void RestoreViewAndPlace(QWidget& window);

// The view size (the client area the game draws into) and the window's place, written only
// when they differ from what the file holds.
void RememberViewAndPlace(const QWidget& window);

// Remembers them shortly after the window stops moving or changing size, so that the exit
// finds them written already and need not wait for the disk.
void WatchViewAndPlace(QWidget& window);

}  // namespace prefs
