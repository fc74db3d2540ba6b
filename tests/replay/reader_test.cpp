// The replay file: what the writer writes the reader reads back, and whatever else it is
// given (cut off, damaged, foreign) is refused with the line where it went wrong.
#include <gtest/gtest.h>

#include <string>

#include "persist/save.h"
#include "replay/reader.h"
#include "replay/text_codec.h"
#include "replay/writer.h"

namespace {

using replay::Event;
using replay::EventKind;

Event Make(int64_t tick, EventKind kind) {
  Event e;
  e.Tick = tick;
  e.Kind = kind;
  return e;
}

// One of every event, a save start and an end line.
replay::Replay Sample() {
  replay::Replay r;
  r.Head.GameVersion = "1.0.0";
  r.Head.ContentHash = 0x0123456789abcdefull;
  r.Head.Seed = 4000000000u;
  r.Head.StartSave = std::vector<uint8_t>(kSaveRecordSize, 7);
  r.Head.Kept.KeyState[6] = 1;
  r.Head.Kept.MessageTimer = -5;
  r.Head.Kept.TickCount = 1234;
  Event down = Make(0, EventKind::KeyDown);
  down.Key = 38;
  Event again = down;
  again.Tick = 3;  // written as "r"
  Event up = Make(3, EventKind::KeyUp);
  up.Key = 38;
  Event command = Make(5, EventKind::Command);
  command.Cmd = feed::Command::Load;
  Event open = Make(5, EventKind::OpenAnswer);
  open.Open = replay::OpenResult::Bytes;
  open.Bytes = {1, 2, 3, 4};
  Event empty = open;
  empty.Bytes.clear();
  Event unreadable = Make(5, EventKind::OpenAnswer);
  unreadable.Open = replay::OpenResult::Unreadable;
  Event answer = Make(6, EventKind::Answer);
  answer.Yes = true;
  Event save = Make(6, EventKind::SaveAnswer);
  Event options = Make(7, EventKind::OptionsAnswer);
  options.Interval = 100;
  options.Effects = true;
  Event hash = Make(100, EventKind::Hash);
  hash.Hash = 0xfedcba9876543210ull;
  r.Events = {down, again, up, command, open, empty, unreadable, answer, save, options, hash};
  r.Ended = true;
  r.EndTick = 150;
  r.EndHash = 42;
  return r;
}

std::string SampleText() { return replay::ReplayText(Sample()); }

replay::ReadError Refusal(const std::string& text) {
  auto result = replay::ParseReplay(text);
  if (auto* e = std::get_if<replay::ReadError>(&result)) return *e;
  ADD_FAILURE() << "accepted:\n" << text.substr(0, 400);
  return {};
}

// Replaces the first occurrence of from in the sample.
std::string SampleWith(const std::string& from, const std::string& to) {
  std::string text = SampleText();
  size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return text.replace(at, from.size(), to);
}

TEST(ReplayText, WhatIsWrittenIsReadBackAndWrittenAlike) {
  std::string text = SampleText();
  EXPECT_NE(text.find("\n3 r\n"), std::string::npos);
  auto result = replay::ParseReplay(text);
  auto* r = std::get_if<replay::Replay>(&result);
  ASSERT_TRUE(r) << std::get<replay::ReadError>(result).Message();
  EXPECT_EQ(replay::ReplayText(*r), text);
  ASSERT_EQ(r->Events.size(), 11u);
  EXPECT_EQ(r->Events[1].Kind, EventKind::KeyDown);
  EXPECT_EQ(r->Events[1].Key, 38);
  EXPECT_EQ(r->Events[4].Bytes, (std::vector<uint8_t>{1, 2, 3, 4}));
  EXPECT_EQ(r->Events[10].Tick, 100);
  EXPECT_EQ(r->Head.Kept.MessageTimer, -5);
  EXPECT_EQ(r->Head.Seed, 4000000000u);
  EXPECT_EQ(*r->Head.StartSave, std::vector<uint8_t>(kSaveRecordSize, 7));
}

TEST(ReplayText, ForeignAndOtherVersionsAreRefusedAtTheFirstLine) {
  auto png = Refusal("\x89PNG\r\n\x1a\n\0\0\0\rIHDR");
  EXPECT_EQ(png.Line, 1);
  EXPECT_NE(png.What.find("not a Mirovaan replay"), std::string::npos);
  auto later = Refusal(SampleWith("mirovaan-replay 1", "mirovaan-replay 2"));
  EXPECT_EQ(later.Line, 1);
  EXPECT_NE(later.What.find("version 2"), std::string::npos);
  EXPECT_EQ(Refusal("").What.find("not a Mirovaan"), 0u);
}

TEST(ReplayText, DamagedLinesAreNamed) {
  struct Case {
    std::string from, to;
    int line;
    const char* says;
  } cases[] = {
      {"content 0123456789abcdef", "content 0123456789abcdeg", 3, "content hash"},
      {"seed 4000000000", "seed 5000000000", 4, "seed"},
      {"save BwcH", "save B@cH", 6, "base64"},
      {"keep 0 0 0 0 0 0 1", "keep 0 0 0 0 0 0 x", 7, "held key"},
      {"0 d 38", "0 d 70000", 9, "key"},
      {"0 d 38", "0 q 38", 9, "unknown event"},
      {"c load", "c fly", 12, "unknown command"},
      {"a yes", "a maybe", 16, "\"a yes\""},
      {"p 100 0 1", "p 101 0 1", 18, "game speed"},
      {"h 100 ", "h 99 ", 19, "tick 99"},
      {"end 150", "end 99", 20, "before the last event"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.to);
    auto e = Refusal(SampleWith(c.from, c.to));
    EXPECT_EQ(e.Line, c.line) << e.Message();
    EXPECT_NE(e.What.find(c.says), std::string::npos) << e.What;
  }
  auto after = Refusal(SampleText() + "0 d 40\n");
  EXPECT_NE(after.What.find("after the end line"), std::string::npos);
  auto repeat = Refusal(SampleWith("0 d 38\n", "0 r\n"));
  EXPECT_NE(repeat.What.find("none came before"), std::string::npos);
}

TEST(ReplayText, SlotCommandsCarryTheirSlotAndOnlyThey) {
  std::string text = SampleWith("c load\n", "c slot-save 10\n0 c quickload\n0 c autosave\n");
  auto result = replay::ParseReplay(text);
  auto* r = std::get_if<replay::Replay>(&result);
  ASSERT_TRUE(r) << std::get<replay::ReadError>(result).Message();
  EXPECT_EQ(r->Events[3].Cmd, feed::Command::SlotSave);
  EXPECT_EQ(r->Events[3].Slot, 10);
  EXPECT_EQ(r->Events[4].Cmd, feed::Command::QuickLoad);
  EXPECT_EQ(replay::ReplayText(*r), text);
  for (const char* bad : {"c slot-load 11\n", "c slot-load 0\n", "c slot-load\n",
                          "c quicksave 3\n", "c load 1\n"}) {
    SCOPED_TRACE(bad);
    EXPECT_EQ(Refusal(SampleWith("c load\n", bad)).Line, 12);
  }
}

// Every way of cutting the file short: refused with a line inside the file, or (at a line
// end inside the events) read as a recording that was cut off.
TEST(ReplayText, EveryCutIsRefusedOrReadAsCutOff) {
  std::string text = SampleText();
  size_t events = text.find("events\n") + 7;
  for (size_t cut = 0; cut < text.size(); ++cut) {
    auto result = replay::ParseReplay(std::string_view(text).substr(0, cut));
    if (auto* r = std::get_if<replay::Replay>(&result)) {
      EXPECT_FALSE(r->Ended) << cut;
      EXPECT_TRUE(cut >= events && text[cut - 1] == '\n') << cut;
    } else {
      EXPECT_LE(std::get<replay::ReadError>(result).Line, 21) << cut;
    }
  }
}

TEST(Base64, OnlyCanonicalTextIsAccepted) {
  for (size_t n = 0; n < 7; ++n) {
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i < n; ++i) bytes.push_back(static_cast<uint8_t>(250 - 37 * i));
    EXPECT_EQ(replay::FromBase64(replay::Base64(bytes)), bytes);
  }
  EXPECT_EQ(replay::Base64({'M', 'a'}), "TWE=");
  for (const char* bad : {"TWE", "TW=E", "TWF=", "T===", "TQ=A", "TWE=TWE=", "TW E"})
    EXPECT_FALSE(replay::FromBase64(bad)) << bad;
}

}  // namespace
