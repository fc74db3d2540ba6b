// Mode transitions shared by the key handlers, the tick and the menu commands.
#include "game/modes.h"

#include "audio/sound.h"
#include "content/heroes.h"
#include "screens/pictures.h"
#include "modes/mode_changes.h"
#include "state/window_model.h"
#include "state/snapshot.h"
#include "state/state.h"
#include "platform/platform.h"
#include "screens/gameover.h"
#include "platform/language.h"


namespace {

constexpr Bilingual kPressEnterAgain = {"\nEnter キーを押すと、もう一度試します。",
                                        "\nPress Enter to try again."};

}  // namespace

namespace {

void ClearHeldFlag(int flag) { G.KeyState[flag] = 0; }

}  // namespace

void LeaveTitle() {
  Window.LoadCommand.Enabled = false;
  G.GameMode = kModeSelect;
  G.HeroIndex = 0;
  LoadBackdrop("charas_0.bmp");
  PlayMusic(kTrackSelection);
}

void ChooseHero(int hero) {
  if (hero == G.HeroIndex) return;
  G.HeroIndex = static_cast<int8_t>(hero);
  std::string name = "charas_" + std::to_string(hero) + ".bmp";
  LoadBackdrop(name.c_str());
  PlayEffect(kEffectCursor);
}

void ReturnToTitleFromSelection() {
  Window.LoadCommand.Enabled = true;
  G.TickCount = 0;
  G.GameMode = kModeTitle;
  LoadBackdrop(TitlePicture());
  PlayMusic(kTrackTitle);
}

void StartGameFromSelection() {
  StartNewGame();
  G.GameMode = kModeWorld;
  LoadBackdrop("mainmap.bmp");
  PlayMusic(kTrackWorldMap);
  EnableFileCommands(true, true);
}

void OpenMenu() {
  G.GameMode = kModeMenu;
  LoadBackdrop("waku.bmp");
}

void LeaveMenu() {
  G.GameMode = kModePlay;
  for (int flag : {kUp, kRight, kDown, kLeft, kShift, kSpace, kEnter}) ClearHeldFlag(flag);
}

void GameOver() {
  DrawDeathRemains();
  G.GameMode = kModeGameOver;
  EnableFileCommands(false, false);
  PlayMusic(kTrackGameOver);
}

void ContinueAfterGameOver() {
  CompleteOrRestore([] {
    G.GameMode = kModeWorld;
    ShowWorldMap();
    G.HP = G.MaxHP;
    G.Experience = 0;
    EnableFileCommands(true, true);
  });
}

void EndEnding() {
  try {
    CompleteOrRestore([] {
      G.GameMode = kModeWorld;
      ShowWorldMap();
      G.HP = G.MaxHP;
      EnableFileCommands(true, true);
    });
  } catch (const ChangeUndone& e) {
    HoldEndingReturn();
    throw ChangeUndone(std::string(e.what()) + Pick(kPressEnterAgain));
  }
}


void ExitToTitle() {
  G.GameMode = kModeTitle;
  G.TickCount = 0;
  PlayMusic(kTrackTitle);
  LoadBackdrop(TitlePicture());
  EnableFileCommands(false, true);
}
