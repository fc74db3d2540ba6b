// What the game's two small dialogs share: a fixed-size frame with a caption but no
// title-bar buttons, the window font, and placement at the screen's centre.
#pragma once

#include <QDialog>
#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QString>
#include <string>

namespace mirovaan_qt {

inline QString Q(const std::string& utf8) { return QString::fromUtf8(utf8.c_str()); }

// "ＭＳ Ｐゴシック" at 12 pixels; IPA P Gothic is its stand-in here.
inline QFont DialogFont() {
  QFont font(QStringLiteral("IPAPGothic"));
  font.setPixelSize(12);
  return font;
}

inline void SetUpDialogFrame(QDialog& dialog, const QString& caption, int width, int height) {
  dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  dialog.setWindowTitle(caption);
  dialog.setFont(DialogFont());
  dialog.setFixedSize(width, height);
  dialog.setModal(true);
}

inline void CentreOnScreen(QDialog& dialog) {
  QScreen* screen = dialog.parentWidget() ? dialog.parentWidget()->screen()
                                          : QGuiApplication::primaryScreen();
  if (!screen) return;
  QRect area = screen->availableGeometry();
  dialog.move(area.center() - QPoint(dialog.width() / 2, dialog.height() / 2));
}

// A label that sizes itself to its text, as the dialogs' labels do.
inline QLabel* AutoLabel(QWidget* parent, const QString& text, int left, int top) {
  auto* label = new QLabel(text, parent);
  label->move(left, top);
  label->adjustSize();
  return label;
}

}  // namespace mirovaan_qt
