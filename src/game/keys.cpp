// Key-down and key-up: the held-key flags that the tick polls, and the single-press
// action of the mode the game is in at that moment.
#include "game/keys.h"

#include "state/window_model.h"
#include "game/modes.h"
#include "state/state.h"
#include "world/world.h"
#include "platform/platform.h"
#include "game/menu_actions.h"
#include "modes/mode_changes.h"

namespace {


// The direction an arrow key (or its keypad twin) stands for, or -1.
int ArrowOf(uint16_t key) {
  switch (key) {
    case VK_UP: case VK_NUMPAD8: return 0;
    case VK_RIGHT: case VK_NUMPAD6: return 1;
    case VK_DOWN: case VK_NUMPAD2: return 2;
    case VK_LEFT: case VK_NUMPAD4: return 3;
    default: return -1;
  }
}

void MenuKeyDown(uint16_t key) {
  switch (key) {
    case VK_F1: G.MenuPage = 0; break;
    case VK_F2: G.MenuPage = 1; break;
    case VK_F3: G.MenuPage = 2; break;
    case VK_NUMPAD5: G.MenuPage = G.MenuPage == 0 ? 1 : 0; break;
    case VK_NUMPAD0: G.MenuPage = G.MenuPage == 0 ? 2 : 0; break;
    default: break;
  }
  if (G.MenuPage == 0 || G.MenuPage == 2) {
    int direction = ArrowOf(key);
    if (direction >= 0) MoveCursor(direction);
    if (key == VK_SPACE || key == VK_V) {
      TickPause pause;
      UseItem();
    } else if (key == VK_RETURN || key == VK_D) {
      TickPause pause;
      DiscardItem();
    } else if (key == VK_C) {
      TickPause pause;
    }
  }
  if (key == VK_ESCAPE || key == VK_C) LeaveMenu();
}

void SelectionKeyDown(uint16_t key) {
  static constexpr int kHeroByArrow[4] = {3, 2, 0, 1};  // up, right, down, left
  int direction = ArrowOf(key);
  if (direction >= 0) {
    ChooseHero(kHeroByArrow[direction]);
  } else if (key == VK_SPACE || key == VK_RETURN) {
    StartGameFromSelection();
  } else if (key == VK_ESCAPE) {
    ReturnToTitleFromSelection();
  }
}

void WorldKeyDown(uint16_t key) {
  if (key != VK_SPACE && key != VK_RETURN) return;
  EnterDungeon();
  Window.SaveCommand.Enabled = true;
  Window.LoadCommand.Enabled = true;
}

}  // namespace

int KeyFlagOf(uint16_t key) {
  switch (key) {
    case VK_UP: case VK_NUMPAD8: return kUp;
    case VK_RIGHT: case VK_NUMPAD6: return kRight;
    case VK_DOWN: case VK_NUMPAD2: return kDown;
    case VK_LEFT: case VK_NUMPAD4: return kLeft;
    case VK_SHIFT: return kShift;
    case VK_ESCAPE: return kEsc;
    case VK_SPACE: return kSpace;
    case VK_RETURN: return kEnter;
    default: return -1;
  }
}

void OnKeyDown(uint16_t key) {
  int flag = KeyFlagOf(key);
  if (flag >= 0) G.KeyState[flag] = 1;

  switch (G.GameMode) {
    case kModeTitle: LeaveTitle(); break;
    case kModePlay: if (key == VK_ESCAPE) OpenMenu(); break;
    case kModeMenu: MenuKeyDown(key); break;
    case kModeGameOver: if (key == VK_RETURN) ContinueAfterGameOver(); break;
    case kModeSelect: SelectionKeyDown(key); break;
    case kModeWorld: WorldKeyDown(key); break;
    case kModeEnding: if (key == VK_RETURN && EndingReturnHeld()) ReleaseEndingReturn(); break;
    default: break;  // the ending ignores every other key
  }
}

void OnKeyUp(uint16_t key) {
  int flag = KeyFlagOf(key);
  if (flag >= 0) G.KeyState[flag] = 0;
}
