// Reading a replay file. Anything that is not a replay this game wrote (cut off, damaged,
// another kind of file) is refused with the line where reading stopped and what was wrong.
#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "replay/replay.h"

namespace replay {

struct ReadError {
  int Line = 0;  // 0: the file as a whole
  std::string What;
  std::string Message() const;  // "line 12: ..." in English
};

using ReadResult = std::variant<Replay, ReadError>;

ReadResult ParseReplay(std::string_view text);
// Reads the whole file (at most 64 MiB) and parses it.
ReadResult ReadReplayFile(const std::string& path);

}  // namespace replay
