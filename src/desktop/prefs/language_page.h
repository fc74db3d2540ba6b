// The language page "言語 / Language": Japanese or English, named in their own language so
// a player who reads only one of them finds it. The choice takes effect at once and is
// remembered; the game in hand goes on.
#pragma once

#include <QWidget>

class QButtonGroup;
class QLabel;

namespace prefs {

class LanguagePage : public QWidget {
  Q_OBJECT

 public:
  explicit LanguagePage(QWidget* parent);

  // The page's title, the same in both languages.
  static QString Title();

 private:
  void Choose(int index);

  QButtonGroup* choice_;
  QLabel* note_;
};

}  // namespace prefs
