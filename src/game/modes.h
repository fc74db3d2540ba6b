// The transitions between game modes that several handlers share.
#pragma once

#include "modes/mode_changes.h"

void LeaveTitle();          // any key on the title
void ReturnToTitleFromSelection();
void StartGameFromSelection();
void ChooseHero(int hero);  // selection screen arrows
void OpenMenu();            // Esc in play
void LeaveMenu();           // Esc or C in the menu
void GameOver();            // the tick found the hero without hit points
void ContinueAfterGameOver();  // Enter on the game-over screen
void EndEnding();           // TickCount reached the ending's length
void ExitToTitle();         // File, Exit confirmed in modes 1, 2, 5
