// What the menu screens' keys do to the carried items: the cursor's moves, using or equipping
// the item under it, throwing it away, and closing the gap a used item leaves.
//
// Inventory slots are read through SlotItem and items through ItemAt, so that a damaged
// number from a saved file can only ever act as an empty slot.
#include "game/menu_actions.h"

#include "audio/sound.h"
#include "content/items.h"
#include "modes/mode_changes.h"
#include "platform/language.h"
#include "platform/platform.h"
#include "state/state.h"

namespace {

// The menu's questions and refusals.
constexpr Bilingual kUseCaption = {"使いますよ！", "Use Item"};
constexpr Bilingual kUseQuestion = {"今現在選んでいるアイテムを使ってもよろしいでしょうか？",
                                    "Use the selected item?"};
constexpr Bilingual kCannotEquipCaption = {"扱えません！！", "Can't Equip!"};
constexpr Bilingual kCannotEquip = {"それは装備出来ません・・・", "You can't equip that..."};
constexpr Bilingual kCannotWearCaption = {"着れません！！", "Can't Wear!"};
constexpr Bilingual kCannotWear = {"それは着れません・・・", "You can't wear that..."};
constexpr Bilingual kDropCaption = {"捨てますよ！！", "Drop Item"};
constexpr Bilingual kDropQuestion = {"今現在選んでいるアイテムを捨ててもよろしいでしょうか？",
                                     "Throw away the selected item?"};

bool UsableByHero(const ItemRecord& item) {
  const int hero = G.HeroIndex;
  return hero >= 0 && hero < 4 && item.UsableBy[hero] != 0;
}

// Medicine and the escape item both ask first.
bool AskToUse() {
  return platform::Os().AskYesNo(Pick(kUseCaption), Pick(kUseQuestion));
}

void UseMedicine(int slot, const ItemRecord& item) {
  if (!AskToUse()) return;
  long long hp = static_cast<long long>(G.HP) + item.Heal;
  if (hp > G.MaxHP) hp = G.MaxHP;
  if (hp < 1) hp = 1;  // a bad medicine weakens, it never kills
  G.HP = static_cast<int32_t>(hp);
  // For a medicine the cursed flag means it is never used up.
  if (!item.Cursed) RemoveSlot(slot);
}

void UseEscapeItem(int slot) {
  if (!AskToUse()) return;
  G.GameMode = kModeWorld;
  ShowWorldMap();
  RemoveSlot(slot);
}

}  // namespace

void MoveCursor(int direction) {
  const int c = G.InventoryCursor;
  if (c < 0 || c >= kInventorySlots) return;
  int target = -1;
  switch (direction) {
    case 0:
      if (c >= 8) target = c - 8;
      break;
    case 1:
      if (c < 63) target = c + 1;
      break;
    case 2:
      if (c < 56) target = c + 8;
      break;
    case 3:
      if (c >= 1) target = c - 1;
      break;
    default:
      break;
  }
  if (target < 0 || !Occupied(target)) return;
  G.InventoryCursor = target;
  PlayEffect(kEffectCursor);
}

void UseItem() {
  const int slot = G.InventoryCursor;
  const int number = SlotItem(slot);
  if (number == kNoItem) return;
  const ItemRecord& item = ItemAt(number);

  if (IsWeapon(item.Kind)) {
    if (!UsableByHero(item)) {
      platform::Os().ShowMessage(Pick(kCannotEquipCaption), Pick(kCannotEquip));
      return;
    }
    G.Inventory[slot] = G.WeaponItem;
    G.WeaponItem = static_cast<uint8_t>(number);
    PlayEffect(kEffectCursor);
  } else if (IsArmour(item.Kind)) {
    if (!UsableByHero(item)) {
      platform::Os().ShowMessage(Pick(kCannotWearCaption), Pick(kCannotWear));
      return;
    }
    G.Inventory[slot] = G.ArmourItem;
    G.ArmourItem = static_cast<uint8_t>(number);
  } else if (item.Kind == kMedicine) {
    UseMedicine(slot, item);
  } else if (item.Kind == kEscapeItem) {
    UseEscapeItem(slot);
  }
}

void DiscardItem() {
  const int slot = G.InventoryCursor;
  if (!Occupied(slot)) return;
  if (!platform::Os().AskYesNo(Pick(kDropCaption), Pick(kDropQuestion))) {
    return;
  }
  RemoveSlot(slot);
}

void RemoveSlot(int slot) {
  if (slot < 0 || slot >= kInventorySlots) return;
  G.Inventory[slot] = kNoItem;
  CompactInventory();
  // The cursor stays on the item that moved up into its place, or steps back onto the
  // last item when the last one went.
  const int c = G.InventoryCursor;
  if (c > 0 && c < kInventorySlots && !Occupied(c)) G.InventoryCursor = c - 1;
}

void CompactInventory() {
  for (int i = 0; i < kInventorySlots - 1; ++i) {
    if (G.Inventory[i] == kNoItem) {
      G.Inventory[i] = G.Inventory[i + 1];
      G.Inventory[i + 1] = kNoItem;
    }
  }
}
