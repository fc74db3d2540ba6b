// The command line as the program reads it, before any window.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "desktop_env.h"
#include "desktop/command_line.h"

namespace {

TEST(ParseCommandLine, OptionsLandInTheirPlacesAndPathsBecomeAbsolute) {
  QString dir = desktoptest::TempDir("args");
  QFile game(dir + "/game.sav");
  ASSERT_TRUE(game.open(QIODevice::WriteOnly));
  game.close();
  QString before = QDir::currentPath();
  QDir::setCurrent(dir);
  ParsedCommandLine parsed =
      ParseCommandLine({"mirovaan", "--data", ".", "--window", "--record", "r.mvr", "game.sav"});
  QDir::setCurrent(before);
  ASSERT_TRUE(parsed.Run) << parsed.Output.toStdString();
  EXPECT_EQ(parsed.Options.DataDir, dir);
  EXPECT_EQ(parsed.Options.FullScreen, std::optional<bool>(false));
  EXPECT_EQ(parsed.Options.SavedGame, dir + "/game.sav");
  EXPECT_EQ(parsed.Options.RecordPath, "r.mvr");
  EXPECT_TRUE(parsed.Options.PlayPath.isEmpty());

  ParsedCommandLine plain = ParseCommandLine({"mirovaan"});
  EXPECT_TRUE(plain.Run);
  EXPECT_FALSE(plain.Options.FullScreen.has_value()) << "the remembered setting holds";
  EXPECT_TRUE(plain.Options.SavedGame.isEmpty());
}

TEST(ParseCommandLine, AFolderIsNoSavedGameAndAMissingValueIsAMistake) {
  ParsedCommandLine folder = ParseCommandLine({"mirovaan", QDir::tempPath()});
  EXPECT_FALSE(folder.Run);
  EXPECT_EQ(folder.Status, 2);
  EXPECT_TRUE(folder.Output.contains("not a file")) << folder.Output.toStdString();
  ParsedCommandLine bare = ParseCommandLine({"mirovaan", "--data"});
  EXPECT_FALSE(bare.Run);
  EXPECT_EQ(bare.Status, 2);
  EXPECT_FALSE(bare.Output.contains('\n')) << bare.Output.toStdString();
}

}  // namespace
