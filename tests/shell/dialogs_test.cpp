// The options dialog applies its settings at once and holds the game while it is open; the
// about dialog and the help question let the game run on.
#include <gtest/gtest.h>

#include <filesystem>

#include "audio/sound.h"
#include "state/form.h"
#include "state/state.h"
#include "shell/about.h"
#include "shell/mailhp.h"
#include "shell/options.h"
#include "support/test_support.h"

namespace {

class OptionsDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetGame();
    Form2 = TForm2{};
    Form1.Timer1.Enabled = true;
    Form1.Timer1.Interval = G.TickInterval;
    G.MusicTrack = 11;
    audio::ClearCallLog();
  }
  // Opens the dialog; script runs while it is open, then 閉じる is pressed.
  void Open(const std::function<void()>& script) {
    testsupport::Os().optionsDialogScript = [&] {
      openTimer_ = Form1.Timer1.Enabled;
      openVisible_ = Form2.Visible;
      script();
      Button1Click();
    };
    K3Click();
  }
  bool openTimer_ = true;
  bool openVisible_ = false;
};

TEST_F(OptionsDialog, ShowsTheCurrentOptionsAndHoldsTheGameWhileOpen) {
  G.TickInterval = 35;
  Form1.Timer1.Interval = 35;
  G.EffectsOn = 0;
  Open([] {
    EXPECT_EQ(Form2.ScrollBar1Position, 35);
    EXPECT_EQ(Form2.Label4Caption, "今現在のゲームスピード : 35");
    EXPECT_TRUE(Form2.CheckBox1Checked);
    EXPECT_FALSE(Form2.CheckBox2Checked);
  });
  EXPECT_FALSE(openTimer_);
  EXPECT_TRUE(openVisible_);
  EXPECT_TRUE(Form1.Timer1.Enabled);
  EXPECT_FALSE(Form2.Visible);
  EXPECT_EQ(Form2.ModalResult, 1);
  EXPECT_EQ(Form2.Caption, "オプション");
}

TEST_F(OptionsDialog, SpeedAppliesAtOnce) {
  Open([] {
    SetScrollBar1Position(100);
    EXPECT_EQ(G.TickInterval, 100);
    EXPECT_EQ(Form1.Timer1.Interval, 100);
    EXPECT_EQ(Form2.Label4Caption, "今現在のゲームスピード : 100");
    SetScrollBar1Position(0);  // the bar ends at 1
    EXPECT_EQ(G.TickInterval, 1);
    SetScrollBar1Position(250);
    EXPECT_EQ(Form1.Timer1.Interval, 100);
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
    SetCheckBox1Checked(false);
    EXPECT_EQ(G.MusicOn, 0);
    SetCheckBox1Checked(true);
  });
  EXPECT_EQ(G.MusicOn, 1);
  EXPECT_EQ(audio::MusicCalls(), (std::vector<int>{11, 11}));

  G.MusicTrack = 99;  // silence stays silence
  audio::ClearCallLog();
  Open([] {
    SetCheckBox1Checked(false);
    SetCheckBox1Checked(true);
  });
  EXPECT_EQ(audio::MusicCalls(), (std::vector<int>{99, 99}));
}

TEST_F(OptionsDialog, EffectsSwitch) {
  Open([] { SetCheckBox2Checked(false); });
  EXPECT_EQ(G.EffectsOn, 0);
  Open([] { EXPECT_FALSE(Form2.CheckBox2Checked); SetCheckBox2Checked(true); });
  EXPECT_EQ(G.EffectsOn, 1);
  EXPECT_TRUE(audio::MusicCalls().empty());
}

TEST_F(OptionsDialog, ControlsFollowALoadedGame) {
  // Options changed behind the dialog (by a load) are shown the next time it opens.
  G.TickInterval = 20;
  G.MusicOn = 0;
  Open([] {
    EXPECT_EQ(Form2.ScrollBar1Position, 20);
    EXPECT_FALSE(Form2.CheckBox1Checked);
  });
  EXPECT_EQ(G.MusicOn, 0);
  EXPECT_EQ(G.TickInterval, 20);
}

class AboutAndHelp : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetGame();
    Form1.Timer1.Enabled = true;
    testsupport::Os().lines.clear();
    saved_ = MHP;
    MHP.HomePageAddress = "https://example.org/mirovaan/";
    MHP.MailAddress = "maker@example.org";
  }
  void TearDown() override {
    MHP = saved_;
    testsupport::Os().shellOpens = true;
  }
  TMailAndHP saved_;
  std::vector<std::string> Opened() const {
    std::vector<std::string> opened;
    for (const std::string& line : testsupport::Os().lines)
      if (line.rfind("open: ", 0) == 0) opened.push_back(line.substr(6));
    return opened;
  }
};

