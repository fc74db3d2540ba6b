// The program's command line: what to do before any window opens.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "platform/language.h"

struct CommandLine {
  QString DataDir;                 // --data: the content folder, absolute ("" to search)
  std::optional<bool> FullScreen;  // --fullscreen (true) or --window (false), this run only
  QString SavedGame;               // a saved game to load at start, absolute ("" none)
  QString RecordPath, PlayPath;    // --record FILE, --play FILE (the replays)
  std::optional<Language> RunLanguage;  // --language ja|en, this run only
};

struct ParsedCommandLine {
  bool Run = true;    // false: print Output and end with Status, no window
  int Status = 0;     // 0 for --help and --version, 2 for a usage error
  QString Output;     // the help or version text (stdout), or the one error line (stderr)
  CommandLine Options;
};

// Reads the arguments (the program's name first). Needs no QApplication, so that --help
// works without a display. New options belong here, in this one function.
ParsedCommandLine ParseCommandLine(const QStringList& arguments);
