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

void DrawEquipmentPage() {
  const ItemRecord& weapon = ItemAt(G.WeaponItem);
  const ItemRecord& armour = ItemAt(G.ArmourItem);

  Text(175, 8, "体力：" + Number(G.HP) + " / " + Number(G.MaxHP));
  Text(175, 28, SjisCut("武器：　" + weapon.Name, 28));
  Icon(212, 27, weapon);
  Text(175, 43, SjisCut("防具：　" + armour.Name, 28));
  Icon(212, 43, armour);
  Text(175, 63, "攻撃力：" + Number(weapon.Attack));
  Text(175, 78, "防御力：" + Number(armour.Defence));
  Text(175, 98, "　飛距離：" + Number(weapon.ShotSpeed) + "M /s");
  Text(175, 113, "滞空時間：" + Number(weapon.ShotLife) + "s");
  Text(175, 128, "  　連射：" + Number(weapon.RapidFire + 1) + "連射");
  if (weapon.Cursed || armour.Cursed) Text(175, 148, "  呪われています。", kRed);
  if (weapon.Blessed || armour.Blessed) Text(175, 163, "祝福を受けています。", kRed);
  if (weapon.KeyLevel >= 0) Text(175, 148, "宝箱を開ける鍵です。", kYellow);
}

void DrawDetailPage() {
  Text(190, 8, "アイテムデータ");
  const int number = SlotItem(G.InventoryCursor);
  // Only an emptied inventory leaves the cursor on an empty slot: the page then shows its
  // heading and nothing of an item.
  if (number == kNoItem) return;
  const ItemRecord& item = ItemAt(number);

  Text(205, 30, item.Name);
  Text(175, 50, "攻撃力：" + Number(item.Attack));
  Text(175, 65, "防御力：" + Number(item.Defence));
  Text(175, 80, "回復力：" + Number(item.Heal));
  Text(175, 100, "使用可能キャラ：");
  for (int hero = 0; hero < 4; ++hero) {
    // Cell 12h + 6 is hero h facing the viewer.
    if (item.UsableBy[hero]) DrawCell(Window.HeroSheet, hero * 12 + 6, 180 + hero * 30, 115);
  }
  Icon(190, 30, item);

  // The notes at (175, 148) share one place: a later one is drawn over an earlier one.
  if (item.Kind != kMedicine && item.Cursed) Text(175, 148, "  呪われています。", kRed);
  if (item.Kind == kMedicine && item.Cursed) Text(175, 148, "使っても壊れません。", kYellow);
  if (item.Blessed) Text(175, 163, "祝福を受けています。", kYellow);
  if (item.KeyLevel >= 0) Text(175, 148, "宝箱を開ける鍵です。", kYellow);
  if (item.Kind == kEscapeItem) Text(175, 148, "迷宮脱出用アイテム。", kYellow);
}

void DrawWholeMapPage() {
  gfx::Bitmap& frame = Window.Frame.Picture;
  gfx::FillRect(frame, 0, 0, frame.Width(), frame.Height(), gfx::kBlack);
  gfx::StretchBlt(frame, 48, 0, 215, 215, Window.FloorPicture.Picture, 0, 0, kFloorPixels, kFloorPixels);
}

const char* ActionOf(int kind) {
  if (IsWeapon(kind)) return "]を装備する";
  if (kind == kMedicine || kind == kEscapeItem) return "]を使う";
  if (IsArmour(kind)) return "]を着ける";
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
  if (const char* action = ActionOf(item.Kind)) {
    Text(10, 182, SjisCut("ｽﾍﾟｰｽｷｰで[　" + item.Name, 32) + action);
  }
  Icon(78, 181, item);
}

// The help line crawls in from the right edge two pixels a tick and starts over every
// 575 ticks.
void DrawKeyHelp() {
  const long long crawl = (2LL * G.TickCount) % 1150;
  const int x = kViewWidth - static_cast<int>(crawl < 0 ? crawl + 1150 : crawl);
  Text(x, 199,
       "ENTERｷｰでｱｲﾃﾑを捨てます。ESCｷｰで戻ります。F1ｷｰでアイテム装備画面、F2ｷｰで全体マップ画面、"
       "F3ｷｰでアイテム詳細画面になります。");
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
