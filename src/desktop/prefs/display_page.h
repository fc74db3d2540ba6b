// The display page: how the view fills the window, full screen, pausing when the window
// loses the focus, and the autosave. It only writes the display/* settings and
// saves/autosave; the window applies them.
#pragma once

#include <QVariant>
#include <QWidget>

class QCheckBox;
class QComboBox;

namespace prefs {

class DisplayPage : public QWidget {
  Q_OBJECT

 public:
  explicit DisplayPage(QWidget* parent);

 signals:
  void Changed();

 private:
  void Load();
  void Store(const char* key, const QVariant& value);

  QComboBox* scaleMode_;
  QCheckBox* fullScreen_;
  QCheckBox* autoPause_;
  QCheckBox* autosave_;
};

// The scaling modes as stored ("" for none stored: the window's own choice), and the
// remembered one.
QStringList ScaleModes();
QString StoredScaleMode();

}  // namespace prefs
