// Finding the game's content before the window opens.
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <vector>

// The content folder (ending with '/'): the one named by --data, else the first of the
// usual places that holds the content. When there is none, one message box (and one line on
// stderr) names the places searched and how to point the game at its data.
std::optional<std::string> FindContentOrSay(const QString& dataDir);

// The text of that message box for the places searched.
QString NoContentText(const std::vector<std::string>& places);
