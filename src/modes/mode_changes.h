// The mode changes that rules below the game loop make in the middle of a tick, and that the
// game's transitions share.
#pragma once

// "World map shown": music 11, the map picture through the frame into the backdrop, the
// shown frame repainted, the hero back at WorldX, WorldY.
void ShowWorldMap();
// After a failed return from the ending the ending holds still until the player presses
// Enter, which releases the hold so that the next tick tries again. A new ending or a load
// releases it too.
bool EndingReturnHeld();
void HoldEndingReturn();
void ReleaseEndingReturn();
// The final opponent has fallen: the last frame shown stays as the ending's backdrop.
void StartEnding();
