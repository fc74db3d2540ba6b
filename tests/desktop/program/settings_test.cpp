// The settings file: what a damaged, unreadable or foreign file does, and the values read
// back from a file someone edited by hand.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <sys/stat.h>

#include "desktop_env.h"
#include "desktop/prefs/app_settings.h"

namespace {

void WriteSettings(const QByteArray& bytes) {
  QDir().mkpath(desktoptest::ConfigHome() + "/mirovaan");
  QFile file(desktoptest::SettingsFile());
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(bytes);
}

class SettingsFile : public ::testing::Test {
 protected:
  void SetUp() override { desktoptest::ClearHome(); }
  void TearDown() override { desktoptest::ClearHome(); }
};

TEST_F(SettingsFile, LivesInTheConfigFolderUnderTheProgramsName) {
  EXPECT_EQ(prefs::SettingsFilePath(), desktoptest::SettingsFile());
  QSettings settings;
  EXPECT_EQ(settings.fileName(), desktoptest::SettingsFile());
  EXPECT_EQ(settings.format(), QSettings::IniFormat);
}

TEST_F(SettingsFile, AGoodFileAndNoFileAreLeftAsTheyAre) {
  EXPECT_EQ(prefs::CheckSettingsFile(), "");
  WriteSettings("[sound]\nmusicVolume=30\n");
  EXPECT_EQ(prefs::CheckSettingsFile(), "");
  EXPECT_TRUE(QFileInfo::exists(desktoptest::SettingsFile()));
  EXPECT_EQ(prefs::ReadSoundSetup().MusicVolume, 30);
  // A file holding nothing but the language chosen is ours too.
  WriteSettings("[interface]\nlanguage=en\n");
  EXPECT_EQ(prefs::CheckSettingsFile(), "");
  EXPECT_EQ(prefs::StoredLanguage(), Language::kEnglish);
}

TEST_F(SettingsFile, DamagedOrForeignFilesAreSetAsideAndTheDefaultsHold) {
  const QByteArray cases[] = {
      QByteArray("\x00\x01\x02garbage\xff", 12),   // binary
      QByteArray("[sound]\nmusicVolume=\xff\xfe\n"),  // not UTF-8
      QByteArray("[editor]\ntheme=dark\n"),         // someone else's settings
      QByteArray(300 * 1024, 'x'),                  // far larger than ours
  };
  for (const QByteArray& bytes : cases) {
    WriteSettings(bytes);
    QString line = prefs::CheckSettingsFile();
    EXPECT_TRUE(line.startsWith("mirovaan: the settings file ")) << line.toStdString();
    EXPECT_FALSE(QFileInfo::exists(desktoptest::SettingsFile()));
    EXPECT_TRUE(QFileInfo::exists(desktoptest::SettingsFile() + ".damaged"));
    audio::Setup setup = prefs::ReadSoundSetup();
    EXPECT_EQ(setup.MusicVolume, 100);
    EXPECT_EQ(setup.SoundFont, "");
  }
}

TEST_F(SettingsFile, APipeOrAFolderInItsPlaceNeitherHangsNorIsRead) {
  QDir().mkpath(desktoptest::ConfigHome() + "/mirovaan");
  ASSERT_EQ(mkfifo(desktoptest::SettingsFile().toLocal8Bit().constData(), 0600), 0);
  EXPECT_NE(prefs::CheckSettingsFile(), "");
  EXPECT_FALSE(QFileInfo(desktoptest::SettingsFile()).exists());
  QDir().mkpath(desktoptest::SettingsFile());
  EXPECT_NE(prefs::CheckSettingsFile(), "");
}

TEST_F(SettingsFile, ValuesOutOfRangeOrOfTheWrongKindFallBack) {
  WriteSettings("[sound]\nmusicVolume=999\neffectVolume=loud\noutput=speaker-of-doom\n"
                "soundfont=/somewhere/font.sf2\n");
  EXPECT_EQ(prefs::CheckSettingsFile(), "");
  audio::Setup setup = prefs::ReadSoundSetup();
  EXPECT_EQ(setup.MusicVolume, 100);
  EXPECT_EQ(setup.EffectVolume, 100);
  EXPECT_EQ(setup.Output, "") << "an output this machine lacks means automatic";
  EXPECT_EQ(setup.SoundFont, "/somewhere/font.sf2") << "kept; the engine falls back if unusable";
}

}  // namespace
