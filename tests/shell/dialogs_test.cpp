// The options dialog applies its settings at once and holds the game while it is open; the
// about dialog and the help question let the game run on.
#include <gtest/gtest.h>

#include "platform/language.h"

#include <filesystem>

#include "audio/sound.h"
#include "state/window_model.h"
#include "state/state.h"
#include "shell/about.h"
#include "shell/maker_contact.h"
#include "shell/options.h"
#include "support/test_support.h"

namespace {

class OptionsDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetGame();
    OptionsWindow = OptionsDialogModel{};
    Window.TickTimer.Enabled = true;
    Window.TickTimer.Interval = G.TickInterval;
    G.MusicTrack = 11;
    audio::ClearCallLog();
  }
  // Opens the dialog; script runs while it is open, then 閉じる is pressed.
  void Open(const std::function<void()>& script) {
    testsupport::Os().optionsDialogScript = [&] {
      openTimer_ = Window.TickTimer.Enabled;
      openVisible_ = OptionsWindow.Visible;
      script();
      OnOptionsClose();
    };
    OnOptionsCommand();
  }
  bool openTimer_ = true;
  bool openVisible_ = false;
};

TEST_F(OptionsDialog, ShowsTheCurrentOptionsAndHoldsTheGameWhileOpen) {
  G.TickInterval = 35;
  Window.TickTimer.Interval = 35;
  G.EffectsOn = 0;
  Open([] {
    EXPECT_EQ(OptionsWindow.SpeedPosition, 35);
    EXPECT_EQ(OptionsWindow.SpeedCaption, "今現在のゲームスピード : 35");
    EXPECT_TRUE(OptionsWindow.MusicChecked);
    EXPECT_FALSE(OptionsWindow.EffectsChecked);
  });
  EXPECT_FALSE(openTimer_);
  EXPECT_TRUE(openVisible_);
  EXPECT_TRUE(Window.TickTimer.Enabled);
  EXPECT_FALSE(OptionsWindow.Visible);
  EXPECT_EQ(OptionsWindow.ModalResult, 1);
  EXPECT_EQ(OptionsWindow.Caption, "オプション");
}

TEST_F(OptionsDialog, SpeedAppliesAtOnce) {
  Open([] {
    SetSpeedPosition(100);
    EXPECT_EQ(G.TickInterval, 100);
    EXPECT_EQ(Window.TickTimer.Interval, 100);
    EXPECT_EQ(OptionsWindow.SpeedCaption, "今現在のゲームスピード : 100");
    SetSpeedPosition(0);  // the bar ends at 1
    EXPECT_EQ(G.TickInterval, 1);
    SetSpeedPosition(250);
    EXPECT_EQ(Window.TickTimer.Interval, 100);
  });
  EXPECT_EQ(G.TickInterval, 100);
}

TEST_F(OptionsDialog, OpeningAndClosingLeavesTheMusicPlaying) {
  Open([] {});
  Open([] {});
  EXPECT_TRUE(audio::MusicCalls().empty());
  EXPECT_EQ(G.MusicOn, 1);
}

TEST_F(OptionsDialog, MusicOffAndOnRestartsTheTrack) {
  Open([] {
    SetMusicChecked(false);
    EXPECT_EQ(G.MusicOn, 0);
    SetMusicChecked(true);
  });
  EXPECT_EQ(G.MusicOn, 1);
  EXPECT_EQ(audio::MusicCalls(), (std::vector<int>{11, 11}));

  G.MusicTrack = 99;  // silence stays silence
  audio::ClearCallLog();
  Open([] {
    SetMusicChecked(false);
    SetMusicChecked(true);
  });
  EXPECT_EQ(audio::MusicCalls(), (std::vector<int>{99, 99}));
}

TEST_F(OptionsDialog, EffectsSwitch) {
  Open([] { SetEffectsChecked(false); });
  EXPECT_EQ(G.EffectsOn, 0);
  Open([] { EXPECT_FALSE(OptionsWindow.EffectsChecked); SetEffectsChecked(true); });
  EXPECT_EQ(G.EffectsOn, 1);
  EXPECT_TRUE(audio::MusicCalls().empty());
}

TEST_F(OptionsDialog, ControlsFollowALoadedGame) {
  // Options changed behind the dialog (by a load) are shown the next time it opens.
  G.TickInterval = 20;
  G.MusicOn = 0;
  Open([] {
    EXPECT_EQ(OptionsWindow.SpeedPosition, 20);
    EXPECT_FALSE(OptionsWindow.MusicChecked);
  });
  EXPECT_EQ(G.MusicOn, 0);
  EXPECT_EQ(G.TickInterval, 20);
}

class AboutAndHelp : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetGame();
    Window.TickTimer.Enabled = true;
    testsupport::Os().lines.clear();
    saved_ = Maker;
    Maker.HomePageAddress = "https://example.org/mirovaan/";
    Maker.MailAddress = "maker@example.org";
  }
  void TearDown() override {
    Maker = saved_;
    testsupport::Os().shellOpens = true;
  }
  MakerContact saved_;
  std::vector<std::string> Opened() const {
    std::vector<std::string> opened;
    for (const std::string& line : testsupport::Os().lines)
      if (line.rfind("open: ", 0) == 0) opened.push_back(line.substr(6));
    return opened;
  }
};

