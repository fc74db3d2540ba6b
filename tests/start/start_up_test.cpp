// The start-up steps every front end shares: what each leaves in place, and that the sound is
// started once, after the platform and the content folder and before the sheets.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "content/items.h"
#include "platform/platform.h"
#include "start/start_up.h"
#include "state/window_model.h"
#include "state/state.h"
#include "support/data_dir.h"

namespace {

// The start-up only hands the platform on; none of its dialogs is used here.
class NoDesktop : public platform::Platform {
 public:
  bool AskYesNo(const std::string&, const std::string&) override { return true; }
  void ShowMessage(const std::string&, const std::string&) override {}
  void ShowError(const std::string&) override {}
  std::optional<std::string> SaveFileDialog(const platform::FileDialogRequest&) override {
    return std::nullopt;
  }
  std::optional<std::string> OpenFileDialog(const platform::FileDialogRequest&) override {
    return std::nullopt;
  }
  bool ShellOpen(const std::string&) override { return false; }
  void Repaint(const gfx::Bitmap&) override {}
  void WindowChanged() override {}
  void Quit() override {}
  void ShowOptionsDialog() override {}
  void ShowAboutDialog() override {}
};

class StartUp : public ::testing::Test {
 protected:
  void SetUp() override {
    G = GameState{};
    Window = WindowModel{};
  }
  void TearDown() override { platform::SetPlatform(nullptr); }  // os_ ends with the test
  const std::string dataDir_ = testsupport::DataDir();
  NoDesktop os_;
};

TEST_F(StartUp, PrepareProgramSetsThePlatformAndFolderThenStartsTheSoundOnce) {
  int starts = 0;
  start::PrepareProgram(os_, dataDir_, [&] {
    ++starts;
    // What the sound's start may rely on: the platform and the content folder, not the sheets.
    EXPECT_EQ(&platform::Os(), &os_);
    EXPECT_EQ(AppDir, dataDir_ + "/");
    EXPECT_EQ(Window.ItemIconSheet.CY, WindowModel{}.ItemIconSheet.CY);
  });
  EXPECT_EQ(starts, 1);
  EXPECT_GT(Window.ItemIconSheet.CX * Window.ItemIconSheet.CY, 1) << "the window's sheets are loaded";

  // A folder that already ends in a slash keeps its one slash.
  start::PrepareProgram(os_, dataDir_ + "/", [] {});
  EXPECT_EQ(AppDir, dataDir_ + "/");
}

TEST_F(StartUp, PrepareRecordSizesTheBuffersAndFillsTheTables) {
  start::PrepareProgram(os_, dataDir_, [] {});
  G = GameState{};
  Window = WindowModel{};
  for (ItemRecord& item : Items) item = ItemRecord{};
  start::PrepareRecord();
  // The floor's 8 MB picture waits for the first floor: the title holds none of it.
  EXPECT_TRUE(Window.FloorPicture.Picture.Empty());
  EXPECT_EQ(Window.Frame.Picture.Width(), kViewWidth);
  EXPECT_EQ(Window.Frame.Picture.Height(), kViewHeight);
  EXPECT_EQ(G.TickInterval, 50);  // the start values
  EXPECT_FALSE(Items[0].Name.empty());
}

}  // namespace
