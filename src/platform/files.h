// Reading the files the game is given (content and saved games) without trusting them:
// opened without blocking, only regular files, never more bytes than the caller allows, and
// every failure put in Japanese words for the player.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// Why a system call failed (errno in), in Japanese, never the system's English text.
std::string SystemReason(int error);

// Reading what a file holds. On failure Reason says why, in Japanese.
struct ReadResult {
  bool Ok = false;
  std::string Reason;
  bool OtherKind = false;  // refused as a pipe, a device or a socket (Reason names which)
  explicit operator bool() const { return Ok; }
};

enum class Excess {
  Refuse,  // a file larger than the limit is refused unread
  Ignore,  // only the first bytes up to the limit are read; the rest is left alone
};

// Opens path without blocking (a named pipe or a device in its place must not hang the
// game), refuses anything but a regular file, then reads it whole into bytes, or its first
// `limit` bytes as `excess` says. Bytes are untouched on failure.
ReadResult ReadRegularFile(const std::string& path, size_t limit, Excess excess,
                           std::vector<uint8_t>& bytes);

}  // namespace platform