TEST_F(AboutAndHelp, HelpAsksFirstAndOpensTheHomePageOnYes) {
  testsupport::Os().answerYes = false;
  OnHelpCommand();
  ASSERT_EQ(testsupport::Os().lines.size(), 1u);
  EXPECT_EQ(testsupport::Os().lines[0],
            "msgbox: ヘルプ | 直接ブラウザを起動してヘルプを見ます。よろしいですか？");
  EXPECT_TRUE(Opened().empty());

  testsupport::Os().answerYes = true;
  OnHelpCommand();
  EXPECT_EQ(Opened(), std::vector<std::string>{Maker.HomePageAddress});
  EXPECT_TRUE(Window.TickTimer.Enabled);
}

TEST_F(AboutAndHelp, AboutDialogLetsTheGameRunAndItsButtonsOpenTheLinks) {
  OnAboutCommand();
  EXPECT_TRUE(Window.TickTimer.Enabled);
  EXPECT_FALSE(AboutWindow.Visible);
  OnHomePageButton();
  OnMailButton();
  EXPECT_EQ(Opened(), (std::vector<std::string>{Maker.HomePageAddress, "mailto:" + Maker.MailAddress}));
  EXPECT_EQ(AboutHomePage(), Maker.HomePageAddress);
  EXPECT_EQ(AboutMailAddress(), Maker.MailAddress);
  EXPECT_EQ(AboutWindow.Caption, "ミロヴァーン");
}

TEST_F(AboutAndHelp, WithoutAHomePageHelpAndTheButtonOpenTheOfflineManual) {
  Maker.HomePageAddress = "";
  Maker.MailAddress = "";
  std::string manual = ManualPath();
  ASSERT_FALSE(manual.empty()) << "looked in " << ManualPlaces();
  EXPECT_TRUE(std::filesystem::is_regular_file(manual));
  OnHelpCommand();
  OnHomePageButton();
  EXPECT_EQ(Opened(), (std::vector<std::string>{"file://" + manual, "file://" + manual}));
  // No mail address configured: the button has nothing to open and says so in its caption.
  OnMailButton();
  EXPECT_EQ(Opened().size(), 2u);
  EXPECT_EQ(AboutMailAddress(), "（なし）");
}

// A player who reads English is shown the English manual; Japanese stays the default.
TEST_F(AboutAndHelp, TheManualIsTheOneInThePlayersLanguage) {
  Maker.HomePageAddress = "";
  const std::string japanese = ManualPath();
  SetCurrentLanguage(Language::kEnglish);
  const std::string english = ManualPath();
  SetCurrentLanguage(Language::kJapanese);
  ASSERT_FALSE(english.empty()) << "looked in " << ManualPlaces();
  EXPECT_EQ(english.substr(english.size() - 14), "/en/index.html");
  EXPECT_EQ(japanese.find("/en/"), std::string::npos) << japanese;
  EXPECT_EQ(ManualPath(), japanese);
}

TEST_F(AboutAndHelp, WhenNothingCanOpenAnAddressABoxNamesItAndTheManual) {
  testsupport::Os().shellOpens = false;
  OnMailButton();
  ASSERT_EQ(testsupport::Os().lines.size(), 2u);
  const std::string& box = testsupport::Os().lines[1];
  EXPECT_EQ(box.rfind("msgbox: ヘルプ | ", 0), 0u) << box;
  EXPECT_NE(box.find("mailto:maker@example.org"), std::string::npos) << box;
  EXPECT_NE(box.find(ManualPath()), std::string::npos) << box;

  Maker.HomePageAddress = "";
  testsupport::Os().lines.clear();
  OnHelpCommand();  // the question, the attempt, the box
  ASSERT_EQ(testsupport::Os().lines.size(), 3u);
  EXPECT_NE(testsupport::Os().lines[2].find("file://" + ManualPath()), std::string::npos);
  EXPECT_TRUE(Window.TickTimer.Enabled);
}

TEST_F(AboutAndHelp, MakersDetailsComeFromTheBuild) {
  Maker = saved_;
  // A configured home page must be a complete address: the desktop gets it unchanged.
  if (!Maker.HomePageAddress.empty()) {
    EXPECT_NE(Maker.HomePageAddress.find("://"), std::string::npos);
  }
  EXPECT_NE(Maker.HomePageAddress, "http://");
  EXPECT_EQ(Maker.MailAddress.find("mailto:"), std::string::npos);
  EXPECT_FALSE(AboutMakerLine().empty());
  EXPECT_FALSE(AboutNote().empty());
  EXPECT_NE(AboutTitleLine().find(AboutVersion()), std::string::npos);
}

TEST(MailAndHP, StartsWithAnEmptyMailAndABareScheme) {
  MakerContact links;
  EXPECT_EQ(links.MailAddress, "");
  EXPECT_EQ(links.HomePageAddress, "http://");
}

}  // namespace
