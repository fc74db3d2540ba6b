// The saves the game names itself, in the saves folder: ten slots, the quicksave and the
// autosaves. They go through the input door like the File commands (feed.h), so a replay
// records and repeats them; where the files live is the platform's to say
// (Platform::OwnSavePath), so a replay's playback keeps to its private folder.
#pragma once

namespace ownsaves {

// Saves and loads of the commands; each does nothing while its File item is disabled, as
// File, Save and Load do. A short notice says what happened.
void OnQuickSave();
void OnQuickLoad();  // asks first when the game in hand changed since the last save or load
void OnSlotSave(int slot);  // 1..10; overwrites (the slot screen asks first)
void OnSlotLoad(int slot);
void OnAutosave();  // autosave-1.sav, the two before kept as autosave-2 and -3

// The autosave preference: off unless the program turns it on (the window from its
// preferences, the runner with --autosave), so a runner writes nothing it was not asked to.
void SetAutosaveEnabled(bool on);
bool AutosaveEnabled();

// Whether a change of game mode by the player's input or a tick is one that autosaves: the
// hero entering a dungeon from the world map, or coming back out to it.
bool AutosaveDue(int modeBefore, int modeAfter);

}  // namespace ownsaves
