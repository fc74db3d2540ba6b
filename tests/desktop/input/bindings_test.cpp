// Key bindings: what a key gives the game before and after rebinding, refused bindings, and
// the bindings kept in and read back from the settings file, damaged ones included.
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QSettings>

#include "desktop/input/bindings.h"
#include "desktop/input/bindings_settings.h"
#include "desktop/key_map.h"

namespace {

using input::Action;
using input::Bindings;
using input::BindResult;
using input::KeyChord;
using input::PadInput;

QKeyEvent Press(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  return QKeyEvent(QEvent::KeyPress, key, mods);
}

// The active bindings are the program's own; every test leaves them at the defaults.
struct ActiveGuard {
  ~ActiveGuard() { input::ActiveBindings() = Bindings(); }
};

uint16_t Code(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  return VirtualKeyOf(Press(key, mods));
}

TEST(KeyBindings, DefaultsGiveEveryKeyItsOwnCode) {
  ActiveGuard guard;
  EXPECT_EQ(Code(Qt::Key_Up), 38);
  EXPECT_EQ(Code(Qt::Key_8, Qt::KeypadModifier), 104);
  EXPECT_EQ(Code(Qt::Key_Up, Qt::KeypadModifier), 38);  // NumLock off
  EXPECT_EQ(Code(Qt::Key_Enter, Qt::KeypadModifier), 13);
  EXPECT_EQ(Code(Qt::Key_Shift, Qt::ShiftModifier), 16);
  EXPECT_EQ(Code(Qt::Key_5, Qt::KeypadModifier), 101);
  EXPECT_EQ(Code(Qt::Key_0, Qt::KeypadModifier), 96);
  EXPECT_EQ(Code(Qt::Key_V), 'V');
  EXPECT_EQ(Code(Qt::Key_F2), 113);
  // Keys no action has still reach the game with their own code (the title takes any key).
  EXPECT_EQ(Code(Qt::Key_Q), 'Q');
  EXPECT_EQ(Code(Qt::Key_1, Qt::KeypadModifier), 97);
  EXPECT_EQ(Code(Qt::Key_Control, Qt::ControlModifier), 17);
  EXPECT_EQ(Code(Qt::Key_Eacute), 0);
}

TEST(KeyBindings, ARebindingMovesTheActionToTheNewKey) {
  ActiveGuard guard;
  Bindings& b = input::ActiveBindings();
  b.ClearKey(Action::Fire, 0);
  EXPECT_EQ(b.BindKey(Action::Fire, 0, {Qt::Key_Z}).status, BindResult::Bound);
  EXPECT_EQ(Code(Qt::Key_Z), 32);
  // Space no longer fires: it still leaves the title, as a key with no code does.
  EXPECT_EQ(Code(Qt::Key_Space), 0);

  // A freed default key can serve another action, with that action's code.
  b.ClearKey(Action::Use, 0);
  EXPECT_EQ(b.BindKey(Action::Up, 1, {Qt::Key_V}).status, BindResult::Bound);
  EXPECT_EQ(Code(Qt::Key_V), 38);
  EXPECT_EQ(Code(Qt::Key_8, Qt::KeypadModifier), 0);  // replaced in that place
  EXPECT_EQ(Code(Qt::Key_Up), 38);

  b.ResetKeys();
  EXPECT_EQ(b, Bindings());
  EXPECT_EQ(Code(Qt::Key_Space), 32);
  EXPECT_EQ(Code(Qt::Key_Z), 'Z');
}

TEST(KeyBindings, AKeyThatIsTakenOrKeptByTheWindowIsRefused) {
  Bindings b;
  BindResult taken = b.BindKey(Action::Up, 1, {Qt::Key_Space});
  EXPECT_EQ(taken.status, BindResult::Taken);
  EXPECT_EQ(taken.holder, Action::Fire);
  EXPECT_EQ(b.BindKey(Action::Up, 1, {Qt::Key_Up}).holder, Action::Up);  // its other place
  EXPECT_EQ(b.BindKey(Action::Up, 1, {Qt::Key_8}).status, BindResult::Bound);  // not the keypad's
  for (int key : std::initializer_list<int>{Qt::Key_Control, Qt::Key_Alt, Qt::Key_Meta, Qt::Key_F11, Qt::Key_F12,
                  Qt::Key_Pause, Qt::Key_unknown, 0})
    EXPECT_EQ(b.BindKey(Action::Run, 0, {key}).status, BindResult::Reserved) << key;
  EXPECT_EQ(b.Key(Action::Run, 0), (KeyChord{Qt::Key_Shift}));

  BindResult pad = b.BindPad(Action::Use, 0, PadInput::Start);
  EXPECT_EQ(pad.status, BindResult::Taken);
  EXPECT_EQ(pad.holder, Action::Menu);
  EXPECT_EQ(b.BindPad(Action::Use, 0, PadInput::RightStickUp).status, BindResult::Bound);
  EXPECT_EQ(b.ActionOfPad(PadInput::RightStickUp), Action::Use);
}

TEST(KeyBindings, KeyNamesReadBackAsTheSameKey) {
  for (KeyChord k : {KeyChord{Qt::Key_Space}, {Qt::Key_Shift}, {Qt::Key_8, true},
                     {Qt::Key_Plus, true}, {Qt::Key_Comma}, {Qt::Key_Enter}, {Qt::Key_F3},
                     {Qt::Key_Backslash}, {Qt::Key_PageDown}, {Qt::Key_Henkan}}) {
    auto back = input::ChordOfName(input::NameOf(k));
    ASSERT_TRUE(back.has_value()) << input::NameOf(k).toStdString();
    EXPECT_EQ(*back, k) << input::NameOf(k).toStdString();
  }
  for (const char* bad : {"", "Num+", "Num+Up", "Ctrl+A", "A,B", "Foo", "Shift+", "space"})
    EXPECT_FALSE(input::ChordOfName(bad).has_value()) << bad;
}

class BindingSettings : public ::testing::Test {
 protected:
  void SetUp() override { QSettings().clear(); }
  void TearDown() override { QSettings().clear(); }
  static Bindings Loaded() {
    Bindings b;
    QSettings settings;
    input::LoadBindings(settings, b);
    return b;
  }
};

TEST_F(BindingSettings, RebindingsAndEmptyPlacesRoundTrip) {
  Bindings b;
  b.ClearKey(Action::Fire, 0);
  ASSERT_EQ(b.BindKey(Action::Fire, 0, {Qt::Key_Comma}).status, BindResult::Bound);
  ASSERT_EQ(b.BindKey(Action::Fire, 1, {Qt::Key_Plus, true}).status, BindResult::Bound);
  b.ClearKey(Action::Up, 1);
  b.ClearKey(Action::Close, 0);
  b.ClearPad(Action::Menu, 1);
  ASSERT_EQ(b.BindPad(Action::Drop, 1, PadInput::Start).status, BindResult::Bound);
  {
    QSettings settings;
    input::SaveKeyBindings(settings, b);
    input::SavePadBindings(settings, b);
    input::SaveDeadZone(settings, 55);
  }
  EXPECT_EQ(Loaded(), b);
  QSettings settings;
  EXPECT_EQ(input::LoadDeadZone(settings), 55);
  EXPECT_EQ(settings.value("input/keys/fire").toStringList(), (QStringList{",", "Num++"}));
}

TEST_F(BindingSettings, DamagedValuesFallBackToTheDefaults) {
  Bindings defaults;
  {
    QSettings settings;
    settings.setValue("input/keys/up", "W");          // fine
    settings.setValue("input/keys/fire", "NoSuchKey");  // this action only
    settings.setValue("input/keys/run", QStringList{"A", "B", "C"});  // too many
    settings.setValue("input/keys/menu", "Ctrl+Q");
    settings.setValue("input/pad/fire", 12);
    settings.setValue("input/pad/deadzone", "lots");
  }
  Bindings b = Loaded();
  EXPECT_EQ(b.Key(Action::Up, 0), (KeyChord{Qt::Key_W}));
  EXPECT_TRUE(b.Key(Action::Up, 1).Empty());
  for (Action a : {Action::Fire, Action::Run, Action::Menu})
    EXPECT_EQ(b.Key(a, 0), defaults.Key(a, 0));
  EXPECT_EQ(b.AllPad(), defaults.AllPad());
  QSettings settings;
  EXPECT_EQ(input::LoadDeadZone(settings), input::kDefaultDeadZone);

  // One key given to two actions: nothing of the file can be trusted.
  settings.setValue("input/keys/drop", "W");
  settings.setValue("input/pad/up", QStringList{"a", "dpup"});
  settings.sync();
  b = Loaded();
  EXPECT_EQ(b.AllKeys(), defaults.AllKeys());
  EXPECT_EQ(b.AllPad(), defaults.AllPad());
}

TEST_F(BindingSettings, AnOlderFileKeepsItsBindingsBesideTheNewerActions) {
  {
    // Written before the save actions existed, with the right trigger and F5 in use.
    QSettings settings;
    settings.setValue("input/pad/fire", QStringList{"a", "righttrigger"});
    settings.setValue("input/keys/use", "F5");
  }
  Bindings b = Loaded();
  EXPECT_EQ(b.ActionOfPad(PadInput::RightTrigger), Action::Fire);
  EXPECT_EQ(b.ActionOfKey({Qt::Key_F5}), Action::Use);
  EXPECT_EQ(b.Pad(Action::QuickSave, 0), PadInput::None);
  EXPECT_TRUE(b.Key(Action::QuickSave, 0).Empty());
  // What no clash touches keeps its default.
  EXPECT_EQ(b.Pad(Action::QuickLoad, 0), PadInput::LeftTrigger);
  EXPECT_EQ(b.Key(Action::QuickLoad, 0), (KeyChord{Qt::Key_F9}));
}

}  // namespace
