// Whole frames of the screens, rendered headless and compared pixel for pixel with the
// pictures kept in tests/game/golden/. After a deliberate change of the art, the fonts or
// a layout, rewrite them with
//   MIROVAAN_UPDATE_GOLDEN=1 ./tests/test_screens --gtest_filter='Golden*'
// and look at every rewritten picture before committing it. A failing comparison leaves the
// frame it got in golden-actual/ under the working folder.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "combat/spawn.h"
#include "world/floor_setup.h"
#include "game/modes.h"
#include "game/tick.h"
#include "gfx/png.h"
#include "screens/screen_fixture.h"
#include "game/keys.h"
#include "modes/mode_changes.h"
#include "content/heroes.h"
#include "platform/language.h"

namespace {

std::string GoldenDir() { return std::string(MIROVAAN_SOURCE_DIR) + "/tests/game/golden/"; }

bool Updating() {
  const char* v = std::getenv("MIROVAAN_UPDATE_GOLDEN");
  return v && std::string(v) == "1";
}

uint32_t Be32(const uint8_t* p) {
  return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

// Reads back what gfx::EncodePng writes: 8-bit RGB, one zlib stream, no row filter.
// Returns false with a reason for anything else.
bool ReadPng(const std::vector<uint8_t>& file, gfx::Bitmap& out, std::string& why) {
  static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (file.size() < 8 || !std::equal(kSignature, kSignature + 8, file.begin())) {
    why = "not a PNG file";
    return false;
  }
  int w = 0, h = 0;
  std::vector<uint8_t> z;
  for (size_t p = 8; p + 12 <= file.size();) {
    const uint32_t len = Be32(&file[p]);
    if (p + 12 + len > file.size()) break;
    const std::string type(reinterpret_cast<const char*>(&file[p + 4]), 4);
    const uint8_t* data = &file[p + 8];
    if (type == "IHDR" && len >= 13) {
      w = static_cast<int>(Be32(data));
      h = static_cast<int>(Be32(data + 4));
      if (data[8] != 8 || data[9] != 2 || data[12] != 0) {
        why = "not 8-bit RGB without interlace";
        return false;
      }
    } else if (type == "IDAT") {
      z.insert(z.end(), data, data + len);
    }
    p += 12 + len;
  }
  if (w <= 0 || h <= 0 || w > 4096 || h > 4096 || z.size() < 2) {
    why = "no picture in the file";
    return false;
  }
  const size_t stride = static_cast<size_t>(w) * 3 + 1;
  std::vector<uint8_t> raw(stride * h);
  uLongf size = static_cast<uLongf>(raw.size());
  if (uncompress(raw.data(), &size, z.data(), static_cast<uLong>(z.size())) != Z_OK ||
      size != raw.size()) {
    why = "the picture data cannot be unpacked";
    return false;
  }
  out.Resize(w, h);
  for (int y = 0; y < h; ++y) {
    const uint8_t* row = &raw[stride * y];
    if (row[0] != 0) {
      why = "filtered rows";
      return false;
    }
    for (int x = 0; x < w; ++x) {
      out.SetPixel(x, y, gfx::Rgb(row[1 + 3 * x], row[2 + 3 * x], row[3 + 3 * x]));
    }
  }
  return true;
}

void ExpectGolden(const std::string& name, const gfx::Bitmap& frame) {
  const std::string path = GoldenDir() + name + ".png";
  std::string error;
  if (Updating()) {
    ASSERT_TRUE(gfx::WritePng(path, frame, error)) << error;
    std::cout << "rewrote " << path << "\n";
    return;
  }
  std::ifstream in(path, std::ios::binary);
  ASSERT_TRUE(in) << "no golden frame " << path << " (MIROVAAN_UPDATE_GOLDEN=1 writes it)";
  const std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
  gfx::Bitmap golden;
  std::string why;
  ASSERT_TRUE(ReadPng(file, golden, why)) << path << ": " << why;

  int differing = 0, firstX = -1, firstY = -1;
  if (golden.Width() == frame.Width() && golden.Height() == frame.Height()) {
    for (int y = 0; y < frame.Height(); ++y) {
      for (int x = 0; x < frame.Width(); ++x) {
        if (golden.Pixel(x, y) == frame.Pixel(x, y)) continue;
        if (differing++ == 0) firstX = x, firstY = y;
      }
    }
  } else {
    differing = -1;
  }
  if (differing != 0) {
    std::filesystem::create_directories("golden-actual");
    const std::string actual = "golden-actual/" + name + ".png";
    gfx::WritePng(actual, frame, error);
    ADD_FAILURE() << name << ": the frame differs from " << path << " ("
                  << (differing < 0 ? std::string("another size")
                                    : std::to_string(differing) + " pixels, first at " +
                                          std::to_string(firstX) + "," + std::to_string(firstY))
                  << "); the frame drawn is in " << std::filesystem::absolute(actual);
  }
}

const gfx::Bitmap& Frame() { return Window.ShownFrame.Picture; }

// A key pressed and let go again, so that no held flag lingers into the ticks.
void Press(uint16_t key) {
  OnKeyDown(key);
  OnKeyUp(key);
}

class GoldenFrames : public ::testing::Test {
 protected:
  void SetUp() override { testsupport::StartProgram(7); }
};

TEST_F(GoldenFrames, TitleAndStory) {
  G.TickCount = 2;  // the white step of the prompt
  GameTick();
  ExpectGolden("title_prompt", Frame());

  G.TickCount = 850;  // the first hero's heading and passage with the walking figure
  GameTick();
  ExpectGolden("title_story", Frame());
}

TEST_F(GoldenFrames, Selection) {
  Press(VK_SPACE);  // leave the title
  Press(VK_RIGHT);  // hero 2
  RandSeed = 5;
  GameTick();
  ExpectGolden("selection", Frame());
}

// The menu and the game-over screen of a new game on the first floor of the first dungeon,
// with the monsters taken away so that only the screens' own work shows.
class GoldenDungeonFrames : public GoldenFrames {
 protected:
  void SetUp() override {
    GoldenFrames::SetUp();
    Press(VK_SPACE);
    Press(VK_RETURN);  // hero 0, new game, world map
    G.DungeonIndex = 0;
    G.FloorIndex = 0;
    SetUpFloor(0, true, true);
    ClearAllMonsters();
    G.GameMode = kModePlay;
    G.HeroX = 240;
    G.HeroY = 240;
    G.HP = 9;
    RandSeed = 11;
  }
};

TEST_F(GoldenDungeonFrames, MenuPages) {
  Press(VK_ESCAPE);
  ASSERT_EQ(G.GameMode, kModeMenu);
  G.TickCount = 60;
  Press(VK_F1);
  GameTick();
  ExpectGolden("menu_equipment", Frame());

  Press(VK_F3);
  for (int i = 0; i < 6; ++i) Press(VK_RIGHT);  // the key in slot 6
  GameTick();
  ExpectGolden("menu_detail", Frame());

  Press(VK_F2);
  GameTick();
  ExpectGolden("menu_map", Frame());
}

TEST_F(GoldenDungeonFrames, GameOver) {
  G.HP = 0;
  GameTick();
  ASSERT_EQ(G.GameMode, kModeGameOver);
  // The tick of the death still shows the hero; from the next one on, only the remains.
  GameTick();
  ExpectGolden("game_over", Frame());
}

TEST_F(GoldenDungeonFrames, Ending) {
  GameTick();
  StartEnding();  // the frame just shown becomes the still
  G.TickCount = 420;
  GameTick();
  ExpectGolden("ending", Frame());
}

// The screens with the most words, in English: the same scenes as above, each frame
// beside its Japanese one with "_en" added to the name.
class EnglishGoldenFrames : public GoldenFrames {
 protected:
  void SetUp() override {
    SetCurrentLanguage(Language::kEnglish);
    GoldenFrames::SetUp();
  }
  void TearDown() override { SetCurrentLanguage(Language::kJapanese); }
};

TEST_F(EnglishGoldenFrames, TitleStoryAndSelection) {
  G.TickCount = 2;
  GameTick();
  ExpectGolden("title_prompt_en", Frame());
  // The prologue, then each hero's passage with the walking figure.
  for (int tick : {600, 850, 1100, 1400, 1700, 1900}) {
    G.TickCount = tick;
    GameTick();
    ExpectGolden("title_story_" + std::to_string(tick) + "_en", Frame());
  }
  Press(VK_SPACE);
  Press(VK_RIGHT);
  RandSeed = 5;
  GameTick();
  ExpectGolden("selection_en", Frame());
}

// A switch of language while the title shows: the words change at once, the picture with
// the game's name from the next frame on, and back again.
TEST_F(EnglishGoldenFrames, TheTitleFollowsASwitchOfLanguage) {
  SetCurrentLanguage(Language::kJapanese);  // the fixture started the program in English
  G.TickCount = 2;
  GameTick();
  GameTick();
  ExpectGolden("title_prompt", Frame());
  SetCurrentLanguage(Language::kEnglish);
  GameTick();
  GameTick();
  ExpectGolden("title_prompt_en", Frame());
  SetCurrentLanguage(Language::kJapanese);
  GameTick();
  GameTick();
  ExpectGolden("title_prompt", Frame());
}

class EnglishGoldenDungeonFrames : public GoldenDungeonFrames {
 protected:
  void SetUp() override {
    SetCurrentLanguage(Language::kEnglish);
    GoldenDungeonFrames::SetUp();
  }
  void TearDown() override { SetCurrentLanguage(Language::kJapanese); }
};

TEST_F(EnglishGoldenDungeonFrames, PlayMenuPagesAndGameOver) {
  // The status panel, a pick-up message and the hero's line under the view.
  G.MessageItem = 88;  // the longest English item name
  G.MessageTimer = 20;
  G.SpeechIndex = kLineLastWords;
  GameTick();
  ExpectGolden("play_en", Frame());

  Press(VK_ESCAPE);
  ASSERT_EQ(G.GameMode, kModeMenu);
  G.TickCount = 60;
  Press(VK_F1);
  GameTick();
  ExpectGolden("menu_equipment_en", Frame());
  Press(VK_F3);
  for (int i = 0; i < 6; ++i) Press(VK_RIGHT);  // the key in slot 6
  GameTick();
  ExpectGolden("menu_detail_en", Frame());
  G.Inventory[7] = 57;  // a medicine that is never used up, and its note
  Press(VK_RIGHT);
  G.TickCount = 200;  // the key help further along its crawl
  GameTick();
  ExpectGolden("menu_detail_note_en", Frame());
  Press(VK_F2);
  GameTick();
  ExpectGolden("menu_map_en", Frame());
  Press(VK_ESCAPE);

  G.HP = 0;
  GameTick();
  ASSERT_EQ(G.GameMode, kModeGameOver);
  GameTick();
  ExpectGolden("game_over_en", Frame());
}

TEST_F(EnglishGoldenDungeonFrames, Ending) {
  GameTick();
  StartEnding();
  for (int tick : {420, 1000, 1300, 1600}) {
    G.TickCount = tick;
    GameTick();
    ExpectGolden("ending_" + std::to_string(tick) + "_en", Frame());
  }
}

}  // namespace
