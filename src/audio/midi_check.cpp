#include "audio/midi_check.h"
#include "platform/language.h"

namespace audio {

namespace {

uint32_t Be32(const uint8_t* p) {
  return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}
uint32_t Be16(const uint8_t* p) { return uint32_t(p[0]) << 8 | p[1]; }
bool Is(const uint8_t* p, const char* id) {
  return p[0] == id[0] && p[1] == id[1] && p[2] == id[2] && p[3] == id[3];
}

// Walks the events of one track chunk [p, end); false at the first that leaves it.
class TrackWalker {
 public:
  TrackWalker(const uint8_t* p, const uint8_t* end) : p_(p), end_(end) {}

  std::optional<std::string> Walk() {
    while (p_ < end_) {
      if (!VarLen()) return std::string(Pick({"トラックの時間の値が壊れています",
                                  "A track's time value is damaged"}));
      if (p_ >= end_) return std::string(Pick({"トラックが出来事の途中で終わっています",
                                  "A track ends in the middle of an event"}));
      uint8_t status = *p_;
      if (status >= 0x80) ++p_;
      else if (running_ == 0) return std::string(Pick({"トラックの最初の出来事に種類がありません",
                                  "A track's first event has no kind"}));
      else status = running_;
      if (auto fault = Event(status)) return fault;
    }
    return std::nullopt;
  }

 private:
  // A variable-length number of at most four bytes, kept in value_.
  bool VarLen() {
    value_ = 0;
    for (int i = 0; i < 4; ++i) {
      if (p_ >= end_) return false;
      uint8_t b = *p_++;
      value_ = value_ << 7 | (b & 0x7F);
      if (!(b & 0x80)) return true;
    }
    return false;
  }
  bool Skip(size_t n) {
    if (size_t(end_ - p_) < n) return false;
    p_ += n;
    return true;
  }

  std::optional<std::string> Event(uint8_t status) {
    if (status == 0xFF) {  // meta event: type, length, data
      if (!Skip(1) || !VarLen() || !Skip(value_)) return std::string(Pick({"トラックのメタイベントが長さを超えています",
                                  "A track's meta event runs past its length"}));
      return std::nullopt;
    }
    if (status == 0xF0 || status == 0xF7) {  // system exclusive: length, data
      running_ = 0;
      if (!VarLen() || !Skip(value_)) return std::string(Pick({"トラックのシステムエクスクルーシブが長さを超えています",
                                  "A track's system exclusive runs past its length"}));
      return std::nullopt;
    }
    if (status > 0xF0) return std::string(Pick({"トラックに MIDI ファイルでは使えない出来事があります",
                                  "A track holds an event not allowed in a MIDI file"}));
    running_ = status;
    const uint8_t kind = status & 0xF0;
    if (!Skip(kind == 0xC0 || kind == 0xD0 ? 1 : 2)) return std::string(Pick({"トラックが出来事の途中で終わっています",
                                  "A track ends in the middle of an event"}));
    return std::nullopt;
  }

  const uint8_t* p_;
  const uint8_t* end_;
  uint8_t running_ = 0;
  uint32_t value_ = 0;
};

std::optional<std::string> CheckHeader(const uint8_t* data, size_t size, uint32_t& tracks) {
  if (size < 14 || !Is(data, "MThd")) return std::string(Pick({"MIDI ファイルではありません",
                                  "It is not a MIDI file"}));
  if (Be32(data + 4) != 6) return std::string(Pick({"MIDI ファイルのヘッダーの長さが正しくありません",
                                  "The MIDI file's header has the wrong length"}));
  if (Be16(data + 8) > 2) return std::string(Pick({"MIDI ファイルの形式が分かりません",
                                  "The MIDI file's format is unknown"}));
  tracks = Be16(data + 10);
  if (tracks == 0) return std::string(Pick({"MIDI ファイルにトラックがありません",
                                  "The MIDI file has no tracks"}));
  uint32_t division = Be16(data + 12);
  if (division == 0 || (division & 0x8000)) return std::string(Pick({"MIDI ファイルの時間の単位に対応していません",
                                  "The MIDI file's time unit is not supported"}));
  return std::nullopt;
}

}  // namespace

std::optional<std::string> CheckMidi(const uint8_t* data, size_t size) {
  if (size > kMaxMidiBytes) return std::string(Pick({"MIDI ファイルが大きすぎます",
                                  "The MIDI file is too large"}));
  uint32_t tracks = 0;
  if (auto fault = CheckHeader(data, size, tracks)) return fault;
  uint32_t found = 0;
  size_t at = 14;
  // A few stray bytes after the last chunk are never read by the player; a whole chunk
  // header, though, must describe a chunk that is there.
  while (size - at >= 8) {
    uint32_t length = Be32(data + at + 4);
    if (length > size - at - 8) return std::string(Pick({"MIDI ファイルのチャンクの長さがファイルを超えています",
                                  "A chunk of the MIDI file runs past the end of the file"}));
    const uint8_t* body = data + at + 8;
    if (Is(data + at, "MTrk")) {
      ++found;
      if (auto fault = TrackWalker(body, body + length).Walk()) return fault;
    }
    at += 8 + size_t(length);
  }
  if (found < tracks) return std::string(Pick({"MIDI ファイルのトラックがヘッダーの数より少なくなっています",
                                  "The MIDI file has fewer tracks than its header says"}));
  return std::nullopt;
}

}  // namespace audio
