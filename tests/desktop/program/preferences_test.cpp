// The preferences dialog "設定": its pages act at once, are remembered, and the game stands
// still while it is open.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QSlider>
#include <QTabWidget>

#include "audio/sound.h"
#include "state/window_model.h"
#include "desktop_env.h"
#include "desktop/platform/qt_platform.h"
#include "desktop/preferences_dialog.h"
#include "desktop/prefs/sound_page.h"
#include "support/test_support.h"

namespace {

class Preferences : public ::testing::Test {
 protected:
  void SetUp() override {
    desktoptest::ClearHome();
    testsupport::ResetGame();
    platform::SetPlatform(&os_);
    audio::Init(audio::Backend::Virtual);
    Window.TickTimer.Enabled = true;
  }
  void TearDown() override {
    audio::Init(audio::Backend::Virtual);
    testsupport::ResetGame();
  }
  platform::QtPlatform os_;
};

TEST_F(Preferences, VolumesActAtOnceAndAreRemembered) {
  prefs::PreferencesDialog dialog(nullptr);
  QList<QSlider*> sliders = dialog.findChildren<QSlider*>();
  ASSERT_EQ(sliders.size(), 2);
  sliders[0]->setValue(35);
  sliders[1]->setValue(0);
  EXPECT_EQ(audio::CurrentSetup().MusicVolume, 35);
  EXPECT_EQ(audio::CurrentSetup().EffectVolume, 0);
  QSettings settings;
  EXPECT_EQ(settings.value("sound/musicVolume").toInt(), 35);
  EXPECT_EQ(settings.value("sound/effectVolume").toInt(), 0);
}

TEST_F(Preferences, AnUnusableSoundFontIsRefusedWithABoxAndTheOldOneStays) {
  prefs::SoundPage page(nullptr);
  QString shown;
  desktoptest::WhenModal([&shown](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (!box) {
      if (modal) modal->close();
      FAIL() << "no message box";
    }
    shown = box->text();
    box->accept();
  });
  page.ChooseSoundFont(desktoptest::TempDir("fonts") + "/none.sf2");
  EXPECT_TRUE(shown.contains("none.sf2")) << shown.toStdString();
  EXPECT_EQ(audio::CurrentSetup().SoundFont, "");
  EXPECT_EQ(QSettings().value("sound/soundfont").toString(), "");
}

TEST_F(Preferences, TheSystemsSoundFontAndTheOutputsAreOffered) {
  prefs::SoundPage page(nullptr);
  auto* output = page.findChild<QComboBox*>();
  ASSERT_NE(output, nullptr);
  EXPECT_EQ(output->itemText(0), "自動");
  EXPECT_EQ(output->count(), int(audio::OutputChoices().size()) + 1);
  bool named = false;
  std::vector<std::string> found = audio::SoundFontsFound();
  for (QLabel* label : page.findChildren<QLabel*>()) {
    if (!found.empty() && label->text().contains(QString::fromStdString(found.front()))) named = true;
    if (found.empty() && label->text().contains("fluid-soundfont-gm")) named = true;
  }
  EXPECT_TRUE(named) << "the page names the default soundfont or how to get one";
  EXPECT_NE(page.findChild<QPushButton*>("testSound"), nullptr);
}

TEST_F(Preferences, TheDisplayPageWritesItsKeysAndSaysSo) {
  prefs::PreferencesDialog dialog(nullptr);
  int changed = 0;
  QObject::connect(&dialog, &prefs::PreferencesDialog::DisplaySettingsChanged,
                   [&changed] { ++changed; });
  QTabWidget* pages = dialog.Pages();
  ASSERT_EQ(pages->count(), 3);
  EXPECT_EQ(pages->tabText(0), "サウンド");
  EXPECT_EQ(pages->tabText(1), "画面");
  EXPECT_EQ(pages->tabText(2), "言語 / Language");
  QWidget* display = pages->widget(1);
  QSettings settings;
  EXPECT_TRUE(display->findChildren<QCheckBox*>().at(1)->isChecked()) << "auto-pause is on by default";
  auto* scale = display->findChild<QComboBox*>();
  EXPECT_EQ(scale->currentIndex(), 0) << "nothing stored: the window decides";
  scale->setCurrentIndex(3);
  EXPECT_EQ(settings.value("display/scaleMode").toString(), "whole");
  EXPECT_FALSE(settings.contains("display/autoPause")) << "an untouched control writes nothing";
  display->findChildren<QCheckBox*>().at(0)->setChecked(true);
  EXPECT_TRUE(settings.value("display/fullscreen").toBool());
  scale->setCurrentIndex(0);
  EXPECT_FALSE(settings.contains("display/scaleMode"));
  EXPECT_EQ(changed, 3);

  QLabel* keys = nullptr;
  dialog.AddPage([] { return QStringLiteral("キー"); },
                 [&keys](QWidget* parent) { return keys = new QLabel("keys", parent); });
  EXPECT_EQ(pages->count(), 4);
  EXPECT_EQ(pages->widget(3), keys);
}

TEST_F(Preferences, TheGameStandsStillWhileTheDialogIsOpen) {
  prefs::PreferencesDialog dialog(nullptr);
  bool runningInside = true;
  desktoptest::WhenModal([&runningInside, &dialog](QWidget* modal) {
    runningInside = Window.TickTimer.Enabled;
    EXPECT_EQ(modal, &dialog);
    dialog.reject();  // Esc or the close box
  });
  prefs::RunWithGameStopped(dialog);
  EXPECT_FALSE(runningInside);
  EXPECT_TRUE(Window.TickTimer.Enabled);

  // A game already held (a replay driving the ticks itself) is not set running by it.
  Window.TickTimer.Enabled = false;
  desktoptest::WhenModal([&dialog](QWidget*) { dialog.reject(); });
  prefs::RunWithGameStopped(dialog);
  EXPECT_FALSE(Window.TickTimer.Enabled);
}

}  // namespace
