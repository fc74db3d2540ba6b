// Writing a replay as the game goes: the header at once, then each input as it comes. The
// text is handed to the disk only in whole lines: at the end, and with the first input that
// comes half a second or more after the last hand-over. Whatever is still held was added
// within half a second of that hand-over, so a crash or a kill loses at most half a second's
// inputs and never leaves half a line behind.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include "replay/replay.h"

namespace replay {

// The file's text, piece by piece (also what tests use to build replays).
std::string HeaderText(const Header& header);
class EventText {
 public:
  std::string Line(const Event& event);  // one line with its end; ticks as steps from the last

 private:
  int64_t lastTick_ = 0;
  int lastDown_ = -1;  // the key of the last key-down, which "r" repeats
};
std::string EndText(int64_t tick, uint64_t hash);
std::string ReplayText(const Replay& replay);  // the whole file

class Writer {
 public:
  // Creates (or replaces) the file and writes the header; null and the reason on failure.
  static std::unique_ptr<Writer> Create(const std::string& path, const Header& header,
                                        std::string& error);
  ~Writer();
  Writer(const Writer&) = delete;
  Writer& operator=(const Writer&) = delete;

  void Add(const Event& event);
  void End(int64_t tick, uint64_t hash);  // the end line, written out at once
  void FlushIfDue();  // hands the text over when half a second has passed since the last time
  bool Flush();
  // Why writing failed ("" while all is well). Nothing more is written after a failure.
  const std::string& Error() const { return error_; }

 private:
  explicit Writer(int fd) : fd_(fd) {}
  int fd_;
  std::string pending_;
  EventText events_;
  std::string error_;
  std::chrono::steady_clock::time_point lastFlush_ = std::chrono::steady_clock::now();
};

}  // namespace replay
