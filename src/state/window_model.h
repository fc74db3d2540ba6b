// The main window as plain objects: its pictures, sprite sheets, timers and the menu
// commands whose state the game changes. The Qt window (and the headless runner) mirror
// these into real widgets; the game only touches these.
#pragma once

#include <string>

#include "gfx/image.h"
#include "gfx/sprite.h"

// The view: the size of every picture the window shows (Frame, ShownFrame, Backdrop).
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

struct WindowModel {
  gfx::TImage FloorPicture;  // the whole floor, 1440 x 1440, drawn from the tiles at set-up
  gfx::TImage Frame;         // the frame being drawn, one view
  gfx::TImage ShownFrame;    // the frame the window shows (PresentFrame hands Frame over to it)
  gfx::TImage Backdrop;      // behind the title, selection, menu, world-map and ending screens

  gfx::TSprite FloorTileSheet;   // floor tiles, drawn into FloorPicture
  gfx::TSprite HeroSheet;        // hero figures and chests
  gfx::TSprite FaceSheet;        // hero faces of the status panel
  gfx::TSprite MonsterSheet;     // the dungeon's monsters, loaded with the dungeon
  gfx::TSprite StatusIconSheet;  // status panel symbols
  gfx::TSprite ShotSheet;        // shots and weapons in hand
  gfx::TSprite SplatSheet;       // splats and remains, into FloorPicture
  gfx::TSprite MarkerSheet;      // entrances, sparks, the cursor, traps, frost and flames
  gfx::TSprite ItemIconSheet;    // item icons
  gfx::TSprite CoinSheet;        // coins
  gfx::TSprite BossSheet;        // the dungeon's boss, loaded with the dungeon

  TTimer TickTimer{true, 50};       // the game's tick (OnTickTimer)
  TTimer MusicTimer{false, 1000};   // the music's loop check (OnMusicTimer)
  TMenuItem SaveCommand{false, false};  // File, Save: only while a game runs
  TMenuItem LoadCommand{true, false};   // File, Load
  // The view sizes 624 x 432, 312 x 216 and 156 x 108.
  TMenuItem View624Command{true, false}, View312Command{true, true}, View156Command{true, false};
  std::string Caption = "ミロヴァーン";
  int ClientWidth = kViewWidth;
  int ClientHeight = kViewHeight;
  bool CenterRequested = false;  // a view-size command asks the window to centre itself
  bool Ended = false;            // the program has been asked to end
};

extern WindowModel Window;

// The sizes of the picture files: every full view (title, heroes, frame, world map), and the
// two sheets loaded with a dungeon, 12 x 3 monster cells of 24 pixels and 12 boss cells of 44.
// A file of another size is refused before its pixels are read.
constexpr gfx::BmpSize kViewPicture{kViewWidth, kViewHeight};
constexpr gfx::BmpSize kMonsterSheetSize{288, 72};
constexpr gfx::BmpSize kBossSheetSize{528, 44};

// Draws one cell of a sheet: the calling pattern of every user of a sheet.
inline void DrawCell(gfx::TSprite& sheet, int cell, int x, int y) {
  sheet.SetIndex(cell);
  sheet.X = x;
  sheet.Y = y;
  sheet.Draw();
}

// File, Save and File, Load: enabled while a game runs.
inline void EnableFileCommands(bool save, bool load) {
  Window.SaveCommand.Enabled = save;
  Window.LoadCommand.Enabled = load;
}

// Fills the window's stored sheets (FloorTileSheet ... CoinSheet) from the pictures built into the program.
void LoadWindowSheets();
// The buffers with their canvas, as the window is created.
void SetUpBuffers();

// Starts or stops a timer of the window's model and tells the window.
void SetTimerEnabled(TTimer& timer, bool enabled);

// No tick may run under a dialog or a question box: the tick's timer stops for the pause's
// lifetime and runs again afterwards, even when the action in between throws.
class TickPause {
 public:
  TickPause() { SetTimerEnabled(Window.TickTimer, false); }
  ~TickPause() { SetTimerEnabled(Window.TickTimer, true); }
  TickPause(const TickPause&) = delete;
  TickPause& operator=(const TickPause&) = delete;
};

// Makes the finished Frame the ShownFrame (Frame is left holding a picture the next tick
// paints over) and repaints the window at once.
void PresentFrame();
// Repaints the window from ShownFrame as it stands.
void RepaintShownFrame();
