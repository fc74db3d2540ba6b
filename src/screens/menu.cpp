// The menu screens (mode 2): the equipment page, the whole-floor map and the item detail
// page, with the 8 x 8 grid of carried items and its cursor. What the menu's keys do to the
// items lies with the game's key handling (game/menu_actions).
//
// Every item number read here comes from the state (and so possibly from a saved file):
// items are looked up through ItemAt, and inventory slots through SlotItem, so that a
// damaged number can only ever show as an empty item.
#include "screens/menu.h"

#include <string>

#include "content/items.h"
#include "content/phrases.h"
#include "platform/language.h"
#include "state/window_model.h"
#include "state/state.h"
#include "screens/text.h"

namespace {

constexpr int kTextSize = 10;
constexpr gfx::Color kRed = gfx::Rgb(255, 0, 0);
constexpr gfx::Color kYellow = gfx::Rgb(255, 255, 0);

void Text(int x, int y, const std::string& text, gfx::Color colour = gfx::kWhite) {
  DrawShadowText(x, y, kTextSize, colour, text);
}

void Icon(int x, int y, const ItemRecord& item) { DrawCell(Window.ItemIconSheet, item.Icon, x, y); }

std::string Number(long long v) { return std::to_string(v); }

bool English() { return CurrentLanguage() == Language::kEnglish; }

// A weapon or armour row of the equipment page. Japanese: label, icon over the full-width
// space after it, name, cut to 28 bytes. English: the icon first, the name beside it.
void EquipmentRow(int y, int iconY, Phrase row, const ItemRecord& item) {
  if (English()) {
    Icon(175, iconY, item);
    Text(193, y, Say(row, {ItemName(item)}));
    return;
  }
  Text(175, y, SjisCut(Say(row, {ItemName(item)}), 28));
  Icon(212, iconY, item);
}

void DrawEquipmentPage() {
  const ItemRecord& weapon = ItemAt(G.WeaponItem);
  const ItemRecord& armour = ItemAt(G.ArmourItem);

  Text(175, 8, Say(Phrase::kHitPoints, {Number(G.HP), Number(G.MaxHP)}));
  EquipmentRow(28, 27, Phrase::kWeaponRow, weapon);
  EquipmentRow(43, 43, Phrase::kArmourRow, armour);
  Text(175, 63, Say(Phrase::kAttack, {Number(weapon.Attack)}));
  Text(175, 78, Say(Phrase::kDefence, {Number(armour.Defence)}));
  Text(175, 98, Say(Phrase::kShotSpeed, {Number(weapon.ShotSpeed)}));
  Text(175, 113, Say(Phrase::kShotLife, {Number(weapon.ShotLife)}));
  Text(175, 128, Say(Phrase::kRapidFire, {Number(weapon.RapidFire + 1)}));
  if (weapon.Cursed || armour.Cursed) Text(175, 148, Say(Phrase::kCursed), kRed);
  if (weapon.Blessed || armour.Blessed) Text(175, 163, Say(Phrase::kBlessed), kRed);
  if (weapon.KeyLevel >= 0) Text(175, 148, Say(Phrase::kOpensChests), kYellow);
}

void DrawDetailPage() {
  Text(190, 8, Say(Phrase::kItemData));
  const int number = SlotItem(G.InventoryCursor);
  // Only an emptied inventory leaves the cursor on an empty slot: the page then shows its
  // heading and nothing of an item.
  if (number == kNoItem) return;
  const ItemRecord& item = ItemAt(number);

  Text(205, 30, ItemName(item));
  Text(175, 50, Say(Phrase::kAttack, {Number(item.Attack)}));
  Text(175, 65, Say(Phrase::kDefence, {Number(item.Defence)}));
  Text(175, 80, Say(Phrase::kHeal, {Number(item.Heal)}));
  Text(175, 100, Say(Phrase::kUsableBy));
  for (int hero = 0; hero < 4; ++hero) {
    // Cell 12h + 6 is hero h facing the viewer.
    if (item.UsableBy[hero]) DrawCell(Window.HeroSheet, hero * 12 + 6, 180 + hero * 30, 115);
  }
  Icon(190, 30, item);

  // The notes at (175, 148) share one place: a later one is drawn over an earlier one.
  if (item.Kind != kMedicine && item.Cursed) Text(175, 148, Say(Phrase::kCursed), kRed);
  if (item.Kind == kMedicine && item.Cursed) Text(175, 148, Say(Phrase::kNeverUsedUp), kYellow);
  if (item.Blessed) Text(175, 163, Say(Phrase::kBlessed), kYellow);
  if (item.KeyLevel >= 0) Text(175, 148, Say(Phrase::kOpensChests), kYellow);
  if (item.Kind == kEscapeItem) Text(175, 148, Say(Phrase::kEscapeItem), kYellow);
}

void DrawWholeMapPage() {
  gfx::Bitmap& frame = Window.Frame.Picture;
  gfx::FillRect(frame, 0, 0, frame.Width(), frame.Height(), gfx::kBlack);
  gfx::StretchBlt(frame, 48, 0, 215, 215, Window.FloorPicture.Picture, 0, 0, kFloorPixels, kFloorPixels);
}

// The grid line's phrase for what Space does to an item of a kind, if anything.
const Phrase* ActionOf(int kind) {
  static constexpr Phrase kEquips = Phrase::kSpaceEquips, kUses = Phrase::kSpaceUses,
                          kWears = Phrase::kSpaceWears;
  if (IsWeapon(kind)) return &kEquips;
  if (kind == kMedicine || kind == kEscapeItem) return &kUses;
  if (IsArmour(kind)) return &kWears;
  return nullptr;
}

void DrawGridAndCursor() {
  for (int k = 0; k < kInventorySlots; ++k) {
    if (Occupied(k)) Icon((k % 8) * 20 + 10, (k / 8) * 20 + 10, ItemAt(SlotItem(k)));
  }
  const int c = G.InventoryCursor;
  DrawCell(Window.MarkerSheet, 10, (c % 8) * 20 + 6, (c / 8) * 20 + 6);

  const int number = SlotItem(c);
  if (number == kNoItem) return;
  const ItemRecord& item = ItemAt(number);
  if (const Phrase* action = ActionOf(item.Kind)) {
    // The words before the name and the name together are cut to 32 bytes; the rest of
    // the line always follows whole.
    const std::string pattern = PhrasePattern(*action);
    const int before = SjisLength(pattern.substr(0, pattern.find("{0}")));
    const std::string name = SjisCut(ItemName(item), 32 - before);
    Text(English() ? 28 : 10, 182, Fill(pattern, {name}));
  }
  Icon(English() ? 10 : 78, 181, item);
}

// The help line crawls in from the right edge two pixels a tick and starts over every
// 575 ticks.
void DrawKeyHelp() {
  const long long crawl = (2LL * G.TickCount) % 1150;
  const int x = kViewWidth - static_cast<int>(crawl < 0 ? crawl + 1150 : crawl);
  Text(x, 199, Say(Phrase::kMenuKeyHelp));
}

}  // namespace

void DrawMenu() {
  switch (G.MenuPage) {
    case 0:
      DrawEquipmentPage();
      break;
    case 1:
      DrawWholeMapPage();
      break;
    case 2:
      DrawDetailPage();
      break;
    default:
      break;
  }
  if (G.MenuPage == 0 || G.MenuPage == 2) DrawGridAndCursor();
  DrawKeyHelp();
}
