// The pictures behind the screens: a screen's picture loaded into Image2, the world map
// shown, and the ending's still frame. The mode transitions use them, and so do the rules
// that change the screen in the middle of a tick (a stair out of a dungeon, the escape
// item, the final opponent's fall).
#include "screens/pictures.h"

#include <algorithm>
#include <cstdint>

#include "audio/sound.h"
#include "state/form.h"
#include "state/state.h"

namespace {

// The window's pictures are 312 x 216; buf2 keeps that size whatever a file holds, so a
// wrong-sized picture can never shrink the frame.
void CopyIntoBuf2(const gfx::TImage& loaded) {
  gfx::Bitmap& frame = Form1.buf2.Picture;
  if (frame.Width() != kViewWidth || frame.Height() != kViewHeight) frame.Resize(kViewWidth, kViewHeight);
  gfx::FillRect(frame, 0, 0, kViewWidth, kViewHeight, gfx::kBlack);
  gfx::BitBlt(frame, 0, 0, kViewWidth, kViewHeight, &loaded.Picture, 0, 0, gfx::Rop::Copy);
}

// Set when the ending's return to the world map failed: the ending then waits on its last
// picture for Enter instead of failing again on every tick.
bool endingReturnHeld = false;

void EnsureImage2() {
  gfx::Bitmap& image2 = Form1.Image2.Picture;
  if (image2.Width() < kViewWidth || image2.Height() < kViewHeight) image2.Resize(kViewWidth, kViewHeight);
}

}  // namespace

void LoadIntoImage2(const char* name) { Form1.Image2.LoadFromFile(AppDir + name, kViewPicture); }

bool EndingReturnHeld() { return endingReturnHeld; }
void HoldEndingReturn() { endingReturnHeld = true; }
void ReleaseEndingReturn() { endingReturnHeld = false; }

void ShowWorldMap() {
  // The picture is read before the music changes, so that a missing map changes nothing.
  gfx::TImage map;
  map.LoadFromFile(AppDir + "mainmap.bmp", kViewPicture);
  PlayMusic(kTrackWorldMap);
  CopyIntoBuf2(map);
  EnsureImage2();
  gfx::BitBlt(Form1.Image2.Picture, 0, 0, kViewWidth, kViewHeight, &Form1.buf2.Picture, 0, 0, gfx::Rop::Copy);
  RepaintImage1();
  G.HeroX = G.WorldX;
  G.HeroY = G.WorldY;
}

void StartEnding() {
  endingReturnHeld = false;
  G.GameMode = kModeEnding;
  G.TickCount = 0;
  EnableFileCommands(false, false);
  EnsureImage2();
  gfx::BitBlt(Form1.Image2.Picture, 0, 0, kViewWidth, kViewHeight, &Form1.Image1.Picture, 0, 0, gfx::Rop::Copy);
}

// The 312 x 216 view: black, then the picture's window at (sx, sy) over it. Beyond the
// picture the view stays black, as the transfer clips at its edges. Only the bands the
// transfer leaves uncovered are filled (none at all away from the floor's edges): the
// frame comes out the same as after a whole black fill, at a fraction of the cost.
void CopyViewOverBlack(gfx::Bitmap& frame, const gfx::Bitmap& picture, int sx, int sy) {
  const int64_t w = std::min(kViewWidth, frame.Width()), h = std::min(kViewHeight, frame.Height());
  // The part of the view the transfer writes, worked out as BitBlt clips it.
  int64_t x0 = 0, x1 = 0, y0 = 0, y1 = 0;
  if (!picture.Empty()) {
    x0 = std::clamp<int64_t>(-static_cast<int64_t>(sx), 0, w);
    x1 = std::clamp<int64_t>(picture.Width() - static_cast<int64_t>(sx), x0, w);
    y0 = std::clamp<int64_t>(-static_cast<int64_t>(sy), 0, h);
    y1 = std::clamp<int64_t>(picture.Height() - static_cast<int64_t>(sy), y0, h);
  }
  const int left = static_cast<int>(x0), right = static_cast<int>(x1);
  const int top = static_cast<int>(y0), bottom = static_cast<int>(y1);
  gfx::FillRect(frame, 0, 0, kViewWidth, top, gfx::kBlack);
  gfx::FillRect(frame, 0, bottom, kViewWidth, kViewHeight - bottom, gfx::kBlack);
  gfx::FillRect(frame, 0, top, left, bottom - top, gfx::kBlack);
  gfx::FillRect(frame, right, top, kViewWidth - right, bottom - top, gfx::kBlack);
  gfx::BitBlt(frame, 0, 0, kViewWidth, kViewHeight, &picture, sx, sy, gfx::Rop::Copy);
}

void DrawFloorWindow(gfx::Bitmap& frame) {
  // The hero's box lies at (144, 96) of the view.
  CopyViewOverBlack(frame, Form1.BUF.Picture, G.HeroX - 144, G.HeroY - 96);
}
