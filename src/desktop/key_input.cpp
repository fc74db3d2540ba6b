#include "desktop/key_input.h"

#include <algorithm>
#include <utility>

namespace {
constexpr uint16_t kCtrl = 17, kAlt = 18, kLeftSuper = 91, kRightSuper = 92;
}

KeyInput::KeyInput(Sink keyDown, Sink keyUp)
    : keyDown_(std::move(keyDown)), keyUp_(std::move(keyUp)) {}

bool KeyInput::IsWindowModifier(uint16_t vk) {
  return vk == kCtrl || vk == kAlt || vk == kLeftSuper || vk == kRightSuper;
}

bool KeyInput::Held(uint16_t vk) const {
  return std::find(held_.begin(), held_.end(), vk) != held_.end();
}

void KeyInput::Press(uint16_t vk, bool /*autoRepeat*/) {
  // Every press, repeated or not, runs the game's key-down again, as held keys do.
  if (IsWindowModifier(vk)) return;
  if (!Held(vk)) held_.push_back(vk);
  keyDown_(vk);
}

void KeyInput::Release(uint16_t vk) {
  auto it = std::find(held_.begin(), held_.end(), vk);
  if (it == held_.end()) return;
  held_.erase(it);
  keyUp_(vk);
}

void KeyInput::ReleaseAll() {
  // The list is emptied first: a key-up handler may open a box, and a box releases all.
  std::vector<uint16_t> held = std::move(held_);
  held_.clear();
  for (uint16_t vk : held) keyUp_(vk);
}
