// The main window's model: the one form, its stored sheets, its buffers and the hand-over
// of a finished frame to the platform.
#include "state/form.h"

#include <iostream>

#include "gfx/bmp.h"
#include "platform/platform.h"
#include "state/form_sheets.h"
#include "state/records.h"

TForm1 Form1;

namespace {

struct SheetSetup {
  const char* name;
  gfx::TSprite TForm1::*sheet;
  gfx::TImage TForm1::*destination;
  int cx, cy, index;
  bool transparent;
  gfx::Color key;
};

const SheetSetup kSheets[] = {
    {"SP1", &TForm1::SP1, &TForm1::BUF, 8, 8, 0, false, gfx::kBlack},
    {"SP2", &TForm1::SP2, &TForm1::buf2, 12, 5, 0, true, gfx::kTeal},
    {"sp3", &TForm1::sp3, &TForm1::buf2, 4, 1, 0, false, gfx::kTeal},
    {"Sp5", &TForm1::Sp5, &TForm1::buf2, 5, 1, 0, false, gfx::kTeal},
    {"sp6", &TForm1::sp6, &TForm1::buf2, 8, 13, 0, true, gfx::kTeal},
    {"Sp7", &TForm1::Sp7, &TForm1::BUF, 6, 2, 1, true, gfx::kTeal},
    {"sp10", &TForm1::sp10, &TForm1::buf2, 6, 1, 0, true, gfx::kTeal},
    {"Sp8", &TForm1::Sp8, &TForm1::buf2, 8, 2, 1, true, gfx::kTeal},
    {"Sp9", &TForm1::Sp9, &TForm1::buf2, 6, 17, 0, true, gfx::kTeal},
};

}  // namespace

void LoadFormSheets() {
  for (const SheetSetup& s : kSheets) {
    gfx::Bitmap picture;
    const FormSheetData* data = FindFormSheet(s.name);
    std::string error;
    if (!data || !gfx::DecodeBmp(data->Bytes, data->Size, picture, error)) {
      std::cerr << "mirovaan: the built-in sheet " << s.name << " is unusable: " << error << "\n";
      picture = gfx::Bitmap();
    }
    (Form1.*s.sheet).LoadStored(picture, &(Form1.*s.destination), s.cx, s.cy, s.index,
                                s.transparent, s.key);
  }
  // The dungeon's monster and boss sheets are empty until a floor is set up.
  gfx::Bitmap none;
  Form1.Sp4.LoadStored(none, &Form1.buf2, 12, 3, 0, true, gfx::kTeal);
  Form1.Sp11.LoadStored(none, &Form1.buf2, 12, 1, 0, true, gfx::kTeal);
}

void SetUpBuffers() {
  Form1.BUF.Picture.Resize(kFloorPixels, kFloorPixels);
  Form1.buf2.Picture.Resize(kViewWidth, kViewHeight);
  Form1.buf2.canvas.FontName = "ＭＳ 明朝";
  Form1.buf2.canvas.BrushClear = true;
}

void SetTimerEnabled(TTimer& timer, bool enabled) {
  timer.Enabled = enabled;
  platform::Os().FormChanged();
}

void PresentFrame() {
  gfx::Bitmap& shown = Form1.Image1.Picture;
  if (shown.Width() < kViewWidth || shown.Height() < kViewHeight) shown.Resize(kViewWidth, kViewHeight);
  gfx::BitBlt(shown, 0, 0, kViewWidth, kViewHeight, &Form1.buf2.Picture, 0, 0, gfx::Rop::Copy);
  RepaintImage1();
}

void RepaintImage1() { platform::Os().Repaint(Form1.Image1.Picture); }
