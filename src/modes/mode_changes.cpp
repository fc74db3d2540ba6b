// The mode changes that rules make in the middle of a tick (a stair out of a dungeon, the
// escape item, the final opponent's fall) and the mode transitions share: the world map
// shown, and the ending begun on the last frame shown.
#include "modes/mode_changes.h"

#include "audio/sound.h"
#include "state/state.h"
#include "state/window_model.h"

namespace {

// The window's pictures are 312 x 216; Frame keeps that size whatever a file holds, so a
// wrong-sized picture can never shrink the frame.
void CopyIntoFrame(const gfx::TImage& loaded) {
  gfx::Bitmap& frame = Window.Frame.Picture;
  if (frame.Width() != kViewWidth || frame.Height() != kViewHeight) frame.Resize(kViewWidth, kViewHeight);
  gfx::FillRect(frame, 0, 0, kViewWidth, kViewHeight, gfx::kBlack);
  gfx::BitBlt(frame, 0, 0, kViewWidth, kViewHeight, &loaded.Picture, 0, 0, gfx::Rop::Copy);
}

// Set when the ending's return to the world map failed: the ending then waits on its last
// picture for Enter instead of failing again on every tick.
bool endingReturnHeld = false;

void EnsureBackdrop() {
  gfx::Bitmap& backdrop = Window.Backdrop.Picture;
  if (backdrop.Width() < kViewWidth || backdrop.Height() < kViewHeight) backdrop.Resize(kViewWidth, kViewHeight);
}

}  // namespace

bool EndingReturnHeld() { return endingReturnHeld; }
void HoldEndingReturn() { endingReturnHeld = true; }
void ReleaseEndingReturn() { endingReturnHeld = false; }

void ShowWorldMap() {
  // The picture is read before the music changes, so that a missing map changes nothing.
  gfx::TImage map;
  map.LoadFromFile(AppDir + "mainmap.bmp", kViewPicture);
  PlayMusic(kTrackWorldMap);
  CopyIntoFrame(map);
  EnsureBackdrop();
  gfx::BitBlt(Window.Backdrop.Picture, 0, 0, kViewWidth, kViewHeight, &Window.Frame.Picture, 0, 0, gfx::Rop::Copy);
  RepaintShownFrame();
  G.HeroX = G.WorldX;
  G.HeroY = G.WorldY;
}

void StartEnding() {
  endingReturnHeld = false;
  G.GameMode = kModeEnding;
  G.TickCount = 0;
  EnableFileCommands(false, false);
  EnsureBackdrop();
  gfx::BitBlt(Window.Backdrop.Picture, 0, 0, kViewWidth, kViewHeight, &Window.ShownFrame.Picture, 0, 0, gfx::Rop::Copy);
}

