// A replay in memory: where the game started and every input after it, in tick order, with
// the state hashes that prove the game played the same. Its file form is described in the
// README ("Replays") and read by reader.h, written by writer.h.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/feed.h"

namespace replay {

constexpr int kFormatVersion = 1;
// Every replay's first line begins so, whatever its version: how a replay is told from a
// saved game or any other file, whatever its name.
constexpr std::string_view kFirstWords = "mirovaan-replay ";
inline bool BeginsAsReplay(std::string_view bytes) { return bytes.substr(0, kFirstWords.size()) == kFirstWords; }
constexpr int kHashEvery = 100;  // ticks between two stored state hashes

// The fields of the game that a saved game does not hold but play depends on; a replay that
// starts from a saved game carries them beside it.
struct KeptFields {
  uint8_t KeyState[8] = {};
  uint8_t StairLatch = 0;
  uint8_t SpeechIndex = 0;
  int32_t MessageTimer = 0;
  uint8_t MessageItem = 0;
  int32_t TickCount = 0;
};

// The game's options when a replay starts at program start.
struct StartOptions {
  int32_t TickInterval = 50;
  bool Music = true, Effects = true;
};

struct Header {
  int Format = kFormatVersion;
  std::string GameVersion;
  uint64_t ContentHash = 0;
  uint32_t Seed = 0;
  // A fresh program (options as given) or a saved game loaded over it (record and the
  // fields it does not hold).
  StartOptions Options;
  std::optional<std::vector<uint8_t>> StartSave;
  KeptFields Kept;
};

enum class EventKind : uint8_t {
  KeyDown, KeyUp, Command,
  Answer,        // a question box: Yes or No
  SaveAnswer,    // the save dialog: a file chosen or cancelled
  OpenAnswer,    // the load dialog: cancelled, the bytes the load reads, or an unreadable file
  OptionsAnswer, // the options dialog as it was closed
  Hash,          // the game state after the tick
};

enum class OpenResult : uint8_t { Cancelled, Bytes, Unreadable };

struct Event {
  int64_t Tick = 0;  // ticks run before the event (a hash: the tick after which it was taken)
  EventKind Kind = EventKind::KeyDown;
  uint16_t Key = 0;
  feed::Command Cmd = feed::Command::Save;
  int Slot = 0;  // Command: the slot of slot-save and slot-load
  bool Yes = false;  // Answer; SaveAnswer: a file was chosen
  OpenResult Open = OpenResult::Cancelled;
  std::vector<uint8_t> Bytes;
  int32_t Interval = 0;  // OptionsAnswer
  bool Music = false, Effects = false;
  uint64_t Hash = 0;
  int Line = 0;  // where it stands in its file, for messages
};

struct Replay {
  Header Head;
  std::vector<Event> Events;
  bool Ended = false;  // the file has its end line (a killed recording has not)
  int64_t EndTick = 0;
  uint64_t EndHash = 0;
};

}  // namespace replay
