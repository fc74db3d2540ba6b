// Saved games: the 13532-byte record, and the File menu's save and load commands.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr size_t kSaveRecordSize = 13532;

// The record for the current game state.
std::vector<uint8_t> BuildSaveRecord();

void K1Click();  // File, Save
void K2Click();  // File, Load

// Loads the file at path as the load command does after its dialog; false (state unchanged,
// the error shown) on failure. The headless runner's --load uses it.
bool LoadGameFile(const std::string& path);
// Saves as the save command does after its dialog.
bool SaveGameFile(const std::string& path);