TEST_F(AboutAndHelp, HelpAsksFirstAndOpensTheHomePageOnYes) {
  testsupport::Os().answerYes = false;
  Help1Click();
  ASSERT_EQ(testsupport::Os().lines.size(), 1u);
  EXPECT_EQ(testsupport::Os().lines[0],
            "msgbox: ヘルプ | 直接ブラウザを起動してヘルプを見ます。よろしいですか？");
  EXPECT_TRUE(Opened().empty());

  testsupport::Os().answerYes = true;
  Help1Click();
  EXPECT_EQ(Opened(), std::vector<std::string>{MHP.HomePageAddress});
  EXPECT_TRUE(Form1.Timer1.Enabled);
}

TEST_F(AboutAndHelp, AboutDialogLetsTheGameRunAndItsButtonsOpenTheLinks) {
  KA1Click();
  EXPECT_TRUE(Form1.Timer1.Enabled);
  EXPECT_FALSE(Form3.Visible);
  Button2Click();
  Button3Click();
  EXPECT_EQ(Opened(), (std::vector<std::string>{MHP.HomePageAddress, "mailto:" + MHP.MailAddress}));
  EXPECT_EQ(AboutHomePage(), MHP.HomePageAddress);
  EXPECT_EQ(AboutMailAddress(), MHP.MailAddress);
  EXPECT_EQ(Form3.Caption, "ミロヴァーン");
}

TEST_F(AboutAndHelp, WithoutAHomePageHelpAndTheButtonOpenTheOfflineManual) {
  MHP.HomePageAddress = "";
  MHP.MailAddress = "";
  std::string manual = ManualPath();
  ASSERT_FALSE(manual.empty()) << "looked in " << ManualPlaces();
  EXPECT_TRUE(std::filesystem::is_regular_file(manual));
  Help1Click();
  Button2Click();
  EXPECT_EQ(Opened(), (std::vector<std::string>{"file://" + manual, "file://" + manual}));
  // No mail address configured: the button has nothing to open and says so in its caption.
  Button3Click();
  EXPECT_EQ(Opened().size(), 2u);
  EXPECT_EQ(AboutMailAddress(), "（なし）");
}

TEST_F(AboutAndHelp, WhenNothingCanOpenAnAddressABoxNamesItAndTheManual) {
  testsupport::Os().shellOpens = false;
  Button3Click();
  ASSERT_EQ(testsupport::Os().lines.size(), 2u);
  const std::string& box = testsupport::Os().lines[1];
  EXPECT_EQ(box.rfind("msgbox: ヘルプ | ", 0), 0u) << box;
  EXPECT_NE(box.find("mailto:maker@example.org"), std::string::npos) << box;
  EXPECT_NE(box.find(ManualPath()), std::string::npos) << box;

  MHP.HomePageAddress = "";
  testsupport::Os().lines.clear();
  Help1Click();  // the question, the attempt, the box
  ASSERT_EQ(testsupport::Os().lines.size(), 3u);
  EXPECT_NE(testsupport::Os().lines[2].find("file://" + ManualPath()), std::string::npos);
  EXPECT_TRUE(Form1.Timer1.Enabled);
}

TEST_F(AboutAndHelp, MakersDetailsComeFromTheBuild) {
  MHP = saved_;
  // A configured home page must be a complete address: the desktop gets it unchanged.
  if (!MHP.HomePageAddress.empty()) {
    EXPECT_NE(MHP.HomePageAddress.find("://"), std::string::npos);
  }
  EXPECT_NE(MHP.HomePageAddress, "http://");
  EXPECT_EQ(MHP.MailAddress.find("mailto:"), std::string::npos);
  EXPECT_FALSE(AboutMakerLine().empty());
  EXPECT_FALSE(AboutNote().empty());
  EXPECT_NE(AboutTitleLine().find(AboutVersion()), std::string::npos);
}

TEST(MailAndHP, StartsWithAnEmptyMailAndABareScheme) {
  TMailAndHP links;
  EXPECT_EQ(links.MailAddress, "");
  EXPECT_EQ(links.HomePageAddress, "http://");
}

}  // namespace
