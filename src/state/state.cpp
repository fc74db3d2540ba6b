#include "state/state.h"

GameState G{};
std::string AppDir;

bool OutsideFloor(int px, int py) {
  return px < 0 || py < 0 || px >= kFloorPixels || py >= kFloorPixels;
}

int TileValueAt(int px, int py) {
  if (OutsideFloor(px, py)) return -1;
  int floor = G.FloorIndex;
  if (floor < 0 || floor > 9) return -1;
  return G.Floors[floor].TileAt(px / kTileSize, py / kTileSize);
}

bool SolidAt(int px, int py) {
  int tile = TileValueAt(px, py);
  if (tile < 0) return true;
  return G.Floors[G.FloorIndex].Attr[tile] != 0;
}
