// The main window's model: the one form, its stored sheets, its buffers and the hand-over
// of a finished frame to the platform.
#include "state/window_model.h"

#include <utility>

#include <iostream>

#include "gfx/bmp.h"
#include "platform/platform.h"
#include "state/stored_sheets.h"
#include "state/records.h"

WindowModel Window;

namespace {

struct SheetSetup {
  const char* name;
  gfx::TSprite WindowModel::*sheet;
  gfx::TImage WindowModel::*destination;
  int cx, cy, index;
  bool transparent;
  gfx::Color key;
};

const SheetSetup kSheets[] = {
    {"floor_tiles", &WindowModel::FloorTileSheet, &WindowModel::FloorPicture, 8, 8, 0, false, gfx::kBlack},
    {"heroes", &WindowModel::HeroSheet, &WindowModel::Frame, 12, 5, 0, true, gfx::kTeal},
    {"faces", &WindowModel::FaceSheet, &WindowModel::Frame, 4, 1, 0, false, gfx::kTeal},
    {"status_icons", &WindowModel::StatusIconSheet, &WindowModel::Frame, 5, 1, 0, false, gfx::kTeal},
    {"shots", &WindowModel::ShotSheet, &WindowModel::Frame, 8, 13, 0, true, gfx::kTeal},
    {"splats", &WindowModel::SplatSheet, &WindowModel::FloorPicture, 6, 2, 1, true, gfx::kTeal},
    {"coins", &WindowModel::CoinSheet, &WindowModel::Frame, 6, 1, 0, true, gfx::kTeal},
    {"markers", &WindowModel::MarkerSheet, &WindowModel::Frame, 8, 2, 1, true, gfx::kTeal},
    {"item_icons", &WindowModel::ItemIconSheet, &WindowModel::Frame, 6, 17, 0, true, gfx::kTeal},
};

}  // namespace

void LoadWindowSheets() {
  for (const SheetSetup& s : kSheets) {
    gfx::Bitmap picture;
    const StoredSheet* data = FindStoredSheet(s.name);
    std::string error;
    if (!data || !gfx::DecodeBmp(data->Bytes, data->Size, picture, error)) {
      std::cerr << "mirovaan: the built-in sheet " << s.name << " is unusable: " << error << "\n";
      picture = gfx::Bitmap();
    }
    (Window.*s.sheet).LoadStored(picture, &(Window.*s.destination), s.cx, s.cy, s.index,
                                s.transparent, s.key);
  }
  // The dungeon's monster and boss sheets are empty until a floor is set up.
  gfx::Bitmap none;
  Window.MonsterSheet.LoadStored(none, &Window.Frame, 12, 3, 0, true, gfx::kTeal);
  Window.BossSheet.LoadStored(none, &Window.Frame, 12, 1, 0, true, gfx::kTeal);
}

void SetUpBuffers() {
  // FloorPicture (8 MB) is made by the first floor drawn, not here: the title and the world
  // map never read it, and until then its readers see black as they would in a black picture.
  Window.Frame.Picture.Resize(kViewWidth, kViewHeight);
  Window.Frame.canvas.FontName = "ＭＳ 明朝";
  Window.Frame.canvas.BrushClear = true;
}

void SetTimerEnabled(TTimer& timer, bool enabled) {
  timer.Enabled = enabled;
  platform::Os().WindowChanged();
}

void PresentFrame() {
  gfx::Bitmap& shown = Window.ShownFrame.Picture;
  gfx::Bitmap& frame = Window.Frame.Picture;
  // The tick draws the whole view into Frame before it reads any of it (the background
  // covers every pixel), so the frame just finished can trade places with the one shown
  // instead of being copied: Frame keeps an older picture that the next tick paints over.
  const auto whole = [](const gfx::Bitmap& b) {
    return b.Width() == kViewWidth && b.Height() == kViewHeight;
  };
  if (whole(frame) && whole(shown)) {
    std::swap(frame, shown);
  } else {
    if (shown.Width() < kViewWidth || shown.Height() < kViewHeight) shown.Resize(kViewWidth, kViewHeight);
    gfx::BitBlt(shown, 0, 0, kViewWidth, kViewHeight, &frame, 0, 0, gfx::Rop::Copy);
  }
  RepaintShownFrame();
}

void RepaintShownFrame() { platform::Os().Repaint(Window.ShownFrame.Picture); }
