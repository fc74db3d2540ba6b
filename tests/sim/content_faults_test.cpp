// The runner on a copy of the content folder with one file damaged, replaced by a special
// file or grown out of bounds: it must finish its ticks in time and in bounded memory, and
// every message box must name the file and say in Japanese what is wrong.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Result {
  int status;
  std::string out;
};

class ContentFaults : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("mirovaan-faults-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "data");
    for (const auto& entry : fs::directory_iterator(MIROVAAN_TEST_DATA_DIR))
      if (entry.is_regular_file()) fs::copy_file(entry.path(), dir_ / "data" / entry.path().filename());
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Data(const std::string& name) const { return (dir_ / "data" / name).string(); }
  void Replace(const std::string& name, const std::string& bytes) {
    fs::remove(Data(name));
    std::ofstream(Data(name), std::ios::binary) << bytes;
  }
  void ReplaceWithPipe(const std::string& name) {
    fs::remove(Data(name));
    ASSERT_EQ(::mkfifo(Data(name).c_str(), 0600), 0);
  }
  // Runs the runner with a time limit; 124 is the status of a run that had to be killed.
  Result Run(const std::string& args, const std::string& env = "") {
    std::string out = (dir_ / "out.txt").string();
    std::string command = env + " timeout 20 " + MIROVAAN_SIM_PATH + " --data " +
                          (dir_ / "data").string() + " " + args + " > " + out + " 2>&1";
    int raw = std::system(command.c_str());
    std::ifstream in(out);
    std::stringstream s;
    s << in.rdbuf();
    return {WEXITSTATUS(raw), s.str()};
  }
  // Keys that take hero 0 from the title into the first dungeon by tick 20.
  std::string EnterFirstDungeon() {
    std::string keys = (dir_ / "keys.txt").string();
    std::ofstream(keys) << "1 press VK_SPACE\n3 press VK_RETURN\n5 down VK_DOWN\n6 up VK_DOWN\n"
                           "7 down VK_LEFT\n14 up VK_LEFT\n16 press VK_RETURN\n";
    return " --keys " + keys;
  }
  fs::path dir_;
};

std::vector<std::string> MessageBoxes(const std::string& out) {
  std::vector<std::string> boxes;
  size_t at = 0;
  while ((at = out.find("msgbox: ", at)) != std::string::npos) {
    size_t end = out.find("\nmsgbox: ", at + 1);
    size_t stop = out.find("\n", out.find("\n", at) + 1);  // the box's text is two lines
    boxes.push_back(out.substr(at, std::min(end, stop) - at));
    at += 8;
  }
  return boxes;
}

// A box names the file and gives its reason in Japanese, with no library or system words.
void ExpectJapaneseBoxNaming(const std::string& out, const std::string& file,
                             const std::string& reason) {
  auto boxes = MessageBoxes(out);
  ASSERT_FALSE(boxes.empty()) << out;
  bool found = false;
  for (const std::string& box : boxes) {
    for (const char* english : {"std::", "basic_filebuf", "No such", "Is a directory", "error",
                                "bad_alloc", "Permission", "truncated", "bitmap"})
      EXPECT_EQ(box.find(english), std::string::npos) << box;
    if (box.find(file) != std::string::npos && box.find(reason) != std::string::npos) found = true;
  }
  EXPECT_TRUE(found) << "no box names " << file << " with " << reason << "\n" << out;
}

long ChildPeakKilobytes() {
  struct rusage usage {};
  getrusage(RUSAGE_CHILDREN, &usage);
  return usage.ru_maxrss;
}

