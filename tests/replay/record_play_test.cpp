// Recording a game and playing it back gives the same game, byte for byte; a changed replay
// is caught at the first stored hash after the change.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <future>
#include <regex>

#include "replay/start.h"
#include "replay/text_codec.h"
#include "replay_fixture.h"
#include "shell/options.h"

namespace replaytest {
namespace {

using replay::Player;

// A walk about the dungeon with the fire button held: every block of the tick runs.
void Fight(Script& s, int from) {
  s.Hold(from, from + 400, VK_SPACE);
  const uint16_t dirs[] = {VK_DOWN, VK_RIGHT, VK_UP, VK_LEFT, VK_DOWN, VK_LEFT};
  int t = from + 2;
  for (int i = 0; i < 12; ++i, t += 31) s.Hold(t, t + 17 + i, dirs[i % 6]);
}

TEST(RecordAndPlay, EveryHeroPlaysBackToTheSameEndState) {
  ScratchDir dir;
  const uint16_t arrows[4] = {VK_DOWN, VK_LEFT, VK_RIGHT, VK_UP};
  for (int hero = 0; hero < 4; ++hero) {
    SCOPED_TRACE("hero " + std::to_string(hero));
    Script s;
    IntoFirstDungeon(s, arrows[hero]);
    Fight(s, 25);
    std::string path = dir.File("hero.mvr");
    EndState recorded = Record(path, s, 450, 100 + hero);
    ASSERT_EQ(G.HeroIndex, hero);
    EndState played;
    ASSERT_EQ(Play(path, &played), Player::Status::Finished);
    EXPECT_TRUE(played == recorded);
  }
}

TEST(RecordAndPlay, SaveLoadAndOptionsInsideTheReplay) {
  ScratchDir dir;
  std::string save = dir.File("game.sav");
  Script s;
  IntoFirstDungeon(s, VK_RIGHT);
  s.At(30, [&] {
    testsupport::Os().saveAnswers = {save};
    feed::Run(feed::Command::Save);
  });
  Fight(s, 35);
  s.At(350, [] {
    testsupport::Os().optionsDialogScript = [] {
      SetSpeedPosition(20);
      SetMusicChecked(false);
      OnOptionsClose();
    };
    feed::Run(feed::Command::Options);
  });
  s.At(300, [&] {
    testsupport::Os().openAnswers = {save};
    feed::Run(feed::Command::Load);
  });
  std::string path = dir.File("saveload.mvr");
  EndState recorded = Record(path, s, 400);
  ASSERT_EQ(G.TickInterval, 20);
  ASSERT_EQ(G.MusicOn, 0);
  // The load's file is in the replay: playback does not need it any more.
  std::filesystem::remove(save);
  EndState played;
  ASSERT_EQ(Play(path, &played), Player::Status::Finished);
  EXPECT_TRUE(played == recorded);
  EXPECT_EQ(G.TickInterval, 20);
}

TEST(RecordAndPlay, RecordingFromTheMiddleOfAGameEmbedsIt) {
  ScratchDir dir;
  testsupport::StartProgram(9);
  Script before;
  IntoFirstDungeon(before, VK_UP);
  before.Hold(22, 40, VK_DOWN);
  before.At(30, [] { feed::KeyDown(VK_SPACE); });  // held across the start of the recording
  before.Run(35);
  std::string path = dir.File("middle.mvr");
  EndState recorded;
  {
    replay::RecordingSession session(testsupport::Os());
    std::string error;
    ASSERT_TRUE(session.Start(path, true, error)) << error;
    Script after;
    Fight(after, 0);
    after.Run(300);
    recorded = Snapshot();
  }
  EXPECT_NE(ReadText(path).find("start save\nsave "), std::string::npos);
  EndState played;
  ASSERT_EQ(Play(path, &played), Player::Status::Finished);
  EXPECT_TRUE(played == recorded);
}

// The one-event change: a key-down for another key at one tick.
TEST(RecordAndPlay, AChangedEventIsCaughtAtTheNextStoredHash) {
  ScratchDir dir;
  Script s;
  IntoFirstDungeon(s, VK_RIGHT);
  Fight(s, 25);
  std::string path = dir.File("changed.mvr");
  Record(path, s, 450);
  std::string text = ReadText(path);
  // The walk's first turn: the key-down at tick 126 (the fight's fourth step).
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  int64_t tick = 0;
  bool changed = false;
  for (std::string& line : lines) {
    if (line.rfind("mirovaan", 0) == 0 || !std::isdigit(static_cast<unsigned char>(line[0]))) continue;
    tick += std::stoll(line.substr(0, line.find(' ')));
    if (!changed && tick > 120 && line.find(" d 37") != std::string::npos) {
      line.replace(line.find(" d 37"), 5, " d 39");
      changed = true;
    }
  }
  ASSERT_TRUE(changed);
  std::string joined;
  for (const std::string& line : lines) joined += line + "\n";
  WriteText(path, joined);
  int64_t at = -1;
  EXPECT_EQ(Play(path, nullptr, &at), Player::Status::Desync);
  EXPECT_EQ(at, 200);
}

TEST(RecordAndPlay, AnAnswerTheGameDoesNotAskForIsADesync) {
  ScratchDir dir;
  Script s;
  s.Press(1, VK_SPACE);
  std::string path = dir.File("answer.mvr");
  Record(path, s, 50);
  std::string text = ReadText(path);
  text.insert(text.find("end "), "0 a yes\n");
  WriteText(path, text);
  EXPECT_EQ(Play(path), Player::Status::Desync);
}

TEST(RecordAndPlay, ACutOffRecordingPlaysWhatItHolds) {
  ScratchDir dir;
  Script s;
  IntoFirstDungeon(s, VK_DOWN);
  Fight(s, 25);
  std::string path = dir.File("cut.mvr");
  Record(path, s, 450);
  std::string text = ReadText(path);
  WriteText(path, text.substr(0, text.find("\n", text.find(" h 300 ")) + 1));
  EXPECT_EQ(Play(path), Player::Status::Finished);
  EXPECT_GE(G.TickCount, 300);
}

TEST(RecordAndPlay, AnotherVersionOrOtherDungeonsAreRefused) {
  testsupport::StartProgram();
  replay::Header h = replay::FreshStartHeader();
  EXPECT_FALSE(replay::CheckCompatible(h));
  replay::Header other = h;
  other.ContentHash ^= 1;
  auto refusal = replay::CheckCompatible(other);
  ASSERT_TRUE(refusal);
  EXPECT_NE(refusal->English.find("dungeon files"), std::string::npos);
  EXPECT_NE(refusal->Japanese.find("ダンジョン"), std::string::npos);
  other = h;
  other.GameVersion = "0.9";
  refusal = replay::CheckCompatible(other);
  ASSERT_TRUE(refusal);
  EXPECT_NE(refusal->English.find("version 0.9"), std::string::npos);
}

// The content hash follows the dungeon files' bytes and nothing else.
TEST(ContentHash, ChangesWithADungeonFileOnly) {
  ScratchDir dir;
  std::string data = testsupport::DataDir() + "/";
  uint64_t original = replay::ContentHash(data);
  std::string copy = dir.File("");
  for (int d = 0; d <= 8; ++d) {
    std::string name = "M_" + std::to_string(d) + ".mpt";
    std::filesystem::copy_file(data + name, copy + name);
  }
  WriteText(copy + "title.bmp", "another picture");
  EXPECT_EQ(replay::ContentHash(copy), original);
  std::fstream f(copy + "M_4.mpt", std::ios::binary | std::ios::in | std::ios::out);
  f.seekp(1000);
  f.put('\x7f');
  f.close();
  EXPECT_NE(replay::ContentHash(copy), original);
}

// A pipe in a dungeon file's place is read as no file, at once, instead of waiting for a
// writer that never comes; a folder likewise.
TEST(ContentHash, APipeOrAFolderInADungeonsPlaceDoesNotHang) {
  ScratchDir dir;
  const std::string data = testsupport::DataDir() + "/";
  const std::string copy = dir.File("");
  for (int d = 0; d <= 8; ++d) {
    std::string name = "M_" + std::to_string(d) + ".mpt";
    if (d != 4) std::filesystem::copy_file(data + name, copy + name);
  }
  const uint64_t withoutFour = replay::ContentHash(copy);
  ASSERT_EQ(::mkfifo((copy + "M_4.mpt").c_str(), 0600), 0);
  auto hash = std::async(std::launch::async, [&] { return replay::ContentHash(copy); });
  // A reader that waited on the pipe would never finish; the limit is only there to end the
  // test with a message rather than at the test runner's time-out.
  if (hash.wait_for(std::chrono::seconds(120)) != std::future_status::ready) {
    // Let the reader go before failing, so that the test program can end.
    int fd = ::open((copy + "M_4.mpt").c_str(), O_WRONLY | O_NONBLOCK);
    if (fd >= 0) ::close(fd);
    FAIL() << "the content hash waits on a pipe";
  }
  EXPECT_EQ(hash.get(), withoutFour);
  std::filesystem::remove(copy + "M_4.mpt");
  std::filesystem::create_directory(copy + "M_4.mpt");
  EXPECT_EQ(replay::ContentHash(copy), withoutFour);
}

}  // namespace
}  // namespace replaytest
