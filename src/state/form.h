// The main window's components as plain objects: the four images, the eleven sprite
// sheets, the two timers and the menu items whose state the game changes. The Qt window
// (and the headless runner) mirror these into real widgets; the game only touches these.
//
// The window's names, and what they are:
//   BUF        the whole floor picture, 1440 x 1440, drawn from the tiles at set-up
//   buf2       the frame being drawn, one view (312 x 216)
//   Image1     the frame the window shows (PresentFrame copies buf2 into it)
//   Image2     the backdrop of the title, selection, menu, world-map and ending screens
//   SP1        floor tiles, drawn into BUF          Sp4    the dungeon's monsters
//   SP2        hero figures                         Sp11   the dungeon's boss
//   sp3        hero faces of the status panel       Sp5    status panel symbols
//   sp6        shots                                Sp7    splats and remains, into BUF
//   Sp8        sparks, flames, hits, entrances      Sp9    item icons
//   sp10       coins
//   Timer1     the game's tick (Timer1Timer)        Timer2 the music's loop (Timer2Timer)
//   K1, K2     File, Save and File, Load (K1Click, K2Click)
//   N6244321, N3122161, N1561081   the view sizes 624 x 432, 312 x 216, 156 x 108 (...Click)
//   Exit1      File, Exit (Exit1Click)
//   FormCreate, FormShow, FormResize, FormKeyDown, FormKeyUp   the window's own events
#pragma once

#include <string>

#include "gfx/image.h"
#include "gfx/sprite.h"

// The view: the size of every picture the window shows (buf2, Image1, Image2).
constexpr int kViewWidth = 312;
constexpr int kViewHeight = 216;

struct TTimer {
  bool Enabled = false;
  int Interval = 1000;
};

struct TMenuItem {
  bool Enabled = true;
  bool Checked = false;
};

struct TForm1 {
  gfx::TImage BUF, buf2, Image1, Image2;
  gfx::TSprite SP1, SP2, sp3, Sp4, Sp5, sp6, Sp7, Sp8, Sp9, sp10, Sp11;
  TTimer Timer1{true, 50};   // the game's tick
  TTimer Timer2{false, 1000};  // the music's loop check
  TMenuItem K1{false, false};  // File, Save: only while a game runs
  TMenuItem K2{true, false};   // File, Load
  TMenuItem N6244321{true, false}, N3122161{true, true}, N1561081{true, false};  // view sizes
  std::string Caption = "ミロヴァーン";
  int ClientWidth = kViewWidth;
  int ClientHeight = kViewHeight;
  bool CenterRequested = false;  // a view-size command asks the window to centre itself
  bool Ended = false;            // the program has been asked to end
};

extern TForm1 Form1;

// The sizes of the picture files: every full view (title, heroes, frame, world map), and the
// two sheets loaded with a dungeon, 12 x 3 monster cells of 24 pixels and 12 boss cells of 44.
// A file of another size is refused before its pixels are read.
constexpr gfx::BmpSize kViewPicture{kViewWidth, kViewHeight};
constexpr gfx::BmpSize kMonsterSheet{288, 72};
constexpr gfx::BmpSize kBossSheet{528, 44};

// Draws one cell of a sheet: the calling pattern of every user of a sheet.
inline void DrawCell(gfx::TSprite& sheet, int cell, int x, int y) {
  sheet.SetIndex(cell);
  sheet.X = x;
  sheet.Y = y;
  sheet.Draw();
}

// File, Save and File, Load: enabled while a game runs.
inline void EnableFileCommands(bool save, bool load) {
  Form1.K1.Enabled = save;
  Form1.K2.Enabled = load;
}

// Fills the window's stored sheets (SP1 ... sp10) from the pictures built into the program.
void LoadFormSheets();
// The buffers with their canvas, as the window is created.
void SetUpBuffers();

// Starts or stops a timer of the form and tells the window.
void SetTimerEnabled(TTimer& timer, bool enabled);

// No tick may run under a dialog or a question box: the tick's timer stops for the pause's
// lifetime and runs again afterwards, even when the action in between throws.
class TickPause {
 public:
  TickPause() { SetTimerEnabled(Form1.Timer1, false); }
  ~TickPause() { SetTimerEnabled(Form1.Timer1, true); }
  TickPause(const TickPause&) = delete;
  TickPause& operator=(const TickPause&) = delete;
};

// Copies buf2 into Image1 and repaints the window at once.
void PresentFrame();
// Repaints the window from Image1 as it stands.
void RepaintImage1();
