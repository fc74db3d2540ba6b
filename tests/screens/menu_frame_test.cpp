// The menu frame picture against everything the menu pages draw on it: every text and icon
// of the equipment and detail pages, for every item of the table under the cursor and in
// both equipment places, and the key-help line at every step of its crawl, must lie on the
// panels' plain fill and never on one of the frame's lines.
//
// With MIROVAAN_MENU_MASK=path.png the union of every pixel drawn is also written out, as a
// guide for whoever redraws the frame.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <sstream>
#include <string>

#include "content/items.h"
#include "state/window_model.h"
#include "state/state.h"
#include "gfx/bmp.h"
#include "gfx/png.h"
#include "screen_fixture.h"
#include "screens/menu.h"

namespace {

// A colour that neither the fonts nor the sheets ever draw: what stays this colour was
// not drawn on.
constexpr gfx::Color kUntouched = gfx::Rgb(1, 254, 3);

class MenuFrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetGame();
    frame_ = gfx::LoadBmpFile(testsupport::DataDir() + "/waku.bmp");
    ASSERT_EQ(frame_.Width(), 312);
    ASSERT_EQ(frame_.Height(), 216);
    fill_ = FillColours(frame_);
    drawnAnywhere_.Resize(312, 216, gfx::kBlack);
    G.GameMode = kModeMenu;
    G.HeroIndex = 0;
    G.MaxHP = 9999;
    G.HP = 9999;
  }

  void TearDown() override {
    const char* path = std::getenv("MIROVAAN_MENU_MASK");
    std::string error;
    if (path && *path) gfx::WritePng(path, drawnAnywhere_, error);
  }

  // The plain fills the frame offers to texts: the colour most of the picture has (the
  // panels' ground) and the colour of the first item well.
  static std::map<gfx::Color, bool> FillColours(const gfx::Bitmap& frame) {
    std::map<gfx::Color, int> count;
    for (gfx::Color c : frame.Pixels()) ++count[c];
    gfx::Color most = 0;
    for (auto [c, n] : count)
      if (n > count[most]) most = c;
    return {{most, true}, {frame.Pixel(17, 17), true}};
  }

  // Draws the current menu page over an untouched canvas and checks every drawn pixel
  // against the frame; what is wrong is reported once per case, with its first pixel.
  void CheckPage(const std::string& what) {
    Window.Frame.Picture.Resize(312, 216, kUntouched);
    DrawMenu();
    const gfx::Bitmap& drawn = Window.Frame.Picture;
    int bad = 0, firstX = -1, firstY = -1;
    for (int y = 0; y < 216; ++y) {
      for (int x = 0; x < 312; ++x) {
        if (drawn.Pixel(x, y) == kUntouched) continue;
        drawnAnywhere_.SetPixel(x, y, gfx::kWhite);
        if (fill_.count(frame_.Pixel(x, y))) continue;
        if (bad++ == 0) firstX = x, firstY = y;
      }
    }
    if (bad > 0 && failures_++ < 10) {
      ADD_FAILURE() << what << ": " << bad << " drawn pixels lie on the frame's lines, the first at ("
                    << firstX << ", " << firstY << ")";
    }
  }

  static bool Named(int item) { return !Items[item].Name.empty(); }

  // Every slot carries an item, so that every well shows an icon, with `item` under the
  // cursor, which stands in a different place for each item.
  static void CarryAround(int item) {
    int k = 0;
    for (uint8_t& slot : G.Inventory) {
      while (!Named(k % kItemCount)) ++k;
      slot = static_cast<uint8_t>(k++ % kItemCount);
    }
    G.InventoryCursor = item % 64;
    G.Inventory[G.InventoryCursor] = static_cast<uint8_t>(item);
  }

  gfx::Bitmap frame_;
  std::map<gfx::Color, bool> fill_;
  gfx::Bitmap drawnAnywhere_;
  int failures_ = 0;
};

TEST_F(MenuFrameTest, EveryItemsTextsAndIconsStayOffTheLines) {
  for (int item = 0; item < kItemCount; ++item) {
    if (!Named(item)) continue;
    CarryAround(item);
    G.WeaponItem = item;  // both places at once: the notes of either show
    G.ArmourItem = item;
    for (int hero = 0; hero < 4; ++hero) Items[item].UsableBy[hero] = 1;
    for (int page : {0, 2}) {
      G.MenuPage = page;
      std::ostringstream what;
      what << "page " << page << ", item " << item << " (" << Items[item].Name << ")";
      CheckPage(what.str());
    }
  }
}

TEST_F(MenuFrameTest, BothNoteColoursAndEveryNoteStayOffTheLines) {
  // An item that is at once cursed, blessed and a key shows every note the pages have.
  for (int kind : {0, 4, 5, 9}) {
    ItemRecord& item = Items[0];
    item.Kind = static_cast<uint8_t>(kind);
    item.Cursed = 1;
    item.Blessed = 1;
    item.KeyLevel = 2;
    CarryAround(0);
    G.WeaponItem = 0;
    G.ArmourItem = 0;
    for (int page : {0, 2}) {
      G.MenuPage = page;
      CheckPage("page " + std::to_string(page) + ", every note, kind " + std::to_string(kind));
    }
  }
}

TEST_F(MenuFrameTest, TheCursorInEveryPlaceStaysOffTheLines) {
  CarryAround(0);
  for (int slot = 0; slot < 64; ++slot) {
    G.InventoryCursor = slot;
    G.MenuPage = slot % 2 == 0 ? 0 : 2;
    CheckPage("cursor on slot " + std::to_string(slot));
  }
}

TEST_F(MenuFrameTest, TheKeyHelpLineStaysOffTheLinesAtEveryStepOfItsCrawl) {
  for (int i = 0; i < 64; ++i) G.Inventory[i] = kNoItem;  // nothing but the heading and the help
  G.InventoryCursor = 0;
  G.MenuPage = 2;
  for (int tick = 0; tick < 575; ++tick) {
    G.TickCount = tick;
    CheckPage("key help at tick " + std::to_string(tick));
  }
}

}  // namespace
