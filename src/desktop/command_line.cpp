#include "desktop/command_line.h"

#include "desktop/replay_control.h"
#include "persist/save.h"
#include "replay/replay.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace {

// The command line speaks English whatever the language of the game, as it always has: it is
// read in a terminal, often before any setting is. Its texts still go through the
// translator, for a language whose players would rather read their own.
struct Text {
  Q_DECLARE_TR_FUNCTIONS(CommandLine)
};

ParsedCommandLine Stop(int status, const QString& output) {
  ParsedCommandLine parsed;
  parsed.Run = false;
  parsed.Status = status;
  parsed.Output = output;
  return parsed;
}

ParsedCommandLine UsageError(const QString& what) {
  return Stop(2, Text::tr("mirovaan: %1 (see mirovaan --help)").arg(what));
}

// Qt's "Unknown option 'x'." as a clause of our one line.
QString AsOneClause(QString text) {
  text = text.trimmed();
  if (text.endsWith('.')) text.chop(1);
  if (!text.isEmpty()) text[0] = text[0].toLower();
  return text;
}

// What is wrong with the replay options, caught here so that a mistyped name ends the
// program at once like any other mistake, rather than after the window is built. Only what
// the name alone tells: the file's contents are read once the content folder is known.
QString ReplayMistake(const QString& recordPath, const QString& playPath) {
  if (!recordPath.isEmpty() && !playPath.isEmpty())
    return Text::tr("--record and --play cannot be given together");
  if (!recordPath.isEmpty()) {
    QFileInfo folder(QFileInfo(recordPath).absolutePath());
    if (!folder.isDir())
      return Text::tr("no such folder for the recording: %1").arg(folder.filePath());
  }
  if (playPath.isEmpty()) return {};
  QFileInfo replay(playPath);
  if (!replay.exists()) return Text::tr("no such file: %1").arg(playPath);
  if (!replay.isFile()) return Text::tr("not a file: %1").arg(playPath);
  QFile file(playPath);
  if (!file.open(QIODevice::ReadOnly))
    return Text::tr("cannot read %1: %2").arg(playPath, file.errorString());
  return {};
}

// A file manager hands over a replay or a saved game alike, and a file may be renamed:
// what the file begins with decides. A file that cannot be read is left to the load, which
// says why.
bool IsReplayFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  QByteArray start = file.read(qint64(replay::kFirstWords.size()));
  return replay::BeginsAsReplay(std::string_view(start.constData(), size_t(start.size())));
}

bool IsSavedGameNotReplay(const QString& path) {
  QFileInfo file(path);
  return !path.isEmpty() && file.isFile() && file.size() == qint64(kSaveRecordSize) &&
         !IsReplayFile(path);
}

// The file named without an option: a replay is played, anything else loaded as a saved game.
QString TakeNamedFile(const QString& path, CommandLine& options) {
  QFileInfo file(path);
  if (!file.exists()) return Text::tr("no such file: %1").arg(file.filePath());
  if (!file.isFile()) return Text::tr("not a file: %1").arg(file.filePath());
  if (!IsReplayFile(path)) {
    options.SavedGame = file.absoluteFilePath();
    return {};
  }
  if (!options.RecordPath.isEmpty())
    return Text::tr("%1 is a replay: it cannot be played while recording").arg(file.filePath());
  if (!options.PlayPath.isEmpty())
    return Text::tr("only one replay can be played, not %1 and %2")
        .arg(options.PlayPath, file.filePath());
  options.PlayPath = file.absoluteFilePath();
  return {};
}

}  // namespace

ParsedCommandLine ParseCommandLine(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setApplicationDescription(Text::tr(
      "ﾐﾛｳﾞｧｰﾝ (Mirovaan): an action role-playing game.\n"
      "Saved games go to $XDG_DATA_HOME/mirovaan/saves, settings to "
      "$XDG_CONFIG_HOME/mirovaan/mirovaan.ini."));
  QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                          Text::tr("Show this help and exit."));
  QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                             Text::tr("Show the version and exit."));
  QCommandLineOption data(QStringLiteral("data"),
                          Text::tr("Read the game's content from <dir>."),
                          QStringLiteral("dir"));
  QCommandLineOption fullScreen(QStringLiteral("fullscreen"),
                                Text::tr("Start in full screen (this run only)."));
  QCommandLineOption window(QStringLiteral("window"),
                            Text::tr("Start in a window (this run only)."));
  QCommandLineOption language(QStringLiteral("language"),
                              Text::tr("Play in Japanese (ja) or English (en), this run only."),
                              QStringLiteral("code"));
  parser.addOptions({help, version, data, fullScreen, window, language});
  AddReplayOptions(parser);
  parser.addPositionalArgument(QStringLiteral("file"),
                               Text::tr("A saved game to load at start, or a replay to play."),
                               QStringLiteral("[game.sav | game.mvr]"));

  if (!parser.parse(arguments)) return UsageError(AsOneClause(parser.errorText()));
  if (parser.isSet(help))
    return Stop(0, parser.helpText().replace(QStringLiteral("<executable_name>"),
                                             QStringLiteral("mirovaan")));
  if (parser.isSet(version))
    return Stop(0, QStringLiteral("mirovaan %1\n").arg(QCoreApplication::applicationVersion()));

  ParsedCommandLine parsed;
  if (parser.isSet(fullScreen) && parser.isSet(window))
    return UsageError(Text::tr("--fullscreen and --window cannot be given together"));
  if (parser.isSet(fullScreen) || parser.isSet(window))
    parsed.Options.FullScreen = parser.isSet(fullScreen);
  if (parser.isSet(data)) {
    QFileInfo dir(parser.value(data));
    if (!dir.isDir()) return UsageError(Text::tr("no such folder: %1").arg(dir.filePath()));
    parsed.Options.DataDir = dir.absoluteFilePath();
  }
  if (parser.isSet(language)) {
    parsed.Options.RunLanguage = LanguageFromCode(parser.value(language).toStdString());
    if (!parsed.Options.RunLanguage)
      return UsageError(Text::tr("unknown language: %1 (ja or en)").arg(parser.value(language)));
  }
  const QStringList games = parser.positionalArguments();
  parsed.Options.RecordPath = parser.value(QStringLiteral("record"));
  parsed.Options.PlayPath = parser.value(QStringLiteral("play"));
  // A file manager's "open with" or a habit of typing --play hands over saved games too: one
  // that is no replay but has a saved game's size is loaded, as when it is named alone.
  // Anything else stays for the replay's load, which says what is wrong with it.
  if (IsSavedGameNotReplay(parsed.Options.PlayPath)) {
    if (!games.isEmpty())
      return UsageError(Text::tr("only one file can be given, not %1").arg(games.size() + 1));
    parsed.Options.SavedGame = QFileInfo(parsed.Options.PlayPath).absoluteFilePath();
    parsed.Options.PlayPath.clear();
  }
  QString replayMistake = ReplayMistake(parsed.Options.RecordPath, parsed.Options.PlayPath);
  if (!replayMistake.isEmpty()) return UsageError(replayMistake);
  if (games.size() > 1)
    return UsageError(Text::tr("only one file can be given, not %1").arg(games.size()));
  if (!games.isEmpty()) {
    QString mistake = TakeNamedFile(games.first(), parsed.Options);
    if (!mistake.isEmpty()) return UsageError(mistake);
  }
  return parsed;
}
