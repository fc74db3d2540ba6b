// The view size and the window's place, remembered between runs.
#pragma once

class QWidget;

namespace prefs {

// After the window's first showing: the remembered view size (a menu size takes its menu
// item's check mark) and the window's place on the screen.
void RestoreViewAndPlace(QWidget& window);

// At exit: the view size (the client area the game draws into) and the window's place.
void RememberViewAndPlace(const QWidget& window);

}  // namespace prefs
