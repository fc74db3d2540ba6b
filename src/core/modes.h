// The transitions between game modes that several handlers share.
#pragma once

// "World map shown": music 11, the map picture through buf2 into Image2, Image1 repainted,
// the hero back at WorldX, WorldY.
void ShowWorldMap();
void LeaveTitle();          // any key on the title
void ReturnToTitleFromSelection();
void StartGameFromSelection();
void ChooseHero(int hero);  // selection screen arrows
void OpenMenu();            // Esc in play
void LeaveMenu();           // Esc or C in the menu
void GameOver();            // tick step 13
void ContinueAfterGameOver();  // Enter on the game-over screen
void StartEnding();         // the final opponent has fallen
void EndEnding();           // TickCount reached 1600
// After a failed return from the ending the ending holds still until the player presses
// Enter, which releases the hold so that the next tick tries again. A new ending or a load
// releases it too.
bool EndingReturnHeld();
void ReleaseEndingReturn();
void ExitToTitle();         // File, Exit confirmed in modes 1, 2, 5
void LoadIntoImage2(const char* name);
