#include "replay/reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "persist/save.h"
#include "replay/text_codec.h"

namespace replay {

namespace {

constexpr size_t kLongestFile = 64u << 20;
constexpr int64_t kMostTicks = 1000000000;  // far beyond any game; keeps tick sums in range

struct Failure {
  std::string what;
};

std::vector<std::string> Words(std::string_view line) {
  std::vector<std::string> words;
  size_t start = 0;
  while (true) {
    size_t space = line.find(' ', start);
    words.emplace_back(line.substr(start, space - start));
    if (space == std::string_view::npos) return words;
    start = space + 1;
  }
}

// The text's lines; the last must end like the others, or the file was cut off.
class Lines {
 public:
  explicit Lines(std::string_view text) : text_(text) {}
  bool Next(std::string_view& line) {
    if (at_ >= text_.size()) return false;
    ++number_;
    size_t end = text_.find('\n', at_);
    if (end == std::string_view::npos) throw Failure{"the line is cut off (the file ends inside it)"};
    line = text_.substr(at_, end - at_);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    at_ = end + 1;
    return true;
  }
  int Number() const { return number_; }

 private:
  std::string_view text_;
  size_t at_ = 0;
  int number_ = 0;
};

int64_t Number(const std::string& word, int64_t low, int64_t high, const char* what) {
  auto value = Decimal(word, low, high);
  if (!value)
    throw Failure{std::string("bad ") + what + " \"" + word + "\" (" + std::to_string(low) +
                  ".." + std::to_string(high) + " expected)"};
  return *value;
}

bool Flag(const std::string& word, const char* what) {
  return Number(word, 0, 1, what) != 0;
}

std::vector<std::string> Expect(Lines& lines, const char* key, size_t words) {
  std::string_view line;
  if (!lines.Next(line)) throw Failure{std::string("the file ends before its \"") + key + "\" line"};
  std::vector<std::string> w = Words(line);
  if (w[0] != key) throw Failure{std::string("\"") + key + "\" expected, found \"" + w[0] + "\""};
  if (words && w.size() != words)
    throw Failure{std::string("the \"") + key + "\" line has " + std::to_string(w.size()) +
                  " words, " + std::to_string(words) + " expected"};
  return w;
}

void ReadMagic(Lines& lines) {
  std::string_view line;
  if (!lines.Next(line) || !BeginsAsReplay(line))
    throw Failure{"not a Mirovaan replay (it does not begin with \"mirovaan-replay\")"};
  int64_t version = Number(std::string(line.substr(kFirstWords.size())), 0, 1000000, "format version");
  if (version != kFormatVersion)
    throw Failure{"replay format version " + std::to_string(version) + "; this game reads version " +
                  std::to_string(kFormatVersion)};
}

KeptFields ReadKept(Lines& lines) {
  auto w = Expect(lines, "keep", 14);
  KeptFields k;
  for (int i = 0; i < 8; ++i) k.KeyState[i] = static_cast<uint8_t>(Number(w[1 + i], 0, 255, "held key"));
  k.StairLatch = static_cast<uint8_t>(Number(w[9], 0, 255, "stair latch"));
  k.SpeechIndex = static_cast<uint8_t>(Number(w[10], 0, 255, "speech index"));
  k.MessageTimer = static_cast<int32_t>(Number(w[11], INT32_MIN, INT32_MAX, "message timer"));
  k.MessageItem = static_cast<uint8_t>(Number(w[12], 0, 255, "message item"));
  k.TickCount = static_cast<int32_t>(Number(w[13], INT32_MIN, INT32_MAX, "tick count"));
  return k;
}

void ReadStart(Lines& lines, Header& h) {
  auto w = Expect(lines, "start", 0);
  if (w.size() == 5 && w[1] == "new") {
    h.Options.TickInterval = static_cast<int32_t>(Number(w[2], 1, 100, "game speed"));
    h.Options.Music = Flag(w[3], "music switch");
    h.Options.Effects = Flag(w[4], "effects switch");
    return;
  }
  if (w.size() != 2 || w[1] != "save") throw Failure{"\"start new\" or \"start save\" expected"};
  auto save = Expect(lines, "save", 2);
  auto bytes = FromBase64(save[1]);
  if (!bytes) throw Failure{"the embedded saved game is not valid base64"};
  if (bytes->size() != kSaveRecordSize)
    throw Failure{"the embedded saved game has " + std::to_string(bytes->size()) + " bytes, " +
                  std::to_string(kSaveRecordSize) + " expected"};
  h.StartSave = std::move(*bytes);
  h.Kept = ReadKept(lines);
}

Header ReadHeader(Lines& lines) {
  ReadMagic(lines);
  Header h;
  h.GameVersion = Expect(lines, "game", 2)[1];
  auto content = FromHex64(Expect(lines, "content", 2)[1]);
  if (!content) throw Failure{"the content hash is not 16 hexadecimal digits"};
  h.ContentHash = *content;
  h.Seed = static_cast<uint32_t>(Number(Expect(lines, "seed", 2)[1], 0, UINT32_MAX, "seed"));
  ReadStart(lines, h);
  Expect(lines, "events", 1);
  return h;
}


OpenResult ReadOpen(const std::vector<std::string>& w, Event& e) {
  if (w.size() == 3 && w[2] == "cancel") return OpenResult::Cancelled;
  if (w.size() == 3 && w[2] == "unreadable") return OpenResult::Unreadable;
  if ((w.size() == 3 || w.size() == 4) && w[2] == "file") {
    auto bytes = FromBase64(w.size() == 4 ? w[3] : "");
    if (!bytes) throw Failure{"the loaded file's bytes are not valid base64"};
    if (bytes->size() > kSaveRecordSize)
      throw Failure{"the loaded file holds more bytes than a load reads"};
    e.Bytes = std::move(*bytes);
    return OpenResult::Bytes;
  }
  throw Failure{"\"o cancel\", \"o unreadable\" or \"o file BASE64\" expected"};
}

void NeedWords(const std::vector<std::string>& w, size_t count) {
  if (w.size() != count)
    throw Failure{"the \"" + w[1] + "\" event has " + std::to_string(w.size() - 1) + " words, " +
                  std::to_string(count - 1) + " expected"};
}

// One event line: its tick step, then what happened.
Event ReadEvent(const std::vector<std::string>& w, int64_t tick, int& lastDown) {
  Event e;
  if (w.size() < 2) throw Failure{"an event needs a tick step and a kind"};
  e.Tick = tick + Number(w[0], 0, kMostTicks, "tick step");
  if (e.Tick > kMostTicks) throw Failure{"the replay runs beyond a billion ticks"};
  const std::string& kind = w[1];
  if (kind == "d" || kind == "u") {
    NeedWords(w, 3);
    e.Kind = kind == "d" ? EventKind::KeyDown : EventKind::KeyUp;
    e.Key = static_cast<uint16_t>(Number(w[2], 0, 0xFFFF, "key"));
    if (kind == "d") lastDown = e.Key;
  } else if (kind == "r") {
    NeedWords(w, 2);
    if (lastDown < 0) throw Failure{"\"r\" repeats a key-down, but none came before it"};
    e.Key = static_cast<uint16_t>(lastDown);
  } else if (kind == "c") {
    auto command = feed::CommandNamed(w.size() > 2 ? w[2] : "");
    if (!command) throw Failure{"unknown command \"" + (w.size() > 2 ? w[2] : "") + "\""};
    const bool slotted = feed::TakesSlot(*command);
    NeedWords(w, slotted ? 4 : 3);
    e.Kind = EventKind::Command;
    e.Cmd = *command;
    if (slotted) e.Slot = static_cast<int>(Number(w[3], 1, 10, "slot"));
  } else if (kind == "a" || kind == "s") {
    NeedWords(w, 3);
    const char* yes = kind == "a" ? "yes" : "file";
    const char* no = kind == "a" ? "no" : "cancel";
    if (w[2] != yes && w[2] != no)
      throw Failure{"\"" + kind + " " + yes + "\" or \"" + kind + " " + no + "\" expected"};
    e.Kind = kind == "a" ? EventKind::Answer : EventKind::SaveAnswer;
    e.Yes = w[2] == yes;
  } else if (kind == "o") {
    e.Kind = EventKind::OpenAnswer;
    e.Open = ReadOpen(w, e);
  } else if (kind == "p") {
    NeedWords(w, 5);
    e.Kind = EventKind::OptionsAnswer;
    e.Interval = static_cast<int32_t>(Number(w[2], 1, 100, "game speed"));
    e.Music = Flag(w[3], "music switch");
    e.Effects = Flag(w[4], "effects switch");
  } else if (kind == "h") {
    NeedWords(w, 4);
    e.Kind = EventKind::Hash;
    if (Number(w[2], 0, kMostTicks, "hash tick") != e.Tick)
      throw Failure{"the hash names tick " + w[2] + " but stands at tick " + std::to_string(e.Tick)};
    auto hash = FromHex64(w[3]);
    if (!hash) throw Failure{"the state hash is not 16 hexadecimal digits"};
    e.Hash = *hash;
  } else {
    throw Failure{"unknown event \"" + kind + "\""};
  }
  return e;
}

void ReadEnd(const std::vector<std::string>& w, int64_t tick, Replay& r) {
  if (w.size() != 3) throw Failure{"the end line needs a tick and a hash"};
  r.EndTick = Number(w[1], 0, kMostTicks, "end tick");
  if (r.EndTick < tick) throw Failure{"the end tick comes before the last event"};
  auto hash = FromHex64(w[2]);
  if (!hash) throw Failure{"the end hash is not 16 hexadecimal digits"};
  r.EndHash = *hash;
  r.Ended = true;
}

void ReadBody(Lines& lines, Replay& r) {
  std::string_view line;
  int64_t tick = 0;
  int lastDown = -1;
  while (lines.Next(line)) {
    if (r.Ended) throw Failure{"text after the end line"};
    std::vector<std::string> w = Words(line);
    if (w[0] == "end") {
      ReadEnd(w, tick, r);
      continue;
    }
    r.Events.push_back(ReadEvent(w, tick, lastDown));
    r.Events.back().Line = lines.Number();
    tick = r.Events.back().Tick;
  }
}

}  // namespace

std::string ReadError::Message() const {
  return Line > 0 ? "line " + std::to_string(Line) + ": " + What : What;
}

}  // namespace replay

namespace replay {

ReadResult ParseReplay(std::string_view text) {
  Lines lines(text);
  try {
    Replay r;
    r.Head = ReadHeader(lines);
    ReadBody(lines, r);
    return r;
  } catch (const Failure& f) {
    return ReadError{lines.Number(), f.what};
  }
}

ReadResult ReadReplayFile(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return ReadError{0, path + ": " + std::strerror(errno)};
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > static_cast<off_t>(kLongestFile)) {
    ::close(fd);
    return ReadError{0, path + ": not a regular file of at most 64 MiB"};
  }
  std::string text(static_cast<size_t>(st.st_size), '\0');
  size_t got = 0;
  while (got < text.size()) {
    ssize_t n = ::read(fd, text.data() + got, text.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    got += static_cast<size_t>(n);
  }
  ::close(fd);
  text.resize(got);
  return ParseReplay(text);
}

}  // namespace replay
