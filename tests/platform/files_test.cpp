// Reading the files the game is given: only regular files, never blocking, never more than
// the caller allows, and every reason in Japanese.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "platform/files.h"

namespace {

namespace fs = std::filesystem;
using platform::Excess;
using platform::ReadRegularFile;

class Files : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("mirovaan-files-" + std::to_string(::getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Path(const std::string& name) { return (dir_ / name).string(); }
  fs::path dir_;
};

TEST_F(Files, SpecialFilesAreRefusedAtOnceWithTheirKind) {
  ASSERT_EQ(::mkfifo(Path("pipe").c_str(), 0600), 0);
  fs::create_directory(Path("folder"));
  std::vector<uint8_t> bytes = {7};
  // A pipe with no writer: an open that waited for one would never return, and the test's
  // time limit would end it.
  auto pipe = ReadRegularFile(Path("pipe"), 100, Excess::Refuse, bytes);
  EXPECT_FALSE(pipe);
  EXPECT_NE(pipe.Reason.find("名前付きパイプ"), std::string::npos);
  auto device = ReadRegularFile("/dev/zero", 100, Excess::Ignore, bytes);
  EXPECT_FALSE(device);
  EXPECT_NE(device.Reason.find("装置"), std::string::npos);
  EXPECT_TRUE(pipe.OtherKind && device.OtherKind);
  auto folder = ReadRegularFile(Path("folder"), 100, Excess::Refuse, bytes);
  EXPECT_EQ(folder.Reason, "フォルダです");
  auto none = ReadRegularFile(Path("none"), 100, Excess::Refuse, bytes);
  EXPECT_NE(none.Reason.find("見つかりません"), std::string::npos);
  EXPECT_FALSE(folder.OtherKind || none.OtherKind) << "a folder or a missing file is no other kind";
  EXPECT_EQ(bytes, std::vector<uint8_t>{7});  // untouched by every failure
}

TEST_F(Files, TheLimitRefusesOrCutsAsAsked) {
  std::ofstream(Path("ten"), std::ios::binary) << "0123456789";
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(ReadRegularFile(Path("ten"), 10, Excess::Refuse, bytes));
  EXPECT_EQ(bytes.size(), 10u);
  auto over = ReadRegularFile(Path("ten"), 9, Excess::Refuse, bytes);
  EXPECT_FALSE(over);
  EXPECT_NE(over.Reason.find("大きすぎます"), std::string::npos);
  ASSERT_TRUE(ReadRegularFile(Path("ten"), 4, Excess::Ignore, bytes));
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "0123");
  fs::create_symlink(Path("ten"), Path("link"));  // a link to a regular file is read through
  ASSERT_TRUE(ReadRegularFile(Path("link"), 100, Excess::Refuse, bytes));
  EXPECT_EQ(bytes.size(), 10u);
}

TEST(SystemReason, IsJapaneseForEveryErrorNotOnlyTheCommonOnes) {
  for (int error : {ENOENT, EACCES, EPERM, EISDIR, ENOTDIR, ENOSPC, EROFS, EDQUOT, EIO, ENAMETOOLONG,
                    EMFILE, ENFILE, EXDEV, EMLINK, ELOOP, ENOMEM, EFBIG, EBUSY, EAGAIN, ENXIO, 9999}) {
    std::string reason = platform::SystemReason(error);
    EXPECT_NE(reason, std::strerror(error)) << error;
    bool japanese = false;
    for (unsigned char c : reason) japanese |= c >= 0xE3;
    EXPECT_TRUE(japanese) << error << ": " << reason;
  }
  EXPECT_NE(platform::SystemReason(EMFILE), platform::SystemReason(EXDEV));
}

}  // namespace
