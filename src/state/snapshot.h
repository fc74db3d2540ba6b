// Changes of the whole game that either complete or leave everything as it was: a load, a
// dungeon entered, a stair out, the return to the world map after game over or the ending.
#pragma once

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include "state/window_model.h"
#include "state/state.h"

// Everything such a change may touch before it can fail: the state, the random seed, the
// pictures and sheets a screen change loads and the menu items it enables.
class GameSnapshot {
 public:
  GameSnapshot();
  void Restore() const;

 private:
  std::unique_ptr<GameState> state_;
  uint32_t seed_;
  gfx::TImage floorPicture_, frame_, shownFrame_, backdrop_;
  gfx::TSprite monsterSheet_, bossSheet_;
  TMenuItem k1_, k2_;
};

// The change that failed and was undone; its message says so once, in the player's words.
class ChangeUndone : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Runs change. When it throws, the game is put back as it was before the call and a
// ChangeUndone carrying the reason is thrown instead, for the caller's message box.
void CompleteOrRestore(const std::function<void()>& change);
