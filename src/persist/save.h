// Saved games: the 13532-byte record, and the File menu's save and load commands.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <sys/types.h>
#include <string>
#include <vector>

constexpr size_t kSaveRecordSize = 13532;

// The record for the current game state.
std::vector<uint8_t> BuildSaveRecord();

void OnSaveCommand();  // File, Save
void OnLoadCommand();  // File, Load

// Loads the file at path as the load command does after its dialog; false (state unchanged,
// the error shown) on failure. The headless runner's --load uses it.
bool LoadGameFile(const std::string& path);
// Loads a record held in memory as a load of a file called name would (the dialogs' proposed
// names stay as they are); false if it is shorter than a record or refused.
bool LoadGameRecord(const std::vector<uint8_t>& record, const std::string& name);
// Saves as the save command does after its dialog.
bool SaveGameFile(const std::string& path);

namespace persist {

// The record of the last save written or game loaded (empty before the first): what the
// game in hand is measured against when a load would throw away what was not saved.
const std::vector<uint8_t>& LastKeptRecord();
void KeepRecord(std::vector<uint8_t> record);
// The game running now differs from the last one saved or loaded (a game runs: the save
// command is enabled).
bool GameChangedSinceKept();

// The bytes a load of path reads: the file's first record's worth (fewer for a short file;
// the rest of a longer one is not read), opened without blocking so that a named pipe cannot
// hang the game. Nullopt, and the reason in Japanese, for what is no regular readable file.
// The load and the replay recorder both read through it, so a recording holds exactly
// what the load read.
std::optional<std::vector<uint8_t>> ReadSaveBytes(const std::string& path,
                                                  std::string* reason = nullptr);

// The names the two file dialogs propose. A save hands its name to the load dialog and a
// load hands its name to the save dialog, so the player finds the last file again.
const std::string& SaveDialogFileName();
const std::string& OpenDialogFileName();
void ResetDialogFileNames();  // both back to "*.sav", as at program start

// What is wrong with the first kSaveRecordSize bytes at data, in words for the player
// (field name and value), or nullopt when the record can be loaded safely.
std::optional<std::string> CheckSaveRecord(const uint8_t* data);

// Copies a checked record into the game state: the saved stretch and BossDefeated. The
// padding bytes of the state are left zero.
void ApplySaveRecord(const uint8_t* data);

// Writes bytes to path so that an old file of that name survives any failure: an unnamed
// file in its folder is written, flushed to the disk, named and renamed over it, so that a
// save killed part-way leaves nothing behind (where the file system has no unnamed files, a
// named temporary file, and such files left by killed saves are removed by the next save).
// A symbolic link is followed to its target, which is written, dangling or not. A folder, a
// pipe, a device or a read-only file is refused and left as it is. Returns the reason of a
// failure, in Japanese, or nullopt.
// Lazy leaves out the two flushes to the disk (the file's and its folder's): still never a
// half-written file under the name, but a power cut may bring the old one back. For the
// optional files beside a save, which must not make the save take three times as long.
enum class Flush : uint8_t { ToDisk, Lazy };
std::optional<std::string> WriteFileReplacing(const std::string& path,
                                              const std::vector<uint8_t>& bytes,
                                              Flush flush = Flush::ToDisk);

// The system calls of WriteFileReplacing, replaceable so that tests can make a disk fail
// half-way. Each behaves as its POSIX namesake (-1 and errno on failure).
struct FileIo {
  std::function<long(int fd, const void* data, size_t size)> write;
  std::function<int(int fd)> fsync;
  std::function<int(const char* from, const char* to)> rename;
  // open(folder, O_TMPFILE | O_WRONLY | O_CLOEXEC, mode)
  std::function<int(const char* folder, mode_t mode)> openUnnamed;
};
void SetFileIoForTesting(const FileIo* io);  // null: the real system calls

}  // namespace persist
