// The main window's components as plain objects: the four images, the eleven sprite
// sheets, the two timers and the menu items whose state the game changes. The Qt window
// (and the headless runner) mirror these into real widgets; the game only touches these.
#pragma once

#include <string>

#include "gfx/image.h"
#include "gfx/sprite.h"

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
  int ClientWidth = 312;
  int ClientHeight = 216;
  bool CenterRequested = false;  // a view-size command asks the window to centre itself
  bool Ended = false;            // the program has been asked to end
};

extern TForm1 Form1;

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

// Copies buf2 into Image1 and repaints the window at once.
void PresentFrame();
// Repaints the window from Image1 as it stands.
void RepaintImage1();
