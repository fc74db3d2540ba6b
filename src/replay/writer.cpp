#include "replay/writer.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "replay/text_codec.h"

namespace replay {

namespace {

std::string KeptText(const KeptFields& k) {
  std::string text = "keep";
  for (uint8_t held : k.KeyState) text += " " + std::to_string(held);
  for (int64_t v : {int64_t{k.StairLatch}, int64_t{k.SpeechIndex}, int64_t{k.MessageTimer},
                    int64_t{k.MessageItem}, int64_t{k.TickCount}})
    text += " " + std::to_string(v);
  return text + "\n";
}

std::string OpenAnswerText(const Event& e) {
  switch (e.Open) {
    case OpenResult::Cancelled: return "o cancel";
    case OpenResult::Unreadable: return "o unreadable";
    case OpenResult::Bytes: break;
  }
  return e.Bytes.empty() ? "o file" : "o file " + Base64(e.Bytes);
}

std::string Body(const Event& e, int lastDown) {
  switch (e.Kind) {
    case EventKind::KeyDown: return e.Key == lastDown ? "r" : "d " + std::to_string(e.Key);
    case EventKind::KeyUp: return "u " + std::to_string(e.Key);
    case EventKind::Command:
      return std::string("c ") + feed::NameOf(e.Cmd) +
             (feed::TakesSlot(e.Cmd) ? " " + std::to_string(e.Slot) : std::string());
    case EventKind::Answer: return e.Yes ? "a yes" : "a no";
    case EventKind::SaveAnswer: return e.Yes ? "s file" : "s cancel";
    case EventKind::OpenAnswer: return OpenAnswerText(e);
    case EventKind::OptionsAnswer:
      return "p " + std::to_string(e.Interval) + " " + (e.Music ? "1" : "0") + " " +
             (e.Effects ? "1" : "0");
    case EventKind::Hash: return "h " + std::to_string(e.Tick) + " " + Hex64(e.Hash);
  }
  return "";
}

}  // namespace

std::string HeaderText(const Header& h) {
  std::string text = std::string(kFirstWords) + std::to_string(h.Format) + "\n";
  text += "game " + h.GameVersion + "\n";
  text += "content " + Hex64(h.ContentHash) + "\n";
  text += "seed " + std::to_string(h.Seed) + "\n";
  if (h.StartSave) {
    text += "start save\nsave " + Base64(*h.StartSave) + "\n" + KeptText(h.Kept);
  } else {
    text += "start new " + std::to_string(h.Options.TickInterval) + " " +
            (h.Options.Music ? "1" : "0") + " " + (h.Options.Effects ? "1" : "0") + "\n";
  }
  return text + "events\n";
}

std::string EventText::Line(const Event& e) {
  std::string line = std::to_string(e.Tick - lastTick_) + " " + Body(e, lastDown_) + "\n";
  lastTick_ = e.Tick;
  if (e.Kind == EventKind::KeyDown) lastDown_ = e.Key;
  return line;
}

std::string EndText(int64_t tick, uint64_t hash) {
  return "end " + std::to_string(tick) + " " + Hex64(hash) + "\n";
}

std::string ReplayText(const Replay& r) {
  std::string text = HeaderText(r.Head);
  EventText events;
  for (const Event& e : r.Events) text += events.Line(e);
  if (r.Ended) text += EndText(r.EndTick, r.EndHash);
  return text;
}

std::unique_ptr<Writer> Writer::Create(const std::string& path, const Header& header,
                                       std::string& error) {
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) {
    error = std::strerror(errno);
    return nullptr;
  }
  std::unique_ptr<Writer> writer(new Writer(fd));
  writer->pending_ = HeaderText(header);
  if (!writer->Flush()) {
    error = writer->error_;
    return nullptr;
  }
  return writer;
}

Writer::~Writer() {
  Flush();
  ::close(fd_);
}

void Writer::Add(const Event& event) {
  if (!error_.empty()) return;
  pending_ += events_.Line(event);
  FlushIfDue();
}

void Writer::End(int64_t tick, uint64_t hash) {
  if (!error_.empty()) return;
  pending_ += EndText(tick, hash);
  Flush();
}

void Writer::FlushIfDue() {
  if (std::chrono::steady_clock::now() - lastFlush_ >= std::chrono::milliseconds(500)) Flush();
}

bool Writer::Flush() {
  lastFlush_ = std::chrono::steady_clock::now();
  size_t done = 0;
  while (error_.empty() && done < pending_.size()) {
    ssize_t n = ::write(fd_, pending_.data() + done, pending_.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) error_ = std::strerror(errno);
    else done += static_cast<size_t>(n);
  }
  pending_.erase(0, done);
  return error_.empty();
}

}  // namespace replay
