// A save that fails at any step leaves the file it was to replace exactly as it was, and
// says so; a save that succeeds replaces it whole.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>

#include "persist_fixture.h"
#include "platform/files.h"

namespace {

using namespace persisttest;

class SaveFile : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetGame();
    persist::ResetDialogFileNames();
    MakeWorldMapGame();
    oldGame_ = std::vector<uint8_t>(kSaveRecordSize, 0x3C);
    WriteBytes(dir_.File("game.sav"), oldGame_);
  }
  void TearDown() override { persist::SetFileIoForTesting(nullptr); }

  // Saves over game.sav with one step of the disk failing.
  void ExpectFailedSaveKeepsOldFile(const persist::FileIo& io, int error) {
    persist::SetFileIoForTesting(&io);
    testsupport::Os().lines.clear();
    std::vector<uint8_t> before = StateBytes();
    EXPECT_FALSE(SaveGameFile(dir_.File("game.sav")));
    persist::SetFileIoForTesting(nullptr);
    EXPECT_EQ(ReadBytes(dir_.File("game.sav")), oldGame_);
    EXPECT_EQ(dir_.Names(), std::vector<std::string>{"game.sav"}) << "temporary file left";
    EXPECT_EQ(StateDifference(StateBytes(), before), "");
    ASSERT_EQ(testsupport::Os().lines.size(), 1u);
    const std::string& line = testsupport::Os().lines[0];
    EXPECT_NE(line.find("ゲームデータを保存できませんでした："), std::string::npos) << line;
    EXPECT_NE(line.find(dir_.File("game.sav")), std::string::npos);
    EXPECT_NE(line.find(platform::SystemReason(error)), std::string::npos) << line;
    EXPECT_EQ(persist::OpenDialogFileName(), "*.sav");
  }

  ScratchDir dir_;
  std::vector<uint8_t> oldGame_;
};

TEST_F(SaveFile, DiskFullHalfWayKeepsTheOldGame) {
  persist::FileIo io;
  size_t written = 0;
  io.write = [&](int fd, const void* data, size_t size) -> long {
    if (written >= 4000) {
      errno = ENOSPC;
      return -1;
    }
    size_t n = std::min<size_t>(size, 1000);  // short writes on the way
    written += n;
    return ::write(fd, data, n);
  };
  ExpectFailedSaveKeepsOldFile(io, ENOSPC);
}

TEST_F(SaveFile, FailingFlushOrRenameKeepsTheOldGame) {
  persist::FileIo flush;
  flush.fsync = [](int) {
    errno = EIO;
    return -1;
  };
  ExpectFailedSaveKeepsOldFile(flush, EIO);

  persist::FileIo rename;
  rename.rename = [](const char*, const char*) {
    errno = EACCES;
    return -1;
  };
  ExpectFailedSaveKeepsOldFile(rename, EACCES);
}

