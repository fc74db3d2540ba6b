// mirovaan-sim --render-music: a track written as the game plays it, at 44,100 Hz in
// stereo, as long as asked, without a sound device; the level it measured is kept in the
// cache the game reads.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string AnInstalledSoundFont() {
  for (const char* path : {"/usr/share/sounds/sf2/TimGM6mb.sf2", "/usr/share/sounds/sf2/default-GM.sf2",
                           "/usr/share/sounds/sf2/FluidR3_GM.sf2", "/usr/share/sounds/sf3/default-GM.sf3"})
    if (fs::is_regular_file(path)) return path;
  return "";
}

uint32_t Le(const std::string& b, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = v << 8 | uint8_t(b[at + i]);
  return v;
}

class RenderMusic : public ::testing::Test {
 protected:
  void SetUp() override {
    soundFont_ = AnInstalledSoundFont();
    if (soundFont_.empty()) GTEST_SKIP() << "no General MIDI soundfont installed";
    dir_ = fs::temp_directory_path() / ("mirovaan-render-" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  int Run(const std::string& args) {
    std::string command = "XDG_CACHE_HOME=" + dir_.string() + " " + MIROVAAN_SIM_PATH + " --data " +
                          MIROVAAN_TEST_DATA_DIR + " " + args + " > " + (dir_ / "out.txt").string() + " 2>&1";
    return WEXITSTATUS(std::system(command.c_str()));
  }
  std::string Read(const std::string& name) {
    std::ifstream in(dir_ / name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  std::string Render(const std::string& track, const std::string& seconds, const std::string& out) {
    return "--render-music " + track + " --soundfont " + soundFont_ + " --seconds " + seconds + " --out " +
           (dir_ / out).string();
  }

  fs::path dir_;
  std::string soundFont_;
};

TEST_F(RenderMusic, WritesTheSecondsAskedAt44100HzStereo) {
  ASSERT_EQ(Run(Render("MC_10", "2.5", "a.wav")), 0) << Read("out.txt");
  const std::string wave = Read("a.wav");
  ASSERT_GE(wave.size(), 44u);
  EXPECT_EQ(wave.substr(0, 4), "RIFF");
  EXPECT_EQ(wave.substr(8, 8), "WAVEfmt ");
  EXPECT_EQ(Le(wave, 20, 2), 1u);  // PCM
  EXPECT_EQ(Le(wave, 22, 2), 2u);  // channels
  EXPECT_EQ(Le(wave, 24, 4), 44100u);
  EXPECT_EQ(Le(wave, 34, 2), 16u);
  EXPECT_EQ(wave.substr(36, 4), "data");
  EXPECT_EQ(Le(wave, 40, 4), 110250u * 4);
  EXPECT_EQ(wave.size(), 44u + 110250u * 4);
  EXPECT_NE(wave.find_first_not_of('\0', 44), std::string::npos) << "nothing but silence";
  // The level was measured once and kept where the game looks for it; the next run finds
  // it there and plays the same.
  EXPECT_TRUE(fs::is_regular_file(dir_ / "mirovaan" / "loudness"));
  ASSERT_EQ(Run(Render("MC_10", "2.5", "b.wav")), 0) << Read("out.txt");
  EXPECT_EQ(Read("b.wav"), wave);
}

TEST_F(RenderMusic, PlaysPastTheTracksEndAsTheGameLoopsIt) {
  // MC_4 (game over) is the shortest track, about 29 s; past its end the game starts it
  // again within a second, so 40 to 45 s in it plays, where without the loop even the
  // reverberation would long have died away.
  ASSERT_EQ(Run(Render("MC_4", "45", "long.wav")), 0) << Read("out.txt");
  const std::string wave = Read("long.wav");
  ASSERT_EQ(wave.size(), 44u + 45u * 44100u * 4);
  EXPECT_NE(wave.find_first_not_of('\0', wave.size() - 44100 * 4 * 5), std::string::npos);
}

TEST_F(RenderMusic, IncompleteRequestsAndMissingFilesAreRefused) {
  EXPECT_EQ(Run("--render-music MC_10 --soundfont " + soundFont_ + " --seconds 1"), 2);  // no --out
  EXPECT_EQ(Run(Render("MC_10", "0", "x.wav")), 2);
  EXPECT_EQ(Run(Render("MC_10", "ten", "x.wav")), 2);
  EXPECT_EQ(Run(Render("../MC_10", "1", "x.wav")), 2);
  EXPECT_EQ(Run("--soundfont " + soundFont_ + " --ticks 1"), 2);
  EXPECT_EQ(Run(Render("MC_77", "1", "x.wav")), 1);
  EXPECT_EQ(Run("--render-music MC_10 --soundfont " + (dir_ / "none.sf2").string() + " --seconds 1 --out " +
                (dir_ / "x.wav").string()),
            1);
  EXPECT_FALSE(fs::exists(dir_ / "x.wav"));
}

}  // namespace
