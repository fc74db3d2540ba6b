// Where the save and load dialogs open: the folder last used, remembered between runs, and
// the first time the saves folder in the user's data folder.
#pragma once

#include <QString>

namespace platform {

// $XDG_DATA_HOME/mirovaan/saves (~/.local/share/mirovaan/saves); not created here.
QString DefaultSavesFolder();

// The folder the next dialog opens in: the remembered one while it exists, else the default
// one, created when missing (the home folder if even that fails).
QString SaveDialogFolder();

// Remembers the folder of a file just chosen in a save or load dialog.
void RememberSaveFolder(const QString& chosenFile);

}  // namespace platform