TEST_F(SaveFile, SuccessReplacesTheWholeFileAndKeepsItsPermissions) {
  ASSERT_EQ(::chmod(dir_.File("game.sav").c_str(), 0640), 0);
  EXPECT_TRUE(SaveGameFile(dir_.File("game.sav")));
  EXPECT_EQ(FirstDifference(ReadBytes(dir_.File("game.sav")), BuildSaveRecord()), "");
  struct stat st;
  ASSERT_EQ(::stat(dir_.File("game.sav").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_EQ(dir_.Names(), std::vector<std::string>{"game.sav"});
  EXPECT_EQ(persist::OpenDialogFileName(), dir_.File("game.sav"));
}

TEST_F(SaveFile, NewFileGetsOrdinaryPermissions) {
  mode_t mask = ::umask(022);
  EXPECT_TRUE(SaveGameFile(dir_.File("new.sav")));
  ::umask(mask);
  struct stat st;
  ASSERT_EQ(::stat(dir_.File("new.sav").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0644u);
}

TEST_F(SaveFile, SavingThroughALinkUpdatesItsTarget) {
  ASSERT_EQ(::symlink("game.sav", dir_.File("link.sav").c_str()), 0);
  EXPECT_TRUE(SaveGameFile(dir_.File("link.sav")));
  struct stat st;
  ASSERT_EQ(::lstat(dir_.File("link.sav").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  EXPECT_EQ(FirstDifference(ReadBytes(dir_.File("game.sav")), BuildSaveRecord()), "");
}

TEST_F(SaveFile, UnwritablePlacesAreReported) {
  EXPECT_FALSE(SaveGameFile(dir_.File("no/such/folder/game.sav")));
  const std::string line = testsupport::Os().lines.back();
  EXPECT_NE(line.find(platform::SystemReason(ENOENT)), std::string::npos) << line;

  ::mkdir(dir_.File("folder.sav").c_str(), 0755);
  EXPECT_FALSE(SaveGameFile(dir_.File("folder.sav")));
  EXPECT_TRUE(std::filesystem::is_directory(dir_.File("folder.sav")));
  EXPECT_EQ(dir_.Names().size(), 2u);
}

std::string LastMessage() {
  const auto& lines = testsupport::Os().lines;
  return lines.empty() ? std::string() : lines.back();
}

// A save killed half-way through its writing, in a child process.
void KillSaveHalfWay(const std::string& path, bool namedTemporary) {
  pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    persist::FileIo io;
    io.write = [](int fd, const void* data, size_t size) -> long {
      (void)::write(fd, data, size / 2);
      ::raise(SIGKILL);
      return -1;
    };
    if (namedTemporary)
      io.openUnnamed = [](const char*, mode_t) { errno = EOPNOTSUPP; return -1; };
    persist::SetFileIoForTesting(&io);
    persist::WriteFileReplacing(path, std::vector<uint8_t>(kSaveRecordSize, 0x77));
    ::_exit(0);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_TRUE(WIFSIGNALED(status));
}

TEST_F(SaveFile, KilledSavesLeaveNothingBehind) {
  for (int i = 0; i < 5; ++i) KillSaveHalfWay(dir_.File("game.sav"), false);
  EXPECT_EQ(dir_.Names(), std::vector<std::string>{"game.sav"});
  EXPECT_EQ(ReadBytes(dir_.File("game.sav")), oldGame_);

  // Without unnamed files a killed save leaves its temporary file, which the next save
  // removes, and nothing else of the folder.
  for (int i = 0; i < 3; ++i) KillSaveHalfWay(dir_.File("game.sav"), true);
  EXPECT_EQ(dir_.Names().size(), 2u);
  for (const char* keep : {".game.sav.keep", ".other.sav.ABCDEF", "notes.txt"})
    WriteBytes(dir_.File(keep), {1});
  EXPECT_TRUE(SaveGameFile(dir_.File("game.sav")));
  std::vector<std::string> names = dir_.Names();
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{".game.sav.keep", ".other.sav.ABCDEF", "game.sav",
                                             "notes.txt"}));
  EXPECT_EQ(FirstDifference(ReadBytes(dir_.File("game.sav")), BuildSaveRecord()), "");
}

TEST_F(SaveFile, WithoutUnnamedFilesTheNamedWayStillSaves) {
  persist::FileIo io;
  io.openUnnamed = [](const char*, mode_t) { errno = EOPNOTSUPP; return -1; };
  persist::SetFileIoForTesting(&io);
  EXPECT_TRUE(SaveGameFile(dir_.File("game.sav")));
  EXPECT_EQ(FirstDifference(ReadBytes(dir_.File("game.sav")), BuildSaveRecord()), "");
  EXPECT_EQ(dir_.Names(), std::vector<std::string>{"game.sav"});
}

TEST_F(SaveFile, DanglingAndChainedLinksWriteTheirTargetAndStayLinks) {
  ::mkdir(dir_.File("sub").c_str(), 0755);
  ASSERT_EQ(::symlink("sub/new.sav", dir_.File("dangling.sav").c_str()), 0);
  ASSERT_EQ(::symlink("../dangling.sav", dir_.File("sub/chain.sav").c_str()), 0);
  EXPECT_TRUE(SaveGameFile(dir_.File("sub/chain.sav"))) << LastMessage();
  EXPECT_EQ(FirstDifference(ReadBytes(dir_.File("sub/new.sav")), BuildSaveRecord()), "");
  for (const char* link : {"dangling.sav", "sub/chain.sav"}) {
    struct stat st;
    ASSERT_EQ(::lstat(dir_.File(link).c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode)) << link;
  }

  ASSERT_EQ(::symlink("loop.sav", dir_.File("loop.sav").c_str()), 0);
  EXPECT_FALSE(SaveGameFile(dir_.File("loop.sav")));
  EXPECT_NE(LastMessage().find(platform::SystemReason(ELOOP)), std::string::npos);
}

TEST_F(SaveFile, ReadOnlyGamesFoldersPipesAndDevicesAreRefusedUntouched) {
  WriteBytes(dir_.File("locked.sav"), oldGame_);
  ::chmod(dir_.File("locked.sav").c_str(), 0444);
  ::mkdir(dir_.File("folder.sav").c_str(), 0755);
  ASSERT_EQ(::mkfifo(dir_.File("pipe.sav").c_str(), 0644), 0);
  ASSERT_EQ(::symlink("/dev/null", dir_.File("null.sav").c_str()), 0);
  const std::vector<std::string> before = dir_.Names();
  for (std::string path : {dir_.File("locked.sav"), dir_.File("folder.sav"), dir_.File("pipe.sav"),
                           dir_.File("null.sav"), std::string("/dev/null")}) {
    SCOPED_TRACE(path);
    testsupport::Os().lines.clear();
    EXPECT_FALSE(SaveGameFile(path));
    ASSERT_EQ(testsupport::Os().lines.size(), 1u);
    EXPECT_NE(testsupport::Os().lines[0].find(path), std::string::npos);
    EXPECT_EQ(dir_.Names(), before);
  }
  EXPECT_EQ(ReadBytes(dir_.File("locked.sav")), oldGame_);
  struct stat st;
  ASSERT_EQ(::lstat(dir_.File("pipe.sav").c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  ASSERT_EQ(::lstat(dir_.File("null.sav").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
}

TEST(SystemReason, EveryErrorIsSaidInJapanese) {
  for (int error = 1; error < 134; ++error) {
    const std::string reason = platform::SystemReason(error);
    EXPECT_EQ(reason.find(std::strerror(error)), std::string::npos) << reason;
    EXPECT_TRUE(static_cast<unsigned char>(reason[0]) >= 0x80) << reason;
  }
}

TEST_F(SaveFile, SaveLoadSaveGivesTheSameBytes) {
  ContentDir content;
  AppDir = content.Dir();
  G.MusicOn = 0;
  G.HeroShots[1].Active = 1;
  G.HeroShots[1].Byte1 = 7;  // kept as held
  G.HeroShots[1].Look = 3;
  G.FloorItems[2].Unused33[4] = 9;
  G.Pad22[1] = 0x55;  // padding is written as zero
  ASSERT_TRUE(SaveGameFile(dir_.File("a.sav")));
  std::vector<uint8_t> first = ReadBytes(dir_.File("a.sav"));
  EXPECT_EQ(first[22 + 1], 0);
  std::memset(&G.HeroX, 0, 16);
  ASSERT_TRUE(LoadGameFile(dir_.File("a.sav"))) << testsupport::Os().lines.back();
  ASSERT_TRUE(SaveGameFile(dir_.File("b.sav")));
  EXPECT_EQ(ReadBytes(dir_.File("b.sav")), first);
  EXPECT_EQ(G.HeroShots[1].Byte1, 7);
}

}  // namespace
