// The sound page: music and effect volumes, the soundfont, the audio output and a test sound.
// Every control drives the sound engine at once and is remembered.
#pragma once

#include <QWidget>

class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QSlider;

namespace prefs {

class SoundPage : public QWidget {
  Q_OBJECT

 public:
  explicit SoundPage(QWidget* parent);

  // The soundfont chosen in the file chooser, or "" to go back to the system's; a file that
  // cannot be loaded is refused with a message box and the old one stays.
  void ChooseSoundFont(const QString& path);

 private:
  QSlider* AddVolume(QFormLayout* form, const QString& caption, int value,
                     void (*apply)(int));
  void AddSoundFontRow(QFormLayout* form);
  void AddOutputRow(QFormLayout* form);
  void BrowseSoundFont();
  void ChooseOutput(int index);
  void ShowInUse();

  QLineEdit* soundFont_ = nullptr;
  QLabel* soundFontNote_ = nullptr;
  QComboBox* output_ = nullptr;
  QLabel* outputNote_ = nullptr;
};

}  // namespace prefs
