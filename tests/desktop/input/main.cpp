// The test program's start: Qt without a screen, and settings in a folder of its own so no
// test reads or writes the player's.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir config;
  qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
  QApplication app(argc, argv);
  QApplication::setOrganizationName("mirovaan");
  QApplication::setApplicationName("mirovaan");
  QSettings::setDefaultFormat(QSettings::IniFormat);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
