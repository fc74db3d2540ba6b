// The start-up steps every front end shares: what each leaves in place, and that the sound is
// started once, after the platform and the content folder and before the sheets.
#include <gtest/gtest.h>

#include <string>

#include "content/items.h"
#include "headless/headless_platform.h"
#include "start/start_up.h"
#include "state/window_model.h"
#include "state/state.h"
#include "support/test_support.h"

namespace {

TEST(StartUp, PrepareProgramSetsThePlatformAndFolderThenStartsTheSoundOnce) {
  testsupport::ResetGame();
  Window = WindowModel{};
  platform::HeadlessPlatform os;
  int starts = 0;
  start::PrepareProgram(os, testsupport::DataDir(), [&] {
    ++starts;
    // What the sound's start may rely on: the platform and the content folder, not the sheets.
    EXPECT_EQ(&platform::Os(), &os);
    EXPECT_EQ(AppDir, testsupport::DataDir() + "/");
    EXPECT_EQ(Window.ItemIconSheet.CY, WindowModel{}.ItemIconSheet.CY);
  });
  EXPECT_EQ(starts, 1);
  EXPECT_GT(Window.ItemIconSheet.CX * Window.ItemIconSheet.CY, 1) << "the window's sheets are loaded";

  // A folder that already ends in a slash keeps its one slash.
  start::PrepareProgram(os, testsupport::DataDir() + "/", [] {});
  EXPECT_EQ(AppDir, testsupport::DataDir() + "/");
  testsupport::ResetGame();  // back on the tests' own platform
}

TEST(StartUp, PrepareRecordSizesTheBuffersAndFillsTheTables) {
  testsupport::ResetGame();
  G = GameState{};
  Window = WindowModel{};
  for (ItemRecord& item : Items) item = ItemRecord{};
  start::PrepareRecord();
  EXPECT_EQ(Window.FloorPicture.Picture.Width(), kFloorPixels);
  EXPECT_EQ(Window.Frame.Picture.Width(), kViewWidth);
  EXPECT_EQ(Window.Frame.Picture.Height(), kViewHeight);
  EXPECT_EQ(G.TickInterval, 50);  // the start values
  EXPECT_FALSE(Items[0].Name.empty());
}

}  // namespace
