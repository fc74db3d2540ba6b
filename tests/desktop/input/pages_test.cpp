// The two binding pages as a player uses them: click a place, press a key or a pad button;
// refusals say which action has the key; the defaults come back; every change is saved.
#include <gtest/gtest.h>

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSlider>
#include <QTest>
#include <QVBoxLayout>

#include "desktop/input/bindings_settings.h"
#include "desktop/input/gamepads.h"
#include "desktop/input/key_bindings_page.h"
#include "desktop/input/pad_bindings_page.h"
#include "desktop/input/pad_router.h"
#include "virtual_pad.h"

namespace {

using input::Action;
using input::Bindings;
using input::KeyChord;
using input::PadInput;

// A stand-in for the preferences dialog: the page in a modal-looking dialog of its own.
class Harness {
 public:
  explicit Harness(QWidget* page) {
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(page);
    dialog.resize(520, 640);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    QApplication::processEvents();
  }
  QDialog dialog;
};

class Pages : public ::testing::Test {
 protected:
  void SetUp() override { QSettings().clear(); }
  void TearDown() override { QSettings().clear(); }
  static Bindings Saved() {
    Bindings b;
    QSettings settings;
    input::LoadBindings(settings, b);
    return b;
  }
};

TEST_F(Pages, KeysAreBoundByPressingThemAndConflictsAreRefused) {
  Bindings bindings;
  auto* page = new input::KeyBindingsPage(bindings);
  Harness harness(page);
  QPushButton* fire = page->PlaceButton(Action::Fire, 0);
  EXPECT_EQ(fire->text(), "Space");
  EXPECT_EQ(page->PlaceButton(Action::Up, 1)->text(), "テンキー8");

  QTest::mouseClick(fire, Qt::LeftButton);
  EXPECT_EQ(fire->text(), "キーを押してください…");
  QTest::keyClick(fire, Qt::Key_Z);
  EXPECT_EQ(bindings.Key(Action::Fire, 0), (KeyChord{Qt::Key_Z}));
  EXPECT_EQ(fire->text(), "Z");
  EXPECT_EQ(Saved(), bindings);  // saved at once

  // Space is free now; Z is not.
  QPushButton* up2 = page->PlaceButton(Action::Up, 1);
  QTest::mouseClick(up2, Qt::LeftButton);
  QTest::keyClick(up2, Qt::Key_Z);
  EXPECT_EQ(page->Notice(), "「Z」は既に「攻撃・使う・決定」に割り当てられています。");
  EXPECT_EQ(bindings.Key(Action::Up, 1), (KeyChord{Qt::Key_8, true}));
  QTest::mouseClick(up2, Qt::LeftButton);
  QTest::keyClick(up2, Qt::Key_F11);
  EXPECT_EQ(page->Notice(), "「F11」は割り当てられません。");

  // Esc is a game key like any other: waiting, it is bound and the dialog stays open.
  QPushButton* close = page->PlaceButton(Action::Close, 1);
  QTest::mouseClick(close, Qt::LeftButton);
  QTest::keyClick(close, Qt::Key_Escape);
  EXPECT_EQ(page->Notice(), "「Esc」は既に「メニュー・戻る」に割り当てられています。");
  EXPECT_TRUE(harness.dialog.isVisible());

  // "解除" empties the place chosen last; a second click on a waiting place stops the wait.
  QTest::mouseClick(close, Qt::LeftButton);
  QTest::mouseClick(close, Qt::LeftButton);
  QTest::keyClick(close, Qt::Key_X);
  EXPECT_TRUE(bindings.Key(Action::Close, 1).Empty());
  QTest::mouseClick(page->PlaceButton(Action::Close, 0), Qt::LeftButton);
  QTest::mouseClick(page->ClearButton(), Qt::LeftButton);
  EXPECT_TRUE(bindings.Key(Action::Close, 0).Empty());
  EXPECT_EQ(page->PlaceButton(Action::Close, 0)->text(), "－");
  EXPECT_EQ(Saved(), bindings);

  QTest::mouseClick(page->DefaultsButton(), Qt::LeftButton);
  EXPECT_EQ(bindings, Bindings());
  EXPECT_EQ(fire->text(), "Space");
  EXPECT_EQ(Saved(), Bindings());
}

TEST_F(Pages, ABindingThatCannotBeSavedStillHoldsAndSaysSo) {
  const QString path = QSettings().fileName();
  QFile::remove(path);
  ASSERT_TRUE(QDir().mkpath(path));  // a folder stands where the file goes
  Bindings bindings;
  auto* page = new input::KeyBindingsPage(bindings);
  Harness harness(page);
  QPushButton* fire = page->PlaceButton(Action::Fire, 0);
  QTest::mouseClick(fire, Qt::LeftButton);
  QTest::keyClick(fire, Qt::Key_Z);
  EXPECT_EQ(bindings.Key(Action::Fire, 0), (KeyChord{Qt::Key_Z}));
  EXPECT_TRUE(page->Notice().contains("設定ファイルに書き込めなかった")) << page->Notice().toStdString();
  QDir(path).removeRecursively();
}

TEST_F(Pages, PadButtonsAreBoundByPressingThem) {
  Bindings bindings;
  input::PadRouter router(bindings, nullptr);
  input::Gamepads pads([&](PadInput in, bool down) { router.OnPad(in, down); });
  auto* page = new input::PadBindingsPage(bindings, &pads, &router);
  Harness harness(page);
  EXPECT_EQ(page->Status(), "ゲームパッドが接続されていません。");

  VirtualPad pad;
  pads.Poll();
  EXPECT_TRUE(page->Status().startsWith("接続中："));
  QPushButton* use = page->PlaceButton(Action::Use, 0);
  EXPECT_EQ(page->PlaceButton(Action::Menu, 1)->text(), "Start");
  EXPECT_EQ(use->text(), "－");
  QTest::mouseClick(use, Qt::LeftButton);
  EXPECT_TRUE(router.Capturing());
  pad.Button(SDL_CONTROLLER_BUTTON_Y, true);
  pads.Poll();
  pad.Button(SDL_CONTROLLER_BUTTON_Y, false);
  pads.Poll();
  EXPECT_EQ(page->Notice(), "「Y」は既に「メニュー・戻る」に割り当てられています。");
  QTest::mouseClick(use, Qt::LeftButton);
  pad.Axis(SDL_CONTROLLER_AXIS_RIGHTX, 32767);
  pads.Poll();
  EXPECT_EQ(bindings.Pad(Action::Use, 0), PadInput::RightStickRight);
  EXPECT_EQ(use->text(), "右スティック右");
  EXPECT_FALSE(router.Capturing());
  EXPECT_EQ(Saved(), bindings);

  page->DeadZoneSlider()->setValue(50);
  EXPECT_EQ(pads.DeadZone(), 50);
  QSettings settings;
  EXPECT_EQ(input::LoadDeadZone(settings), 50);

  QTest::mouseClick(page->DefaultsButton(), Qt::LeftButton);
  EXPECT_EQ(bindings, Bindings());
  EXPECT_EQ(pads.DeadZone(), input::kDefaultDeadZone);

  pad.Unplug();
  pads.Poll();
  EXPECT_EQ(page->Status(), "ゲームパッドが接続されていません。");
  // A page hidden while it waits gives the pad back to the game.
  QTest::mouseClick(use, Qt::LeftButton);
  harness.dialog.hide();
  EXPECT_FALSE(router.Capturing());
}

TEST_F(Pages, WithoutPadSupportThePadPageSaysSoAndBindsNothing) {
  Bindings bindings;
  auto* page = new input::PadBindingsPage(bindings, nullptr, nullptr);
  Harness harness(page);
  EXPECT_TRUE(page->Status().startsWith("ゲームパッドは使えません"));
  EXPECT_FALSE(page->PlaceButton(Action::Fire, 0)->isEnabled());
  QTest::mouseClick(page->DefaultsButton(), Qt::LeftButton);  // still harmless
  EXPECT_EQ(bindings, Bindings());
}

}  // namespace
