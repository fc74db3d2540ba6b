// The main window's handlers, free of any toolkit: the Qt window and the headless runner
// both call these.
#pragma once

#include <string>

void FormCreate();
// Part of the start-up that the tests share: the constant tables (walk cycle, speeds,
// entrances, hero texts, items).
void FillConstantTables();
void FormShow();
void FormResize(int clientWidth, int clientHeight);
void Timer1Timer();
void N6244321Click();
void N3122161Click();
void N1561081Click();
void Exit1Click();

// The content folder: the current folder when it holds the game's content, else the data
// folder beside the program (build tree) or the installed one. Ends with '/'.
std::string FindAppDir(const std::string& programDir);

// Runs a handler as the application's message loop would: an error that escapes it is
// shown in a message box and the game goes on.
template <typename F>
void RunHandler(F&& handler);
void ReportUncaught(const std::exception& e);

template <typename F>
void RunHandler(F&& handler) {
  try {
    handler();
  } catch (const std::exception& e) {
    ReportUncaught(e);
  }
}