std::string Be32(uint32_t v) {
  return {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
}

// A track whose second chunk is no track and claims nearly 4 GB: the synthesizer's player
// loops on it for good unless the file is refused before it is handed over.
TEST_F(ContentFaults, DamagedTrackIsRefusedLikeAMissingOne) {
  std::string track = "MThd" + Be32(6) + std::string("\0\1\0\2\1\xE0", 6) + "MTrk" + Be32(4) +
                      std::string("\0\xFF\x2F\0", 4) + "JUNK" + Be32(0xFFFFFFFC) + std::string(8, '\0');
  ASSERT_EQ(track.size(), 42u);
  Replace("MC_10.mid", track);
  Result r = Run("--ticks 20");
  EXPECT_EQ(r.status, 0) << r.out;
  ExpectJapaneseBoxNaming(r.out, "MC_10.mid", "チャンクの長さ");
}

TEST_F(ContentFaults, SpecialFilesAreRefusedWithoutBlocking) {
  ReplaceWithPipe("title.bmp");
  ReplaceWithPipe("M_0.mpt");
  fs::remove(Data("MC_0.mid"));  // the selection screen's track
  fs::create_symlink("/dev/zero", Data("MC_0.mid"));
  ReplaceWithPipe("w_3.wav");  // effects fail without a box, but must not block either
  Result r = Run("--ticks 24" + EnterFirstDungeon());
  EXPECT_EQ(r.status, 0) << r.out;
  ExpectJapaneseBoxNaming(r.out, "title.bmp", "名前付きパイプ");
  ExpectJapaneseBoxNaming(r.out, "MC_0.mid", "装置");
  ExpectJapaneseBoxNaming(r.out, "M_0.mpt", "名前付きパイプ");
}

TEST_F(ContentFaults, FoldersAndMissingFilesAreSaidInJapanese) {
  fs::remove(Data("M_0.mpt"));
  fs::create_directory(Data("M_0.mpt"));
  fs::remove(Data("MC_0.mid"));
  fs::create_directory(Data("MC_0.mid"));
  fs::remove(Data("MC_11.mid"));
  Result r = Run("--ticks 24" + EnterFirstDungeon());
  EXPECT_EQ(r.status, 0) << r.out;
  ExpectJapaneseBoxNaming(r.out, "M_0.mpt", "フォルダです");
  ExpectJapaneseBoxNaming(r.out, "MC_0.mid", "フォルダです");
  ExpectJapaneseBoxNaming(r.out, "MC_11.mid", "見つかりません");
}

// A kilobyte that declares 16384 x 2048 pixels is refused before the pixels are allocated;
// so is a picture of another size than the game shows.
TEST_F(ContentFaults, OversizedPicturesCostNoMemory) {
  std::string header(54, '\0');
  auto put = [&](size_t at, uint32_t v, int n) {
    for (int i = 0; i < n; ++i) header[at + i] = char(v >> (8 * i));
  };
  put(0, 'B' | 'M' << 8, 2);
  put(10, 54 + 1024, 4);
  put(14, 40, 4);
  put(18, 16384, 4);
  put(22, 2048, 4);
  put(26, 1, 2);
  put(28, 8, 2);
  put(30, 1, 4);  // run-length coded: two bytes could end it at once
  Replace("title.bmp", header + std::string(1024, '\0') + std::string("\0\1", 2));
  Result r = Run("--ticks 5");
  EXPECT_EQ(r.status, 0) << r.out;
  ExpectJapaneseBoxNaming(r.out, "title.bmp", "312 x 216");
  EXPECT_LT(ChildPeakKilobytes(), 120 * 1024);
}

TEST_F(ContentFaults, WithoutJapaneseFontsOneMessageNamesThePackages) {
  // Only a Latin face, as on a system without the Japanese packages: fontconfig still
  // matches every name to it, but it has no Japanese characters.
  std::string fonts = (dir_ / "fonts").string();
  fs::create_directories(fonts);
  const char* latin = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
  if (fs::exists(latin)) fs::create_symlink(latin, dir_ / "fonts" / "DejaVuSans.ttf");
  std::ofstream(dir_ / "fonts.conf") << "<?xml version=\"1.0\"?>\n<fontconfig><dir>" << fonts
                                     << "</dir><cachedir>" << fonts << "</cachedir></fontconfig>\n";
  Result r = Run("--ticks 10 --state " + (dir_ / "s.json").string(),
                 "FONTCONFIG_FILE=" + (dir_ / "fonts.conf").string());
  EXPECT_EQ(r.status, 0) << r.out;
  auto boxes = MessageBoxes(r.out);
  ASSERT_EQ(boxes.size(), 1u) << r.out;
  EXPECT_NE(boxes[0].find("fonts-ipafont-gothic"), std::string::npos) << r.out;
  EXPECT_NE(boxes[0].find("fonts-ipafont-mincho"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("No Japanese font"), std::string::npos) << r.out;
  EXPECT_TRUE(fs::exists(dir_ / "s.json"));  // the game went on to its last tick
}

}  // namespace
