// Coins and items lying on the floor: dropping, ageing, picking up, drawing.
#include "combat/loot.h"

#include "audio/sound.h"
#include "combat/combat_util.h"
#include "content/items.h"
#include "content/phrases.h"
#include "platform/language.h"
#include "state/window_model.h"
#include "state/records.h"
#include "state/state.h"
#include "screens/text.h"

namespace {

// A coin about to vanish blinks, faster and faster: it is hidden on these ticks of life.
bool HiddenWhileBlinking(int32_t lifetime) {
  switch (lifetime) {
    case 0: case 2: case 4: case 6: case 8: case 10: case 12: case 15: case 18: case 22: case 26:
      return true;
    default:
      return false;
  }
}

void AgeCoin(CoinRecord& c) {
  c.Frame = static_cast<uint8_t>(c.Frame + 1);
  if (c.Frame >= 6) c.Frame = 0;
  c.Lifetime = combat::AddCapped(c.Lifetime, -1, INT32_MAX);
  if (c.Lifetime <= 0) c.Active = 0;  // still collectable and shown in this last tick
}

bool PickUpCoin(CoinRecord& c) {
  if (!combat::TouchesHero(c.X, c.Y)) return false;
  c.Active = 0;
  G.Gold = combat::AddCapped(G.Gold, c.Amount, 999999);
  PlayEffect(kEffectCoin);
  return true;
}

void PickUpItem(FloorItemRecord& f) {
  if (!combat::TouchesHero(f.X, f.Y)) return;
  for (uint8_t& slot : G.Inventory) {
    if (slot != kNoItem) continue;
    slot = f.Item;
    f.Present = 0;
    PlayEffect(kEffectItem);
    G.MessageTimer = 60;
    G.MessageItem = f.Item;
    return;
  }
  // A full pack leaves the item where it lies, without a word.
}

}  // namespace

void DropCoin(int x, int y, int amount) {
  for (CoinRecord& c : G.Coins) {
    if (c.Active) continue;
    c.Active = 1;
    c.X = x;
    c.Y = y;
    c.Lifetime = 200;
    c.Amount = amount;
    return;
  }
}

void DropFloorItem(int x, int y, int item) {
  for (FloorItemRecord& f : G.FloorItems) {
    if (f.Present) continue;
    f.Present = 1;
    f.X = x;
    f.Y = y;
    f.Item = static_cast<uint8_t>(item);
    return;
  }
}

void CoinBlock() {
  for (CoinRecord& c : G.Coins) {
    if (!c.Active) continue;
    AgeCoin(c);
    if (PickUpCoin(c)) continue;
    if (c.Lifetime < 27 && HiddenWhileBlinking(c.Lifetime)) continue;
    DrawCell(Window.CoinSheet, c.Frame, combat::ViewX(c.X), combat::ViewY(c.Y));
  }
}

void ItemBlock() {
  for (FloorItemRecord& f : G.FloorItems) {
    if (!f.Present || !combat::NearHero(f.X, f.Y)) continue;
    PickUpItem(f);
    DrawCell(Window.ItemIconSheet, ItemAt(f.Item).Icon, combat::ViewX(f.X), combat::ViewY(f.Y));
  }
}

void DrawPickupMessage() {
  if (G.MessageTimer <= 0) return;
  std::string text = SjisCut(Say(Phrase::kItemFound, {ItemName(ItemAt(G.MessageItem))}), 34);
  // The Japanese is centred by its bytes, English (narrower letters) by its measured width.
  const bool english = CurrentLanguage() == Language::kEnglish;
  int x = english ? CentredX(10, text) : (46 - SjisLength(text)) * 4 + 5;
  // The same line is drawn for as long as the message stays.
  static StampedTexts message;
  message.Add(x + 1, 177, 10, gfx::kBlack, text);
  message.Add(x, 176, 10, gfx::kWhite, text);
  message.Draw();
  G.MessageTimer -= 1;
}
