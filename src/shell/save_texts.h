// Every word the game's own saves (slots, the quicksave, autosaves) say to the player, in one
// place, so that another language can be given beside Japanese.
#pragma once

#include <cstdint>
#include <string>

namespace savetext {

std::string QuickSaved();
std::string QuickLoaded();
std::string NoQuickSave();
std::string SlotSaved(int slot);
std::string SlotLoaded(int slot);
std::string SlotEmpty(int slot);
std::string Autosaved();
// A save that could not be written, and why (the path and the system's reason).
std::string CannotSave(const std::string& why);

// The question before a quickload throws away what was not saved.
std::string QuickLoadCaption();
std::string QuickLoadQuestion();

// What a slot shows.
std::string WorldMap();
std::string DungeonFloor(int dungeon, int floor);  // both counted from 0
std::string LevelText(int level);
std::string PlayTime(int64_t ms);                  // "12:03:45"
std::string Damaged();
std::string Empty();

}  // namespace savetext
