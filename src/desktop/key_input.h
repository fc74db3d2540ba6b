// The one way keys reach the game from any device (keyboard, pad): it remembers which
// keys the game holds, so that when the real key-up is bound to go elsewhere (another
// window, a dialog, a menu) the game can be handed one for each of them.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

class KeyInput {
 public:
  using Sink = std::function<void(uint16_t vk)>;
  KeyInput(Sink keyDown, Sink keyUp);

  // A key-down, first or auto-repeated. Lone Ctrl, Alt and Super are never the game's:
  // no rule reads them, and they belong to the shortcuts they start.
  void Press(uint16_t vk, bool autoRepeat);
  // A key-up of a key the game holds; one the game never saw pressed is not its business.
  void Release(uint16_t vk);
  // A key-up for every held key, as if each had arrived. A key still down counts again
  // from its next press or auto-repeat.
  void ReleaseAll();

  bool Held(uint16_t vk) const;
  static bool IsWindowModifier(uint16_t vk);

 private:
  Sink keyDown_, keyUp_;
  std::vector<uint16_t> held_;
};
