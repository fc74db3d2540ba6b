// The command line as the program reads it, before any window.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <vector>

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

// The language for one run: ja or en, anything else a mistake named in one line; none given
// leaves the remembered one.
TEST(ParseCommandLine, LanguageIsJapaneseOrEnglishForThisRun) {
  EXPECT_EQ(ParseCommandLine({"mirovaan", "--language", "en"}).Options.RunLanguage,
            std::optional<Language>(Language::kEnglish));
  EXPECT_EQ(ParseCommandLine({"mirovaan", "--language=ja"}).Options.RunLanguage,
            std::optional<Language>(Language::kJapanese));
  EXPECT_FALSE(ParseCommandLine({"mirovaan"}).Options.RunLanguage.has_value());
  for (const char* wrong : {"fr", "EN", "", "english"}) {
    ParsedCommandLine parsed = ParseCommandLine({"mirovaan", "--language", wrong});
    EXPECT_FALSE(parsed.Run) << wrong;
    EXPECT_EQ(parsed.Status, 2) << wrong;
    EXPECT_TRUE(parsed.Output.startsWith("mirovaan: unknown language")) << parsed.Output.toStdString();
    EXPECT_FALSE(parsed.Output.contains('\n')) << parsed.Output.toStdString();
  }
  EXPECT_TRUE(ParseCommandLine({"mirovaan", "--help"}).Output.contains("--language <code>  Play in Japanese (ja) or English (en)"));
}

// A replay that cannot be played is a mistake of the command line like a missing saved game:
// one line and status 2, before the window is built.
TEST(ParseCommandLine, AReplayThatCannotBeReadOrBothReplayOptionsAreMistakes) {
  QString dir = desktoptest::TempDir("replay-args");
  QFile replay(dir + "/game.mvr");
  ASSERT_TRUE(replay.open(QIODevice::WriteOnly));
  replay.close();
  QFile locked(dir + "/locked.mvr");
  ASSERT_TRUE(locked.open(QIODevice::WriteOnly));
  locked.close();
  locked.setPermissions(QFileDevice::Permissions());
  const bool lockedIsReadable = locked.open(QIODevice::ReadOnly);  // as root, for one
  locked.close();

  struct Case {
    QStringList arguments;
    QString said;
  };
  std::vector<Case> cases = {
      {{"--play", dir + "/missing.mvr"}, "no such file"},
      {{"--play", dir}, "not a file"},
      {{"--record", dir + "/new.mvr", "--play", dir + "/game.mvr"}, "cannot be given together"},
      {{"--record", dir + "/no/such/new.mvr"}, "no such folder"},
  };
  if (!lockedIsReadable) cases.push_back({{"--play", dir + "/locked.mvr"}, "cannot read"});
  for (const Case& c : cases) {
    ParsedCommandLine parsed = ParseCommandLine(QStringList{"mirovaan"} + c.arguments);
    EXPECT_FALSE(parsed.Run) << c.arguments.join(' ').toStdString();
    EXPECT_EQ(parsed.Status, 2) << c.arguments.join(' ').toStdString();
    EXPECT_TRUE(parsed.Output.contains(c.said)) << parsed.Output.toStdString();
    EXPECT_FALSE(parsed.Output.contains('\n')) << parsed.Output.toStdString();
  }

  ParsedCommandLine play = ParseCommandLine({"mirovaan", "--play", dir + "/game.mvr"});
  ASSERT_TRUE(play.Run) << play.Output.toStdString();
  EXPECT_EQ(play.Options.PlayPath, dir + "/game.mvr");
}

// A file manager hands the program whichever file was opened: what the file begins with says
// whether it is played or loaded, not its name.
TEST(ParseCommandLine, ANamedFileIsPlayedWhenItIsAReplayAndLoadedOtherwise) {
  QString dir = desktoptest::TempDir("named-file");
  auto write = [&dir](const QString& name, const QByteArray& bytes) {
    QFile file(dir + "/" + name);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return file.fileName();
  };
  const QString renamedReplay = write("renamed.sav", "mirovaan-replay 1\ngame 1.0.0\n");
  const QString saveNamedAsReplay = write("odd.mvr", QByteArray(13532, '\0'));
  const QString almostReplay = write("short.mvr", "mirovaan-replay");

  ParsedCommandLine replay = ParseCommandLine({"mirovaan", renamedReplay});
  ASSERT_TRUE(replay.Run) << replay.Output.toStdString();
  EXPECT_EQ(replay.Options.PlayPath, renamedReplay);
  EXPECT_TRUE(replay.Options.SavedGame.isEmpty());

  for (const QString& game : {saveNamedAsReplay, almostReplay}) {
    ParsedCommandLine save = ParseCommandLine({"mirovaan", game});
    ASSERT_TRUE(save.Run) << save.Output.toStdString();
    EXPECT_EQ(save.Options.SavedGame, game);
    EXPECT_TRUE(save.Options.PlayPath.isEmpty()) << game.toStdString();
  }

  // A replay cannot be recorded into, nor played beside another one.
  for (const QStringList& arguments :
       {QStringList{"--record", dir + "/new.mvr", renamedReplay},
        QStringList{"--play", renamedReplay, renamedReplay}}) {
    ParsedCommandLine parsed = ParseCommandLine(QStringList{"mirovaan"} + arguments);
    EXPECT_FALSE(parsed.Run) << arguments.join(' ').toStdString();
    EXPECT_EQ(parsed.Status, 2);
    EXPECT_TRUE(parsed.Output.contains("renamed.sav")) << parsed.Output.toStdString();
  }

  // --play names a file as well: a saved game handed to it is loaded, and may be recorded
  // from; a file of neither kind is left to the replay's load to refuse, and a saved game
  // there still counts as the one file.
  ParsedCommandLine played = ParseCommandLine({"mirovaan", "--play", saveNamedAsReplay});
  ASSERT_TRUE(played.Run) << played.Output.toStdString();
  EXPECT_EQ(played.Options.SavedGame, saveNamedAsReplay);
  EXPECT_TRUE(played.Options.PlayPath.isEmpty());
  ParsedCommandLine recorded =
      ParseCommandLine({"mirovaan", "--record", dir + "/new.mvr", "--play", saveNamedAsReplay});
  ASSERT_TRUE(recorded.Run) << recorded.Output.toStdString();
  EXPECT_EQ(recorded.Options.SavedGame, saveNamedAsReplay);
  EXPECT_EQ(recorded.Options.RecordPath, dir + "/new.mvr");
  ParsedCommandLine neither = ParseCommandLine({"mirovaan", "--play", almostReplay});
  ASSERT_TRUE(neither.Run) << neither.Output.toStdString();
  EXPECT_EQ(neither.Options.PlayPath, almostReplay);
  EXPECT_TRUE(neither.Options.SavedGame.isEmpty());
  ParsedCommandLine two = ParseCommandLine({"mirovaan", "--play", saveNamedAsReplay, renamedReplay});
  EXPECT_FALSE(two.Run);
  EXPECT_EQ(two.Status, 2);
}

}  // namespace
