// Every picture file of the game, each made by one function.
#pragma once

#include <string>

#include "art/paint.h"

namespace art {

// The window's sheets.
Sheet MakeHeroSheet();     // HeroSheet: heroes and chests
Sheet MakeFaces();         // FaceSheet
Sheet MakeStatusIcons();   // StatusIconSheet
Sheet MakeShots();         // ShotSheet
Sheet MakeSplats();        // SplatSheet
Sheet MakeMarkers();       // MarkerSheet
Sheet MakeItemIcons();     // ItemIconSheet
Sheet MakeCoins();         // CoinSheet

// The sheets loaded per dungeon.
Sheet MakeMonsterSheet(int dungeon);  // c_r0 .. c_r7
Sheet MakeShadowSheet(int hero);      // c_r80 .. c_r83
Sheet MakeBossSheet(int dungeon);     // c_boss0 .. c_boss8

// The full-view pictures, 312 x 216.
// The title picture; english puts the name in Latin capitals (title_en.bmp).
Pic MakeTitle(const std::string& assetsDir, bool english);
Pic MakeCharas(int hero);
Pic MakeWaku();
Pic MakeMainMap();
// The window icon, 32 x 32 in the first sixteen colours of IconPalette().
Pic MakeIcon();
const std::vector<gfx::Color>& IconPalette();
// The icon theme's sizes (16 ... 256) with their pictures in the colours of IconPalette().
std::vector<std::pair<int, Pic>> MakeThemeIcons();

// One chest look (0..3) facing any way: the chests are monsters too and stand in HeroSheet.
Pic DrawChest(int look, int pose);

}  // namespace art
