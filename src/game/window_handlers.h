// The main window's handlers, free of any toolkit: the Qt window and the headless runner
// both call these.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "audio/sound.h"
#include "platform/platform.h"

// The window's creation: the game record prepared (start::PrepareRecord), the title shown and
// its music begun. start::PrepareProgram comes before it, OnWindowShow after.
void OnWindowCreate();
void OnWindowShow();
void OnWindowResize(int clientWidth, int clientHeight);
void OnTickTimer();
// Whether the window's caption is the program's own name, in either language (a replay's
// caption says more): the window shows that name in the player's language at once.
bool IsProgramCaption(const std::string& caption);
void OnView624Command();
void OnView312Command();
void OnView156Command();
void OnExitCommand();

// The content folder: the current folder when it holds the game's content, else the data
// folder beside the program (build tree) or the installed one. Ends with '/'.
std::string FindAppDir(const std::string& programDir);
// The places FindAppDir looks at, in order (each ending with '/'), and the first of them that
// holds the content, if any.
std::vector<std::string> ContentPlaces(const std::string& programDir);
std::optional<std::string> FindContentDir(const std::vector<std::string>& places);

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
