// A save that fails at any step leaves the file it was to replace exactly as it was, and
// says so; a save that succeeds replaces it whole.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "persist_fixture.h"

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
    EXPECT_EQ(StateBytes(), before);
    ASSERT_EQ(testsupport::Os().lines.size(), 1u);
    const std::string& line = testsupport::Os().lines[0];
    EXPECT_NE(line.find("ゲームデータを保存できませんでした："), std::string::npos) << line;
    EXPECT_NE(line.find(dir_.File("game.sav")), std::string::npos);
    EXPECT_NE(line.find(persist::SystemReason(error)), std::string::npos) << line;
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
  EXPECT_EQ(ReadBytes(dir_.File("game.sav")), BuildSaveRecord());
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
  EXPECT_EQ(ReadBytes(dir_.File("game.sav")), BuildSaveRecord());
}

TEST_F(SaveFile, UnwritablePlacesAreReported) {
  EXPECT_FALSE(SaveGameFile(dir_.File("no/such/folder/game.sav")));
  EXPECT_NE(testsupport::Os().lines.back().find(persist::SystemReason(ENOENT)), std::string::npos)
      << testsupport::Os().lines.back();

  ::mkdir(dir_.File("folder.sav").c_str(), 0755);
  EXPECT_FALSE(SaveGameFile(dir_.File("folder.sav")));
  EXPECT_TRUE(std::filesystem::is_directory(dir_.File("folder.sav")));
  EXPECT_EQ(dir_.Names().size(), 2u);
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
