// The single path of keys into the game: held keys are remembered and released once, lone
// window modifiers never reach the game, and the title keeps its any-key rule for the rest.
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <vector>

#include "state/state.h"
#include "game/keys.h"
#include "desktop/key_input.h"
#include "desktop/key_map.h"
#include "game/key_codes.h"
#include "support/test_support.h"

namespace {

// The window's key map and the key-code table are one vocabulary: every key the map passes
// on has a name a key script can use, and the menu keys keep the codes the game reacts to.
TEST(KeyMap, EveryMappedKeyHasAScriptNameAndTheMenuKeysTheirCodes) {
  for (int key = Qt::Key_Escape; key <= Qt::Key_F24; ++key) {
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
    const uint16_t code = KeyCodeOf(event);
    if (code == 0 || key > Qt::Key_F12) continue;
    EXPECT_EQ(KeyCodeByName(KeyNameOf(code)), code) << "Qt key " << key;
    EXPECT_NE(KeyNameOf(code).rfind("VK_", 0), std::string::npos) << "Qt key " << key;
  }
  QKeyEvent v(QEvent::KeyPress, Qt::Key_V, Qt::NoModifier);
  QKeyEvent keypad5(QEvent::KeyPress, Qt::Key_5, Qt::KeypadModifier);
  EXPECT_EQ(KeyCodeOf(v), VK_V);
  EXPECT_EQ(KeyCodeOf(keypad5), VK_NUMPAD5);
}

struct Log {
  std::vector<int> events;  // +vk for a key-down, -vk for a key-up
  KeyInput input{[this](uint16_t vk) { events.push_back(vk); },
                 [this](uint16_t vk) { events.push_back(-vk); }};
};

TEST(KeyInput, ReleaseAllHandsOneKeyUpPerHeldKeyAndForgetsThem) {
  Log log;
  log.input.Press(38, false);
  log.input.Press(38, true);  // auto-repeat: the game's key-down runs again
  log.input.Press(32, false);
  log.input.ReleaseAll();
  EXPECT_EQ(log.events, (std::vector<int>{38, 38, 32, -38, -32}));
  // The real key-ups arrive later, elsewhere or here: nothing more for the game.
  log.input.Release(38);
  log.input.Release(32);
  log.input.ReleaseAll();
  EXPECT_EQ(log.events.size(), 5u);
  // A key still down counts again from its next repeat.
  log.input.Press(38, true);
  EXPECT_TRUE(log.input.Held(38));
  log.input.Release(38);
  EXPECT_EQ(log.events, (std::vector<int>{38, 38, 32, -38, -32, 38, -38}));
}

TEST(KeyInput, LoneWindowModifiersAreNotTheGamesButShiftIs) {
  Log log;
  for (uint16_t vk : {17, 18, 91, 92}) {
    log.input.Press(vk, false);
    log.input.Release(vk);
  }
  EXPECT_TRUE(log.events.empty());
  log.input.Press(16, false);
  log.input.Release(16);
  EXPECT_EQ(log.events, (std::vector<int>{16, -16}));
  log.input.Release(40);  // never pressed here
  EXPECT_EQ(log.events.size(), 2u);
}

TEST(KeyInput, AKeyUpThatOpensABoxDoesNotReleaseTwice) {
  std::vector<int> ups;
  KeyInput* self = nullptr;
  KeyInput input([](uint16_t) {}, [&](uint16_t vk) {
    ups.push_back(vk);
    self->ReleaseAll();  // as a box opening under the handler would
  });
  self = &input;
  input.Press(37, false);
  input.Press(39, false);
  input.ReleaseAll();
  EXPECT_EQ(ups, (std::vector<int>{37, 39}));
}

TEST(KeyInput, CtrlOnTheTitleLeavesLoadEnabledAndShiftStillLeaves) {
  testsupport::StartProgram();
  KeyInput input(OnKeyDown, OnKeyUp);
  input.Press(17, false);
  input.Press(18, false);
  EXPECT_EQ(G.GameMode, kModeTitle);
  input.Press(16, false);
  EXPECT_EQ(G.GameMode, kModeSelect);
  EXPECT_EQ(G.KeyState[kShift], 1);
  input.ReleaseAll();
  EXPECT_EQ(G.KeyState[kShift], 0);
}

}  // namespace
